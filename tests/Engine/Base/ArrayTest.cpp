#include <gtest/gtest.h>

#include "Engine/Base/Array.h"

namespace {

struct Counted {
  static inline int alive = 0;
  Counted() { ++alive; }
  ~Counted() { --alive; }
};

TEST(ArrayTest, ShrinkKeepsStorageAndDestroysTheTail) {
  Counted::alive = 0;
  {
    Engine::Array<Counted> array(3);
    EXPECT_EQ(Counted::alive, 3);
    Counted* storage = array.data();
    array.setSize(2);
    EXPECT_EQ(Counted::alive, 2);
    EXPECT_EQ(array.data(), storage);
  }
  EXPECT_EQ(Counted::alive, 0);
}

using ArrayDeathTest = ::testing::Test;

TEST_F(ArrayDeathTest, GrowingAnArrayWithStorageOrAnIndexOutsideItHalts) {
  Engine::Array<int> array(3);
  EXPECT_DEATH(array.setSize(5), "ArrayImpl\\.h:[0-9]+ : \\( ?size <= mSize ?\\) && \"Array::setSize\\(\\) : extension is not supperted\\.\"");
  EXPECT_DEATH(array[-1] = 0, "Critical Error!");
  EXPECT_DEATH(array[3] = 0, "Engine/include/Engine/Base/Impl/ArrayImpl\\.h:[0-9]+ : i >= 0 && i < mSize && \"range error\\.\"");
}

}  // namespace
