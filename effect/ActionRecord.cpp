#include "effect/ActionRecord.h"

#include "live/Unit.h"
#include "presentation/model/Animation.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

// The delay, and the travel from the origin when there is a divisor.
float startOf(const Unit& target, float delay, const Vector3* origin, float divisor) {
  if (!origin || divisor <= 0.f) {
    return delay;
  }
  Vector3 position;
  target.getPosition(position);
  position -= *origin;
  return delay + position.length() / divisor;
}

}  // namespace

void spawnOnHitTargets(const ActionRecord& action, Model* model, float delay, const Vector3* origin, float divisor) {
  for (i32 i = 0; i < action.targetCount(); ++i) {
    if (!action.isHit(i)) {
      continue;
    }
    Unit& target = action.target(i);
    if (SceneNode* node = target.createNode(model)) {
      node->setTime(-startOf(target, delay, origin, divisor));
    }
  }
}

void overlayOnHitTargets(const ActionRecord& action, const Animation& animation, float delay, const Vector3* origin,
                         float divisor) {
  for (i32 i = 0; i < action.targetCount(); ++i) {
    if (!action.isHit(i)) {
      continue;
    }
    Unit& target = action.target(i);
    if (SceneNode* node = target.node()) {
      node->addOverlay(animation, startOf(target, delay, origin, divisor));
    }
  }
}

}  // namespace Game::Effect
