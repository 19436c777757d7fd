#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/file/nml/NmlDocument.h"
#include "presentation/motion/Curve.h"
#include "presentation/motion/Tween.h"
#include "presentation/motion/Vec3Curve.h"
#include "presentation/Near.h"

namespace Game {
namespace {

using Engine::i32;
using Engine::Math::Vector3;
using PresentationTest::digits;
using Kind = CurveConstraint::Kind;

constexpr float kTolerance = 1e-3f;

Curve curveFromText(const char* text) {
  NmlDocument doc;
  doc.loadFromText("curve.txt", text);
  Curve c;
  c.load(*doc.findChild("curve"));
  return c;
}

// Keys 0, 10, 0 at 0, 30, 60 with two extra values inside the first span: cubic
// spans by default.
constexpr const char* kThreeKeys =
    "curve{{value 0;delay 30;}{value 10;delay 30;}{value 0;}point{time 10;value 6;}point{time 20;value 12;}}";

bool allFinite(const Curve& c) {
  for (i32 i = 0; i < c.segmentCount(); ++i) {
    const CurveSegment& s = c.segment(i);
    if (!std::isfinite(s.c0) || !std::isfinite(s.c1) || !std::isfinite(s.c2) || !std::isfinite(s.c3)) {
      return false;
    }
  }
  for (float t = -5.f; t < 100.f; t += 0.5f) {
    if (!std::isfinite(c.valueAt(t)) || !std::isfinite(c.velocityAt(t)) || !std::isfinite(c.accelAt(t))) {
      return false;
    }
  }
  return std::isfinite(c.endValue());
}

// The numbers to thousandths.
std::string thousandths(std::initializer_list<float> numbers) {
  std::string out;
  for (const float number : numbers) {
    char text[32];
    std::snprintf(text, sizeof text, out.empty() ? "%g" : " %g", std::round(number * 1000.0) / 1000.0 + 0.0);
    out += text;
  }
  return out;
}

// The values at these times, to thousandths.
std::string valuesAt(const Curve& c, std::initializer_list<float> times) {
  std::string out;
  for (const float t : times) out += (out.empty() ? "" : " ") + thousandths({c.valueAt(t)});
  return out;
}

// Value and velocity just before and just after `t` agree.
void expectSmoothAt(const Curve& c, float t, float eps = 1e-3f) {
  EXPECT_NEAR(c.valueAt(t - eps), c.valueAt(t + eps), 0.01f) << "value at " << t;
  EXPECT_NEAR(c.velocityAt(t - eps), c.velocityAt(t + eps), 0.02f) << "velocity at " << t;
}

TEST(ConstraintListTest, RefusesPastCapacityAndRepeatedTimeAndKind) {
  ConstraintList list(3);
  list.add(Kind::kValue, 1.f, 5.f);
  list.add(Kind::kValue, 2.f, 5.f);     // same time and kind
  list.add(Kind::kVelocity, 3.f, 5.f);  // same time, other kind
  list.add(Kind::kValue, 4.f, 6.f);
  list.add(Kind::kValue, 5.f, 7.f);  // full
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.at(0).value, 1.f);
  EXPECT_EQ(list.at(2).time, 6.f);
  ConstraintList empty(0);
  empty.add(Kind::kValue, 1.f, 0.f);
  EXPECT_EQ(empty.count(), 0);
}

// Only unnamed children are keys; a node without keys sets the constant only
// when it gives a "value" (its last number), else the curve keeps what its
// owner set (5 here). One key is a constant too, and a constant never moves.
TEST(CurveTest, NodesWithoutKeysKeepTheCurveUnlessTheyGiveAValue) {
  const struct {
    const char* text;
    bool constant;
    float at5;
  } cases[] = {
      {"curve{}", true, 5.f},
      {"curve{value 2;}", true, 2.f},
      {"curve{offset 3;}", true, 5.f},
      {"curve{point{time 3;value 9;}}", true, 5.f},
      {"curve{x{value 9;}}", true, 5.f},
      {"curve{x{value 9;}value 4;}", true, 4.f},
      {"curve{all{{value 9;delay 1;}{value 8;}}}", true, 5.f},
      // A line from 0 to 20 over 10 frames: the named child between the keys
      // is neither a key nor a point.
      {"curve{{value 0;delay 10;}x{value 99;delay 50;}{value 20;}}", false, 10.f},
      {"curve{{value 3;}}", true, 3.f},
      {"curve{value 1,7;}", true, 7.f},
      {"curve{{value 4;delay 10;degree 2;}}", true, 4.f},
  };
  for (const auto& c : cases) {
    NmlDocument doc;
    doc.loadFromText("curve.txt", c.text);
    Curve curve;
    curve.setConstant(5.f);
    curve.load(*doc.findChild("curve"));
    EXPECT_EQ(curve.isConstant(), c.constant) << c.text;
    EXPECT_NEAR(curve.valueAt(5.f), c.at5, kTolerance) << c.text;
    if (c.constant) {
      EXPECT_EQ(curve.velocityAt(1e9f), 0.f) << c.text;
      EXPECT_EQ(curve.accelAt(-100.f), 0.f) << c.text;
    }
  }
}

TEST(CurveTest, StraightLineLoops) {
  const Curve c = curveFromText("curve{{value 0;delay 30;}{value 10;}}");
  ASSERT_EQ(c.segmentCount(), 1);
  EXPECT_EQ(valuesAt(c, {0.f, 15.f, 30.f, 45.f, -15.f}), "0 5 10 5 5");  // 30 is the loop's end, not its start
  EXPECT_EQ(thousandths({c.velocityAt(7.f), c.endVelocity(), c.length()}), "0.333 0.333 30");
  Curve copy;
  copy = c;
  EXPECT_EQ(valuesAt(copy, {15.f}), "5");
}

TEST(CurveTest, FarTimesMatchOnePeriodInAndAnOffsetShiftsTheLoop) {
  const Curve c = curveFromText(kThreeKeys);
  // 60 × 2^16 periods on: exact in float, so only the wrap can differ.
  const float far = 60.f * 65536.f;
  const std::string near = valuesAt(c, {5.f, 17.5f, 29.f, 44.f});
  EXPECT_EQ(valuesAt(c, {far + 5.f, far + 17.5f, far + 29.f, far + 44.f}), near);
  EXPECT_EQ(valuesAt(c, {5.f - far, 17.5f - far, 29.f - far, 44.f - far}), near);
  EXPECT_NEAR(c.valueAt(far), c.endValue(), kTolerance);
  EXPECT_TRUE(std::isfinite(c.valueAt(3e38f)));
  const Curve plain = curveFromText(kThreeKeys);
  const std::string text = "curve{offset 12;" + std::string(kThreeKeys + 6);
  const Curve shifted = curveFromText(text.c_str());
  EXPECT_EQ(valuesAt(shifted, {1.f, 7.5f, 20.f, 33.f, 40.f}), valuesAt(plain, {13.f, 19.5f, 32.f, 45.f, 52.f}));
}

TEST(CurveTest, ThreeKeysWithTwoPointsAreSmoothAndMeetEveryCondition) {
  const Curve c = curveFromText(kThreeKeys);
  ASSERT_EQ(c.segmentCount(), 2);
  EXPECT_EQ(valuesAt(c, {0.f, 10.f, 20.f, 30.f, 60.f}), "0 6 12 10 0");
  expectSmoothAt(c, 30.f);
}

TEST(CurveTest, PointsInALaterSpanSolveEarlierSpansBackward) {
  // The anchor is the last span; the first joins it smoothly from behind.
  const Curve c = curveFromText(
      "curve{{value 0;delay 20;}{value 5;delay 20;}{value 0;delay 20;}{value 5;}"
      "point{time 45;value 1;}point{time 50;velocity 0;}}");
  ASSERT_EQ(c.segmentCount(), 3);
  EXPECT_EQ(valuesAt(c, {45.f, 20.f, 0.f}), "1 5 0");
  EXPECT_NEAR(c.velocityAt(50.f), 0.f, kTolerance);
  expectSmoothAt(c, 20.f);
  expectSmoothAt(c, 40.f);
}

TEST(CurveTest, CubicJoinsKeepVelocityAndAccelerationWhenTheKeyFixesTheValue) {
  const Curve c = curveFromText("curve{{value 0;delay 10;degree 3;}{value 10;delay 10;degree 3;}{value 0;}}");
  ASSERT_EQ(c.segmentCount(), 2);
  const CurveSegment& a = c.segment(0);
  const CurveSegment& b = c.segment(1);
  EXPECT_EQ(thousandths({a.value(10.f), a.velocity(10.f), a.accel(10.f)}),
            thousandths({b.value(10.f), b.velocity(10.f), b.accel(10.f)}));
  EXPECT_EQ(thousandths({b.value(20.f)}), "0");
}

TEST(CurveTest, LoadPointCountsKeysAndValueWins) {
  struct Case {
    const char* text;
    i32 present;
    i32 kind;
    float value;
  } const cases[] = {{"p{}", 0, Kind::kUnset, 0.f},
                     {"p{velocity 2;value 3;}", 2, Kind::kValue, 3.f},
                     {"p{velocity 2;accel 4;}", 2, Kind::kAccel, 4.f}, {"p{velocity 1,2,5;}", 1, Kind::kVelocity, 5.f}};
  for (const Case& k : cases) {
    NmlDocument doc;
    doc.loadFromText("p.txt", k.text);
    CurveConstraint c;
    EXPECT_EQ(Curve::loadPoint(*doc.findChild("p"), c), k.present) << k.text;
    EXPECT_EQ(c.kind, k.kind) << k.text;
    EXPECT_EQ(c.value, k.value) << k.text;
  }
}

TEST(CurveTest, DegenerateSystemsStayFiniteAndDegreesClampToCubic) {
  const char* const texts[] = {
      "curve{{value 0;}{value 10;}{value 3;}}",  // every key at one time: a loop of no length
      "curve{{value 0;delay 10;}{value 10;}{value 20;delay 10;}{value 0;}}",  // a span of no length
      // contradicting points at one time and a point with no kind
      "curve{{value 0;delay 10;}{value 1;}point{time 5;value 1;}point{time 5;velocity 1;}"
      "point{time 5;accel 1;}point{time 6;}}",
      "curve{{value 0;delay 10;degree 9;}{value 1;delay 10;degree -2;}{value 5;}}",
      "curve{{value 0;delay 10;}{delay 10;}{value 5;}point{time 99;value 3;}}",  // past the end; no kind
      "curve{{value 0;delay 10;}{value 5;delay -30;}{value 1;}}",
  };
  for (const char* text : texts) {
    EXPECT_TRUE(allFinite(curveFromText(text))) << text;
  }
  // With no time to loop over, every time shows the end.
  const Curve zeroLoop = curveFromText(texts[0]);
  EXPECT_EQ(zeroLoop.valueAt(0.f), zeroLoop.endValue());
  EXPECT_EQ(zeroLoop.valueAt(17.f), zeroLoop.endValue());
  const Curve wild = curveFromText("curve{{value 0;delay 10;degree 9;}{value 1;}point{time 5;velocity 0;}}");
  const Curve cubic = curveFromText("curve{{value 0;delay 10;degree 3;}{value 1;}point{time 5;velocity 0;}}");
  const std::initializer_list<float> times = {1.f, 2.f, 3.f, 4.f, 5.f, 6.f, 7.f, 8.f, 9.f};
  EXPECT_EQ(valuesAt(wild, times), valuesAt(cubic, times));
}

TEST(CurveTest, LongCurvesKeepTheirKeysLateInTime) {
  // Polynomials in absolute time: spans far from 0 must still meet their keys.
  std::vector<CurveConstraint> keys;
  std::vector<float> times;
  for (int i = 0; i <= 40; ++i) {
    keys.push_back({Kind::kValue, static_cast<float>((i * 7) % 5), 0.f});
    times.push_back(static_cast<float>(i * 30));
  }
  const std::vector<i32> degrees(keys.size() - 1, 2);
  Curve c;
  c.build(keys, times, degrees, ConstraintList(0));
  for (std::size_t i = 0; i + 1 < keys.size(); ++i) {
    EXPECT_NEAR(c.valueAt(times[i] + 1e-3f), keys[i].value, 0.05f) << i;
  }
}

// A tween at rest on `start`, moving over `duration` frames.
Tween restingAt(float start, float duration) {
  Tween t;
  t.setDuration(duration);
  t.setTarget(start);
  return t;
}

void steps(Tween& t, int n) { for (int i = 0; i < n; ++i) t.step(); }

// "value v velocity".
std::string motion(const Tween& t) { return digits(t.value()) + " v " + digits(t.velocity()); }

// From rest to rest along 3s² - 2s³ of the time s: halfway at half time at
// 1.5 a frame; the last frame of motion is slow.
TEST(TweenTest, GlidesFromRestHalfwayAtHalfTimeAndArrivesAtRest) {
  Tween t = restingAt(3.f, 10.f);  // the first target is taken at once
  t.setTarget(13.f);
  EXPECT_EQ(motion(t), "3 v 0");
  steps(t, 5);
  EXPECT_EQ(motion(t), "8 v 1.5");
  steps(t, 4);
  EXPECT_EQ(motion(t), "12.72 v 0.54");
  steps(t, 5);  // stops at the duration
  EXPECT_EQ(motion(t), "13 v 0");
  EXPECT_EQ(t.value(), 13.f);
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
  t.setTarget(10.f);
  EXPECT_EQ(t.elapsed(), 4);
  t.setTarget(-20.f);
  EXPECT_EQ(t.elapsed(), 0);
  EXPECT_EQ(motion(t), "3.52 v 1.44");
  steps(t, 5);  // from 3.52 at 1.44 a frame to rest on -20 ten frames on
  EXPECT_EQ(motion(t), "-6.44 v -3.888");
  steps(t, 5);
  EXPECT_EQ(t.value(), -20.f);
}

TEST(TweenTest, SnapAndFinishStandOnTheTarget) {
  Tween t = restingAt(0.f, 10.f);
  t.setTarget(10.f);
  t.step();
  t.reset();
  t.setTarget(10.f);  // the current target still places it
  EXPECT_EQ(motion(t), "10 v 0");
  t.setTarget(4.f);  // the snap was used up: this one moves
  EXPECT_EQ(t.value(), 10.f);
  t.step();
  t.finish();
  EXPECT_EQ(motion(t), "4 v 0");
}

TEST(TweenTest, DurationWithoutLengthJumpsWithoutNaN) {
  for (float duration : {0.f, -3.f, std::nanf("")}) {
    Tween t = restingAt(1.f, duration);
    t.setTarget(7.f);
    EXPECT_EQ(motion(t), "7 v 0") << duration;
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
  v.setTarget(Vector3(0.f, 1.f, 2.f));
  v.setTarget(10.f, 1.f, -2.f);
  for (int i = 0; i < 5; ++i) v.step();
  EXPECT_EQ(digits(v.value()), "5,1,0");
  v.finish();
  EXPECT_EQ(digits(v.value()), "10,1,-2");
}

TEST(Vec3CurveTest, AxesOverrideAllAndMissingAxesKeepTheirCurve) {
  NmlDocument doc;
  doc.loadFromText("v.txt",
                   "v{all{{value 0;delay 10;}{value 10;}}x{value 3;}}"
                   "w{y{{value 1;delay 4;}{value 2;}}}");
  Vec3Curve v;
  v.load(*doc.findChild("v"));
  EXPECT_EQ(digits(v.valueAt(5.f)), "3,5,5");
  EXPECT_EQ(digits(v.velocityAt(5.f)), "0,1,1");

  Vec3Curve w;
  w.setConstant(Vector3(7.f, 7.f, 7.f));
  w.load(*doc.findChild("w"));
  EXPECT_EQ(thousandths({w.valueAt(1.f).x, w.valueAt(2.f).y}), "7 1.5");
  w.scale(2.f);
  EXPECT_EQ(thousandths({w.endValue().z, w.endValue().y}), "14 4");
}

TEST(MotionCurveTest, SpansMeetTheirEndsAndConditions) {
  const Vector3 from(0.f, 10.f, -4.f);
  const Vector3 to(8.f, 0.f, 4.f);
  const Vector3 zero(0.f, 0.f, 0.f);
  const Vector3 two(2.f, 2.f, 2.f);
  Vec3Curve c;

  MotionCurve::setSpan(c, 20.f, from, to, 10.f, two, 20.f, zero);
  EXPECT_EQ(thousandths({c.valueAt(10.f).y, c.endVelocity().x}), "2 0");
  MotionCurve::setSpanValueValue(c, 20.f, from, to, 5.f, two, 15.f, zero);
  EXPECT_EQ(thousandths({c.valueAt(5.f).z, c.valueAt(15.f).x}), "2 0");
  MotionCurve::setSpanValue(c, 20.f, from, to, 10.f, two);
  EXPECT_EQ(thousandths({c.valueAt(10.f).x}), "2");
  EXPECT_EQ(c.x.segment(0).c3, 0.f);
  MotionCurve::setSpanVelocity(c, 20.f, from, to, 0.f, zero);
  EXPECT_EQ(thousandths({c.velocityAt(0.f).y}), "0");
  EXPECT_EQ(c.y.segment(0).c3, 0.f);
  MotionCurve::setSpanVelocityVelocity(c, 20.f, from, to, 0.f, two, 20.f, zero);
  EXPECT_EQ(thousandths({c.velocityAt(0.f).z, c.endVelocity().z}), "2 0");
  MotionCurve::setSpanVelocityAccel(c, 20.f, from, to, 0.f, zero, 20.f, zero);
  EXPECT_EQ(thousandths({c.velocityAt(0.f).x, c.endAccel().x}), "0 0");
  // Every builder starts and ends on the given vectors.
  EXPECT_EQ(thousandths({c.valueAt(0.f).x, c.endValue().y, c.valueAt(20.f).z}), "0 0 4");
}

}  // namespace
}  // namespace Game
