#include <gtest/gtest.h>

#include <functional>

#include "plexion/platform/convert.hpp"
#include "plexion/tabs/contracts.hpp"
#include "plexion/tabs/notify.hpp"
#include "plexion/tabs/tab_set.hpp"

namespace plexion {
namespace {

// Records every event it receives by id and answers through the arguments it is given.
class RecordingSink final : public EventSink {
 public:
  void OnEvent(DispId id, std::span<Variant> args) override {
    std::string line = std::to_string(id) + ":";
    for (const Variant& a : args) line += " " + a.Describe() + (a.IsByRef() ? "&" : "");
    seen.push_back(line);
    if (answer) answer(id, args);
  }
  std::vector<std::string> seen;
  std::function<void(DispId, std::span<Variant>)> answer;
};

// A typed listener that runs a callback per event of interest.
class Listener final : public CPlexionNotifyEvents {
 public:
  std::function<void(std::string&, bool&)> onTabOverride;
  std::function<void(std::string&, std::string&, Variant&)> onFormChange;
  std::function<void(std::int32_t&, bool&)> onScenarioChange;
  std::function<void()> onTabChange;
  std::vector<std::string>* order = nullptr;
  std::string name;

  void TabOverride(std::string& n, bool& s) override {
    if (onTabOverride) onTabOverride(n, s);
  }
  void FormChange(std::string& c, std::string& p, Variant& v) override {
    if (onFormChange) onFormChange(c, p, v);
  }
  void ScenarioChange(std::int32_t& id, bool& express) override {
    if (onScenarioChange) onScenarioChange(id, express);
  }
  void TabChange() override {
    if (order) order->push_back(name);
    if (onTabChange) onTabChange();
  }
};

TEST(Hub, EveryMethodRaisesItsEventByIdWithReferencesToTheCallersVariables) {
  auto hub = MakeRef<CPlexionNotify>();
  std::string name = "General", span = "Hour", type = "Traffic", progId = "P.X";
  bool state = true, stored = false;
  std::int32_t scenario = 12, busy = 3, index = 2;
  Ref<Object> doc = MakeRef<CPlexionCtls>();
  auto notifyAll = [&] {
    hub->NotifyFormChange("ctl", "prop", Variant(std::int16_t{5}));
    hub->NotifyTabChange();
    hub->NotifyTabShow(name);
    hub->NotifyTabStateChange(name, state);
    hub->NotifyTabOverride(name, state);
    hub->NotifyInitComplete();
    hub->NotifyPlexStateChange(name, state);
    hub->NotifyEntityTemplateChange(doc);
    hub->NotifyScenarioChange(scenario);
    hub->NotifyScenarioChange(scenario, state);
    hub->NotifyBusyhourChange(stored, busy);
    hub->NotifyTabClick(index, progId);
    hub->NotifyReportTypeChange(type);
    hub->NotifyGroupByIDChange(span);
  };
  notifyAll();  // without listeners every method returns and changes nothing
  EXPECT_EQ(std::tie(name, state, scenario), std::make_tuple("General", true, 12));

  auto sink = MakeRef<RecordingSink>();
  hub->Connect(sink);
  notifyAll();
  EXPECT_EQ(sink->seen, (std::vector<std::string>{
                            "8: \"ctl\"& \"prop\"& 5&",
                            "1:",
                            "3: \"General\"&",
                            "4: \"General\"& True&",
                            "2: \"General\"& True&",
                            "6:",
                            "7: \"General\"& True&",
                            "5: <Object>&",
                            "9: 12& False&",
                            "9: 12& True&",
                            "10: False& 3&",
                            "11: 2& \"P.X\"&",
                            "12: \"Traffic\"&",
                            "13: \"Hour\"&",
                        }));
}

TEST(Hub, ListenersAnswerThroughEveryByReferenceArgument) {
  auto hub = MakeRef<CPlexionNotify>();
  auto sink = MakeRef<RecordingSink>();
  // Every listener writes "answered" values of each argument's type.
  sink->answer = [](DispId, std::span<Variant> args) {
    for (Variant& a : args) {
      switch (a.Type()) {
        case VarType::String: a.Assign(Variant("answered")); break;
        case VarType::Bool: a.Assign(Variant(true)); break;
        case VarType::Int32: a.Assign(Variant(std::int32_t{99})); break;
        case VarType::Object: a.Assign(Variant::Nothing()); break;
        default: break;
      }
    }
  };
  hub->Connect(sink);
  std::string s1 = "a", s2 = "b";
  bool b1 = false;
  std::int32_t n1 = 1;
  Ref<Object> doc = MakeRef<CPlexionCtls>();

  hub->NotifyTabShow(s1);
  EXPECT_EQ(s1, "answered");
  s1 = "a";
  hub->NotifyTabStateChange(s1, b1);
  EXPECT_EQ(std::tie(s1, b1), std::make_tuple("answered", true));
  s1 = "a", b1 = false;
  hub->NotifyTabOverride(s1, b1);
  EXPECT_EQ(std::tie(s1, b1), std::make_tuple("answered", true));
  s1 = "a", b1 = false;
  hub->NotifyPlexStateChange(s1, b1);
  EXPECT_EQ(std::tie(s1, b1), std::make_tuple("answered", true));
  hub->NotifyEntityTemplateChange(doc);
  EXPECT_FALSE(doc);
  b1 = false;
  hub->NotifyScenarioChange(n1, b1);
  EXPECT_EQ(std::tie(n1, b1), std::make_tuple(99, true));
  n1 = 1, b1 = false;
  hub->NotifyBusyhourChange(b1, n1);
  EXPECT_EQ(std::tie(b1, n1), std::make_tuple(true, 99));
  n1 = 1;
  hub->NotifyTabClick(n1, s2);
  EXPECT_EQ(std::tie(n1, s2), std::make_tuple(99, "answered"));
  s1 = "a";
  hub->NotifyReportTypeChange(s1);
  EXPECT_EQ(s1, "answered");
  s1 = "a";
  hub->NotifyGroupByIDChange(s1);
  EXPECT_EQ(s1, "answered");
}

TEST(Hub, ATabAsksAQuestionAndTheEditorAnswers) {
  auto hub = MakeRef<CPlexionNotify>();
  auto editor = MakeRef<Listener>();
  editor->onTabOverride = [](std::string& name, bool& state) {
    if (name == "DestinationOverride") state = !state;
  };
  hub->Connect(editor);
  std::string tab = "DestinationOverride";
  bool allowed = false;
  hub->NotifyTabOverride(tab, allowed);
  EXPECT_TRUE(allowed);
}

TEST(Hub, FormChangeListenersShareTheHubsCopiesNotTheCallersValues) {
  auto hub = MakeRef<CPlexionNotify>();
  auto first = MakeRef<Listener>(), second = MakeRef<Listener>();
  first->onFormChange = [](std::string& c, std::string&, Variant& v) {
    c = "renamed";
    v = Variant("changed");
  };
  std::string seenControl;
  Variant seenValue;
  second->onFormChange = [&](std::string& c, std::string&, Variant& v) {
    seenControl = c;
    seenValue = v;
  };
  hub->Connect(first);
  hub->Connect(second);
  std::string control = "ctl";
  Variant value(std::int32_t{1});
  hub->NotifyFormChange(control, "Caption", value);
  EXPECT_EQ(control, "ctl");
  EXPECT_EQ(value, Variant(std::int32_t{1}));
  EXPECT_EQ(seenControl, "renamed") << "a later listener sees what an earlier one wrote";
  EXPECT_EQ(seenValue, Variant("changed"));
}

TEST(Hub, ScenarioChangeWithoutTheFlagHandsListenersAFalseOfItsOwn) {
  auto hub = MakeRef<CPlexionNotify>();
  auto listener = MakeRef<Listener>();
  bool received = true;
  listener->onScenarioChange = [&](std::int32_t& id, bool& express) {
    received = express;
    express = true;
    id = 77;
  };
  hub->Connect(listener);
  std::int32_t scenario = 5;
  hub->NotifyScenarioChange(scenario);
  EXPECT_FALSE(received);
  EXPECT_EQ(scenario, 77) << "the id still refers to the caller's variable";
}

TEST(Hub, ListenersRunInOrderAndANestedNotifyRunsBeforeTheOuterReturns) {
  auto hub = MakeRef<CPlexionNotify>();
  std::vector<std::string> order;
  auto a = MakeRef<Listener>(), b = MakeRef<Listener>();
  a->name = "a";
  b->name = "b";
  a->order = b->order = &order;
  auto nested = MakeRef<RecordingSink>();
  bool nestedDone = false;
  a->onTabChange = [&] {
    if (order.size() == 1) {
      std::string tab = "inner";
      hub->NotifyTabShow(tab);
      nestedDone = true;
      order.push_back("after nested");
    }
  };
  hub->Connect(a);
  hub->Connect(b);
  hub->Connect(nested);
  hub->NotifyTabChange();
  EXPECT_TRUE(nestedDone);
  EXPECT_EQ(order, (std::vector<std::string>{"a", "after nested", "b"}));
  EXPECT_EQ(nested->seen, (std::vector<std::string>{"3: \"inner\"&", "1:"}));
}

TEST(Hub, ConnectingOrDisconnectingDuringAnEventTakesEffectForWhatFollows) {
  auto hub = MakeRef<CPlexionNotify>();
  std::vector<std::string> order;
  auto a = MakeRef<Listener>(), b = MakeRef<Listener>(), c = MakeRef<Listener>(),
       late = MakeRef<Listener>();
  a->name = "a", b->name = "b", c->name = "c", late->name = "late";
  a->order = b->order = c->order = late->order = &order;
  ConnectionPoint::Cookie cookieB = 0;
  bool once = true;
  a->onTabChange = [&] {
    if (!once) return;
    once = false;
    hub->Disconnect(cookieB);  // b is after a: it receives nothing more
    hub->Connect(late);        // late starts with the next event
  };
  hub->Connect(a);
  cookieB = hub->Connect(b);
  hub->Connect(c);
  hub->NotifyTabChange();
  EXPECT_EQ(order, (std::vector<std::string>{"a", "c"}));
  order.clear();
  hub->NotifyTabChange();
  EXPECT_EQ(order, (std::vector<std::string>{"a", "c", "late"}));
  EXPECT_THROW(hub->Disconnect(cookieB), Error);
}

TEST(Hub, AConnectionHoldsItsListenerAndAFailingOneStopsTheEvent) {
  auto hub = MakeRef<CPlexionNotify>();
  std::vector<std::string> order;
  auto held = MakeRef<Listener>(), failing = MakeRef<Listener>(), after = MakeRef<Listener>();
  held->name = "held", failing->name = "failing", after->name = "after";
  held->order = failing->order = after->order = &order;
  failing->onTabChange = [] { throw Error::Runtime(errnum::InvalidProcedureCall); };
  hub->Connect(held);
  hub->Connect(failing);
  hub->Connect(after);
  held.reset();  // now only its connection holds it
  EXPECT_THROW(hub->NotifyTabChange(), Error);
  EXPECT_EQ(order, (std::vector<std::string>{"held", "failing"}));
}

// An editor that owns its hub and listens to it; closing breaks the cycle.
class Editor final : public IPlexionEditor, public CPlexionNotifyEvents {
 public:
  Editor() : hub(MakeRef<CPlexionNotify>()) {}
  void Open() { cookie = hub->Connect(Ref<EventSink>(this)); }
  void Close() { hub->Disconnect(cookie); }
  Ref<CPlexionNotify> hub;
  ConnectionPoint::Cookie cookie = 0;
};

TEST(Hub, AnEditorThatDisconnectsOnCloseLeavesNothingAlive) {
  const long before = Object::LiveCount();
  {
    auto editor = MakeRef<Editor>();
    editor->Open();
    editor->hub->Connect(MakeRef<Listener>());  // held by its connection alone
    editor->hub->NotifyTabChange();
    editor->Close();
  }
  EXPECT_EQ(Object::LiveCount(), before);
  {
    // A listener may drop the last reference to the hub from inside the hub's own event: the
    // event finishes with the listeners it started with, then everything goes.
    auto hub = MakeRef<CPlexionNotify>();
    auto dropper = MakeRef<Listener>(), next = MakeRef<Listener>();
    std::vector<std::string> order;
    dropper->name = "dropper", next->name = "next";
    dropper->order = next->order = &order;
    dropper->onTabChange = [&] { hub.reset(); };
    CPlexionNotify* raw = hub.get();
    hub->Connect(dropper);
    hub->Connect(next);
    dropper.reset(), next.reset();
    raw->NotifyTabChange();
    EXPECT_EQ(order, (std::vector<std::string>{"dropper", "next"}));
  }
  EXPECT_EQ(Object::LiveCount(), before);
}

TEST(Contracts, DefaultBodiesAnswerFalseAndEmpty) {
  auto control = MakeRef<IPlexionControl>();
  EXPECT_FALSE(control->IsTabValid("Title"));
  EXPECT_FALSE(control->HandleTabProcess("Save"));
  control->LoadData(Variant("Schedule"), "General", MakeRef<CPlexionNotify>());
  control->LoadState();
  control->SaveState();
  control->SaveData();
  auto editor = MakeRef<IPlexionEditor>();
  EXPECT_FALSE(editor->IsDataValid());
  EXPECT_FALSE(editor->HandleProcess("x"));
  EXPECT_TRUE(editor->GetData().IsEmpty());
  EXPECT_TRUE(editor->SaveData().IsEmpty());
  editor->LoadData(control, Variant());
}

}  // namespace
}  // namespace plexion
