#include "effect/ActionRecord.h"

#include "data/Unit.h"
#include "presentation/model/Animation.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

void spawnOnHitTargets(const ActionRecord& action, Model* model, float delay, const Vector3* origin, float divisor) {
  for (i32 i = 0; i < action.targetCount(); ++i) {
    if (!action.isHit(i)) {
      continue;
    }
    Unit& target = action.target(i);
    SceneNode* node = target.createNode(model);
    if (!node) {
      continue;
    }
    float start = delay;
    if (origin && divisor > 0.f) {
      Vector3 position;
      target.getPosition(position);
      position -= *origin;
      start += position.length() / divisor;
    }
    node->setTime(-start);
  }
}

void overlayOnHitTargets(const ActionRecord& action, const Animation& animation, float delay) {
  for (i32 i = 0; i < action.targetCount(); ++i) {
    if (!action.isHit(i)) {
      continue;
    }
    if (SceneNode* node = action.target(i).node()) {
      node->addOverlay(animation, delay);
    }
  }
}

}  // namespace Game::Effect
