// The keyed collection behind tab sets and the registry cache; their own tests show it at work.
#include <gtest/gtest.h>

#include <functional>

#include "../error_of.hpp"
#include "plexion/platform/collection.hpp"

namespace plexion {
namespace {

TEST(KeyedCollection, KeysIgnoreTheCaseOfAsciiLettersOnly) {
  KeyedCollection<int> c;
  c.Add("Format", 3);
  EXPECT_EQ(c.Item("FORMAT"), 3);
  EXPECT_EQ(c.Find("format\xC3\xA9"), nullptr) << "non-ASCII bytes compare exactly";
  c.Add("Format\xC3\xA9", 4);
  EXPECT_EQ(testing::ErrorOf([&] { c.Add("FORMAT\xC3\xA9", 5); }).number(), 457);
}

TEST(KeyedCollection, EachFailedCallRaisesItsErrorNumberChangingNothing) {
  KeyedCollection<int> c;
  c.Add("General", 1);
  const std::pair<std::function<void()>, std::int32_t> cases[] = {
      {[&] { c.Item(0); }, 9},
      {[&] { c.Item(2); }, 9},
      {[&] { c.Item("absent"); }, 5},
      {[&] { c.Remove("absent"); }, 5},
      {[&] { c.Add("GENERAL", 7); }, 457}};
  for (const auto& [call, number] : cases) EXPECT_EQ(testing::ErrorOf(call).number(), number);
  EXPECT_EQ(std::pair(c.Count(), c.Item(1)), std::pair(1, 1));
}

}  // namespace
}  // namespace plexion
