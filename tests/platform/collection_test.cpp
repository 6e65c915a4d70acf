#include <gtest/gtest.h>

#include "../error_of.hpp"
#include "plexion/platform/collection.hpp"

namespace plexion {
namespace {

using testing::ErrorOf;

TEST(KeyedCollection, InsertionOrderKeysWithoutCaseFailedLookupsDuplicatesAndRemovalClosingTheGap) {
  KeyedCollection<int> c;
  c.Add("General", 1);
  c.Add("ReportType", 2);
  c.Add("Format", 3);
  EXPECT_EQ(c.Count(), 3);
  EXPECT_EQ(c.Item(1), 1);
  EXPECT_EQ(c.Item(3), 3);
  EXPECT_EQ(c.Item("general"), 1);
  EXPECT_EQ(c.Item("REPORTTYPE"), 2);
  EXPECT_EQ(c.Find("format\xC3\xA9"), nullptr) << "non-ASCII bytes compare exactly";
  std::vector<std::string> keys;
  for (const auto& e : c) keys.push_back(e.key);
  EXPECT_EQ(keys, (std::vector<std::string>{"General", "ReportType", "Format"}));

  KeyedCollection<int> k;
  for (int i = 1; i <= 3; ++i) k.Add("k" + std::to_string(i), i);
  EXPECT_EQ(ErrorOf([&] { k.Item(0); }).number(), 9);
  EXPECT_EQ(ErrorOf([&] { k.Item(4); }).number(), 9);
  EXPECT_EQ(ErrorOf([&] { k.Item("absent"); }).number(), 5);
  EXPECT_EQ(ErrorOf([&] { k.Remove("absent"); }).number(), 5);
  EXPECT_EQ(ErrorOf([&] { k.Add("K1", 7); }).number(), 457);
  EXPECT_EQ(std::pair(k.Count(), k.Item("k1")), std::pair(3, 1)) << "the duplicate changed nothing";
  k.Remove("K1");
  EXPECT_EQ(k.Count(), 2);
  EXPECT_EQ(k.Item(1), 2);
  EXPECT_EQ(k.Item("k3"), 3);
  k.Add("k1", 9);  // the removed key is free again
  EXPECT_EQ(k.Item(3), 9);
}

}  // namespace
}  // namespace plexion
