// A data object's properties by name, through its dispatch interface, as the client's tab
// controls reach them. The names are the ones the tabs report in NotifyFormChange and the
// columns of the schedule row, so one table of names serves all three.
#pragma once

#include <string_view>

#include <plexion/platform/object.hpp>
#include <plexion/platform/variant.hpp>

namespace qt_editor {

// A failing member raises its own error (an unknown name is error 438).
plexion::Variant GetProperty(plexion::Object& object, std::string_view name);
void LetProperty(plexion::Object& object, std::string_view name, const plexion::Variant& value);

}  // namespace qt_editor
