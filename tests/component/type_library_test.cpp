// The type library's lookups, as hosts and the registration use them. Its published identifiers,
// every member in function-table order with its accessor kind, dispatch id and parameters, and the
// enumeration are checked against the README's copy, which `plexion typelib` prints from it
// (Readme.TypeLibraryIsCurrent).
#include <gtest/gtest.h>

#include "plexion/component/automation.hpp"
#include "plexion/testing/doubles.hpp"

namespace plexion::component {
namespace {

TEST(TypeLibrary, EveryClassIsFoundByNameProgIdAndClassIdAndKnowsItsObjects) {
  testing::InstalledDoubles doubles;
  const TypeLibrary& lib = GetTypeLibrary();
  for (const ClassInfo& c : lib.classes) {
    SCOPED_TRACE(std::string(c.name));
    EXPECT_EQ(c.ProgId(), "Plexion." + std::string(c.name));
    EXPECT_EQ(lib.FindClass(c.name), &c);
    EXPECT_EQ(lib.FindClass(c.ProgId()), &c);
    EXPECT_EQ(lib.FindClass(c.clsid), &c);
    EXPECT_EQ(lib.ClassOf(*c.create()), &c);
    const bool global = c.name == "GPlexion";
    EXPECT_EQ(c.instancing == Instancing::GlobalObject, global);
    EXPECT_EQ(GlobalInstance(c) != nullptr, global);
  }
  EXPECT_EQ(lib.FindClass("Plexion.NoSuchClass"), nullptr);
  EXPECT_EQ(lib.FindClass(Guid::Parse("{00000000-0000-0000-0000-000000000001}")), nullptr);
}

}  // namespace
}  // namespace plexion::component
