#include "presentation/motion/Vec3Curve.h"

namespace Game::MotionCurve {

using Engine::i32;

namespace {

// The three axes as Curve member pointers and vector components, so each
// builder is one loop.
struct Axis {
  Curve Vec3Curve::*curve;
  float Vector3::*component;
};
constexpr Axis kAxes[] = {{&Vec3Curve::x, &Vector3::x}, {&Vec3Curve::y, &Vector3::y}, {&Vec3Curve::z, &Vector3::z}};

// One segment of `degree` from the axis's start value to its end value.
struct Span {
  std::span<const i32> degrees;
  std::span<const float> values;
  std::span<const float> durations;
};

template <class Build>
void eachAxis(Vec3Curve& curve, i32 degree, float duration, const Vector3& from, const Vector3& to, Build build) {
  const i32 degrees[] = {degree};
  const float durations[] = {duration};
  for (const Axis& axis : kAxes) {
    const float values[] = {from.*axis.component, to.*axis.component};
    build(curve.*axis.curve, axis.component, Span{degrees, values, durations});
  }
}

}  // namespace

void setSpan(Vec3Curve& curve, float duration, const Vector3& from, const Vector3& to, float t1,
             const Vector3& value1, float t2, const Vector3& velocity2) {
  eachAxis(curve, 3, duration, from, to, [&](Curve& c, float Vector3::*at, const Span& s) {
    c.buildValueVelocity(t1, value1.*at, t2, velocity2.*at, s.degrees, s.values, s.durations);
  });
}

void setSpanValueValue(Vec3Curve& curve, float duration, const Vector3& from, const Vector3& to, float t1,
                       const Vector3& value1, float t2, const Vector3& value2) {
  eachAxis(curve, 3, duration, from, to, [&](Curve& c, float Vector3::*at, const Span& s) {
    c.buildValueValue(t1, value1.*at, t2, value2.*at, s.degrees, s.values, s.durations);
  });
}

void setSpanValue(Vec3Curve& curve, float duration, const Vector3& from, const Vector3& to, float t1,
                  const Vector3& value1) {
  eachAxis(curve, 2, duration, from, to, [&](Curve& c, float Vector3::*at, const Span& s) {
    c.buildValue(t1, value1.*at, s.degrees, s.values, s.durations);
  });
}

void setSpanVelocity(Vec3Curve& curve, float duration, const Vector3& from, const Vector3& to, float t1,
                     const Vector3& velocity1) {
  eachAxis(curve, 2, duration, from, to, [&](Curve& c, float Vector3::*at, const Span& s) {
    c.buildVelocity(t1, velocity1.*at, s.degrees, s.values, s.durations);
  });
}

void setSpanVelocityVelocity(Vec3Curve& curve, float duration, const Vector3& from, const Vector3& to, float t1,
                             const Vector3& velocity1, float t2, const Vector3& velocity2) {
  eachAxis(curve, 3, duration, from, to, [&](Curve& c, float Vector3::*at, const Span& s) {
    c.buildVelocityVelocity(t1, velocity1.*at, t2, velocity2.*at, s.degrees, s.values, s.durations);
  });
}

void setSpanVelocityAccel(Vec3Curve& curve, float duration, const Vector3& from, const Vector3& to, float t1,
                          const Vector3& velocity1, float t2, const Vector3& accel2) {
  eachAxis(curve, 3, duration, from, to, [&](Curve& c, float Vector3::*at, const Span& s) {
    c.buildVelocityAccel(t1, velocity1.*at, t2, accel2.*at, s.degrees, s.values, s.durations);
  });
}

}  // namespace Game::MotionCurve
