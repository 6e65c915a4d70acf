// The type library's member tables as the bridge reads them: the accessors of each dispatch id,
// names resolved through GetIDsOfNames once per interface and name.
#include <map>
#include <memory>

#include "bridge.hpp"

namespace plexion::python {

const MemberInfo& Member::Primary() const {
  if (method) return *method;
  if (get) return *get;
  return let ? *let : *set;
}

std::string Member::Help() const {
  std::string text;
  for (const MemberInfo* m : {method, get, let, set}) {
    if (!m) continue;
    std::string kind(KindName(m->kind));
    kind.resize(7, ' ');
    std::string id = DispIdText(m->id);
    id.resize(11, ' ');
    text += "  " + id + " " + kind + " " + m->Signature() + "\n";
  }
  return text;
}

InterfaceView::InterfaceView(const component::ClassInfo* cls, const InterfaceInfo& itf,
                             std::string_view name)
    : cls_(cls), itf_(&itf), name_(name) {
  for (const MemberInfo& m : itf.members()) {
    auto [it, added] = byId_.emplace(m.id, members_.size());
    if (added) members_.push_back(Member{m.name, m.id});
    Member& member = members_[it->second];
    const MemberInfo** slot = m.kind == InvokeKind::Get   ? &member.get
                              : m.kind == InvokeKind::Let ? &member.let
                              : m.kind == InvokeKind::Set ? &member.set
                                                          : &member.method;
    if (!*slot) *slot = &m;  // the earliest accessor of a kind wins, as Invoke decides
  }
}

const Member* InterfaceView::ById(DispId id) const {
  const auto it = byId_.find(id);
  return it == byId_.end() ? nullptr : &members_[it->second];
}

const Member* InterfaceView::ByName(const Object& object, PyObject* name) {
  if (const auto it = byName_.find(name); it != byName_.end()) return it->second;
  // Names are kept by their interned string, so that any spelling of the same text finds them.
  Py_INCREF(name);
  PyUnicode_InternInPlace(&name);
  py::object key = py::reinterpret_steal<py::object>(name);
  if (const auto it = byName_.find(key.ptr()); it != byName_.end()) return it->second;
  const std::optional<DispId> id = component::GetIDsOfNames(object, py::cast<std::string>(key));
  if (!id) return nullptr;
  const Member* member = ById(*id);
  byName_.emplace(key.release().ptr(), member);  // held for the life of the process
  return member;
}

InvokeResult InterfaceView::Invoke(Object& object, DispId id, InvokeKind kinds,
                                   std::span<Variant> args) const {
  return component::Invoke(object, id, kinds, args);
}

InterfaceView* ViewOf(const Object& object) {
  // Views live for the life of the process, like the tables they read.
  static std::map<const InterfaceInfo*, std::unique_ptr<InterfaceView>> views;
  const component::TypeLibrary& lib = component::GetTypeLibrary();
  const InterfaceInfo* itf = lib.InterfaceOf(object);
  if (!itf) return nullptr;
  auto& view = views[itf];
  if (!view) {
    const component::ClassInfo* cls = lib.ClassOf(object);
    view = std::make_unique<InterfaceView>(cls, *itf, cls ? cls->name : itf->name());
  }
  return view.get();
}

}  // namespace plexion::python
