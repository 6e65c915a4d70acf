#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "../error_of.hpp"
#include "plexion/platform/convert.hpp"

namespace plexion {
namespace {

using testing::ErrorOf;

// What a conversion makes of a value, as text (a date as its serial), or "#N" when it fails with
// error N; every failure carries the status that belongs to its number.
template <auto Convert>
std::string As(const Variant& in) {
  try {
    const auto value = Convert(in);
    using Result = std::remove_const_t<decltype(value)>;
    std::ostringstream out;
    if constexpr (std::is_same_v<Result, DateTime>) out << value.serial();
    else if constexpr (std::is_same_v<Result, bool>) out << (value ? "True" : "False");
    else if constexpr (std::is_same_v<Result, std::string>) out << value;
    else out << +value;
    return out.str();
  } catch (const Error& e) {
    EXPECT_EQ(e.status(), status::FromErrorNumber(e.number())) << e.number();
    return "#" + std::to_string(e.number());
  }
}

struct Case {
  std::string (*convert)(const Variant&);
  Variant in;
  std::string out;
};

TEST(VariantConversion, EachConversionAnswersOrFailsAsTheHostLanguageDoes) {
  const Variant null = Variant::Null();
  for (const Case& c : {// Integers round half to even; past their range they overflow with error 6.
                        Case{As<ToInt16>, Variant(2.5), "2"},
                        {As<ToInt16>, Variant(3.5), "4"},
                        {As<ToInt32>, Variant(0.5), "0"},
                        {As<ToInt32>, Variant(1.5f), "2"},
                        {As<ToInt16>, Variant(32766.5), "32766"},
                        {As<ToInt16>, Variant(-32768.5), "-32768"},
                        {As<ToInt16>, Variant(32767.5), "#6"},
                        {As<ToInt16>, Variant(std::int32_t{40000}), "#6"},
                        {As<ToInt32>, Variant(2147483647.5), "#6"},
                        {As<ToInt32>, Variant(-2147483648.0), "-2147483648"},
                        {As<ToInt32>, Variant(1e300), "#6"},
                        {As<ToInt32>, Variant(true), "-1"},
                        {As<ToInt32>, Variant(), "0"},
                        {As<ToInt32>, Variant(DateTime(3.5)), "4"},
                        // Numeric text converts; any other text is a type mismatch (error 13).
                        {As<ToInt32>, Variant(" 12 "), "12"},
                        {As<ToInt32>, Variant("-1.5e3"), "-1500"},
                        {As<ToInt32>, Variant("1,234"), "1234"},
                        {As<ToInt32>, Variant("&HFF"), "255"},
                        {As<ToInt32>, Variant("&HFFFFFFFF"), "-1"},
                        {As<ToDouble>, Variant("2.25"), "2.25"},
                        {As<ToInt16>, Variant("99999"), "#6"},
                        {As<ToInt32>, Variant(""), "#13"},
                        {As<ToInt32>, Variant("abc"), "#13"},
                        {As<ToInt32>, Variant("12abc"), "#13"},
                        {As<ToInt32>, Variant("0x10"), "#13"},
                        {As<ToInt32>, Variant("nan"), "#13"},
                        // Booleans from text and numbers, and from nothing else.
                        {As<ToBool>, Variant("true"), "True"},
                        {As<ToBool>, Variant(" FALSE "), "False"},
                        {As<ToBool>, Variant("-1"), "True"},
                        {As<ToBool>, Variant(0.5), "True"},
                        {As<ToBool>, Variant(), "False"},
                        {As<ToBool>, Variant("yes"), "#13"},
                        {As<ToBool>, Variant::Nothing(), "#13"},
                        // Dates from text and serials within range.
                        {As<ToDate>, Variant("12/31/2036"), "50040"},
                        {As<ToDate>, Variant(std::int32_t{50040}), "50040"},
                        {As<ToDate>, Variant("not a date"), "#13"},
                        {As<ToDate>, Variant(1e9), "#6"},
                        // Null is an invalid use of Null (error 94) to every conversion.
                        {As<ToString>, null, "#94"},
                        {As<ToDate>, null, "#94"}}) {
    EXPECT_EQ(c.convert(c.in), c.out) << c.in.Describe();
  }
}

TEST(VariantConversion, ToStringWritesAsTheHostLanguageDoes) {
  for (const auto& [in, text] :
       std::vector<std::pair<Variant, std::string>>{{Variant(), ""},
                                                    {Variant(true), "True"},
                                                    {Variant(false), "False"},
                                                    {Variant(std::int16_t{-7}), "-7"},
                                                    {Variant(1.5), "1.5"},
                                                    {Variant(0.1f), "0.1"},
                                                    {Variant(1e20), "1E+20"},
                                                    {Variant(0.00001), "1E-05"},
                                                    {Variant(123456789012345.0), "123456789012345"},
                                                    {Variant(DateTime(50040)), "12/31/2036"}}) {
    EXPECT_EQ(ToString(in), text);
  }
  EXPECT_EQ(ErrorOf([] { ToString(Variant::Nothing()); }).number(), errnum::TypeMismatch);
}

TEST(Variant, NullNothingEmptyAreThreeDifferentValues) {
  const Variant null = Variant::Null(), nothing = Variant::Nothing(), empty;
  EXPECT_FALSE(null == empty || nothing == empty || null == nothing);
  EXPECT_TRUE(nothing.IsObject() && !ToObject(nothing));
  EXPECT_EQ(nothing.Describe(), "Nothing");
  EXPECT_EQ(ErrorOf([] { ToObject(Variant()); }).number(), errnum::TypeMismatch);
}

TEST(Variant, AReferenceWritesTheCallersVariable) {
  std::int32_t id = 7;
  Variant ref = Variant::RefTo(id);
  EXPECT_EQ(std::tuple(ref.IsByRef(), ref.Type(), ToInt32(ref)),
            std::tuple(true, VarType::Int32, 7));
  ref.Assign(Variant("42"));
  EXPECT_EQ(ErrorOf([&] { ref.Assign(Variant("x")); }).number(), 13);
  EXPECT_EQ(id, 42) << "converted on the way in; a failed conversion leaves the variable as it was";

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

  EXPECT_FALSE(textRef.Value().IsByRef()) << "the value is a copy";
}

TEST(Variant, ArraysAreValuesThatKeepTheirBounds) {
  StringArray names(3, 4);
  names.at(3) = "a";
  names.at(4) = "b";
  const Variant v(names);
  names.at(3) = "changed";
  EXPECT_EQ(v.Describe(), "String(3 To 4) {\"a\", \"b\"}") << "copied with the variant";
  EXPECT_EQ(ToStringArray(v).LBound(), 3);
  EXPECT_EQ(StringArray::FromVector({}, 0).UBound(), -1) << "allocated without elements";
}

TEST(Variant, ASubscriptOutsideTheBoundsIsError9) {
  StringArray unallocated;
  Array<std::int16_t> grid(Bounds{1, 2}, Bounds{0, 2});
  const std::function<void()> cases[] = {[&] { unallocated.UBound(); }, [&] { grid.at(3, 0); },
                                         [&] { grid.at(1, 3); }, [&] { grid.at(1); }};
  for (const auto& call : cases) EXPECT_EQ(ErrorOf(call).number(), errnum::SubscriptOutOfRange);
}

TEST(Variant, RedimPreserveKeepsTheLowerBoundWithTheContents) {
  StringArray list(5, 5);
  list.at(5) = "x";
  list.RedimPreserve(7);
  EXPECT_EQ(Variant(list).Describe(), "String(5 To 7) {\"x\", \"\", \"\"}");
}

}  // namespace
}  // namespace plexion
