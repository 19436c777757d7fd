#pragma once

#include <span>

#include "Engine/Base/Types.h"
#include "core/container/Array2D.h"
#include "presentation/motion/CurveConstraint.h"
#include "presentation/motion/CurveSegment.h"

namespace Game {

class NmlNode;

// One animated float as a function of time (frames): cubic segments laid end
// to end, solved once when built so that the values, velocities and
// accelerations of its keys and extra points are met and neighbouring
// segments join smoothly. Time wraps around the curve's length, so a curve
// with segments loops; a curve without segments is its constant value.
class Curve {
 public:
  Curve() = default;
  Curve(const Curve& other) { *this = other; }
  Curve& operator=(const Curve& other);

  // Reads the optional keys "velocity", "accel" and "value" (in that order, a
  // later one overriding the kind and value of an earlier one) into `out`;
  // returns how many were present. The time is left alone.
  static Engine::i32 loadPoint(const NmlNode& node, CurveConstraint& out);
  // Replaces the curve with the one a curve node describes: unnamed children
  // are keys ("value"/"velocity"/"accel", "delay" to the next key, "degree"
  // of the segment that follows), "point" children extra conditions at a
  // "time", other children are ignored; "offset" shifts the loop. A node
  // without keys is the constant "value", or leaves the curve as it was when
  // it has none.
  void load(const NmlNode& node);

  // Key i (kind and value) holds at keyTimes[i]; degrees has one entry per
  // segment (keys − 1; clamped to 1..3); points are extra conditions.
  // Replaces the segments; a single key makes a constant curve.
  void build(std::span<const CurveConstraint> keys, std::span<const float> keyTimes,
             std::span<const Engine::i32> degrees, const ConstraintList& points);
  // Value keys at 0 and at the running sums of durations (one per segment).
  void buildFromValues(const ConstraintList& points, std::span<const Engine::i32> degrees,
                       std::span<const float> values, std::span<const float> durations);

  // Segments built from values with one or two extra conditions: the first
  // named kind at t1, the second at t2.
  void buildValueVelocity(float t1, float value1, float t2, float velocity2, std::span<const Engine::i32> degrees,
                          std::span<const float> values, std::span<const float> durations);
  void buildValueValue(float t1, float value1, float t2, float value2, std::span<const Engine::i32> degrees,
                       std::span<const float> values, std::span<const float> durations);
  void buildVelocityVelocity(float t1, float velocity1, float t2, float velocity2,
                             std::span<const Engine::i32> degrees, std::span<const float> values,
                             std::span<const float> durations);
  void buildVelocityAccel(float t1, float velocity1, float t2, float accel2, std::span<const Engine::i32> degrees,
                          std::span<const float> values, std::span<const float> durations);
  void buildValue(float t1, float value1, std::span<const Engine::i32> degrees, std::span<const float> values,
                  std::span<const float> durations);
  void buildVelocity(float t1, float velocity1, std::span<const Engine::i32> degrees,
                     std::span<const float> values, std::span<const float> durations);

  // The value of a curve without segments; the segments are left as they are.
  void setConstant(float v) { mConstant = v; }
  // Multiplies every coefficient and the constant (times stay).
  void scale(float f);
  void setOffset(float offset) { mOffset = offset; }

  float valueAt(float t) const;
  float velocityAt(float t) const;
  float accelAt(float t) const;
  // The last segment at its end time; a constant curve gives its constant
  // (value) or 0.
  float endValue() const;
  float endVelocity() const;
  float endAccel() const;

  bool isConstant() const { return segmentCount() == 0; }
  Engine::i32 segmentCount() const { return static_cast<Engine::i32>(mSegments.size()); }
  const CurveSegment& segment(Engine::i32 i) const { return mSegments.at(static_cast<Engine::u32>(i)); }
  float constant() const { return mConstant; }
  float offset() const { return mOffset; }
  // The loop's period: the end time of the last segment (0 for a constant).
  float length() const;

 private:
  // The segment that time t falls in, and t brought into the loop; null for
  // a constant curve.
  const CurveSegment* locate(float t, float* localTime) const;
  void solveAnchor(Engine::i32 s, std::span<const CurveConstraint> keys, std::span<const float> keyTimes,
                   Engine::i32 degree, const ConstraintList& points);
  void solveJoined(Engine::i32 s, Engine::i32 neighbour, std::span<const CurveConstraint> keys,
                   std::span<const float> keyTimes, Engine::i32 degree, const ConstraintList& points);

  Array2D<CurveSegment> mSegments;
  float mConstant = 0.f;
  float mOffset = 0.f;
};

}  // namespace Game
