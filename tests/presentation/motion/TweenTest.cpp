#include <gtest/gtest.h>

#include <cmath>

#include "file/nml/NmlDocument.h"
#include "presentation/motion/Tween.h"
#include "presentation/motion/Vec3Curve.h"

namespace Game {
namespace {

// A tween at rest on `start`, moving over `duration` frames.
Tween restingAt(float start, float duration) {
  Tween t;
  t.setDuration(duration);
  t.setTarget(start);
  return t;
}

void steps(Tween& t, int n) { for (int i = 0; i < n; ++i) t.step(); }

TEST(TweenTest, GlidesFromRestHalfwayAtHalfTimeAndArrivesAtRest) {
  Tween t = restingAt(3.f, 10.f);  // the first target is taken at once
  t.setTarget(13.f);
  EXPECT_EQ(t.value(), 3.f);
  EXPECT_EQ(t.velocity(), 0.f);
  steps(t, 5);
  EXPECT_NEAR(t.value(), 8.f, 1e-5f);
  steps(t, 4);
  // The velocity runs down into rest: the last frame of motion is slow.
  EXPECT_NEAR(t.velocity(), 0.54f, 1e-5f);
  EXPECT_NEAR(t.value(), 12.72f, 1e-5f);
  steps(t, 5);  // stops at the duration
  EXPECT_EQ(t.value(), 13.f);
  EXPECT_EQ(t.velocity(), 0.f);
  Tween fractional = restingAt(0.f, 2.5f);
  fractional.setTarget(1.f);
  steps(fractional, 10);
  EXPECT_EQ(fractional.elapsed(), 3);
  EXPECT_EQ(fractional.value(), 1.f);
}

TEST(TweenTest, NewTargetMidFlightKeepsValueAndVelocityButTheSameTargetChangesNothing) {
  Tween t = restingAt(0.f, 10.f);
  t.setTarget(10.f);
  steps(t, 4);
  const float value = t.value();
  const float velocity = t.velocity();
  t.setTarget(10.f);
  EXPECT_EQ(t.elapsed(), 4);
  t.setTarget(-20.f);
  EXPECT_EQ(t.elapsed(), 0);
  EXPECT_FLOAT_EQ(t.value(), value);
  EXPECT_FLOAT_EQ(t.velocity(), velocity);
  steps(t, 10);
  EXPECT_EQ(t.value(), -20.f);
}

TEST(TweenTest, SnapAndFinishStandOnTheTarget) {
  Tween t = restingAt(0.f, 10.f);
  t.setTarget(10.f);
  t.step();
  t.reset();
  t.setTarget(10.f);  // the current target still places it
  EXPECT_EQ(t.value(), 10.f);
  EXPECT_EQ(t.velocity(), 0.f);
  t.setTarget(4.f);  // the snap was used up: this one moves
  EXPECT_EQ(t.value(), 10.f);
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
  for (int i = 0; i < 5; ++i) v.step();
  EXPECT_NEAR(v.value().x, 5.f, 1e-5f);
  EXPECT_NEAR(v.value().z, 0.f, 1e-5f);
  v.finish();
  EXPECT_EQ(v.value().z, -2.f);
}

}  // namespace
}  // namespace Game

namespace Game {
namespace {

using Engine::Math::Vector3;

constexpr float kTolerance = 1e-3f;

TEST(Vec3CurveTest, AxesOverrideAllAndMissingAxesKeepTheirCurve) {
  NmlDocument doc;
  doc.loadFromText("v.txt",
                   "v{all{{value 0;delay 10;}{value 10;}}x{value 3;}}"
                   "w{y{{value 1;delay 4;}{value 2;}}}");
  Vec3Curve v;
  v.load(*doc.findChild("v"));
  EXPECT_NEAR(v.valueAt(5.f).x, 3.f, kTolerance);
  EXPECT_NEAR(v.valueAt(5.f).y, 5.f, kTolerance);
  EXPECT_NEAR(v.valueAt(5.f).z, 5.f, kTolerance);
  EXPECT_NEAR(v.velocityAt(5.f).z, 1.f, kTolerance);

  Vec3Curve w;
  w.setConstant(Vector3(7.f, 7.f, 7.f));
  w.load(*doc.findChild("w"));
  EXPECT_EQ(w.valueAt(1.f).x, 7.f);
  EXPECT_NEAR(w.valueAt(2.f).y, 1.5f, kTolerance);
  w.scale(2.f);
  EXPECT_EQ(w.endValue().z, 14.f);
  EXPECT_NEAR(w.endValue().y, 4.f, kTolerance);
}

TEST(MotionCurveTest, SpansMeetTheirEndsAndConditions) {
  const Vector3 from(0.f, 10.f, -4.f);
  const Vector3 to(8.f, 0.f, 4.f);
  const Vector3 zero(0.f, 0.f, 0.f);
  const Vector3 two(2.f, 2.f, 2.f);
  Vec3Curve c;

  MotionCurve::setSpan(c, 20.f, from, to, 10.f, two, 20.f, zero);
  EXPECT_NEAR(c.valueAt(10.f).y, 2.f, kTolerance);
  EXPECT_NEAR(c.endVelocity().x, 0.f, kTolerance);

  MotionCurve::setSpanValueValue(c, 20.f, from, to, 5.f, two, 15.f, zero);
  EXPECT_NEAR(c.valueAt(5.f).z, 2.f, kTolerance);
  EXPECT_NEAR(c.valueAt(15.f).x, 0.f, kTolerance);

  MotionCurve::setSpanValue(c, 20.f, from, to, 10.f, two);
  EXPECT_NEAR(c.valueAt(10.f).x, 2.f, kTolerance);
  EXPECT_EQ(c.x.segment(0).c3, 0.f);

  MotionCurve::setSpanVelocity(c, 20.f, from, to, 0.f, zero);
  EXPECT_NEAR(c.velocityAt(0.f).y, 0.f, kTolerance);
  EXPECT_EQ(c.y.segment(0).c3, 0.f);

  MotionCurve::setSpanVelocityVelocity(c, 20.f, from, to, 0.f, two, 20.f, zero);
  EXPECT_NEAR(c.velocityAt(0.f).z, 2.f, kTolerance);
  EXPECT_NEAR(c.endVelocity().z, 0.f, kTolerance);

  MotionCurve::setSpanVelocityAccel(c, 20.f, from, to, 0.f, zero, 20.f, zero);
  EXPECT_NEAR(c.velocityAt(0.f).x, 0.f, kTolerance);
  EXPECT_NEAR(c.endAccel().x, 0.f, kTolerance);

  // Every builder starts and ends on the given vectors.
  EXPECT_NEAR(c.valueAt(0.f).x, 0.f, kTolerance);
  EXPECT_NEAR(c.endValue().y, 0.f, kTolerance);
  EXPECT_NEAR(c.valueAt(20.f).z, 4.f, kTolerance);
}

}  // namespace
}  // namespace Game
