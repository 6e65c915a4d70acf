#include "plexion/platform/events.hpp"

#include <algorithm>

namespace plexion {

void DispatchEvent(Object& listener, const InterfaceInfo& events, DispId id,
                   std::span<Variant> args) {
  const MemberInfo* m = events.Find(id, InvokeKind::Method);
  if (!m) return;
  m->invoke(listener, args, m->params);
}

ConnectionPoint::Cookie ConnectionPoint::Connect(const Ref<EventSink>& sink) {
  if (!sink) throw Error::External(status::Pointer, std::string(kLibraryName), "no listener to connect");
  Prune();
  connections_.push_back(std::make_shared<Connection>(Connection{next_, WeakRef<EventSink>(sink)}));
  return next_++;
}

void ConnectionPoint::Disconnect(Cookie cookie) {
  const auto it = std::find_if(connections_.begin(), connections_.end(),
                               [&](const auto& c) { return c->cookie == cookie; });
  if (it == connections_.end())
    throw Error::External(status::NoConnection, std::string(kLibraryName),
                          "no connection " + std::to_string(cookie) + " to " +
                              std::string(events_->name()));
  (*it)->connected = false;
  connections_.erase(it);
}

std::size_t ConnectionPoint::Count() const {
  return static_cast<std::size_t>(std::count_if(connections_.begin(), connections_.end(),
                                                [](const auto& c) { return bool(c->sink.Lock()); }));
}

void ConnectionPoint::Raise(DispId id, std::span<Variant> args) {
  const auto snapshot = connections_;  // connections made or dropped meanwhile do not disturb us
  for (const auto& c : snapshot) {
    if (!c->connected) continue;
    if (Ref<EventSink> sink = c->sink.Lock()) sink->OnEvent(id, args);
  }
}

void ConnectionPoint::Prune() {
  std::erase_if(connections_, [](const auto& c) { return !c->sink.Lock(); });
}

}  // namespace plexion
