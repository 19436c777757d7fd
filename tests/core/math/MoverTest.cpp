#include <gtest/gtest.h>

#include "core/math/Mover.h"

namespace {

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
