#include <gtest/gtest.h>

#include "plexion/platform/convert.hpp"

namespace plexion {
namespace {

// The error a conversion raises, as its number and status.
template <class F>
std::pair<int, Status> ErrorOf(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return {e.number(), e.status()};
  }
  return {0, 0};
}

TEST(VariantConversion, IntegersRoundHalfToEvenAndOverflowWithError6) {
  EXPECT_EQ(ToInt16(Variant(2.5)), 2);
  EXPECT_EQ(ToInt16(Variant(3.5)), 4);
  EXPECT_EQ(ToInt16(Variant(-2.5)), -2);
  EXPECT_EQ(ToInt32(Variant(0.5)), 0);
  EXPECT_EQ(ToInt32(Variant(1.5f)), 2);
  EXPECT_EQ(ToInt32(Variant(2.4999)), 2);
  EXPECT_EQ(ToInt16(Variant(32766.5)), 32766);
  EXPECT_EQ(ToInt16(Variant(-32768.5)), -32768);
  EXPECT_EQ(ErrorOf([] { ToInt16(Variant(32767.5)); }),
            std::make_pair(6, status::FromErrorNumber(6)));
  EXPECT_EQ(ErrorOf([] { ToInt16(Variant(std::int32_t{40000})); }).first, 6);
  EXPECT_EQ(ErrorOf([] { ToInt32(Variant(2147483647.5)); }).first, 6);
  EXPECT_EQ(ToInt32(Variant(-2147483648.0)), INT32_MIN);
  EXPECT_EQ(ErrorOf([] { ToInt32(Variant(1e300)); }).first, 6);
  EXPECT_EQ(ToInt32(Variant(true)), -1);
  EXPECT_EQ(ToInt32(Variant()), 0);
  EXPECT_EQ(ToInt32(Variant(DateTime(3.5))), 4);
}

TEST(VariantConversion, NumericTextConvertsAndOtherTextIsATypeMismatch) {
  EXPECT_EQ(ToInt32(Variant(" 12 ")), 12);
  EXPECT_EQ(ToInt32(Variant("-1.5e3")), -1500);
  EXPECT_EQ(ToInt32(Variant("1,234")), 1234);
  EXPECT_EQ(ToInt32(Variant("&HFF")), 255);
  EXPECT_EQ(ToInt32(Variant("&HFFFFFFFF")), -1);
  EXPECT_EQ(ToDouble(Variant("2.25")), 2.25);
  for (const char* bad : {"", "abc", "12abc", "1e", "0x10", "nan", "inf", "1.2.3"}) {
    EXPECT_EQ(ErrorOf([&] { ToInt32(Variant(bad)); }),
              std::make_pair(13, status::FromErrorNumber(13)))
        << bad;
  }
  EXPECT_EQ(ErrorOf([] { ToInt16(Variant("99999")); }).first, 6);
}

TEST(VariantConversion, NullIsInvalidUseOfNullEverywhereButToBeCompared) {
  const Variant null = Variant::Null();
  EXPECT_EQ(ErrorOf([&] { ToString(null); }), std::make_pair(94, status::FromErrorNumber(94)));
  EXPECT_EQ(ErrorOf([&] { ToInt32(null); }).first, 94);
  EXPECT_EQ(ErrorOf([&] { ToBool(null); }).first, 94);
  EXPECT_EQ(ErrorOf([&] { ToDate(null); }).first, 94);
  EXPECT_TRUE(null.IsNull());
  EXPECT_FALSE(null == Variant());
}

TEST(VariantConversion, StringsAsTheHostLanguageWritesThem) {
  EXPECT_EQ(ToString(Variant()), "");
  EXPECT_EQ(ToString(Variant(true)), "True");
  EXPECT_EQ(ToString(Variant(false)), "False");
  EXPECT_EQ(ToString(Variant(std::int16_t{-7})), "-7");
  EXPECT_EQ(ToString(Variant(1.5)), "1.5");
  EXPECT_EQ(ToString(Variant(0.1f)), "0.1");
  EXPECT_EQ(ToString(Variant(1e20)), "1E+20");
  EXPECT_EQ(ToString(Variant(0.00001)), "1E-05");
  EXPECT_EQ(ToString(Variant(123456789012345.0)), "123456789012345");
  EXPECT_EQ(ToString(Variant(DateTime(50040))), "12/31/2036");
  EXPECT_EQ(ErrorOf([] { ToString(Variant::Nothing()); }).first, 13);
}

TEST(VariantConversion, BooleansFromTextNumbersAndNothingElse) {
  EXPECT_TRUE(ToBool(Variant("true")));
  EXPECT_FALSE(ToBool(Variant(" FALSE ")));
  EXPECT_TRUE(ToBool(Variant("-1")));
  EXPECT_FALSE(ToBool(Variant("0")));
  EXPECT_TRUE(ToBool(Variant(0.5)));
  EXPECT_FALSE(ToBool(Variant()));
  EXPECT_EQ(ErrorOf([] { ToBool(Variant("yes")); }).first, 13);
  EXPECT_EQ(ErrorOf([] { ToBool(Variant::Nothing()); }).first, 13);
}

TEST(VariantConversion, DatesFromTextAndSerialsWithinRange) {
  EXPECT_EQ(ToDate(Variant("12/31/2036")).serial(), 50040);
  EXPECT_EQ(ToDate(Variant(std::int32_t{50040})).serial(), 50040);
  EXPECT_EQ(ErrorOf([] { ToDate(Variant("not a date")); }).first, 13);
  EXPECT_EQ(ErrorOf([] { ToDate(Variant(1e9)); }).first, 6);
}

TEST(Variant, NoObjectIsNotEmpty) {
  const Variant nothing = Variant::Nothing();
  EXPECT_TRUE(nothing.IsObject());
  EXPECT_FALSE(nothing.IsEmpty());
  EXPECT_FALSE(ToObject(nothing));
  EXPECT_FALSE(nothing == Variant());
  EXPECT_EQ(nothing.Describe(), "Nothing");
  EXPECT_EQ(ErrorOf([] { ToObject(Variant()); }).first, 13);
}

TEST(Variant, ReferencesReadAndWriteTheCallersVariable) {
  std::int32_t id = 7;
  Variant ref = Variant::RefTo(id);
  EXPECT_TRUE(ref.IsByRef());
  EXPECT_EQ(ref.Type(), VarType::Int32);
  EXPECT_EQ(ToInt32(ref), 7);
  ref.Assign(Variant("42"));
  EXPECT_EQ(id, 42);
  EXPECT_EQ(ErrorOf([&] { ref.Assign(Variant("x")); }).first, 13);
  EXPECT_EQ(id, 42) << "a failed conversion leaves the variable as it was";

  Variant target("old");
  Variant outer = Variant::RefTo(target);
  Variant chained = Variant::RefTo(outer);
  chained.Assign(Variant(true));
  EXPECT_EQ(target, Variant(true)) << "a variant target takes the value and its type";
  EXPECT_EQ(ToString(chained), "True");

  std::string text = "a";
  Variant textRef = Variant::RefTo(text);
  EXPECT_EQ(textRef.StringValue(), "a");
  textRef.Assign(Variant(std::int16_t{5}));
  EXPECT_EQ(text, "5");

  Variant copy = textRef.Value();
  EXPECT_FALSE(copy.IsByRef());
}

TEST(Variant, ArraysKeepTheirBoundsAndElementType) {
  StringArray names(3, 4);
  names.at(3) = "a";
  names.at(4) = "b";
  const Variant v(names);
  EXPECT_TRUE(v.IsArray());
  EXPECT_EQ(v.ElementType(), VarType::String);
  const StringArray back = ToStringArray(v);
  EXPECT_EQ(back.LBound(), 3);
  EXPECT_EQ(back.UBound(), 4);
  EXPECT_EQ(back, names);
  EXPECT_EQ(v.Describe(), "String(3 To 4) {\"a\", \"b\"}");

  Variant copy = v;
  names.at(3) = "changed";
  EXPECT_EQ(ToStringArray(copy).at(3), "a") << "arrays are values, copied with the variant";
}

TEST(Array, BoundsUnallocatedStateAndGrowth) {
  StringArray unallocated;
  EXPECT_FALSE(unallocated.allocated());
  EXPECT_EQ(ErrorOf([&] { unallocated.UBound(); }).first, 9);

  Array<std::int16_t> grid(Bounds{1, 2}, Bounds{0, 2});
  grid.at(2, 0) = 5;
  grid.at(1, 2) = 7;
  EXPECT_EQ(grid.UBound(2), 2);
  EXPECT_EQ(grid.at(2, 0), 5);
  EXPECT_EQ(ErrorOf([&] { grid.at(3, 0); }).first, 9);
  EXPECT_EQ(ErrorOf([&] { grid.at(1); }).first, 9) << "one index on two dimensions";

  StringArray list(5, 5);
  list.at(5) = "x";
  list.RedimPreserve(7);
  EXPECT_EQ(list.LBound(), 5);
  EXPECT_EQ(list.at(5), "x");
  EXPECT_EQ(list.at(7), "");

  StringArray empty = StringArray::FromVector({}, 0);
  EXPECT_TRUE(empty.allocated());
  EXPECT_EQ(empty.UBound(), -1);
}

}  // namespace
}  // namespace plexion
