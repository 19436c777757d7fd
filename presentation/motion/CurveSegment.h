#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class ConstraintList;

// One cubic piece of a curve, in the curve's own absolute time t (not time
// since the piece starts): c0 + c1·t + c2·t² + c3·t³, up to endTime.
struct CurveSegment {
  // Polynomial degrees a segment can be solved for.
  static constexpr Engine::i32 kMinDegree = 1;
  static constexpr Engine::i32 kMaxDegree = 3;

  float c0 = 0.f;
  float c1 = 0.f;
  float c2 = 0.f;
  float c3 = 0.f;
  float endTime = 0.f;

  // Horner order, rounding to float after each step.
  float value(float t) const { return ((c3 * t + c2) * t + c1) * t + c0; }
  float velocity(float t) const { return 3.f * c3 * t * t + 2.f * c2 * t + c1; }
  float accel(float t) const { return 6.f * c3 * t + 2.f * c2; }

  // Fits the polynomial of `degree` (clamped to 1..3) to the first
  // degree + 1 entries of the list and ends the segment at endTime.
  // `startTime` only conditions the arithmetic. A system that does not fix
  // every coefficient (unset entries, repeated or contradicting conditions)
  // takes 0 for what is left free, so the result is always finite.
  void solve(const ConstraintList& constraints, Engine::i32 degree, float startTime, float endTime);
};

}  // namespace Game
