#include <gtest/gtest.h>

#include "../error_of.hpp"
#include "plexion/platform/collection.hpp"

namespace plexion {
namespace {

using testing::ErrorOf;

TEST(KeyedCollection, InsertionOrderPositionsFromOneAndKeysWithoutCase) {
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
}

TEST(KeyedCollection, FailedLookupsADuplicateKeyThatChangesNothingAndRemovalClosingTheGap) {
  KeyedCollection<int> c;
  for (int i = 1; i <= 3; ++i) c.Add("k" + std::to_string(i), i);
  EXPECT_EQ(ErrorOf([&] { c.Item(0); }).number(), 9);
  EXPECT_EQ(ErrorOf([&] { c.Item(4); }).number(), 9);
  EXPECT_EQ(ErrorOf([&] { c.Item("absent"); }).number(), 5);
  EXPECT_EQ(ErrorOf([&] { c.Remove("absent"); }).number(), 5);
  EXPECT_EQ(ErrorOf([&] { c.Add("K1", 7); }).number(), 457);
  EXPECT_EQ(std::pair(c.Count(), c.Item("k1")), std::pair(3, 1)) << "the duplicate changed nothing";
  c.Remove("K1");
  EXPECT_EQ(c.Count(), 2);
  EXPECT_EQ(c.Item(1), 2);
  EXPECT_EQ(c.Item("k3"), 3);
  c.Add("k1", 9);  // the removed key is free again
  EXPECT_EQ(c.Item(3), 9);
}

}  // namespace
}  // namespace plexion
