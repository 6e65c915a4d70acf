#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "plexion/platform/convert.hpp"
#include "plexion/tabs/contracts.hpp"
#include "plexion/tabs/notify.hpp"
#include "plexion/tabs/tab_set.hpp"

namespace plexion {
namespace {

using Lines = std::vector<std::string>;

// Records every event by id with its arguments, then answers through each of them: "answered",
// true, 99 or no object.
class AnsweringSink final : public EventSink {
 public:
  void OnEvent(DispId id, std::span<Variant> args) override {
    std::string line = std::to_string(id) + ":";
    for (const Variant& a : args) line += " " + a.Describe() + (a.IsByRef() ? "&" : "");
    seen.push_back(line);
    for (Variant& a : args) {
      switch (a.Type()) {
        case VarType::String: a.Assign(Variant("answered")); break;
        case VarType::Bool: a.Assign(Variant(true)); break;
        case VarType::Int32: a.Assign(Variant(std::int32_t{99})); break;
        case VarType::Object: a.Assign(Variant::Nothing()); break;
        default: a.Assign(Variant("answered"));
      }
    }
  }
  Lines seen;
};

// The caller's variables, as text: "name text flag id number doc".
struct Callers {
  std::string name = "General", text = "P.X";
  bool flag = false;
  std::int32_t id = 12, number = 3;
  Ref<Object> doc = MakeRef<CPlexionCtls>();
  std::string Text() const {
    return name + " " + text + " " + ToString(Variant(flag)) + " " + std::to_string(id) + " " +
           std::to_string(number) + (doc ? " doc" : " none");
  }
};

// Each method, the event a listener receives, and the caller's variables after it answered.
struct Notification {
  const char* method;
  void (*call)(CPlexionNotify&, Callers&);
  const char* event;
  const char* afterwards;
};
const Notification kNotifications[] = {
    {"NotifyFormChange",
     [](auto& h, auto& c) { h.NotifyFormChange(c.name, c.text, Variant(c.id)); },
     "8: \"General\"& \"P.X\"& 12&", "General P.X False 12 3 doc"},
    {"NotifyTabChange", [](auto& h, auto&) { h.NotifyTabChange(); },
     "1:", "General P.X False 12 3 doc"},
    {"NotifyTabShow", [](auto& h, auto& c) { h.NotifyTabShow(c.name); }, "3: \"General\"&",
     "answered P.X False 12 3 doc"},
    {"NotifyTabStateChange", [](auto& h, auto& c) { h.NotifyTabStateChange(c.name, c.flag); },
     "4: \"General\"& False&", "answered P.X True 12 3 doc"},
    {"NotifyTabOverride", [](auto& h, auto& c) { h.NotifyTabOverride(c.name, c.flag); },
     "2: \"General\"& False&", "answered P.X True 12 3 doc"},
    {"NotifyInitComplete", [](auto& h, auto&) { h.NotifyInitComplete(); },
     "6:", "General P.X False 12 3 doc"},
    {"NotifyPlexStateChange", [](auto& h, auto& c) { h.NotifyPlexStateChange(c.name, c.flag); },
     "7: \"General\"& False&", "answered P.X True 12 3 doc"},
    {"NotifyEntityTemplateChange", [](auto& h, auto& c) { h.NotifyEntityTemplateChange(c.doc); },
     "5: <Object>&", "General P.X False 12 3 none"},
    {"NotifyScenarioChange(id)", [](auto& h, auto& c) { h.NotifyScenarioChange(c.id); },
     "9: 12& False&", "General P.X False 99 3 doc"},
    {"NotifyScenarioChange", [](auto& h, auto& c) { h.NotifyScenarioChange(c.id, c.flag); },
     "9: 12& False&", "General P.X True 99 3 doc"},
    {"NotifyBusyhourChange", [](auto& h, auto& c) { h.NotifyBusyhourChange(c.flag, c.number); },
     "10: False& 3&", "General P.X True 12 99 doc"},
    {"NotifyTabClick", [](auto& h, auto& c) { h.NotifyTabClick(c.number, c.text); },
     "11: 3& \"P.X\"&", "General answered False 12 99 doc"},
    {"NotifyReportTypeChange", [](auto& h, auto& c) { h.NotifyReportTypeChange(c.name); },
     "12: \"General\"&", "answered P.X False 12 3 doc"},
    {"NotifyGroupByIDChange", [](auto& h, auto& c) { h.NotifyGroupByIDChange(c.text); },
     "13: \"P.X\"&", "General answered False 12 3 doc"},
};

TEST(Hub, EachMethodRaisesItsOwnEventWithReferencesToItsArguments) {
  for (const Notification& n : kNotifications) {
    auto hub = MakeRef<CPlexionNotify>();
    auto sink = MakeRef<AnsweringSink>();
    hub->Connect(sink);
    Callers callers;
    n.call(*hub, callers);
    EXPECT_EQ(sink->seen, Lines{n.event}) << n.method;
  }
}

TEST(Hub, ListenersAnswerThroughTheCallersVariablesExceptInFormChange) {
  for (const Notification& n : kNotifications) {
    auto hub = MakeRef<CPlexionNotify>();
    hub->Connect(MakeRef<AnsweringSink>());
    Callers callers;
    n.call(*hub, callers);
    EXPECT_EQ(callers.Text(), n.afterwards) << n.method;
  }
}

// A typed listener: notes the events it hears in order and runs what a test gives it.
class Listener final : public CPlexionNotifyEvents {
 public:
  Listener(Lines* order, std::string name) : order_(order), name_(std::move(name)) {}
  std::function<void()> onTabChange;
  std::function<void(std::string&, Variant&)> onFormChange;

  void TabChange() override {
    if (order_) order_->push_back(name_);
    if (onTabChange) onTabChange();
  }
  void FormChange(std::string& control, std::string&, Variant& value) override {
    if (onFormChange) onFormChange(control, value);
  }

 private:
  Lines* order_;
  std::string name_;
};

TEST(Hub, FormChangeListenersShareTheHubsCopies) {
  auto hub = MakeRef<CPlexionNotify>();
  auto first = MakeRef<Listener>(nullptr, "first"), second = MakeRef<Listener>(nullptr, "second");
  first->onFormChange = [](std::string& control, Variant& value) {
    control = "renamed";
    value = Variant("changed");
  };
  std::string seen;
  second->onFormChange = [&](std::string& control, Variant& value) {
    seen = control + " " + ToString(value);
  };
  hub->Connect(first);
  hub->Connect(second);
  hub->NotifyFormChange("ctl", "Caption", Variant(std::int32_t{1}));
  EXPECT_EQ(seen, "renamed changed") << "a later listener sees what an earlier one wrote";
}

TEST(Hub, ANestedNotifyRunsBeforeTheOuterOneReturns) {
  auto hub = MakeRef<CPlexionNotify>();
  Lines order;
  auto a = MakeRef<Listener>(&order, "a"), b = MakeRef<Listener>(&order, "b");
  auto nested = MakeRef<AnsweringSink>();
  a->onTabChange = [&] {
    std::string tab = "inner";
    hub->NotifyTabShow(tab);
    order.push_back("after nested");
  };
  hub->Connect(a);
  hub->Connect(b);
  hub->Connect(nested);
  hub->NotifyTabChange();
  EXPECT_EQ(order, (Lines{"a", "after nested", "b"}));
  EXPECT_EQ(nested->seen, (Lines{"3: \"inner\"&", "1:"}));
}

TEST(Hub, ConnectionChangesDuringAnEventApplyToWhatFollows) {
  auto hub = MakeRef<CPlexionNotify>();
  Lines order;
  auto a = MakeRef<Listener>(&order, "a"), b = MakeRef<Listener>(&order, "b"),
       c = MakeRef<Listener>(&order, "c"), late = MakeRef<Listener>(&order, "late");
  ConnectionPoint::Cookie cookieB = 0;
  bool once = true;
  a->onTabChange = [&] {
    if (!std::exchange(once, false)) return;
    hub->Disconnect(cookieB);  // b is after a: it receives nothing more
    hub->Connect(late);        // late starts with the next event
  };
  hub->Connect(a);
  cookieB = hub->Connect(b);
  hub->Connect(c);
  hub->NotifyTabChange();
  EXPECT_EQ(order, (Lines{"a", "c"}));
  order.clear();
  hub->NotifyTabChange();
  EXPECT_EQ(order, (Lines{"a", "c", "late"}));
  EXPECT_THROW(hub->Disconnect(cookieB), Error);
}

TEST(Hub, AFailingListenerStopsTheEvent) {
  auto hub = MakeRef<CPlexionNotify>();
  Lines order;
  auto failing = MakeRef<Listener>(&order, "failing");
  failing->onTabChange = [] { throw Error::Runtime(errnum::InvalidProcedureCall); };
  hub->Connect(failing);
  hub->Connect(MakeRef<Listener>(&order, "after"));
  EXPECT_THROW(hub->NotifyTabChange(), Error);
  EXPECT_EQ(order, (Lines{"failing"}));
}

// An editor that owns its hub and listens to it; closing breaks the cycle.
class Editor final : public IPlexionEditor, public CPlexionNotifyEvents {
 public:
  void Open() { cookie = hub->Connect(Ref<EventSink>(this)); }
  void Close() { hub->Disconnect(cookie); }
  Ref<CPlexionNotify> hub = MakeRef<CPlexionNotify>();
  ConnectionPoint::Cookie cookie = 0;
};

TEST(Hub, AConnectionAloneKeepsItsListenerUntilTheEditorCloses) {
  const long before = Object::LiveCount();
  {
    auto editor = MakeRef<Editor>();
    editor->Open();
    Lines order;
    editor->hub->Connect(MakeRef<Listener>(&order, "held"));
    editor->hub->NotifyTabChange();
    EXPECT_EQ(order, Lines{"held"});
    editor->Close();
  }
  EXPECT_EQ(Object::LiveCount(), before);
}

TEST(Hub, AListenerMayDropTheLastReferenceToTheHubDuringItsEvent) {
  const long before = Object::LiveCount();
  {
    auto hub = MakeRef<CPlexionNotify>();
    Lines order;
    auto dropper = MakeRef<Listener>(&order, "dropper");
    dropper->onTabChange = [&] { hub.reset(); };
    CPlexionNotify* raw = hub.get();
    hub->Connect(dropper);
    hub->Connect(MakeRef<Listener>(&order, "next"));
    dropper.reset();
    raw->NotifyTabChange();
    EXPECT_EQ(order, (Lines{"dropper", "next"})) << "the event finishes with its listeners";
  }
  EXPECT_EQ(Object::LiveCount(), before);
}

}  // namespace
}  // namespace plexion
