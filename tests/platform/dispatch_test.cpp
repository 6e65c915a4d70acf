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
TEST(Dispatch, TablesDescribeTypesAccessorsAndParameters) {
  const auto& members = CounterInterface().members();
  EXPECT_EQ(std::tuple(members[0].kind, members[0].result.Name(), members[1].kind,
                       members[1].params[0].type.Name()),
            std::tuple(InvokeKind::Get, "Long", InvokeKind::Let, "Long"));
  EXPECT_EQ(members[6].result.Name(), "Counter");
  EXPECT_EQ(CounterInterface().IdOfName("sWAP"), 3);
  EXPECT_FALSE(CounterInterface().IdOfName("Nope"));
  EXPECT_THROW(Method("Add", 9, &Counter::Add, {"a"}), std::logic_error);
}

TEST(Dispatch, ConvertsArgumentsAndResultsAndFailuresComeBackAsStatusAndErrorInformation) {
  auto c = MakeRef<Counter>();
  EXPECT_TRUE(Call(*c, 0, InvokeKind::Let, {Variant("42")}).ok());
  EXPECT_EQ(c->Value(), 42);
  const InvokeResult get = Call(*c, 0, InvokeKind::Method | InvokeKind::Get, {});
  EXPECT_EQ(get.value, Variant(std::int32_t{42}));
  EXPECT_EQ(Call(*c, 1, InvokeKind::Get, {Variant(2.0)}).value, Variant("slot 2"));
  EXPECT_EQ(Call(*c, 2, InvokeKind::Method, {Variant(std::int16_t{1}), Variant(true)}).value,
            Variant(std::int32_t{0}));
  EXPECT_EQ(Call(*c, 2, InvokeKind::Method, {Variant(std::int32_t{1})}).value,
            Variant(std::int32_t{11}))
      << "a missing optional argument takes its default";
  EXPECT_EQ(Call(*c, 4, InvokeKind::Method, {}).value, Variant("missing"));
  EXPECT_EQ(Call(*c, 4, InvokeKind::Method, {Variant::Null()}).value, Variant("Null"));
  EXPECT_TRUE(Call(*c, 5, InvokeKind::Get, {}).value.ObjectValue() == c);

  InvokeResult r = Call(*c, 99, InvokeKind::Method, {});
  EXPECT_EQ(r.status, status::MemberNotFound);
  EXPECT_EQ(r.error.number, 438);
  EXPECT_EQ(Call(*c, 1, InvokeKind::Let, {Variant(), Variant()}).status, status::MemberNotFound)
      << "a known id without that accessor";

  r = Call(*c, 2, InvokeKind::Method, {});
  EXPECT_EQ(r.status, status::BadParamCount);
  EXPECT_EQ(r.error.description, "Add takes 1 to 2 arguments, not 0");
  EXPECT_EQ(Call(*c, 0, InvokeKind::Get, {Variant(), Variant()}).status, status::BadParamCount);

  r = Call(*c, 2, InvokeKind::Method, {Variant(std::int32_t{1}), Variant("x")});
  EXPECT_EQ(std::tuple(r.status, r.argError, r.error.number, r.error.source),
            std::tuple(status::TypeMismatch, 1, 13, "Plexion"));
  EXPECT_EQ(Call(*c, 0, InvokeKind::Let, {Variant(1e12)}).status, status::Overflow);
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
