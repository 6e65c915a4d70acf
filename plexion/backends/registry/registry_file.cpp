#include "plexion/backends/registry/registry_file.hpp"

#include <toml++/toml.h>
#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "plexion/platform/error.hpp"
#include "plexion/platform/text.hpp"

namespace plexion::backends {

namespace {

constexpr std::string_view kSource = "Plexion registry";

[[noreturn]] void Fail(const std::string& what) {
  throw Error::External(status::Registry, std::string(kSource), what);
}

std::string Text(const toml::table& t, const char* key, const std::string& file) {
  if (auto v = t[key].value<std::string>()) return *v;
  Fail(file + ":" + std::to_string(t.source().begin.line) + ": an entry needs \"" + key + "\"");
}

Guid GuidOf(const toml::table& t, const char* key, const std::string& file) {
  const std::string text = Text(t, key, file);
  const Guid g = Guid::Parse(text);
  if (g.IsNull())
    Fail(file + ":" + std::to_string(t.source().begin.line) + ": \"" + text + "\" is not an id");
  return g;
}

}  // namespace

std::string RegistryFile::DefaultPath() {
  namespace fs = std::filesystem;
  if (const char* env = std::getenv("PLEXION_REGISTRY"); env && *env) return env;
  fs::path base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) base = xdg;
  else if (const char* home = std::getenv("HOME"); home && *home) base = fs::path(home) / ".config";
  else base = fs::temp_directory_path();
  return (base / "plexion" / "registry.toml").string();
}

RegistryFile RegistryFile::Load(const std::string& path) {
  RegistryFile r;
  std::ifstream in(path);
  if (!in) return r;
  std::stringstream text;
  text << in.rdbuf();
  toml::table root;
  try {
    root = toml::parse(text.str(), path);
  } catch (const toml::parse_error& e) {
    Fail(path + ":" + std::to_string(e.source().begin.line) + ": " + std::string(e.description()));
  }
  if (auto* list = root["class"].as_array()) {
    for (const toml::node& n : *list) {
      const toml::table* t = n.as_table();
      if (!t) Fail(path + ": [[class]] entries must be tables");
      RegisteredClass c;
      c.clsid = GuidOf(*t, "clsid", path);
      c.name = Text(*t, "name", path);
      c.progId = Text(*t, "progid", path);
      c.server = Text(*t, "server", path);
      c.threading = Text(*t, "threading", path);
      c.typelib = GuidOf(*t, "typelib", path);
      r.classes.push_back(std::move(c));
    }
  }
  if (auto* list = root["typelib"].as_array()) {
    for (const toml::node& n : *list) {
      const toml::table* t = n.as_table();
      if (!t) Fail(path + ": [[typelib]] entries must be tables");
      RegisteredTypeLib l;
      l.libid = GuidOf(*t, "libid", path);
      l.name = Text(*t, "name", path);
      l.version = Text(*t, "version", path);
      l.lcid = static_cast<std::uint32_t>((*t)["lcid"].value_or<std::int64_t>(0));
      l.server = Text(*t, "server", path);
      r.typelibs.push_back(std::move(l));
    }
  }
  return r;
}

void RegistryFile::Save(const std::string& path) const {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (classes.empty() && typelibs.empty()) {
    fs::remove(path, ec);
    return;
  }
  toml::array classList, libList;
  for (const RegisteredClass& c : classes) {
    classList.push_back(toml::table{{"clsid", c.clsid.ToString()},
                                    {"name", c.name},
                                    {"progid", c.progId},
                                    {"server", c.server},
                                    {"threading", c.threading},
                                    {"typelib", c.typelib.ToString()}});
  }
  for (const RegisteredTypeLib& l : typelibs) {
    libList.push_back(toml::table{{"libid", l.libid.ToString()},
                                  {"name", l.name},
                                  {"version", l.version},
                                  {"lcid", static_cast<std::int64_t>(l.lcid)},
                                  {"server", l.server}});
  }
  toml::table root{{"class", classList}, {"typelib", libList}};
  const fs::path target(path);
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  const fs::path temporary = target.string() + ".tmp" + std::to_string(getpid());
  {
    std::ofstream out(temporary);
    if (!out) Fail("cannot write " + temporary.string());
    out << "# The component registry: which library serves each class id and ProgID.\n"
           "# Written by DllRegisterServer (plexion register), emptied by DllUnregisterServer.\n\n"
        << root << "\n";
    if (!out.flush()) Fail("cannot write " + temporary.string());
  }
  fs::rename(temporary, target, ec);
  if (ec) {
    fs::remove(temporary, ec);
    Fail("cannot replace " + path);
  }
}

void RegistryFile::Put(const RegisteredClass& cls) {
  RemoveClass(cls.clsid);
  classes.push_back(cls);
}

void RegistryFile::Put(const RegisteredTypeLib& lib) {
  RemoveTypeLib(lib.libid);
  typelibs.push_back(lib);
}

void RegistryFile::RemoveClass(const Guid& clsid) {
  std::erase_if(classes, [&](const RegisteredClass& c) { return c.clsid == clsid; });
}

void RegistryFile::RemoveTypeLib(const Guid& libid) {
  std::erase_if(typelibs, [&](const RegisteredTypeLib& l) { return l.libid == libid; });
}

const RegisteredClass* RegistryFile::FindClass(const Guid& clsid) const {
  for (const RegisteredClass& c : classes)
    if (c.clsid == clsid) return &c;
  return nullptr;
}

const RegisteredClass* RegistryFile::FindClass(const std::string& progId) const {
  for (const RegisteredClass& c : classes)
    if (EqualsNoCase(c.progId, progId)) return &c;
  return nullptr;
}

}  // namespace plexion::backends
