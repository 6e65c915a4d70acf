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
  state_->direct.reserve(state_->connections.size() + 1);
  state_->connections.push_back(Connection{sink, typed, next_, true});
  state_->direct.push_back(typed);
  if (!typed) ++state_->untyped;
  ++state_->generation;
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
  void*& direct = state_->direct[static_cast<std::size_t>(it - connections.begin())];
  if (direct) ++state_->untyped;
  direct = nullptr;
  ++state_->generation;
  if (state_->raising > 0) {
    state_->disconnected = true;  // the listener may be running now: release it afterwards
    return;
  }
  const Ref<EventSink> released = std::move(it->sink);
  state_->direct.erase(state_->direct.begin() + (it - connections.begin()));
  --state_->untyped;
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

// The last event under way has ended and left work behind.
void ConnectionPoint::Tidy(State& state) {
  if (state.orphaned) {
    std::unique_ptr<State> gone(&state);
    std::vector<Connection> released = std::move(gone->connections);
    gone.reset();
    return;
  }
  EraseDisconnected(state);
}

void ConnectionPoint::EraseDisconnected(State& state) {
  state.disconnected = false;
  std::vector<Ref<EventSink>> released;  // released once the list is consistent again
  for (Connection& c : state.connections)
    if (!c.connected) released.push_back(std::move(c.sink));
  std::erase_if(state.connections, [](const Connection& c) { return !c.connected; });
  state.direct.clear();
  state.untyped = 0;
  for (const Connection& c : state.connections) {
    state.direct.push_back(c.typed);
    if (!c.typed) ++state.untyped;
  }
}

}  // namespace plexion
