#include <gtest/gtest.h>

#include "plexion/dataavail/data_avail_util.hpp"
#include "plexion/testing/coverage_doubles.hpp"

namespace plexion {
namespace {

using DataAvailUtil::AddUniqueItems;
using DataAvailUtil::RemoveItems;
using testing::ArrayText;

StringArray List(std::vector<std::string> items, std::int32_t lower = 1) {
  return StringArray::FromVector(std::move(items), lower);
}

TEST(AddUniqueItems, AnUnallocatedTargetBecomesAListFromIndexOne) {
  StringArray dest;
  AddUniqueItems(dest, List({"b", "a"}, 0));
  EXPECT_EQ(ArrayText(dest), R"(String(1 To 2) {"b", "a"})");

  StringArray none;
  AddUniqueItems(none, StringArray(0, -1));
  EXPECT_EQ(ArrayText(none), R"(String(1 To 1) {""})")
      << "the empty form appears even when src has no elements";

  StringArray onlyBlank;
  AddUniqueItems(onlyBlank, List({"", ""}));
  EXPECT_EQ(ArrayText(onlyBlank), R"(String(1 To 1) {""})");
}

TEST(AddUniqueItems, FillsTheEmptyFormInPlaceThenGrowsAtTheTop) {
  StringArray dest = List({""}, 5);
  AddUniqueItems(dest, List({"x", "", "y", "x"}));
  EXPECT_EQ(ArrayText(dest), R"(String(5 To 6) {"x", "y"})")
      << "the single \"\" at the lower bound takes the first name; duplicates within src once";

  StringArray negative = List({"a", "b"}, -3);
  AddUniqueItems(negative, List({"b", "B", "a ", "a"}));
  EXPECT_EQ(ArrayText(negative), R"(String(-3 To 0) {"a", "b", "B", "a "})")
      << "letter case and blanks count";

  StringArray noElements(0, -1);
  AddUniqueItems(noElements, List({"p"}));
  EXPECT_EQ(ArrayText(noElements), R"(String(0 To 0) {"p"})")
      << "an allocated list without elements is not the empty form: it grows from its lower bound";
}

TEST(AddUniqueItems, KeepsTheTargetsOwnGapsAndAnEmptyFormUnderOtherElements) {
  StringArray gaps = List({"a", "", "c"});
  AddUniqueItems(gaps, List({"", "d"}));
  EXPECT_EQ(ArrayText(gaps), R"(String(1 To 4) {"a", "", "c", "d"})");

  StringArray blankFirst = List({"", "z"});
  AddUniqueItems(blankFirst, List({"q"}));
  EXPECT_EQ(ArrayText(blankFirst), R"(String(1 To 3) {"", "z", "q"})")
      << "only a single-element list counts as empty";
}

TEST(AddUniqueItems, LeavesTheTargetAloneWhenSrcIsNoList) {
  StringArray dest = List({"a"}, 3), unallocated;
  AddUniqueItems(dest, unallocated);
  EXPECT_EQ(ArrayText(dest), R"(String(3 To 3) {"a"})");
  StringArray stillUnallocated;
  AddUniqueItems(stillUnallocated, unallocated);
  EXPECT_FALSE(stillUnallocated.allocated()) << "src is looked at before dest is created";

  StringArray table(Bounds{1, 2}, Bounds{1, 1});
  AddUniqueItems(dest, table);
  EXPECT_EQ(ArrayText(dest), R"(String(3 To 3) {"a"})");
  AddUniqueItems(table, List({"x"}));
  EXPECT_EQ(table.bounds(), (std::vector<Bounds>{{1, 2}, {1, 1}})) << "a table is not a list";
}

TEST(RemoveItems, ClosesEveryGapAndKeepsOrderAndLowerBound) {
  StringArray dest = List({"a", "", "b", "c", "", "b", "d"}, -2);
  RemoveItems(dest, List({"b", "zz"}));
  EXPECT_EQ(ArrayText(dest), R"(String(-2 To 0) {"a", "c", "d"})");

  StringArray caseMatters = List({"Sys", "sys"});
  RemoveItems(caseMatters, List({"sys"}));
  EXPECT_EQ(ArrayText(caseMatters), R"(String(1 To 1) {"Sys"})");

  StringArray blanks = List({"", "x", ""}, 4);
  RemoveItems(blanks, List({}));
  EXPECT_EQ(ArrayText(blanks), R"(String(4 To 4) {"x"})")
      << "a src without elements still closes the target's gaps";
}

TEST(RemoveItems, RemovingEverythingLeavesTheEmptyFormAtTheOldLowerBound) {
  StringArray dest = List({"a", "b", "a"}, 7);
  RemoveItems(dest, List({"a", "b"}, 0));
  EXPECT_EQ(ArrayText(dest), R"(String(7 To 7) {""})");
  RemoveItems(dest, List({"a"}));
  EXPECT_EQ(ArrayText(dest), R"(String(7 To 7) {""})") << "the empty form stays the empty form";

  StringArray noElements(0, -1);
  RemoveItems(noElements, List({"a"}));
  EXPECT_EQ(ArrayText(noElements), R"(String(0 To 0) {""})");
}

TEST(RemoveItems, LeavesTheTargetAloneWhenEitherArrayIsNoList) {
  StringArray dest = List({"a", "", "b"}, 2), unallocated;
  RemoveItems(dest, unallocated);
  EXPECT_EQ(ArrayText(dest), R"(String(2 To 4) {"a", "", "b"})") << "gaps are not closed either";
  RemoveItems(unallocated, List({"a"}));
  EXPECT_FALSE(unallocated.allocated());
  StringArray table(Bounds{1, 2}, Bounds{1, 1});
  RemoveItems(dest, table);
  RemoveItems(table, List({""}));
  EXPECT_EQ(ArrayText(dest), R"(String(2 To 4) {"a", "", "b"})");
  EXPECT_EQ(table.bounds(), (std::vector<Bounds>{{1, 2}, {1, 1}}));
}

}  // namespace
}  // namespace plexion
