// The date-time control of the data-availability editor (external component CoverageCtls).
// The host creates it; the library sets its scope and reads the user's times from it.
#pragma once

#include <cstdint>
#include <string_view>

#include "plexion/platform/object.hpp"
#include "plexion/platform/variant.hpp"

namespace plexion {

class DateTimeCtl : public virtual Object {
 public:
  static constexpr std::string_view kTypeName = "DateTimeCtl";
  // The time scope to offer; -1 outside enterprise mode.
  virtual void Scope(std::int32_t scope) = 0;
  // The times of day the user chose.
  virtual StringArray SelectedTimesOf() = 0;
  // The smallest size at which the control can be shown.
  virtual float MinWidth() = 0;
  virtual float MinHeight() = 0;
};

}  // namespace plexion
