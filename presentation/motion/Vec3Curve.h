#pragma once

#include "Engine/Math/Vector3.h"
#include "presentation/motion/Curve.h"

namespace Game {

class NmlNode;

// Three curves (x, y, z) animating one vector.
class Vec3Curve {
 public:
  // A child "all" loads each axis; then children "x", "y", "z" load their
  // own axis over it. Axes without a child keep what they held.
  void load(const NmlNode& node);
  void setConstant(const Engine::Math::Vector3& v);
  void scale(float f);
  void setOffset(float offset);

  Engine::Math::Vector3 valueAt(float t) const { return {x.valueAt(t), y.valueAt(t), z.valueAt(t)}; }
  Engine::Math::Vector3 velocityAt(float t) const { return {x.velocityAt(t), y.velocityAt(t), z.velocityAt(t)}; }
  Engine::Math::Vector3 accelAt(float t) const { return {x.accelAt(t), y.accelAt(t), z.accelAt(t)}; }
  Engine::Math::Vector3 endValue() const { return {x.endValue(), y.endValue(), z.endValue()}; }
  Engine::Math::Vector3 endVelocity() const { return {x.endVelocity(), y.endVelocity(), z.endVelocity()}; }
  Engine::Math::Vector3 endAccel() const { return {x.endAccel(), y.endAccel(), z.endAccel()}; }

  Curve x;
  Curve y;
  Curve z;
};

// One-segment moves of a vector from `from` to `to` over `duration` frames,
// each axis built with the scalar builder of the same name and the axis's
// components of the extra conditions.
namespace MotionCurve {

using Engine::Math::Vector3;

// Degree 3: value at t1, velocity at t2.
void setSpan(Vec3Curve& curve, float duration, const Vector3& from, const Vector3& to, float t1,
             const Vector3& value1, float t2, const Vector3& velocity2);
// Degree 3: values at t1 and t2.
void setSpanValueValue(Vec3Curve& curve, float duration, const Vector3& from, const Vector3& to, float t1,
                       const Vector3& value1, float t2, const Vector3& value2);
// Degree 2: value at t1.
void setSpanValue(Vec3Curve& curve, float duration, const Vector3& from, const Vector3& to, float t1,
                  const Vector3& value1);
// Degree 2: velocity at t1.
void setSpanVelocity(Vec3Curve& curve, float duration, const Vector3& from, const Vector3& to, float t1,
                     const Vector3& velocity1);
// Degree 3: velocities at t1 and t2.
void setSpanVelocityVelocity(Vec3Curve& curve, float duration, const Vector3& from, const Vector3& to, float t1,
                             const Vector3& velocity1, float t2, const Vector3& velocity2);
// Degree 3: velocity at t1, acceleration at t2.
void setSpanVelocityAccel(Vec3Curve& curve, float duration, const Vector3& from, const Vector3& to, float t1,
                          const Vector3& velocity1, float t2, const Vector3& accel2);

}  // namespace MotionCurve

}  // namespace Game
