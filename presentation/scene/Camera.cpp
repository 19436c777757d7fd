#include "presentation/scene/Camera.h"

#include <algorithm>

#include "core/math/MathHelper.h"

namespace Game {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr float kMatrixUnitsPerWorldUnit = 0.0025f;
constexpr float kFollowFrames = 15.f;
constexpr float kAnchorFrames = 15.f;
// Zoom, roll, heading, pitch and distance ease over the same half second.
constexpr float kViewFrames = 30.f;
constexpr float kDefaultPitch = 30.f;
constexpr float kFollowGain = 0.1f;
constexpr float kFollowLoss = 0.05f;
constexpr float kShakeSwing = -0.8f;
constexpr i32 kShakePeriod = 3;

}  // namespace

Camera::Camera() {
  followTarget.setDuration(kFollowFrames);
  anchor.setDuration(kAnchorFrames);
  for (Tween* tween : {&zoom, &roll, &heading, &pitch, &inverseDistance}) {
    tween->setDuration(kViewFrames);
  }
  reset();
}

void Camera::reset() {
  followTarget.reset();
  anchor.reset();
  for (Tween* tween : {&zoom, &roll, &heading, &pitch, &inverseDistance}) {
    tween->reset();
  }
  mEye.set(500.f * kMatrixUnitsPerWorldUnit, 500.f * kMatrixUnitsPerWorldUnit, 0.f);
  mUp.set(0.f, 0.f, 1.f);
  mTarget.set(0.f, 0.f, 0.f);
  zoom.setTarget(1.f);
  roll.setTarget(0.f);
  heading.setTarget(0.f);
  pitch.setTarget(kDefaultPitch);
  inverseDistance.setTarget(1.f);
  followTarget.setTarget(0.f, 0.f, 0.f);
  anchor.setTarget(0.f, 0.f, 0.f);
  shake.set(0.f, 0.f, 0.f);
  mFollowRequested = false;
  mFollowWeight = 0.f;
}

void Camera::lookAt(const Vector3& worldPoint) {
  followTarget.setTarget(worldPoint);
  mFollowRequested = true;
}

float Camera::distance() const { return kInverseDistanceScale / inverseDistance.value(); }

void Camera::step(i32 frameCounter) {
  anchor.step();
  for (Tween* tween : {&zoom, &pitch, &heading, &roll, &inverseDistance}) {
    tween->step();
  }
  placeEye();
  // A lookAt before the next step overrides this target again.
  followTarget.step();
  followTarget.setTarget(anchor.value());
  updateFollowWeight();
  placeTarget(frameCounter);
  placeUp();
}

void Camera::placeEye() {
  MathHelper::directionFromAngles(&mEye, heading.value(), pitch.value());
  mEye *= distance();
  mEye += anchor.value();
  mEye *= kMatrixUnitsPerWorldUnit;
}

// Ten frames of asking bring the weight to 1; twenty without let it go.
void Camera::updateFollowWeight() {
  if (mFollowRequested) {
    mFollowRequested = false;
    mFollowWeight = std::min(1.f, mFollowWeight + kFollowGain);
  } else {
    mFollowWeight = std::max(0.f, mFollowWeight - kFollowLoss);
  }
}

void Camera::placeTarget(i32 frameCounter) {
  const Vector3 anchorPoint = anchor.value();
  if (mFollowWeight == 0.f) {
    mTarget = anchorPoint;
  } else {
    const float s = MathHelper::softSign(mFollowWeight - 0.5f, 1.f, 0.5f) + 0.5f;
    MathHelper::lerpVector(&mTarget, s, anchorPoint, followTarget.value());
  }
  if (shake.squareLength() > 1.f) {
    mTarget += shake;
  }
  mTarget *= kMatrixUnitsPerWorldUnit;
  if (frameCounter % kShakePeriod == 0) {
    shake *= kShakeSwing;
  }
}

// Upright to the view, then turned by the roll. Looking straight up or down
// leaves no side to turn about: the last up stands.
void Camera::placeUp() {
  Vector3 forward;
  forward.setSub(mTarget, mEye);
  Vector3 side;
  side.setCross(forward, Vector3(0.f, 0.f, 1.f));
  if (side.squareLength() <= 0.f) {
    return;
  }
  side.normalize();
  Vector3 up;
  up.setCross(side, forward);
  up.normalize();
  up *= Engine::Math::cos(roll.value());
  side *= Engine::Math::sin(roll.value());
  up += side;
  mUp = up;
}

}  // namespace Game
