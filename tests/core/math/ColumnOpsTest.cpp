#include <gtest/gtest.h>

#include "core/math/ColumnOps.h"

namespace {

TEST(ColumnOpsTest, SwapNormaliseAndEliminate) {
  Game::Array2D<float> m;
  m.setSize2D(2, 2);
  m.atXY(0, 0) = 2.f;
  m.atXY(0, 1) = 4.f;
  m.atXY(1, 0) = 6.f;
  m.atXY(1, 1) = 3.f;
  Game::MathHelper::swapColumns(m, 0, 1);
  EXPECT_FLOAT_EQ(m.atXY(0, 0), 4.f);
  EXPECT_FLOAT_EQ(m.atXY(1, 1), 6.f);
  Game::MathHelper::swapColumns(m, 1, 1);
  EXPECT_FLOAT_EQ(m.atXY(0, 1), 2.f);

  Game::MathHelper::normaliseColumn(m, 0, 0);  // column 0 divided by 4
  EXPECT_FLOAT_EQ(m.atXY(0, 0), 1.f);
  EXPECT_FLOAT_EQ(m.atXY(1, 0), 0.75f);

  // Clear m[0][1] = 2 with column 0: column 1 −= 2 · column 0.
  Game::MathHelper::eliminate(m, 1, 0, 0);
  EXPECT_EQ(m.atXY(0, 1), 0.f);
  EXPECT_FLOAT_EQ(m.atXY(1, 1), 6.f - 2.f * 0.75f);
}

}  // namespace
