#include <gtest/gtest.h>

#include "plexion/platform/object.hpp"

namespace plexion {
namespace {

class Shape : public virtual Object {};
class Named : public virtual Object {};
class Square final : public Shape, public Named {
 public:
  explicit Square(bool* died) : died_(died) {}
  ~Square() override { *died_ = true; }

 private:
  bool* died_;
};

TEST(Object, CountedReferencesTheLiveCountIdentityThroughEveryInterfaceAndWeakReferences) {
  const long before = Object::LiveCount();
  bool died = false;
  {
    Ref<Square> square = MakeRef<Square>(&died);
    EXPECT_EQ(Object::LiveCount(), before + 1);
    Ref<Shape> shape = square;
    EXPECT_EQ(square->RefCount(), 2);
    shape.reset();
    EXPECT_EQ(square->RefCount(), 1);
  }
  EXPECT_TRUE(died);
  EXPECT_EQ(Object::LiveCount(), before);

  bool otherDied = false;
  died = false;
  Ref<Square> square = MakeRef<Square>(&died);
  Ref<Shape> shape = square;
  Ref<Named> named = shape.As<Named>();
  ASSERT_TRUE(named);
  EXPECT_TRUE(shape == named);
  EXPECT_EQ(shape.identity(), named.identity());
  EXPECT_FALSE(shape == MakeRef<Square>(&otherDied));
  WeakRef<Shape> weak{shape};
  WeakRef<Shape> copy = weak;
  shape.reset();
  named.reset();
  EXPECT_TRUE(weak.Lock() == square);
  EXPECT_EQ(square->RefCount(), 1);
  square.reset();
  EXPECT_TRUE(died);
  EXPECT_FALSE(weak.Lock());
  EXPECT_FALSE(copy.Lock());
}

}  // namespace
}  // namespace plexion
