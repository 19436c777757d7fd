#include "presentation/motion/Vec3Curve.h"

#include <gtest/gtest.h>

#include "file/nml/NmlDocument.h"

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
