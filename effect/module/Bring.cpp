#include "effect/module/Bring.h"

#include <algorithm>

#include "core/math/MathHelper.h"

namespace Game::Effect::Module {

using Engine::i32;
using Engine::Math::Vector3;

Bring::Bring(SceneNode* node, i32 frames, SceneNode* target, float height)
    : mNode(node), mFrames(std::max(frames, 1)), mTarget(target), mHeight(height) {
  if (node) {
    node->updateWorld();
    mStart = *node->worldPosition();
  }
}

Bring::Bring(SceneNode* node, i32 frames, const Vector3& end, float height) : Bring(node, frames, nullptr, height) {
  mEnd = end;
}

i32 Bring::update() {
  SceneNode* node = mNode.get();
  SceneNode* target = mTarget.get();
  if (!node || (mTarget.isSet() && !target) || mCounter > mFrames) {
    return kDone;
  }
  const float t = static_cast<float>(mCounter) / static_cast<float>(mFrames);
  if (target) {
    target->updateWorld();
    mEnd = *target->worldPosition();
  }
  Vector3 at;
  if (mCurve) {
    MathHelper::bezier(&at, t, mStart, mControl, mEnd);
  } else {
    MathHelper::lerpVector(&at, t, mStart, mEnd);
  }
  at.z += (1.f - t) * t * 4.f * mHeight;
  node->position.setValue(at);
  if (mAim) {
    Vector3 tangent;
    MathHelper::bezierTangent(&tangent, t, mStart, mControl, mEnd);
    node->aimDirection(tangent);
  }
  ++mCounter;
  return kHolding;
}

}  // namespace Game::Effect::Module
