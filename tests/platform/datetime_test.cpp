#include <gtest/gtest.h>

#include "../error_of.hpp"
#include "plexion/platform/datetime.hpp"
#include "plexion/platform/error.hpp"

namespace plexion {
namespace {

TEST(DateTime, SerialsCountDaysFrom30December1899WithTheTimeAsAFractionCountedForward) {
  EXPECT_EQ(DateTime::FromParts(1899, 12, 30).serial(), 0);
  EXPECT_EQ(DateTime::FromParts(1900, 1, 1).serial(), 2);
  EXPECT_EQ(kFarFutureEnd, DateTime::FromParts(2036, 12, 31));
  EXPECT_EQ(kFarFutureEnd.serial(), 50040);
  EXPECT_DOUBLE_EQ(DateTime::FromParts(2036, 12, 31, 18).serial(), 50040.75);
  EXPECT_DOUBLE_EQ(DateTime::FromParts(1899, 12, 29, 6).serial(), -1.25) << "before the epoch";
}

TEST(DateTime, CivilPartsRoundTripToTheSecond) {
  for (auto [y, m, d, h, mi, s] :
       {std::array{2024, 2, 29, 23, 59, 59}, std::array{100, 1, 1, 0, 0, 1},
        std::array{9999, 12, 31, 12, 0, 0}, std::array{1899, 1, 1, 13, 14, 15},
        std::array{1899, 12, 29, 6, 0, 0}}) {
    const CivilDateTime c = DateTime::FromParts(y, m, d, h, mi, s).ToCivil();
    EXPECT_EQ((std::array{c.year, c.month, c.day, c.hour, c.minute, c.second}),
              (std::array{y, m, d, h, mi, s}));
  }
  EXPECT_THROW(DateTime::FromParts(2023, 2, 29), Error);
  EXPECT_THROW(DateTime::FromParts(99, 1, 1), Error);
  const CivilDateTime late = DateTime(10.0 + 86399.9 / 86400).ToCivil();
  EXPECT_EQ((std::array{late.day, late.hour}), (std::array{10, 0})) << "rounds to midnight";
}

TEST(DateTime, TextIsTheUsGeneralDateForm) {
  for (const auto& [date, text] : std::vector<std::pair<DateTime, std::string>>{
           {DateTime(50040), "12/31/2036"},
           {DateTime::FromParts(2036, 12, 31, 15, 4, 5), "12/31/2036 3:04:05 PM"},
           {DateTime::FromParts(2024, 1, 2, 0, 30), "1/2/2024 12:30:00 AM"},
           {DateTime::FromParts(2024, 1, 2, 12), "1/2/2024 12:00:00 PM"},
           {DateTime(0.5), "12:00:00 PM"},
           {DateTime(0), "12/30/1899"}})
    EXPECT_EQ(date.ToText(), text) << date.serial();
  EXPECT_EQ(DateTime::FromParts(2036, 12, 31, 15, 4, 5).ToIso(), "2036-12-31 15:04:05");
}

TEST(DateTime, ParsesUsIsoOrMonthNameText) {
  const DateTime expected = DateTime::FromParts(2036, 12, 31, 15, 4, 5);
  for (const char* text :
       {"12/31/2036 3:04:05 PM", "12/31/2036 15:04:05", "2036-12-31T15:04:05",
        "2036-12-31 15:04:05", "Dec 31, 2036 3:04:05 pm", "December 31 2036 15:04:05",
        "31-Dec-2036 15:04:05", "  12-31-2036 3:04:05 PM  "})
    EXPECT_EQ(DateTime::Parse(text), expected) << text;
  for (const auto& [text, date] : std::vector<std::pair<const char*, DateTime>>{
           {"12/31/2036", DateTime(50040)},
           {"1/2/30", DateTime::FromParts(1930, 1, 2)},
           {"1/2/29", DateTime::FromParts(2029, 1, 2)},
           {"3:00 PM", DateTime(0.625)},
           {"7/4/2001 9:08:07 AM", DateTime::FromParts(2001, 7, 4, 9, 8, 7)}})
    EXPECT_EQ(DateTime::Parse(text), date) << text;
}

TEST(DateTime, TextThatIsNoDateIsATypeMismatch) {
  for (const char* text : {"", "hello", "2/30/2024", "13/1/2024", "12/31/2036 25:00",
                           "12/31/2036 13:00 PM", "2036-12-31T15:04:05Z", "12", "Foo 3, 2024"})
    EXPECT_EQ(testing::ErrorOf([&] { DateTime::Parse(text); }).number(), errnum::TypeMismatch)
        << text;
}

}  // namespace
}  // namespace plexion
