#include "core/math/Mover.h"

namespace Game {

void Mover::reset() {
  mOffset = 0.f;
  stop();
  mDamping = 1.f;
}

void Mover::stop() {
  mVelocity = 0.f;
  mAcceleration = 0.f;
}

void Mover::step() {
  mOffset += mVelocity;
  mVelocity += mAcceleration;
  mVelocity *= mDamping;
}

void Mover::accelerateTo(float time, float target) {
  mAcceleration = 2.f * (target - mOffset - time * mVelocity) / (time * time);
}

void Mover::moveTo(float time, float target) {
  mVelocity = (target - mOffset - time * time * mAcceleration / 2.f) / time;
}

}  // namespace Game
