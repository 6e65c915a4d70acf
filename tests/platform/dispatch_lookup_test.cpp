// Finding a member by id and the object's class behind a call: built once per interface and per
// dynamic type, and right for every id and every type.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <stdexcept>
#include <thread>

#include "plexion/platform/dispatch.hpp"

namespace plexion {
namespace {

using namespace dispatch;

class Probe : public virtual Object {
 public:
  std::int32_t Tag() const { return tag; }
  void Tag(std::int32_t v) { tag = v; }
  std::int32_t Twice() const { return 2 * tag; }
  std::int32_t tag = 0;
};

// Probe at a different offset in each class, so that its place is not the same for every type.
struct Padding {
  virtual ~Padding() = default;
  double pad[3] = {};
};
class PaddedProbe : public Padding, public Probe {};
class PlainProbe : public Probe {};

TEST(DispatchLookup, EveryIdOfAWideSpreadTableIsFoundAndNoOtherIs) {
  // Small, negative, reserved and high-word ids, as the type libraries use them.
  std::set<DispId> ids{0, -4, -5, 1, 2, 3, 0x60020000, 0x68030003, 0x68030004, INT32_MIN};
  for (DispId id = 0x60030000; ids.size() < 300; id += 37) ids.insert(id);
  std::vector<MemberInfo> rows;
  for (DispId id : ids) rows.push_back(Get("Tag", id, &Probe::Tag));
  const InterfaceInfo itf("_Wide", Guid(), rows);
  for (DispId id : ids) {
    const MemberInfo* m = itf.Find(id, InvokeKind::Get);
    ASSERT_TRUE(m) << id;
    EXPECT_EQ(m->id, id);
    EXPECT_TRUE(itf.HasId(id));
  }
  for (DispId id : {-1, 4, 0x60030001, 0x68030005, INT32_MAX}) {
    EXPECT_FALSE(itf.HasId(id)) << id;
    EXPECT_EQ(itf.Find(id, InvokeKind::Get), nullptr) << id;
  }
}

TEST(DispatchLookup, AnIdWithSeveralAccessorsAnswersTheEarliestOfTheKindsAskedFor) {
  const InterfaceInfo itf("_Accessors", Guid(),
                          {Let("Tag", 7, &Probe::Tag), Method("Tag", 7, &Probe::Twice),
                           Get("Tag", 7, &Probe::Tag), Get("Other", 8, &Probe::Tag)});
  const auto& rows = itf.members();
  const struct {
    InvokeKind kinds;
    const MemberInfo* expected;
  } cases[] = {
      {InvokeKind::Get, &rows[2]}, {InvokeKind::Method | InvokeKind::Get, &rows[1]},
      {InvokeKind::Let, &rows[0]}, {InvokeKind::Get | InvokeKind::Let, &rows[0]},
      {InvokeKind::Set, nullptr},
  };
  for (const auto& c : cases) EXPECT_EQ(itf.Find(7, c.kinds), c.expected);
}

TEST(DispatchLookup, CallsReachTheRightObjectWhateverItsClassLayoutAcrossThreads) {
  const InterfaceInfo itf("_Probe", Guid(),
                          {Get("Tag", 1, &Probe::Tag), Let("Tag", 1, &Probe::Tag)});
  auto padded = MakeRef<PaddedProbe>();
  auto plain = MakeRef<PlainProbe>();
  padded->tag = 11;
  plain->tag = 22;
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 200; ++i) {
        Object& o = (i + t) % 2 ? static_cast<Object&>(*padded) : static_cast<Object&>(*plain);
        const std::int32_t expected = (i + t) % 2 ? 11 : 22;
        const InvokeResult r = Invoke(o, itf, 1, InvokeKind::Get, {});
        if (!r.ok() || r.value.Type() != VarType::Int32 || ToInt32(r.value) != expected) ++wrong;
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(wrong, 0);
}

TEST(TypeMemo, RemembersPerTypeKeepsNothingFromAFailureAndStillAnswersWhenFull) {
  static TypeMemo<int, 2> memo;  // as every memo: its entries live as long as the process
  int computed = 0;
  auto value = [&](const std::type_info& type, int v) {
    return memo.Get(type, [&] {
      ++computed;
      return v;
    });
  };
  EXPECT_THROW(memo.Get(typeid(int), []() -> int { throw std::runtime_error("no"); }),
               std::runtime_error);
  EXPECT_EQ(value(typeid(int), 1), 1);
  EXPECT_EQ(value(typeid(int), 99), 1);  // remembered
  EXPECT_EQ(value(typeid(double), 2), 2);
  EXPECT_EQ(computed, 2);
  // Both slots are taken: a third type is worked out at each call, the others stay.
  EXPECT_EQ(value(typeid(char), 3), 3);
  EXPECT_EQ(value(typeid(char), 4), 4);
  EXPECT_EQ(value(typeid(double), 99), 2);
}

}  // namespace
}  // namespace plexion
