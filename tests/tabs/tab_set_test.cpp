#include <gtest/gtest.h>

#include "../error_of.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/tabs/tab_set.hpp"

namespace plexion {
namespace {

using Names = std::vector<std::string>;

Ref<CPlexionCtls> ThreeTabs() {
  auto set = MakeRef<CPlexionCtls>();
  set->AddPlexion("General", "General", "PlexionCtls.XRptGenTab", Variant("Traffic"));
  set->AddPlexion("ReportType", "Report Type", "PlexionCtls.XRptTypeTab", Variant("Traffic"));
  set->AddPlexion("Format", "Format", "PlexionCtls.XRptFormatTab", Variant("Traffic"));
  return set;
}

Names Enumerated(const CPlexionCtls& set) {
  Names names;
  Ref<Enumerator> e = set.NewEnum();
  Variant item;
  while (e->Next(item)) names.push_back(ToObjectOf<CPlexionCtl>(item)->Name());
  return names;
}

TEST(TabSet, ItemTakesANumberAsAPositionAStringAsANameOfAnyCase) {
  Ref<CPlexionCtls> set = ThreeTabs();
  std::int32_t byReference = 2;
  for (const auto& [v, name] :
       std::vector<std::pair<Variant, std::string>>{{Variant(std::int32_t{2}), "ReportType"},
                                                    {Variant(std::int16_t{1}), "General"},
                                                    {Variant(3.0), "Format"},
                                                    {Variant::RefTo(byReference), "ReportType"},
                                                    {Variant("general"), "General"}})
    EXPECT_EQ(set->Item(v)->Name(), name) << v.Describe();
  EXPECT_EQ(Enumerated(*set), (Names{"General", "ReportType", "Format"}));
}

TEST(TabSet, AFailedLookupIsNoObjectNotAnError) {
  EXPECT_FALSE(MakeRef<CPlexionCtls>()->Item(Variant(std::int32_t{1})));
  Ref<CPlexionCtls> set = ThreeTabs();
  for (const Variant& v : {Variant(std::int32_t{0}), Variant(std::int32_t{4}), Variant(1e12),
                           Variant("2"), Variant(), Variant::Null(), Variant::Nothing()})
    EXPECT_FALSE(set->Item(v)) << v.Describe();
}

TEST(TabSet, ADuplicateNameOfAnyCaseFailsWith457LeavingTheSetAsItWas) {
  Ref<CPlexionCtls> set = ThreeTabs();
  EXPECT_EQ(testing::ErrorOf([&] { set->AddPlexion("GENERAL", "x", "y"); }).number(), 457);
  EXPECT_EQ(set->Count(), 3);
  EXPECT_EQ(set->Item(Variant("General"))->Label(), "General");
}

TEST(TabSet, RemoveTakesANameNeverAPositionIgnoringAbsentOnes) {
  Ref<CPlexionCtls> set = ThreeTabs();
  set->AddPlexion("2", "Two", "P.Two");
  set->Remove("Absent");
  set->Remove("2");
  EXPECT_EQ(Enumerated(*set), (Names{"General", "ReportType", "Format"}));
  set->Remove("general");
  EXPECT_EQ(set->Item(Variant(std::int32_t{1}))->Name(), "ReportType") << "the gap closes";
}

TEST(TabSet, DataSharesObjectsCopiesValuesDefaultsToNoObject) {
  auto set = MakeRef<CPlexionCtls>();
  set->AddPlexion("A", "A", "P.A");
  const Variant omitted = set->Item(Variant("A"))->Data();
  EXPECT_TRUE(omitted.IsObject() && !omitted.ObjectValue()) << "no object, not empty";

  auto shared = MakeRef<CPlexionCtls>();
  set->AddPlexion("B", "B", "P.B", Variant(shared));
  EXPECT_TRUE(set->Item(Variant("B"))->Data().ObjectValue() == shared);

  std::string text = "by reference";
  set->AddPlexion("C", "C", "P.C", Variant::RefTo(text));
  text = "changed";
  EXPECT_EQ(set->Item(Variant("C"))->Data(), Variant("by reference"));
  EXPECT_TRUE(MakeRef<CPlexionCtl>()->Data().IsEmpty()) << "a descriptor made outside a set";
}

TEST(TabSet, FetchedDescriptorsOutliveClear) {
  Ref<CPlexionCtls> set = ThreeTabs();
  Ref<CPlexionCtl> first = set->Item(Variant(std::int32_t{1}));
  Ref<Enumerator> e = set->NewEnum();
  set->Clear();
  EXPECT_EQ(set->Count(), 0);
  EXPECT_EQ(std::tuple(first->Name(), first->ProgID(), first->Data()),
            std::tuple("General", "PlexionCtls.XRptGenTab", Variant("Traffic")));
  Variant item;
  EXPECT_TRUE(e->Next(item));
  set->AddPlexion("General", "again", "P.G");
  EXPECT_EQ(set->Count(), 1) << "the key is free after Clear";
}

}  // namespace
}  // namespace plexion
