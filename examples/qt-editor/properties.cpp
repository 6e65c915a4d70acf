#include "properties.hpp"

#include <string>
#include <vector>

#include <plexion/component/automation.hpp>

namespace qt_editor {

using namespace plexion;

namespace {

Variant Call(Object& object, std::string_view name, InvokeKind kind, std::vector<Variant> args) {
  const auto id = component::GetIDsOfNames(object, name);
  if (!id) throw Error::Runtime(errnum::ObjectDoesNotSupport, "no property " + std::string(name));
  InvokeResult r = component::Invoke(object, *id, kind, args);
  if (!r.ok()) throw Error(r.error.scode, r.error.number, r.error.source, r.error.description);
  return r.value;
}

}  // namespace

Variant GetProperty(Object& object, std::string_view name) {
  return Call(object, name, InvokeKind::Get, {});
}

void LetProperty(Object& object, std::string_view name, const Variant& value) {
  Call(object, name, InvokeKind::Let, {value});
}

}  // namespace qt_editor
