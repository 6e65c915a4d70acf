// The one place where a document's save becomes one unit of work.
//
// Every save of this editor (the side rows and the document's row) runs inside a WholeSave
// made for the document's table and id and committed at the end. The library's unit of work
// is not there yet, so WholeSave stands in for it and does nothing: each statement still
// commits by itself, and the windows say so in their status bar. When the unit of work is
// there, WholeSave becomes plexion::services::UnitOfWork and kSavesAreOneUnit true.
#pragma once

#include <cstdint>
#include <string_view>

namespace qt_editor {

inline constexpr bool kSavesAreOneUnit = false;

class WholeSave {
 public:
  WholeSave(std::string_view /*table*/, std::int32_t /*id*/) {}
  void Commit() {}
};

// Shown in every editor's status bar while saves are not one unit of work.
inline constexpr std::string_view kNotOneUnitNote =
    "Saves run statement by statement, not yet as one unit of work.";

}  // namespace qt_editor
