#include <gtest/gtest.h>

#include "core/math/Mover.h"

namespace {

TEST(MoverTest, DampingShrinksEveryStep) {
  Game::Mover mover;
  mover.setVelocity(1.f);
  mover.setDamping(0.5f);
  float expected = 0.f;
  float stride = 1.f;
  for (int i = 0; i < 5; ++i) {
    mover.step();
    expected += stride;
    stride *= 0.5f;
    EXPECT_FLOAT_EQ(mover.value(), expected);
  }
}

TEST(MoverTest, AccelerateToAndMoveToAimAtTheTarget) {
  Game::Mover mover;
  mover.accelerateTo(10.f, 100.f);
  EXPECT_FLOAT_EQ(mover.acceleration(), 2.f);

  mover.reset();
  mover.setValue(10.f);
  mover.setAcceleration(2.f);
  mover.moveTo(4.f, 50.f);  // (50 − 10 − 16) / 4
  EXPECT_FLOAT_EQ(mover.velocity(), 6.f);

  mover.setDamping(0.f);
  mover.reset();  // damping back to none
  EXPECT_FLOAT_EQ(mover.damping(), 1.f);
}

}  // namespace
