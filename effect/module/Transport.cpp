#include "effect/module/Transport.h"

#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect::Module {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

// The trail's node stands this far behind, in frames.
constexpr float kTrailLag = 0.5f;

}  // namespace

Transport::Transport(SceneNode* node, i32 frames, bool aim) : mNode(node), mFrames(frames), mAim(aim) {}

Vector3 Transport::start() const {
  SceneNode* node = mNode.get();
  if (!node) {
    return Vector3(0.f, 0.f, 0.f);
  }
  node->updateWorld();
  return *node->worldPosition();
}

void Transport::setSpanValue(const Vector3& end, float t1, const Vector3& value1) {
  MotionCurve::setSpanValue(mPath, static_cast<float>(mFrames), start(), end, t1, value1);
}

void Transport::setSpanVelocity(const Vector3& end, float t1, const Vector3& velocity1) {
  MotionCurve::setSpanVelocity(mPath, static_cast<float>(mFrames), start(), end, t1, velocity1);
}

void Transport::setSpan(const Vector3& end, float t1, const Vector3& value1, float t2, const Vector3& velocity2) {
  MotionCurve::setSpan(mPath, static_cast<float>(mFrames), start(), end, t1, value1, t2, velocity2);
}

void Transport::setSpanValueValue(const Vector3& end, float t1, const Vector3& value1, float t2,
                                  const Vector3& value2) {
  MotionCurve::setSpanValueValue(mPath, static_cast<float>(mFrames), start(), end, t1, value1, t2, value2);
}

void Transport::setSpanVelocityVelocity(const Vector3& end, float t1, const Vector3& velocity1, float t2,
                                        const Vector3& velocity2) {
  MotionCurve::setSpanVelocityVelocity(mPath, static_cast<float>(mFrames), start(), end, t1, velocity1, t2,
                                       velocity2);
}

void Transport::setSpanVelocityAccel(const Vector3& end, float t1, const Vector3& velocity1, float t2,
                                     const Vector3& accel2) {
  MotionCurve::setSpanVelocityAccel(mPath, static_cast<float>(mFrames), start(), end, t1, velocity1, t2, accel2);
}

i32 Transport::update() {
  SceneNode* node = mNode.get();
  if (!node || mCounter > mFrames) {
    return kDone;
  }
  const float t = static_cast<float>(mCounter);
  node->position.setValue(mPath.valueAt(t));
  const Vector3 velocity = mPath.velocityAt(t);
  if (mAim) {
    node->aimDirection(velocity);
  }
  if (mStretch) {
    node->scale.z.setValue(velocity.length());
  }
  if (mTrail && t - kTrailLag >= 0.f) {
    leaveTrail(*node, t - kTrailLag);
  }
  ++mCounter;
  return kHolding;
}

void Transport::leaveTrail(const SceneNode& node, float t) const {
  SceneNode* trail = node.pool()->create(mTrail, 0);
  const Vector3 velocity = mPath.velocityAt(t);
  trail->position.setValue(mPath.valueAt(t));
  trail->aimDirection(velocity);
  trail->scale.z.setValue(velocity.length());
  trail->rotation.z.setValue(node.rotation.z.value());
}

}  // namespace Game::Effect::Module
