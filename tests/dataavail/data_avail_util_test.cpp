#include "plexion/dataavail/data_avail_util.hpp"
#include "data_avail_test_support.hpp"

namespace plexion {
namespace {

using testing::ArrayText;
using testing::List;

// A target, a list applied to it, and the target afterwards as the host language lists it.
struct Case {
  StringArray dest, src;
  const char* result;
  const char* why = "";
};

const StringArray kUnallocated{}, kNoElements(0, -1), kTable(Bounds{1, 2}, Bounds{1, 1});
const char* const kTableText = R"(String(1 To 2, 1 To 1) {"", ""})";

TEST(AddUniqueItems, MergesWithoutDuplicatesOrBlanksKeepingTheLowerBound) {
  for (Case c :
       {Case{kUnallocated, List({"b", "a"}, 0), R"(String(1 To 2) {"b", "a"})",
             "an unallocated target becomes a list from index 1"},
        Case{kUnallocated, kNoElements, R"(String(1 To 1) {""})", "even from no elements"},
        Case{kUnallocated, List({"", ""}), R"(String(1 To 1) {""})"},
        Case{List({""}, 5), List({"x", "", "y", "x"}), R"(String(5 To 6) {"x", "y"})",
             "the empty form takes the first name; duplicates within src once"},
        Case{List({"a", "b"}, -3), List({"b", "B", "a ", "a"}),
             R"(String(-3 To 0) {"a", "b", "B", "a "})", "letter case and blanks count"},
        Case{kNoElements, List({"p"}), R"(String(0 To 0) {"p"})",
             "no elements is not the empty form: it grows from its lower bound"},
        Case{List({"a", "", "c"}), List({"", "d"}), R"(String(1 To 4) {"a", "", "c", "d"})",
             "the target keeps its own gaps"},
        Case{List({"", "z"}), List({"q"}), R"(String(1 To 3) {"", "z", "q"})",
             "only a single-element list counts as empty"},
        Case{List({"a"}, 3), kUnallocated, R"(String(3 To 3) {"a"})"},
        Case{kUnallocated, kUnallocated, "String()", "src is looked at before dest is made"},
        Case{List({"a"}, 3), kTable, R"(String(3 To 3) {"a"})", "a table is no list"},
        Case{kTable, List({"x"}), kTableText}}) {
    const std::string before = ArrayText(c.dest) + " + " + ArrayText(c.src);
    DataAvailUtil::AddUniqueItems(c.dest, c.src);
    EXPECT_EQ(ArrayText(c.dest), c.result) << before << ": " << c.why;
  }
}

TEST(RemoveItems, TakesOutExactMatchesClosingEveryGap) {
  for (Case c : {Case{List({"a", "", "b", "c", "", "b", "d"}, -2), List({"b", "zz"}),
                      R"(String(-2 To 0) {"a", "c", "d"})"},
                 Case{List({"Sys", "sys"}), List({"sys"}), R"(String(1 To 1) {"Sys"})"},
                 Case{List({"", "x", ""}, 4), List({}), R"(String(4 To 4) {"x"})",
                      "a src without elements still closes the gaps"},
                 Case{List({"a", "b", "a"}, 7), List({"a", "b"}, 0), R"(String(7 To 7) {""})",
                      "nothing left: the empty form at the old lower bound"},
                 Case{List({""}, 7), List({"a"}), R"(String(7 To 7) {""})"},
                 Case{kNoElements, List({"a"}), R"(String(0 To 0) {""})"},
                 Case{List({"a", "", "b"}, 2), kUnallocated, R"(String(2 To 4) {"a", "", "b"})",
                      "gaps are not closed either"},
                 Case{kUnallocated, List({"a"}), "String()"},
                 Case{List({"a", "", "b"}, 2), kTable, R"(String(2 To 4) {"a", "", "b"})"},
                 Case{kTable, List({""}), kTableText}}) {
    const std::string before = ArrayText(c.dest) + " - " + ArrayText(c.src);
    DataAvailUtil::RemoveItems(c.dest, c.src);
    EXPECT_EQ(ArrayText(c.dest), c.result) << before << ": " << c.why;
  }
}

}  // namespace
}  // namespace plexion
