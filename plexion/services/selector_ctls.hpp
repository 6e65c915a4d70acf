// The selector control (external component SelectorCtls): a list with columns from which the
// user picks data types or systems. The host creates it; the library only fills it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "plexion/platform/object.hpp"

namespace plexion {

// One row of a selector; SubItems(k) is the text of column k + 1.
class SelectorListRow : public virtual Object {
 public:
  static constexpr std::string_view kTypeName = "SelectorListRow";
  virtual std::string SubItems(std::int16_t index) = 0;
  virtual void SubItems(std::int16_t index, const std::string& text) = 0;
};

class SelectorCtl : public virtual Object {
 public:
  static constexpr std::string_view kTypeName = "SelectorCtl";
  // flag 0: a plain column; 1: a column of an entity-type chain.
  virtual void AddColumn(const std::string& text, std::int16_t width, std::int16_t flag) = 0;
  virtual void SetTag(const std::string& text, std::int32_t value) = 0;
  virtual Ref<SelectorListRow> AddRow(const std::string& text, const std::string& key) = 0;
  virtual void SelIndex(std::int32_t index) = 0;
  virtual std::string Caption() = 0;
  virtual void Caption(const std::string& caption) = 0;
  // The rows are complete.
  virtual void EndLoad() = 0;
};

}  // namespace plexion
