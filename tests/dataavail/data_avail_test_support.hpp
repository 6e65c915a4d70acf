// What the data-availability tests share: lists, the error a call fails with, and what a
// recording selector was given, one line per column or row.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../error_of.hpp"
#include "plexion/testing/coverage_doubles.hpp"

namespace plexion::testing {

using Lines = std::vector<std::string>;

inline StringArray List(std::vector<std::string> items, std::int32_t lower = 1) {
  return StringArray::FromVector(std::move(items), lower);
}

// Each column as "Title/width/flag".
inline Lines Columns(const FakeSelectorCtl& s) {
  Lines out;
  for (const auto& c : s.columns)
    out.push_back(c.text + "/" + std::to_string(c.width) + "/" + std::to_string(c.flag));
  return out;
}

// Each row as "text [key] 1:sub-item 2:sub-item ...".
inline Lines Rows(const FakeSelectorCtl& s) {
  Lines out;
  for (const auto& r : s.rows) {
    out.push_back(r.text + " [" + r.key + "]");
    for (const auto& [index, text] : r.subItems)
      out.back() += " " + std::to_string(index) + ":" + text;
  }
  return out;
}

}  // namespace plexion::testing
