#include <gtest/gtest.h>

#include <functional>

#include "../error_of.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/services/memory_recordset.hpp"

namespace plexion {
namespace {

using testing::ErrorOf;

Ref<MemoryRecordset> TwoRows() {
  return MakeRef<MemoryRecordset>(std::vector<std::string>{"Id", "Name"},
                                  std::vector<MemoryRecordset::Row>{
                                      {Variant(1), Variant(std::string("North"))},
                                      {Variant(2), Variant::Null()},
                                  });
}

// Fields asked for again are reused: each still reads the current row, keeps the name it was
// asked by, and fails as before without a row, for an unknown name, or once the set is gone.
TEST(RecordSetFields, ReusedFieldsReadTheCurrentRowUnderTheNameAsked) {
  auto rs = TwoRows();
  const Ref<DbField> id = rs->Fields()->Item("Id");
  Ref<DbField> name = rs->Fields()->Item("name");
  EXPECT_EQ(ToInt32(rs->Fields()->Item("Id")->Value()), 1);
  EXPECT_EQ(name->Name(), "name");
  EXPECT_EQ(rs->Fields()->Item("Name")->Name(), "Name");
  rs->MoveNext();
  EXPECT_EQ(ToInt32(id->Value()), 2) << "a field kept across MoveNext reads the new row";
  EXPECT_TRUE(name->Value().IsNull());

  struct Case {
    const char* what;
    std::function<void()> read;
    std::int32_t number;
  };
  Ref<DbField> unknown = rs->Fields()->Item("Missing");
  const Case cases[] = {
      {"an unknown name", [&] { rs->MoveFirst(), unknown->Value(); }, 3265},
      {"no current row before the unknown name", [&] { rs->MoveNext(), rs->MoveNext(), unknown->Value(); }, 3021},
      {"no current row", [&] { id->Value(); }, 3021},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.read).number(), c.number) << c.what;
}

// Fields released are reused, held ones are not; a field does not keep its record set alive: both end with their last holders, and a
// field held past its record set reads as closed.
TEST(RecordSetFields, AReusedFieldOutlivesItsRecordSetClosed) {
  const long before = Object::LiveCount();
  Ref<DbField> kept;
  {
    auto rs = TwoRows();
    kept = rs->Fields()->Item("Id");
    const DbField* released = rs->Fields()->Item("Name").get();
    EXPECT_NE(released, kept.get()) << "a field still held is not reused";
    EXPECT_EQ(rs->Fields()->Item("Missing").get(), released) << "a released one is";
  }
  EXPECT_EQ(Object::LiveCount(), before + 1) << "the record set is gone, its field is not";
  EXPECT_EQ(ErrorOf([&] { kept->Value(); }).number(), 3704);
  kept = nullptr;
  EXPECT_EQ(Object::LiveCount(), before);
}

}  // namespace
}  // namespace plexion
