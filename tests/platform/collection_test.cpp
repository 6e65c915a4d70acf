#include <gtest/gtest.h>

#include "plexion/platform/collection.hpp"

namespace plexion {
namespace {

int NumberOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.number();
  }
  return 0;
}

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

TEST(KeyedCollection, DuplicateKeyIsError457AndChangesNothing) {
  KeyedCollection<int> c;
  c.Add("General", 1);
  EXPECT_EQ(NumberOf([&] { c.Add("GENERAL", 2); }), 457);
  EXPECT_EQ(c.Count(), 1);
  EXPECT_EQ(c.Item("General"), 1);
}

TEST(KeyedCollection, FailedLookupsAndRemovalClosingTheGap) {
  KeyedCollection<int> c;
  for (int i = 1; i <= 3; ++i) c.Add("k" + std::to_string(i), i);
  EXPECT_EQ(NumberOf([&] { c.Item(0); }), 9);
  EXPECT_EQ(NumberOf([&] { c.Item(4); }), 9);
  EXPECT_EQ(NumberOf([&] { c.Item("absent"); }), 5);
  EXPECT_EQ(NumberOf([&] { c.Remove("absent"); }), 5);
  c.Remove("K1");
  EXPECT_EQ(c.Count(), 2);
  EXPECT_EQ(c.Item(1), 2);
  EXPECT_EQ(c.Item("k3"), 3);
  c.Add("k1", 9);  // the removed key is free again
  EXPECT_EQ(c.Item(3), 9);
}

}  // namespace
}  // namespace plexion
