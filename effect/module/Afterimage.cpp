#include "effect/module/Afterimage.h"

#include <algorithm>

#include "presentation/render/Transform.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect::Module {

using Engine::i32;

namespace {

// Where the copy's own tracks put it inside its fixed transform: a step
// back from the node it copies.
constexpr float kCopyDepth = -1.f;

}  // namespace

Afterimage::Afterimage(SceneNode* node, i32 frames, i32 interval, i32 lifetime, const Animation& animation)
    : mNode(node), mInterval(std::max(interval, 1)), mLifetime(lifetime), mAnimation(animation), mFrames(frames) {}

i32 Afterimage::update() {
  SceneNode* node = mNode.get();
  if (!node || mCounter > mFrames) {
    return kDone;
  }
  if (mCounter % mInterval == 0) {
    leaveCopy(*node);
  }
  ++mCounter;
  return kRunning;
}

void Afterimage::leaveCopy(SceneNode& node) const {
  SceneNode* copy = node.pool()->clone(node);
  copy->stopMotions();
  // The place, turn and size go into the copy's own outermost state, so
  // that its tracks no longer move it.
  Transform fixed;
  fixed.position = copy->position.value();
  fixed.rotation = copy->rotation.value();
  fixed.scale = copy->scale.value();
  copy->baseState.applyTransform(fixed);
  copy->position.setValue(0.f, 0.f, kCopyDepth);
  copy->rotation.setValueAll(0.f);
  copy->scale.setValueAll(1.f);
  copy->setLifetime(mLifetime);
  copy->addOverlay(mAnimation, 0.f);
}

}  // namespace Game::Effect::Module
