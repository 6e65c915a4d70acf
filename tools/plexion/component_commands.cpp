// plexion typelib, register, unregister, classes, call
#include <cstdio>
#include <iostream>

#include "context.hpp"
#include "plexion/backends/registry/registry_file.hpp"
#include "plexion/component/automation.hpp"
#include "plexion/host/entry_points.hpp"
#include "plexion/host/loader.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/platform/enumerator.hpp"

namespace plexion::cli {

namespace {

void PrintInterface(std::ostream& out, const InterfaceInfo& itf, bool events) {
  out << (events ? "event interface " : "interface ") << itf.name() << " " << itf.iid().ToString()
      << "\n";
  for (const MemberInfo& m : itf.members()) {
    std::string kind(events ? "event" : KindName(m.kind));
    kind.resize(7, ' ');
    std::string id = DispIdText(m.id);
    id.resize(11, ' ');
    out << "  " << id << " " << kind << " " << m.Signature() << "\n";
  }
}

void PrintTypeLibrary(std::ostream& out) {
  const component::TypeLibrary& lib = component::GetTypeLibrary();
  char lcid[16];
  std::snprintf(lcid, sizeof lcid, "0x%X", lib.lcid);
  out << "library " << lib.name << " " << lib.libid.ToString() << " version " << lib.majorVersion
      << "." << lib.minorVersion << " lcid " << lcid << "\n";
  for (const component::EnumInfo& e : lib.enums) {
    out << "\nenum " << e.name << " " << e.id.ToString() << "\n";
    for (const auto& [name, value] : e.values) out << "  " << name << " = " << value << "\n";
  }
  for (const component::ClassInfo& c : lib.classes) {
    out << "\nclass " << c.name << " " << c.clsid.ToString() << " ProgID " << c.ProgId() << " ("
        << (c.instancing == component::Instancing::GlobalObject ? "global object, also creatable"
                                                                : "creatable")
        << ")\n";
    PrintInterface(out, *c.defaultInterface, false);
    if (c.eventInterface) PrintInterface(out, *c.eventInterface, true);
  }
  for (const component::ExternalInterfaceInfo& e : lib.externals) {
    out << "\nexternal interface of " << e.component
        << (e.create ? ", created through the services" : "") << "\n";
    PrintInterface(out, *e.itf, false);
  }
}

// Prints a value the way a host would see it, objects through their own dispatch members.
void PrintValue(std::ostream& out, const Variant& value, const std::string& indent, int depth = 0);

void PrintObject(std::ostream& out, Object& object, const std::string& indent, int depth) {
  const component::TypeLibrary& lib = component::GetTypeLibrary();
  const InterfaceInfo* itf = lib.InterfaceOf(object);
  if (!itf) {
    out << "<object>\n";
    return;
  }
  const component::ClassInfo* cls = lib.ClassOf(object);
  out << (cls ? cls->name : itf->name()) << "\n";
  if (depth > 2) return;
  std::vector<Variant> none;
  // A collection: its elements, through the enumerator member.
  if (itf->HasId(kDispIdNewEnum)) {
    const InvokeResult r = component::Invoke(object, kDispIdNewEnum, InvokeKind::Method, none);
    if (r.ok()) {
      auto e = ToObjectOf<Enumerator>(r.value);
      Variant item;
      int n = 0;
      while (e && e->Next(item)) {
        out << indent << "[" << ++n << "] ";
        PrintValue(out, item, indent + "    ", depth + 1);
      }
      return;
    }
  }
  for (const MemberInfo& m : itf->members()) {
    if (m.kind != InvokeKind::Get || !m.params.empty()) continue;
    const InvokeResult r = component::Invoke(object, m.id, InvokeKind::Get, none);
    out << indent << m.name << " = ";
    if (r.ok()) PrintValue(out, r.value, indent + "  ", depth + 1);
    else out << "(error " << r.error.number << ": " << r.error.description << ")\n";
  }
}

void PrintValue(std::ostream& out, const Variant& value, const std::string& indent, int depth) {
  if (value.IsObject() && value.ObjectValue()) {
    PrintObject(out, *value.ObjectValue(), indent, depth);
    return;
  }
  out << value.Describe() << "\n";
}

struct CallOptions {
  std::string target, member;
  std::vector<std::string> args;
  std::string registry;
};

}  // namespace

void RegisterComponentCommands(CLI::App& app, Context& ctx) {
  app.add_subcommand("typelib",
                     "print the type library\n"
                     "Print the type library: classes, ids, interfaces, members with their "
                     "dispatch ids and signatures, events, the enumeration")
      ->callback([] { PrintTypeLibrary(std::cout); });

  auto registry = std::make_shared<std::string>();
  auto registryOption = [registry](CLI::App* c) {
    c->add_option("--registry", *registry,
                  "registry file (default: $PLEXION_REGISTRY, else "
                  "~/.config/plexion/registry.toml)");
  };
  auto registryPath = [registry] {
    return registry->empty() ? backends::RegistryFile::DefaultPath() : *registry;
  };

  CLI::App* reg = app.add_subcommand(
      "register",
      "record the library's classes in the registry\n"
      "Record every class and the type library in the registry (DllRegisterServer)");
  Examples(*reg, {"plexion register", "plexion register --registry /tmp/registry.toml"});
  registryOption(reg);
  reg->callback([registryPath] {
    host::RegisterServer(registryPath());
    std::cout << "registered " << component::GetTypeLibrary().classes.size() << " classes of "
              << host::LibraryPath() << " in " << registryPath() << "\n";
  });

  CLI::App* unreg =
      app.add_subcommand("unregister",
                         "remove the library's classes from the registry\n"
                         "Remove the library's classes and type library from the registry");
  registryOption(unreg);
  unreg->callback([registryPath] {
    host::UnregisterServer(registryPath());
    std::cout << "unregistered from " << registryPath() << "\n";
  });

  CLI::App* classes = app.add_subcommand("classes", "list what the registry holds");
  Examples(*classes, {"plexion classes"});
  registryOption(classes);
  classes->callback([registryPath] {
    const auto file = backends::RegistryFile::Load(registryPath());
    for (const auto& c : file.classes)
      std::cout << c.progId << '\t' << c.clsid.ToString() << '\t' << c.threading << '\t' << c.server
                << "\n";
    for (const auto& l : file.typelibs)
      std::cout << "typelib " << l.name << '\t' << l.libid.ToString() << '\t' << l.version << '\t'
                << l.server << "\n";
  });

  auto call = std::make_shared<CallOptions>();
  CLI::App* callCmd = app.add_subcommand(
      "call",
      "create an object by ProgID and call one of its members\n"
      "Create an object through the registry, as a host would (PROGID or {class id}), and\n"
      "invoke one member by name with the arguments given as texts; print the result,\n"
      "objects through their own members. Example: plexion call Plexion.GPlexion AppTabs Traffic");
  Examples(*callCmd, {"plexion call Plexion.GPlexion AppTabs Traffic",
                      "plexion call Plexion.GPlexion GetNumServersForReportGroup 12 1",
                      "plexion call Plexion.CSchedData LoadSchedData 1 Schedule"});
  callCmd->add_option("PROGID", call->target)->required();
  callCmd->add_option("MEMBER", call->member)->required();
  callCmd->add_option("ARG", call->args);
  callCmd->add_option("--registry", call->registry, "registry file");
  AddDatabaseOptions(*callCmd, ctx);
  callCmd->callback([call, &ctx] {
    ctx.InstallFromOptions();
    Ref<Object> object = host::CreateObject(call->target, call->registry);
    const auto id = component::GetIDsOfNames(*object, call->member);
    if (!id) {
      std::cerr << "plexion: " << call->target << " has no member " << call->member << "\n";
      ctx.exitCode = 1;
      return;
    }
    std::vector<Variant> args(call->args.begin(), call->args.end());
    const InvokeResult r =
        component::Invoke(*object, *id, InvokeKind::Method | InvokeKind::Get, args);
    if (!r.ok()) {
      std::cerr << "plexion: " << call->member << " failed: " << r.error.description << " ("
                << r.error.source << ", error " << r.error.number << ")\n";
      ctx.exitCode = 1;
      return;
    }
    PrintValue(std::cout, r.value, "  ");
  });
}

}  // namespace plexion::cli
