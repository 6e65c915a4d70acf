#include <gtest/gtest.h>

#include "plexion/platform/dispatch.hpp"

namespace plexion {
namespace {

using namespace dispatch;

class Counter : public virtual Object {
 public:
  static constexpr std::string_view kTypeName = "Counter";
  std::int32_t Value() const { return value_; }
  void Value(std::int32_t v) { value_ = v; }
  std::string Label(std::int16_t index) const { return "slot " + std::to_string(index); }
  std::int32_t Add(std::int32_t a, std::int32_t b) { return a + b; }
  void Swap(std::string& a, std::int32_t& b) {
    a += "!";
    b = -b;
    if (a == "fail!") throw Error::External(static_cast<Status>(0x80040001), "Counter", "no");
  }
  std::string Describe(std::optional<Variant> v) { return v ? v->Describe() : "missing"; }
  Ref<Counter> Self() const { return Ref<Counter>(const_cast<Counter*>(this)); }

 private:
  std::int32_t value_ = 0;
};

const InterfaceInfo& CounterInterface() {
  static const InterfaceInfo itf(
      "_Counter", Guid::Parse("{00000000-0000-0000-0000-000000000001}"),
      {Get("Value", 0, &Counter::Value), Let("Value", 0, &Counter::Value),
       Get("Label", 1, &Counter::Label, {"index"}),
       Method("Add", 2, &Counter::Add, {"a", Param("b").Optional(Variant(std::int32_t{10}))}),
       Method("Swap", 3, &Counter::Swap, {"a", "b"}),
       Method("Describe", 4, &Counter::Describe, {"v"}), Get("Self", 5, &Counter::Self)});
  return itf;
}

InvokeResult Call(Counter& c, DispId id, InvokeKind kind, std::vector<Variant> args) {
  return Invoke(c, CounterInterface(), id, kind, args);
}

// Whether a parameter is by reference or optional shows in how the calls below behave.
// The member types a table describes are the published type library's (Docs.TypeLibraryIsCurrent).
TEST(Dispatch, NamesAreFoundWithoutCase) {
  EXPECT_EQ(CounterInterface().IdOfName("sWAP"), 3);
  EXPECT_FALSE(CounterInterface().IdOfName("Nope"));
}

TEST(Dispatch, ATableThatLeavesAParameterUnnamedIsRefused) {
  EXPECT_THROW(Method("Add", 9, &Counter::Add, {"a"}), std::logic_error);
}

constexpr auto kMethod = InvokeKind::Method, kGet = InvokeKind::Get, kLet = InvokeKind::Let;

TEST(Dispatch, ArgumentsConvertToTheParametersTypes) {
  struct Case {
    const char* what;
    DispId id;
    InvokeKind kind;
    std::vector<Variant> args;
    Variant result;
  };
  auto c = MakeRef<Counter>();
  c->Value(42);
  const Variant shortOne(std::int16_t{1});
  const Case cases[] = {
      {"a get as a method", 0, kMethod | kGet, {}, Variant(42)},
      {"a double index", 1, kGet, {Variant(2.0)}, Variant("slot 2")},
      {"a short and a Boolean to Longs", 2, kMethod, {shortOne, Variant(true)}, Variant(0)},
      {"an omitted optional", 2, kMethod, {Variant(1)}, Variant(11)},
      {"an omitted variant", 4, kMethod, {}, Variant("missing")},
      {"a Null variant", 4, kMethod, {Variant::Null()}, Variant("Null")}};
  for (const Case& k : cases) EXPECT_EQ(Call(*c, k.id, k.kind, k.args).value, k.result) << k.what;
  EXPECT_TRUE(Call(*c, 0, kLet, {Variant("7")}).ok());
  EXPECT_EQ(c->Value(), 7) << "numeric text to a Long";
  EXPECT_TRUE(Call(*c, 5, kGet, {}).value.ObjectValue() == c);
}

TEST(Dispatch, EachFailureComesBackAsItsStatusWithErrorInformation) {
  using Expected = std::pair<Status, std::int32_t>;
  const Expected noMember{status::MemberNotFound, errnum::ObjectDoesNotSupport};
  const Expected badCount{status::BadParamCount, errnum::WrongArgumentCount};
  const Expected mismatch{status::TypeMismatch, errnum::TypeMismatch};
  const Expected overflow{status::Overflow, errnum::Overflow};
  struct Case {
    const char* what;
    DispId id;
    InvokeKind kind;
    std::vector<Variant> args;
    Expected expected;
  };
  auto c = MakeRef<Counter>();
  const Case cases[] = {
      {"an unknown id", 99, kMethod, {}, noMember},
      {"an accessor the id lacks", 1, kLet, {Variant(), Variant()}, noMember},
      {"too few arguments", 2, kMethod, {}, badCount},
      {"too many arguments", 0, kGet, {Variant(), Variant()}, badCount},
      {"text that is no number", 2, kMethod, {Variant(1), Variant("x")}, mismatch},
      {"a number too large", 0, kLet, {Variant(1e12)}, overflow}};
  for (const Case& k : cases) {
    const InvokeResult r = Call(*c, k.id, k.kind, k.args);
    EXPECT_EQ(Expected(r.status, r.error.number), k.expected) << k.what;
  }
  const InvokeResult r = Call(*c, 2, kMethod, {Variant(1), Variant("x")});
  EXPECT_EQ(std::tuple(r.argError, r.error.source), std::tuple(1, "Plexion"));
  EXPECT_EQ(Call(*c, 2, kMethod, {}).error.description, "Add takes 1 to 2 arguments, not 0");
}

TEST(Dispatch, ByReferenceArgumentsAreWrittenBack) {
  auto c = MakeRef<Counter>();
  std::string text = "a";
  Variant number(std::int16_t{5});
  std::vector<Variant> args{Variant::RefTo(text), Variant::RefTo(number)};
  EXPECT_TRUE(Invoke(*c, CounterInterface(), 3, InvokeKind::Method, args).ok());
  EXPECT_EQ(text, "a!");
  EXPECT_EQ(number, Variant(std::int32_t{-5})) << "a variant takes the parameter's type";

  std::vector<Variant> byValue{Variant("b"), Variant(std::int32_t{1})};
  EXPECT_TRUE(Invoke(*c, CounterInterface(), 3, InvokeKind::Method, byValue).ok());
  EXPECT_EQ(byValue[0], Variant("b")) << "a value argument is not written";

  // A member's own error comes back as an exception with its status, source and text.
  std::string failing = "fail";
  std::int32_t n = 3;
  const InvokeResult r =
      Call(*c, 3, InvokeKind::Method, {Variant::RefTo(failing), Variant::RefTo(n)});
  EXPECT_EQ(r.status, status::Exception);
  EXPECT_EQ(std::tuple(r.error.scode, r.error.source, r.error.description),
            std::tuple(static_cast<Status>(0x80040001), "Counter", "no"));
  EXPECT_EQ(failing, "fail!") << "what the member wrote before failing stays written";
  EXPECT_EQ(n, -3);
}

}  // namespace
}  // namespace plexion
