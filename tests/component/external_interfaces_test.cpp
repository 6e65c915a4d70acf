// External objects (the hour-exclusion set, the search object and its tables, the controls, the
// database date) are called by name and id through the type library, as the library's own
// objects are; their tables are published with it (Docs.TypeLibraryIsCurrent).
#include <gtest/gtest.h>

#include <unordered_set>

#include "plexion/component/automation.hpp"
#include "plexion/platform/text.hpp"
#include "plexion/testing/doubles.hpp"

namespace plexion::component {
namespace {

InvokeResult Call(Object& o, std::string_view name, std::vector<Variant> args = {},
                  InvokeKind kinds = InvokeKind::Method | InvokeKind::Get) {
  const auto id = GetIDsOfNames(o, name);
  if (!id) return ErrorResult(Error::Runtime(errnum::ObjectDoesNotSupport), status::UnknownName);
  return Invoke(o, *id, kinds, args);
}

TEST(ExternalInterfaces, EachHasAnInterfaceIdOfItsOwn) {
  const TypeLibrary& lib = GetTypeLibrary();
  std::unordered_set<Guid, GuidHash> ids;
  for (const ClassInfo& c : lib.classes) {
    ids.insert(c.clsid);
    ids.insert(c.defaultInterface->iid());
    if (c.eventInterface) ids.insert(c.eventInterface->iid());
  }
  ASSERT_EQ(lib.externals.size(), 11u);
  for (const ExternalInterfaceInfo& e : lib.externals) {
    SCOPED_TRACE(std::string(e.name()));
    EXPECT_TRUE(ids.insert(e.itf->iid()).second) << "an id used twice";
    EXPECT_EQ(lib.FindExternal(FoldCase(e.name())), &e);
    EXPECT_FALSE(lib.FindClass(e.name())) << "no class of the library";
  }
  testing::InstalledDoubles doubles;
  auto selector = MakeRef<testing::FakeSelectorCtl>();
  EXPECT_EQ(lib.InterfaceOf(*selector), lib.FindExternal("SelectorCtl")->itf);
  EXPECT_EQ(lib.ClassOf(*selector), nullptr);
  EXPECT_EQ(lib.InterfaceOf(*doubles.coverage), lib.FindExternal("CoverageDb")->itf);
}

TEST(ExternalInterfaces, OnlyTheServicesObjectsAreCreatedFromTheHostsServices) {
  testing::InstalledDoubles doubles;
  std::vector<std::string> creatable;
  for (const ExternalInterfaceInfo& e : GetTypeLibrary().externals)
    if (e.create) creatable.emplace_back(e.name());
  EXPECT_EQ(creatable, (std::vector<std::string>{"HourExSet", "CoverageDb"}));
  EXPECT_EQ(GetTypeLibrary().FindExternal("CoverageDb")->create(), Ref<Object>(doubles.coverage));
}

TEST(ExternalInterfaces, TheHourExclusionSetIsReachedByName) {
  testing::InstalledDoubles doubles;
  Ref<Object> hours = GetTypeLibrary().FindExternal("HourExSet")->create();
  ASSERT_TRUE(hours);
  EXPECT_TRUE(Call(*hours, "SlotBase", {Variant(std::int32_t{1})}, InvokeKind::Let).ok());
  EXPECT_TRUE(Call(*hours, "SlotCount", {Variant(std::int32_t{24})}, InvokeKind::Let).ok());
  EXPECT_TRUE(
      Call(*hours, "excluded", {Variant(std::int16_t{6}), Variant(true)}, InvokeKind::Let).ok());
  EXPECT_EQ(Call(*hours, "Excluded", {Variant(std::int32_t{6})}).value, Variant(true));
  EXPECT_EQ(Call(*hours, "Excluded", {Variant(std::int32_t{7})}).value, Variant(false));
  EXPECT_EQ(Call(*hours, "SlotCount").value, Variant(std::int32_t{24}));
  EXPECT_EQ(Call(*hours, "Excluded").status, status::BadParamCount);
  EXPECT_EQ(Call(*hours, "NoSuchMember").status, status::UnknownName);
}

TEST(ExternalInterfaces, SearchObjectTablesAreReachedThroughTheirDefaultItem) {
  testing::InstalledDoubles doubles;
  doubles.coverage->entityTypes = {{4, "SECTOR", 0, 1, 0}, {2, "SWITCH", 4, 2, 0}};
  doubles.coverage->systems = {{"SWITCH", "S1", {"S1", "North"}, ""}};
  Ref<Object> types = Call(*doubles.coverage, "EntityTypes").value.ObjectValue();
  ASSERT_TRUE(types);
  EXPECT_EQ(Call(*types, "Count").value, Variant(std::int32_t{2}));
  std::vector<Variant> second{Variant(std::int32_t{2})};
  const InvokeResult item = Invoke(*types, kDispIdValue, InvokeKind::Method, second);
  ASSERT_TRUE(item.ok());
  EXPECT_EQ(Call(*item.value.ObjectValue(), "TypeName").value, Variant("SWITCH"));
  EXPECT_EQ(Call(*item.value.ObjectValue(), "NextTypeId").value, Variant(std::int32_t{4}));

  Ref<Object> byId = Call(*doubles.coverage, "EntityTypesById").value.ObjectValue();
  EXPECT_FALSE(Call(*byId, "Item", {Variant(std::int32_t{99})}).value.ObjectValue())
      << "an unknown id is no object";
  Ref<Object> systems = Call(*doubles.coverage, "Systems").value.ObjectValue();
  Ref<Object> system = Call(*systems, "Item", {Variant(std::int32_t{1})}).value.ObjectValue();
  EXPECT_EQ(Call(*system, "FieldValue", {Variant(std::int16_t{2})}).value, Variant("North"));
}

}  // namespace
}  // namespace plexion::component
