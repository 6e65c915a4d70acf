// The date-time scope of a report or a schedule override (external component ScopeLib).
#pragma once

#include <cstdint>
#include <string_view>

#include "plexion/platform/object.hpp"

namespace plexion {

class DateTimeScope : public virtual Object {
 public:
  static constexpr std::string_view kServiceName = "DateTimeScope";
  static constexpr std::string_view kTypeName = "DateTimeScope";
  // Stores the scope as a new record; Id then names it.
  virtual void Insert() = 0;
  // Stores the scope over the record Id names.
  virtual void Update() = 0;
  virtual std::int32_t Id() const = 0;
  virtual void Id(std::int32_t id) = 0;
};

}  // namespace plexion
