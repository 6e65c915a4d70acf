// Outgoing events: connection points that raise events to listeners, typed or by dispatch id.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
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
// A connection holds its listener until Disconnect or the end of the connection point, as the
// platform's connection points do: a listener that nobody else holds still hears every event.
// An editor that owns its hub and listens to it therefore disconnects when it closes.
//
// Raise delivers an event to every listener connected when it starts, in order of connection,
// synchronously, one after another. A listener connected during an event receives the next
// one; a listener disconnected during an event receives nothing more, even from the event under
// way. An error raised by a listener leaves Raise at once, before the listeners after it.
//
// While an event is under way nothing is erased or released: a listener disconnected meanwhile
// stays alive until the outermost event ends, and so does the list itself when its owner dies
// from inside one of its own events.
class ConnectionPoint {
 public:
  using Cookie = std::uint32_t;
  // The listener as the interface's typed listener base, or null for a dispatch listener.
  using TypedCast = void* (*)(EventSink& sink);

  explicit ConnectionPoint(const InterfaceInfo& events, TypedCast typed = nullptr);
  ~ConnectionPoint();
  ConnectionPoint(const ConnectionPoint&) = delete;
  ConnectionPoint& operator=(const ConnectionPoint&) = delete;

  const InterfaceInfo& events() const { return *events_; }

  Cookie Connect(const Ref<EventSink>& sink);
  // An unknown cookie is an error (no such connection).
  void Disconnect(Cookie cookie);
  std::size_t Count() const;

  // Every listener receives OnEvent(id, args).
  void Raise(DispId id, std::span<Variant> args);

 protected:
  struct Connection {
    Ref<EventSink> sink;
    void* typed;  // the sink as its typed listener base, or null
    Cookie cookie;
    bool connected;
  };
  struct State {
    std::vector<Connection> connections;
    // Beside each connection: its typed listener while it is connected, else null.
    std::vector<void*> direct;
    std::size_t untyped = 0;       // null entries of direct
    std::uint64_t generation = 0;  // changes with every connection and disconnection
    int raising = 0;               // events under way (nested ones included)
    bool disconnected = false;     // entries await erasing when the last event ends
    bool orphaned = false;         // the connection point died during an event
  };
  // Counts an event under way; the last one to end tidies up.
  class RaiseScope {
   public:
    explicit RaiseScope(State& state) : state_(state) { ++state_.raising; }
    ~RaiseScope() {
      if (--state_.raising == 0 && (state_.orphaned || state_.disconnected)) Tidy(state_);
    }
    RaiseScope(const RaiseScope&) = delete;
    RaiseScope& operator=(const RaiseScope&) = delete;

   private:
    State& state_;
  };
  static void Tidy(State& state);
  static void EraseDisconnected(State& state);

  State& state() const { return *state_; }

 private:
  const InterfaceInfo* events_;
  TypedCast typed_;
  State* state_;  // outlives this object while an event is under way
  Cookie next_ = 1;
};

// A connection point whose typed listeners (subclasses of Listener) are called directly with
// the raiser's own variables; the others receive variants that refer to them, made once per
// event and only when such a listener is connected.
template <class Listener>
class TypedConnectionPoint : public ConnectionPoint {
 public:
  explicit TypedConnectionPoint(const InterfaceInfo& events)
      : ConnectionPoint(events,
                        [](EventSink& sink) -> void* { return dynamic_cast<Listener*>(&sink); }) {}

  using ConnectionPoint::Raise;

  template <auto Handler, class... A>
  void Raise(DispId id, A&... args) {
    State& s = state();
    RaiseScope scope(s);
    std::optional<std::array<Variant, sizeof...(A)>> refs;
    auto deliver = [&](const Connection& c) {
      if (!c.connected) return;
      if (c.typed) {
        (static_cast<Listener*>(c.typed)->*Handler)(args...);
      } else {
        if (!refs) refs.emplace(std::array<Variant, sizeof...(A)>{Variant::RefTo(args)...});
        c.sink->OnEvent(id, *refs);
      }
    };
    const std::size_t count = s.connections.size();
    std::size_t i = 0;
    // Every listener typed and connected, and none connecting or disconnecting during the
    // event: the typed listeners are called straight from their column.
    if (s.untyped == 0) {
      void* const* direct = s.direct.data();
      const std::uint64_t generation = s.generation;
      while (i < count) {
        (static_cast<Listener*>(direct[i++])->*Handler)(args...);
        if (s.generation != generation) break;
      }
    }
    // Otherwise each connection is read afresh from the list as it is now.
    for (; i < count; ++i) deliver(s.connections[i]);
  }
};

// An object that raises events, asked for its connection point by event interface id.
class ConnectionPointContainer {
 public:
  virtual ConnectionPoint* FindConnectionPoint(const Guid& eventIid) = 0;

 protected:
  ~ConnectionPointContainer() = default;
};

}  // namespace plexion
