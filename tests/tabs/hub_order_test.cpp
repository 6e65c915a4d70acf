#include <gtest/gtest.h>

#include <functional>

#include "plexion/tabs/notify.hpp"

namespace plexion {
namespace {

using Heard = std::string;  // the names of the listeners that heard an event, in order

class TypedName final : public CPlexionNotifyEvents {
 public:
  TypedName(char name, Heard& heard) : name_(name), heard_(heard) {}
  std::function<void()> first;  // runs once, at the first event heard
  void TabShow(std::string&) override {
    heard_ += name_;
    if (first) std::exchange(first, nullptr)();
  }

 private:
  char name_;
  Heard& heard_;
};

class DispatchName final : public EventSink {
 public:
  DispatchName(char name, Heard& heard) : name_(name), heard_(heard) {}
  void OnEvent(DispId id, std::span<Variant>) override {
    if (id == static_cast<DispId>(NotifyEvent::TabShow)) heard_ += name_;
  }

 private:
  char name_;
  Heard& heard_;
};

// Typed listeners and listeners by dispatch id side by side, while connections come and go
// before and during an event: each event reaches who is connected, in order of connection.
TEST(HubOrder, MixedListenersHearInOrderWhileConnectionsChange) {
  struct Case {
    const char* what;
    std::string kinds;            // 't' typed, 'd' by dispatch id; named a, b, c, ...
    std::vector<int> dropBefore;  // disconnected before the first event
    std::vector<int> dropDuring;  // disconnected by the first listener during the first event
    int connectDuring;            // typed listeners v, w, ... it connects then
    Heard first, second;
  };
  const Case cases[] = {
      {"one dropped from the middle beforehand", "tdtt", {2}, {}, 0, "abd", "abd"},
      {"a dispatch and a typed one dropped mid-event", "tdtd", {}, {1, 2}, 0, "ad", "ad"},
      {"the list grows mid-event", "tttt", {}, {3}, 5, "abc", "abcvwxyz"},
      {"dropped and grown with both kinds", "tddt", {1}, {2}, 2, "ad", "advw"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Heard heard;
    auto hub = MakeRef<CPlexionNotify>();
    std::vector<ConnectionPoint::Cookie> cookies;
    auto typed = [&](char name) { return MakeRef<TypedName>(name, heard); };
    Ref<TypedName> head = typed('a');
    for (std::size_t i = 0; i < c.kinds.size(); ++i) {
      const char name = static_cast<char>('a' + i);
      cookies.push_back(i == 0              ? hub->Connect(head)
                        : c.kinds[i] == 't' ? hub->Connect(typed(name))
                                            : hub->Connect(MakeRef<DispatchName>(name, heard)));
    }
    for (int i : c.dropBefore) hub->Disconnect(cookies[i]);
    head->first = [&] {
      for (int i : c.dropDuring) hub->Disconnect(cookies[i]);
      for (int i = 0; i < c.connectDuring; ++i) hub->Connect(typed(static_cast<char>('v' + i)));
    };
    std::string tab = "General";
    hub->NotifyTabShow(tab);
    EXPECT_EQ(heard, c.first);
    heard.clear();
    hub->NotifyTabShow(tab);
    EXPECT_EQ(heard, c.second);
  }
}

}  // namespace
}  // namespace plexion
