#include <gtest/gtest.h>

#include "core/container/BitArray.h"

namespace {

TEST(BitArrayTest, BitsArePackedFromTheLeastSignificant) {
  Game::BitArray marks;
  marks.setSize(10);
  EXPECT_EQ(marks.size(), 10);
  marks.set(0, true);
  marks.set(9, true);
  marks.set(3, true);
  marks.set(3, false);
  EXPECT_TRUE(marks.get(0));
  EXPECT_FALSE(marks.get(1));
  EXPECT_FALSE(marks.get(3));
  EXPECT_TRUE(marks.get(9));
  marks.setSize(8);  // a new size starts clear
  EXPECT_FALSE(marks.get(0));
  marks.setSize(0);
  EXPECT_EQ(marks.size(), 0);
  marks.release();
}

}  // namespace
