#include <gtest/gtest.h>

#include "core/math/Mover.h"
#include "core/math/Mover3.h"

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

// Every operation reaches all three components, each with its own values.
TEST(MoverTest, Mover3AppliesEachOperationPerComponent) {
  Game::Mover3 mover;
  mover.setValue(1.f, 2.f, 3.f);
  mover.setVelocity(Engine::Math::Vector3(1.f, 0.f, -1.f));
  mover.setAccelerationAll(1.f);
  mover.setDampingAll(0.5f);
  mover.step();
  mover.step();
  const Engine::Math::Vector3 v = mover.value();
  EXPECT_FLOAT_EQ(v.x, 1.f + 1.f + 1.f);
  EXPECT_FLOAT_EQ(v.y, 2.f + 0.f + 0.5f);
  EXPECT_FLOAT_EQ(v.z, 3.f - 1.f + 0.f);
  mover.stop();
  mover.accelerateTo(10.f, Engine::Math::Vector3(103.f, 2.5f, 2.f));
  EXPECT_FLOAT_EQ(mover.x.acceleration(), 2.f);
  EXPECT_FLOAT_EQ(mover.y.acceleration(), 0.f);
}

}  // namespace
