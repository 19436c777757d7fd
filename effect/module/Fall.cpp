#include "effect/module/Fall.h"

#include <algorithm>

#include "Engine/Math/Functions.h"
#include "live/Unit.h"

namespace Game::Effect::Module {

using Engine::i32;
using Engine::Math::Vector3;

Fall::Fall(Unit& unit, i32 frames, float peak, float endHeight)
    : mUnit(unit), mFrames(std::max(frames, 1)), mLanding(endHeight == 0.f) {
  Vector3 front;
  unit.getFrontPoint(front);
  const float f = static_cast<float>(mFrames);
  if (peak == 0.f) {
    mAcceleration = 2.f * (endHeight - front.z) / (f * f);
    return;
  }
  // The start velocity solves a quadratic in it; an end above the highest
  // point the peak allows leaves no real root, and the fall then takes the
  // velocity of the double root.
  const float a = -f * f / 4.f / peak;
  const float discriminant = f * f - 4.f * a * (front.z - endHeight);
  mVelocity = (-f - Engine::Math::sqrt(std::max(discriminant, 0.f))) / (2.f * a);
  mAcceleration = -mVelocity * mVelocity / peak / 2.f;
}

i32 Fall::update() {
  Vector3 front;
  mUnit.getFrontPoint(front);
  front.z += static_cast<float>(mCounter) * mAcceleration + mVelocity;
  mUnit.placeFrontAt(front);
  ++mCounter;
  if (mCounter <= mFrames) {
    return kHolding;
  }
  if (mLanding) {
    mLandingBurst.dustRingAtFront(mUnit);
  }
  return kDone;
}

}  // namespace Game::Effect::Module
