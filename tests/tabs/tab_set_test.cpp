#include <gtest/gtest.h>

#include "../error_of.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/tabs/tab_set.hpp"

namespace plexion {
namespace {

Ref<CPlexionCtls> ThreeTabs() {
  auto set = MakeRef<CPlexionCtls>();
  set->AddPlexion("General", "General", "PlexionCtls.XRptGenTab", Variant("Traffic"));
  set->AddPlexion("ReportType", "Report Type", "PlexionCtls.XRptTypeTab", Variant("Traffic"));
  set->AddPlexion("Format", "Format", "PlexionCtls.XRptFormatTab", Variant("Traffic"));
  return set;
}

std::vector<std::string> Names(const CPlexionCtls& set) {
  std::vector<std::string> names;
  Ref<Enumerator> e = set.NewEnum();
  Variant item;
  while (e->Next(item)) names.push_back(ToObjectOf<CPlexionCtl>(item)->Name());
  return names;
}

TEST(TabSet, ItemByPositionOrNameAndNoObjectOnAnyFailure) {
  auto set = MakeRef<CPlexionCtls>();
  EXPECT_EQ(set->Count(), 0);
  EXPECT_FALSE(set->Item(Variant(std::int32_t{1})));

  set = ThreeTabs();
  EXPECT_EQ(set->Item(Variant(std::int32_t{2}))->Name(), "ReportType");
  EXPECT_EQ(set->Item(Variant(std::int16_t{1}))->Name(), "General");
  EXPECT_EQ(set->Item(Variant(3.0))->Name(), "Format");
  EXPECT_EQ(set->Item(Variant("general"))->Name(), "General");
  // A numeric string is a key; positions out of range, empty, Null and no object find nothing.
  for (const Variant& v : {Variant(std::int32_t{0}), Variant(std::int32_t{4}), Variant(1e12),
                           Variant("2"), Variant(), Variant::Null(), Variant::Nothing()})
    EXPECT_FALSE(set->Item(v)) << v.Describe();
  std::int32_t position = 2;
  EXPECT_EQ(set->Item(Variant::RefTo(position))->Name(), "ReportType");
  EXPECT_EQ(Names(*set), (std::vector<std::string>{"General", "ReportType", "Format"}));
}

TEST(TabSet, ADuplicateNameFailsWith457AndRemoveIsByNameOnlyAndIgnoresAbsentNames) {
  auto set = ThreeTabs();
  EXPECT_EQ(testing::ErrorOf([&] { set->AddPlexion("GENERAL", "x", "y"); }).number(), 457);
  EXPECT_EQ(set->Item(Variant("General"))->Label(), "General") << "the set is left as it was";
  set->AddPlexion("2", "Two", "P.Two");
  set->Remove("Absent");
  EXPECT_EQ(set->Count(), 4);
  set->Remove("2");
  EXPECT_EQ(Names(*set), (std::vector<std::string>{"General", "ReportType", "Format"}));
  set->Remove("general");
  EXPECT_EQ(set->Item(Variant(std::int32_t{1}))->Name(), "ReportType");
}

TEST(TabSet, DataIsNoObjectByDefaultSharesObjectsAndDescriptorsOutliveClear) {
  auto outside = MakeRef<CPlexionCtl>();
  EXPECT_EQ(outside->Name() + outside->ProgID(), "") << "a descriptor made outside a set";
  EXPECT_TRUE(outside->Data().IsEmpty());
  auto set = MakeRef<CPlexionCtls>();
  set->AddPlexion("A", "A", "P.A");
  const Variant data = set->Item(Variant("A"))->Data();
  EXPECT_TRUE(data.IsObject() && !data.ObjectValue());

  auto shared = MakeRef<CPlexionCtls>();
  set->AddPlexion("B", "B", "P.B", Variant(shared));
  EXPECT_TRUE(set->Item(Variant("B"))->Data().ObjectValue() == shared);

  std::string text = "by reference";
  set->AddPlexion("C", "C", "P.C", Variant::RefTo(text));
  text = "changed";
  EXPECT_EQ(set->Item(Variant("C"))->Data(), Variant("by reference"))
      << "a plain value is copied when the descriptor is made";

  // Descriptors outlive Clear and enumerators see a snapshot.
  set = ThreeTabs();
  Ref<CPlexionCtl> first = set->Item(Variant(std::int32_t{1}));
  Ref<Enumerator> e = set->NewEnum();
  set->Clear();
  EXPECT_EQ(set->Count(), 0);
  EXPECT_EQ(std::tuple(first->Name(), first->ProgID(), first->Data()),
            std::tuple("General", "PlexionCtls.XRptGenTab", Variant("Traffic")));
  Variant item;
  EXPECT_TRUE(e->Next(item));
  set->AddPlexion("General", "again", "P.G");  // the key is free after Clear
  EXPECT_EQ(set->Count(), 1);
}

}  // namespace
}  // namespace plexion
