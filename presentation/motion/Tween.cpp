#include "presentation/motion/Tween.h"

namespace Game {

void Tween::setDuration(float frames) {
  mDuration = frames;
  mSnap = true;
  mC0 = mC1 = mC2 = mC3 = 0.f;
  mElapsed = 0;
}

void Tween::setTarget(float v) {
  if (v != mTarget) {
    mC0 = value();
    mC1 = velocity();
    mTarget = v;
    const float d = mDuration;
    if (d > 0.f) {
      // Arrive at v with velocity 0 after d frames.
      mC3 = (6.f * mC1 * d - 12.f * (v - mC0)) / (d * d * d);
      mC2 = -(2.f * mC1 + mC3 * d * d) / 2.f / d;
    } else {
      mSnap = true;  // no time to move in: jump
    }
    mElapsed = 0;
  }
  if (mSnap) {
    mC0 = v;
    mC1 = mC2 = mC3 = 0.f;
    mSnap = false;
  }
}

void Tween::step() {
  if (static_cast<float>(mElapsed) < mDuration) {
    ++mElapsed;
  }
}

void Tween::finish() {
  mC0 = mTarget;
  mC1 = mC2 = mC3 = 0.f;
}

float Tween::value() const {
  if (!isMoving()) {
    return mTarget;
  }
  const float e = static_cast<float>(mElapsed);
  return mC3 * e * e * e / 6.f + mC2 * e * e / 2.f + mC1 * e + mC0;
}

float Tween::velocity() const {
  if (!isMoving()) {
    return 0.f;
  }
  const float e = static_cast<float>(mElapsed);
  return mC1 + mC2 * e + mC3 * e * e / 2.f;
}

void Vec3Tween::setDuration(float frames) {
  x.setDuration(frames);
  y.setDuration(frames);
  z.setDuration(frames);
}

void Vec3Tween::reset() {
  x.reset();
  y.reset();
  z.reset();
}

void Vec3Tween::step() {
  x.step();
  y.step();
  z.step();
}

void Vec3Tween::finish() {
  x.finish();
  y.finish();
  z.finish();
}

void Vec3Tween::setTarget(float tx, float ty, float tz) {
  x.setTarget(tx);
  y.setTarget(ty);
  z.setTarget(tz);
}

Engine::Math::Vector3 Vec3Tween::value() const { return {x.value(), y.value(), z.value()}; }
Engine::Math::Vector3 Vec3Tween::velocity() const { return {x.velocity(), y.velocity(), z.velocity()}; }
Engine::Math::Vector3 Vec3Tween::target() const { return {x.target(), y.target(), z.target()}; }

}  // namespace Game
