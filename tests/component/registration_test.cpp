// Registration in the registry file, creation through it as a host does, and unloading.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "plexion/backends/registry/registry_file.hpp"
#include "plexion/component/automation.hpp"
#include "plexion/host/entry_points.hpp"
#include "plexion/host/loader.hpp"
#include "plexion/tabs/contracts.hpp"
#include "plexion/tabs/gplexion.hpp"
#include "plexion/tabs/notify.hpp"
#include "plexion/testing/doubles.hpp"

namespace plexion {
namespace {

class Registration : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        std::filesystem::temp_directory_path() / ("plexion-registry-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir_);
    path = (dir_ / "registry.toml").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Text() const {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string path;

 private:
  std::filesystem::path dir_;
};

TEST_F(Registration, RecordsEveryClassOnceLeavingOtherComponents) {
  backends::RegistryFile other;
  other.Put(backends::RegisteredClass{Guid::Parse("{00000000-0000-0000-0000-0000000000AA}"),
                                      "Other", "Other.Thing", "/lib/other.so", "Apartment",
                                      Guid::Parse("{00000000-0000-0000-0000-0000000000AB}")});
  other.Save(path);

  host::RegisterServer(path);
  const std::string first = Text();
  host::RegisterServer(path);
  EXPECT_EQ(Text(), first);

  const auto file = backends::RegistryFile::Load(path);
  const auto& lib = component::GetTypeLibrary();
  EXPECT_EQ(file.classes.size(), lib.classes.size() + 1);
  for (const auto& c : lib.classes) {
    const backends::RegisteredClass* entry = file.FindClass(c.ProgId());
    ASSERT_TRUE(entry) << c.name;
    EXPECT_EQ(std::tuple(entry->clsid, entry->server, entry->threading, entry->typelib),
              std::tuple(c.clsid, host::LibraryPath(), "Apartment", lib.libid));
  }
  ASSERT_EQ(file.typelibs.size(), 1u);
  EXPECT_EQ(std::pair(file.typelibs[0].version, file.typelibs[0].lcid),
            std::pair(std::string("523.0"), 0x409u));

  host::UnregisterServer(path);
  const auto after = backends::RegistryFile::Load(path);
  ASSERT_EQ(after.classes.size(), 1u) << "other components' entries stay";
  EXPECT_EQ(after.classes[0].progId, "Other.Thing");
  after.Save(path);
  backends::RegistryFile empty;
  empty.Save(path);
  EXPECT_FALSE(std::filesystem::exists(path)) << "an empty registry leaves no file";
}

TEST_F(Registration, TheEntryPointsUseTheRegistryNamedByTheEnvironment) {
  setenv("PLEXION_REGISTRY", path.c_str(), 1);
  EXPECT_EQ(DllRegisterServer(), status::Ok);
  EXPECT_NE(Text().find("progid = 'Plexion.GPlexion'"), std::string::npos);
  EXPECT_EQ(DllUnregisterServer(), status::Ok);
  EXPECT_FALSE(std::filesystem::exists(path));
  unsetenv("PLEXION_REGISTRY");
}

TEST_F(Registration, AHostCreatesByProgIdOrClassId) {
  host::RegisterServer(path);
  Ref<Object> hub = host::CreateObject("plexion.cplexionnotify", path);
  EXPECT_EQ(component::GetTypeLibrary().ClassOf(*hub)->name, "CPlexionNotify");
  Ref<Object> tabs = host::CreateObject("{B7C223DA-706C-11D3-8C44-00105A6449C9}", path);
  EXPECT_EQ(component::GetTypeLibrary().ClassOf(*tabs)->name, "CPlexionCtls");
}

TEST_F(Registration, TheLibraryMayUnloadWhenNoneOfItsObjectsIsHeld) {
  EXPECT_EQ(DllCanUnloadNow(), status::Ok);
  {
    // The host's own objects do not keep it loaded, even those built on the library's bases.
    testing::InstalledDoubles doubles;
    auto listener = MakeRef<CPlexionNotifyEvents>();
    class HostEditor final : public IPlexionEditor {};
    auto editor = MakeRef<HostEditor>();
    EXPECT_EQ(DllCanUnloadNow(), status::Ok);
    auto hub = MakeRef<CPlexionNotify>();
    hub->Connect(listener);
    EXPECT_EQ(DllCanUnloadNow(), status::False) << "the hub is the component's";
    hub.reset();
    EXPECT_EQ(DllCanUnloadNow(), status::Ok);
    GPlexion::Global()->AppTabs("Schedule");
  }
  // The library's own state (the tab-set cache, the global object) does not keep it loaded...
  EXPECT_EQ(DllCanUnloadNow(), status::Ok);
  Ref<CPlexionCtls> held = GPlexion::Global()->AppTabs("Schedule");
  EXPECT_EQ(DllCanUnloadNow(), status::False) << "...unless a host holds one of its objects";
}

TEST_F(Registration, AClassFactoryLockKeepsTheLibraryLoaded) {
  void* raw = nullptr;
  const Guid clsid = Guid::Parse("{AC3D8FA9-E7E9-11D4-A3F9-000102387EC5}");
  ASSERT_EQ(DllGetClassObject(&clsid, &component::kIidClassFactory, &raw), status::Ok);
  auto factory = Ref<component::ClassFactory>::Adopt(static_cast<component::ClassFactory*>(raw));
  factory->LockServer(true);
  factory.reset();
  EXPECT_EQ(DllCanUnloadNow(), status::False);
  ASSERT_EQ(DllGetClassObject(&clsid, &component::kIidUnknown, &raw), status::Ok);
  factory = Ref<component::ClassFactory>::Adopt(static_cast<component::ClassFactory*>(raw));
  factory->LockServer(false);
  factory.reset();
  EXPECT_EQ(DllCanUnloadNow(), status::Ok);
}

TEST_F(Registration, UnknownClassesOrInterfacesFailWithTheirStatus) {
  host::RegisterServer(path);
  try {
    host::CreateObject("Plexion.NoSuchClass", path);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.status(), status::ClassNotRegistered);
  }
  void* raw = reinterpret_cast<void*>(1);
  const Guid unknown = Guid::Parse("{00000000-0000-0000-0000-000000000001}");
  EXPECT_EQ(DllGetClassObject(&unknown, &component::kIidClassFactory, &raw),
            status::ClassNotAvailable);
  EXPECT_EQ(raw, nullptr);
  const Guid clsid = Guid::Parse("{AC3D8FA9-E7E9-11D4-A3F9-000102387EC5}");
  EXPECT_EQ(DllGetClassObject(&clsid, &component::kIidDispatch, &raw), status::NoInterface);
  EXPECT_EQ(DllGetClassObject(&clsid, &component::kIidClassFactory, nullptr), status::Pointer);

  std::ofstream(path) << "[[class]]\nclsid = 'not an id'\n";
  EXPECT_THROW(backends::RegistryFile::Load(path), Error);
}

}  // namespace
}  // namespace plexion
