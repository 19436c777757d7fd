#include "presentation/motion/Curve.h"

namespace Game {

using Engine::i32;

void Curve::buildValueVelocity(float t1, float value1, float t2, float velocity2, std::span<const i32> degrees,
                               std::span<const float> values, std::span<const float> durations) {
  ConstraintList points(2);
  points.add(CurveConstraint::kValue, value1, t1);
  points.add(CurveConstraint::kVelocity, velocity2, t2);
  buildFromValues(points, degrees, values, durations);
}

void Curve::buildValueValue(float t1, float value1, float t2, float value2, std::span<const i32> degrees,
                            std::span<const float> values, std::span<const float> durations) {
  ConstraintList points(2);
  points.add(CurveConstraint::kValue, value1, t1);
  points.add(CurveConstraint::kValue, value2, t2);
  buildFromValues(points, degrees, values, durations);
}

void Curve::buildVelocityVelocity(float t1, float velocity1, float t2, float velocity2,
                                  std::span<const i32> degrees, std::span<const float> values,
                                  std::span<const float> durations) {
  ConstraintList points(2);
  points.add(CurveConstraint::kVelocity, velocity1, t1);
  points.add(CurveConstraint::kVelocity, velocity2, t2);
  buildFromValues(points, degrees, values, durations);
}

void Curve::buildVelocityAccel(float t1, float velocity1, float t2, float accel2, std::span<const i32> degrees,
                               std::span<const float> values, std::span<const float> durations) {
  ConstraintList points(2);
  points.add(CurveConstraint::kVelocity, velocity1, t1);
  points.add(CurveConstraint::kAccel, accel2, t2);
  buildFromValues(points, degrees, values, durations);
}

void Curve::buildValue(float t1, float value1, std::span<const i32> degrees, std::span<const float> values,
                       std::span<const float> durations) {
  ConstraintList points(1);
  points.add(CurveConstraint::kValue, value1, t1);
  buildFromValues(points, degrees, values, durations);
}

void Curve::buildVelocity(float t1, float velocity1, std::span<const i32> degrees, std::span<const float> values,
                          std::span<const float> durations) {
  ConstraintList points(1);
  points.add(CurveConstraint::kVelocity, velocity1, t1);
  buildFromValues(points, degrees, values, durations);
}

}  // namespace Game
