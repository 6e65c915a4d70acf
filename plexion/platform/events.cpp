#include "plexion/platform/events.hpp"

#include <algorithm>
#include <memory>

namespace plexion {

void DispatchEvent(Object& listener, const InterfaceInfo& events, DispId id,
                   std::span<Variant> args) {
  const MemberInfo* m = events.Find(id, InvokeKind::Method);
  if (!m) return;
  m->invoke(listener, args, m->params);
}

ConnectionPoint::ConnectionPoint(const InterfaceInfo& events, TypedCast typed)
    : events_(&events), typed_(typed), state_(new State) {}

ConnectionPoint::~ConnectionPoint() {
  if (state_->raising > 0) {
    state_->orphaned = true;  // the last event to end deletes it
    return;
  }
  // Listeners released here may run code of their own: the list is gone by then.
  std::unique_ptr<State> gone(state_);
  std::vector<Connection> released = std::move(gone->connections);
  gone.reset();
}

ConnectionPoint::Cookie ConnectionPoint::Connect(const Ref<EventSink>& sink) {
  if (!sink)
    throw Error::External(status::Pointer, std::string(kLibraryName), "no listener to connect");
  void* typed = typed_ ? typed_(*sink) : nullptr;
  state_->connections.push_back(Connection{sink, typed, next_, true});
  return next_++;
}

void ConnectionPoint::Disconnect(Cookie cookie) {
  auto& connections = state_->connections;
  const auto it = std::find_if(connections.begin(), connections.end(), [&](const Connection& c) {
    return c.connected && c.cookie == cookie;
  });
  if (it == connections.end())
    throw Error::External(
        status::NoConnection, std::string(kLibraryName),
        "no connection " + std::to_string(cookie) + " to " + std::string(events_->name()));
  it->connected = false;
  if (state_->raising > 0) {
    state_->disconnected = true;  // the listener may be running now: release it afterwards
    return;
  }
  const Ref<EventSink> released = std::move(it->sink);
  connections.erase(it);
}

std::size_t ConnectionPoint::Count() const {
  return static_cast<std::size_t>(std::count_if(state_->connections.begin(),
                                                state_->connections.end(),
                                                [](const Connection& c) { return c.connected; }));
}

void ConnectionPoint::Raise(DispId id, std::span<Variant> args) {
  State& s = *state_;
  RaiseScope scope(s);
  const std::size_t count = s.connections.size();
  for (std::size_t i = 0; i < count; ++i) {
    const Connection& c = s.connections[i];
    if (c.connected) c.sink->OnEvent(id, args);
  }
}

ConnectionPoint::RaiseScope::~RaiseScope() {
  if (--state_.raising > 0) return;
  if (state_.orphaned) {
    std::unique_ptr<State> gone(&state_);
    std::vector<Connection> released = std::move(gone->connections);
    gone.reset();
    return;
  }
  if (state_.disconnected) EraseDisconnected(state_);
}

void ConnectionPoint::EraseDisconnected(State& state) {
  state.disconnected = false;
  std::vector<Ref<EventSink>> released;  // released once the list is consistent again
  for (Connection& c : state.connections)
    if (!c.connected) released.push_back(std::move(c.sink));
  std::erase_if(state.connections, [](const Connection& c) { return !c.connected; });
}

}  // namespace plexion
