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

TEST(Object, TheLastReferenceThroughAnyInterfaceEndsTheObject) {
  const long before = Object::LiveCount();
  bool died = false;
  Ref<Shape> shape = MakeRef<Square>(&died);
  Ref<Named> named = shape.As<Named>();
  ASSERT_TRUE(named);
  EXPECT_TRUE(shape == named) << "one identity";
  EXPECT_EQ(Object::LiveCount(), before + 1);
  shape.reset();
  EXPECT_FALSE(died);
  named.reset();
  EXPECT_TRUE(died);
  EXPECT_EQ(Object::LiveCount(), before);
}

TEST(Object, AWeakReferenceNeitherHoldsNorOutlivesItsObject) {
  bool died = false;
  Ref<Square> square = MakeRef<Square>(&died);
  WeakRef<Shape> weak{Ref<Shape>(square)};
  WeakRef<Shape> copy = weak;
  EXPECT_TRUE(weak.Lock() == square);
  EXPECT_EQ(square->RefCount(), 1);
  square.reset();
  EXPECT_TRUE(died);
  EXPECT_FALSE(weak.Lock() || copy.Lock());
}

}  // namespace
}  // namespace plexion
