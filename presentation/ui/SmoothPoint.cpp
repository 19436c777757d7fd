#include "presentation/ui/SmoothPoint.h"

namespace Game {

void SmoothPoint::setTarget(float x, float y) {
  mTargetX = x;
  mTargetY = y;
  if (mJump) {
    jumpToTarget();
  }
}

void SmoothPoint::step() {
  if (mJump) {
    jumpToTarget();
    return;
  }
  mX = (mX + mTargetX) / 2.f;
  mY = (mY + mTargetY) / 2.f;
}

void SmoothPoint::jumpToTarget() {
  mX = mTargetX;
  mY = mTargetY;
  mJump = false;
}

}  // namespace Game
