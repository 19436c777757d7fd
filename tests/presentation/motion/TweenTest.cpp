#include "presentation/motion/Tween.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Game {
namespace {

// A tween at rest on `start`, moving over `duration` frames.
Tween restingAt(float start, float duration) {
  Tween t;
  t.setDuration(duration);
  t.setTarget(start);
  return t;
}

TEST(TweenTest, FirstTargetIsTakenAtOnce) {
  Tween t;
  t.setDuration(10.f);
  t.setTarget(5.f);
  EXPECT_EQ(t.value(), 5.f);
  EXPECT_EQ(t.velocity(), 0.f);
}

TEST(TweenTest, GlidesHalfwayAtHalfTimeAndArrivesAtRest) {
  Tween t = restingAt(0.f, 10.f);
  t.setTarget(10.f);
  EXPECT_EQ(t.value(), 0.f);
  EXPECT_EQ(t.velocity(), 0.f);
  for (int i = 0; i < 5; ++i) {
    t.step();
  }
  EXPECT_NEAR(t.value(), 5.f, 1e-5f);
  EXPECT_GT(t.velocity(), 0.f);
  for (int i = 0; i < 5; ++i) {
    t.step();
  }
  EXPECT_EQ(t.value(), 10.f);
  EXPECT_EQ(t.velocity(), 0.f);
  // The velocity runs down into rest: the last frame of motion is slow.
  Tween u = restingAt(0.f, 10.f);
  u.setTarget(10.f);
  for (int i = 0; i < 9; ++i) {
    u.step();
  }
  EXPECT_NEAR(u.velocity(), 0.54f, 1e-5f);
  EXPECT_NEAR(u.value(), 9.72f, 1e-5f);
}

TEST(TweenTest, StepStopsAtTheDuration) {
  Tween t = restingAt(0.f, 2.5f);
  t.setTarget(1.f);
  for (int i = 0; i < 10; ++i) {
    t.step();
  }
  EXPECT_EQ(t.elapsed(), 3);
  EXPECT_EQ(t.value(), 1.f);
}

TEST(TweenTest, SameTargetChangesNothing) {
  Tween t = restingAt(0.f, 10.f);
  t.setTarget(10.f);
  t.step();
  t.step();
  const float before = t.value();
  t.setTarget(10.f);
  EXPECT_EQ(t.elapsed(), 2);
  EXPECT_EQ(t.value(), before);
}

TEST(TweenTest, NewTargetMidFlightKeepsValueAndVelocity) {
  Tween t = restingAt(0.f, 10.f);
  t.setTarget(10.f);
  for (int i = 0; i < 4; ++i) {
    t.step();
  }
  const float value = t.value();
  const float velocity = t.velocity();
  t.setTarget(-20.f);
  EXPECT_EQ(t.elapsed(), 0);
  EXPECT_FLOAT_EQ(t.value(), value);
  EXPECT_FLOAT_EQ(t.velocity(), velocity);
  for (int i = 0; i < 10; ++i) {
    t.step();
  }
  EXPECT_EQ(t.value(), -20.f);
}

TEST(TweenTest, SnapToTheCurrentTargetStillPlacesIt) {
  Tween t = restingAt(0.f, 10.f);
  t.setTarget(10.f);
  t.step();
  t.reset();
  t.setTarget(10.f);
  EXPECT_EQ(t.value(), 10.f);
  EXPECT_EQ(t.velocity(), 0.f);
  t.setTarget(0.f);  // the snap was used up: this one moves
  EXPECT_EQ(t.value(), 10.f);
}

TEST(TweenTest, FinishStandsOnTheTarget) {
  Tween t = restingAt(0.f, 10.f);
  t.setTarget(4.f);
  t.step();
  t.finish();
  EXPECT_EQ(t.value(), 4.f);
  EXPECT_EQ(t.velocity(), 0.f);
}

TEST(TweenTest, DurationWithoutLengthJumpsWithoutNaN) {
  for (float duration : {0.f, -3.f, std::nanf("")}) {
    Tween t = restingAt(1.f, duration);
    t.setTarget(7.f);
    EXPECT_EQ(t.value(), 7.f) << duration;
    EXPECT_EQ(t.velocity(), 0.f) << duration;
    t.step();
    // Lengthened later, the tween stays where it stood.
    t.setDuration(5.f);
    t.setTarget(7.f);
    EXPECT_EQ(t.value(), 7.f) << duration;
  }
}

TEST(Vec3TweenTest, MovesEachAxis) {
  Vec3Tween v;
  v.setDuration(10.f);
  v.setTarget(Engine::Math::Vector3(0.f, 1.f, 2.f));
  v.setTarget(10.f, 1.f, -2.f);
  for (int i = 0; i < 5; ++i) {
    v.step();
  }
  const Engine::Math::Vector3 half = v.value();
  EXPECT_NEAR(half.x, 5.f, 1e-5f);
  EXPECT_EQ(half.y, 1.f);
  EXPECT_NEAR(half.z, 0.f, 1e-5f);
  v.finish();
  EXPECT_EQ(v.value().z, -2.f);
}

}  // namespace
}  // namespace Game
