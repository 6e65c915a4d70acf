// Outgoing events: connection points that raise events to listeners by dispatch id.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "plexion/platform/dispatch.hpp"

namespace plexion {

// A listener. Arguments refer to the raiser's variables: a listener that assigns to one
// (Variant::Assign) answers the raiser, and later listeners see what it wrote.
class EventSink : public virtual Object {
 public:
  virtual void OnEvent(DispId id, std::span<Variant> args) = 0;
};

// Hands an event to a typed listener through its event interface's table; an id the table does
// not know is ignored.
void DispatchEvent(Object& listener, const InterfaceInfo& events, DispId id,
                   std::span<Variant> args);

// The listeners of one event interface of one object.
//
// Listeners are held weakly: whoever connects a listener keeps it alive (an editor that owns
// the hub and listens to it does not keep itself alive through the hub). A listener that dies
// without disconnecting is skipped and forgotten.
//
// Raise delivers an event to every listener connected when it starts, in order of connection,
// synchronously, one after another. A listener connected during an event receives the next
// one; a listener disconnected during an event receives nothing more, even from the event under
// way. An error raised by a listener leaves Raise at once, before the listeners after it.
class ConnectionPoint {
 public:
  using Cookie = std::uint32_t;

  explicit ConnectionPoint(const InterfaceInfo& events) : events_(&events) {}
  const InterfaceInfo& events() const { return *events_; }

  Cookie Connect(const Ref<EventSink>& sink);
  // An unknown cookie is an error (no such connection).
  void Disconnect(Cookie cookie);
  std::size_t Count() const;

  void Raise(DispId id, std::span<Variant> args);

 private:
  struct Connection {
    Cookie cookie;
    WeakRef<EventSink> sink;
    bool connected = true;
  };
  void Prune();

  const InterfaceInfo* events_;
  std::vector<std::shared_ptr<Connection>> connections_;
  Cookie next_ = 1;
};

// An object that raises events, asked for its connection point by event interface id.
class ConnectionPointContainer {
 public:
  virtual ConnectionPoint* FindConnectionPoint(const Guid& eventIid) = 0;

 protected:
  ~ConnectionPointContainer() = default;
};

}  // namespace plexion
