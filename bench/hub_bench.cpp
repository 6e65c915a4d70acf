// The hub's events beside what they compete with, in one run: a plain loop of virtual calls
// doing the same work, boost::signals2 with as many slots, and the table-driven path that every
// listener took before typed listeners were called directly.
#include <benchmark/benchmark.h>

#include <array>
#include <boost/signals2/signal.hpp>
#include <memory>
#include <vector>

#include "hub_listeners.hpp"
#include "plexion/tabs/notify.hpp"

namespace plexion {
namespace {

using bench::PlainListener;
using bench::Work;

constexpr int kListeners = 10;

class TypedListener final : public CPlexionNotifyEvents {
 public:
  explicit TypedListener(Work& work) : work_(work) {}
  void TabShow(std::string& name) override { work_.TabShow(name); }
  void FormChange(std::string& c, std::string& p, Variant& v) override {
    work_.FormChange(c, p, v);
  }

 private:
  Work& work_;
};

// A listener bound by dispatch id, as a script or a dispatch-only host connects one.
class DispatchListener final : public EventSink {
 public:
  explicit DispatchListener(Work& work) : work_(work) {}
  void OnEvent(DispId id, std::span<Variant> args) override {
    if (id == static_cast<DispId>(NotifyEvent::TabShow))
      work_.TabShow(args[0].Value().StringValue());
  }

 private:
  Work& work_;
};

Ref<CPlexionNotify> HubWith(Work& work, int typed, int dispatch) {
  auto hub = MakeRef<CPlexionNotify>();
  for (int i = 0; i < typed; ++i) hub->Connect(MakeRef<TypedListener>(work));
  for (int i = 0; i < dispatch; ++i) hub->Connect(MakeRef<DispatchListener>(work));
  return hub;
}

void Report(benchmark::State& state, const Work& work) {
  benchmark::DoNotOptimize(work.total);
  state.counters["listeners"] = kListeners;
}

void TabShow_Hub10Typed(benchmark::State& state) {
  Work work;
  auto hub = HubWith(work, kListeners, 0);
  std::string name = "General";
  for (auto _ : state) hub->NotifyTabShow(name);
  Report(state, work);
}
BENCHMARK(TabShow_Hub10Typed);

// Baseline: a loop of virtual calls passing the same reference, to listeners made elsewhere.
void TabShow_PlainVirtualLoop10(benchmark::State& state) {
  Work work;
  std::vector<std::unique_ptr<PlainListener>> listeners;
  for (int i = 0; i < kListeners; ++i) listeners.push_back(bench::MakePlainListener(work));
  std::string name = "General";
  for (auto _ : state)
    for (const auto& l : listeners) l->TabShow(name);
  Report(state, work);
}
BENCHMARK(TabShow_PlainVirtualLoop10);

void TabShow_Signals2Slots10(benchmark::State& state) {
  Work work;
  boost::signals2::signal<void(std::string&)> signal;
  std::vector<std::unique_ptr<PlainListener>> listeners;
  for (int i = 0; i < kListeners; ++i) {
    listeners.push_back(bench::MakePlainListener(work));
    signal.connect([l = listeners.back().get()](std::string& name) { l->TabShow(name); });
  }
  std::string name = "General";
  for (auto _ : state) signal(name);
  Report(state, work);
}
BENCHMARK(TabShow_Signals2Slots10);

// One listener bound by dispatch id among nine typed ones: the variants are made once.
void TabShow_Hub9Typed1Dispatch(benchmark::State& state) {
  Work work;
  auto hub = HubWith(work, kListeners - 1, 1);
  std::string name = "General";
  for (auto _ : state) hub->NotifyTabShow(name);
  Report(state, work);
}
BENCHMARK(TabShow_Hub9Typed1Dispatch);

// The earlier path of every listener: variants referring to the caller's variables, handed to
// each listener's OnEvent, which finds its handler in the event table.
void TabShow_TablePathTo10Typed(benchmark::State& state) {
  Work work;
  ConnectionPoint point(NotifyEventInterface());
  for (int i = 0; i < kListeners; ++i) point.Connect(MakeRef<TypedListener>(work));
  std::string name = "General";
  for (auto _ : state) {
    std::array<Variant, 1> refs{Variant::RefTo(name)};
    point.Raise(static_cast<DispId>(NotifyEvent::TabShow), refs);
  }
  Report(state, work);
}
BENCHMARK(TabShow_TablePathTo10Typed);

void FormChange_Hub10Typed(benchmark::State& state) {
  Work work;
  auto hub = HubWith(work, kListeners, 0);
  const std::string control = "txtName", property = "Text";
  const Variant value("North region");
  for (auto _ : state) hub->NotifyFormChange(control, property, value);
  Report(state, work);
}
BENCHMARK(FormChange_Hub10Typed);

// Baseline: the same copies of the three values, then a loop of virtual calls.
void FormChange_PlainVirtualLoop10(benchmark::State& state) {
  Work work;
  std::vector<std::unique_ptr<PlainListener>> listeners;
  for (int i = 0; i < kListeners; ++i) listeners.push_back(bench::MakePlainListener(work));
  const std::string control = "txtName", property = "Text";
  const Variant value("North region");
  for (auto _ : state) {
    std::string c = control, p = property;
    Variant v = value;
    for (const auto& l : listeners) l->FormChange(c, p, v);
  }
  Report(state, work);
}
BENCHMARK(FormChange_PlainVirtualLoop10);

void FormChange_Signals2Slots10(benchmark::State& state) {
  Work work;
  boost::signals2::signal<void(std::string&, std::string&, Variant&)> signal;
  std::vector<std::unique_ptr<PlainListener>> listeners;
  for (int i = 0; i < kListeners; ++i) {
    listeners.push_back(bench::MakePlainListener(work));
    signal.connect([l = listeners.back().get()](std::string& c, std::string& p, Variant& v) {
      l->FormChange(c, p, v);
    });
  }
  const std::string control = "txtName", property = "Text";
  const Variant value("North region");
  for (auto _ : state) {
    std::string c = control, p = property;
    Variant v = value;
    signal(c, p, v);
  }
  Report(state, work);
}
BENCHMARK(FormChange_Signals2Slots10);

}  // namespace
}  // namespace plexion
