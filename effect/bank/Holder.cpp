#include "effect/bank/Holder.h"

#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect::Bank {

using Engine::i32;
using Engine::Math::Vector3;

void Holder::converge(const Unit& caster, const Unit& target) const {
  SceneNodePool* pool = poolOf(target);
  if (!pool) {
    return;
  }
  Vector3 from;
  caster.getPosition(from);
  Vector3 centre;
  target.getPosition(centre);
  Vector3 direction;
  direction.setSub(from, centre);
  Model* main = mSet.model(kMain);
  const float size = target.getSize();
  for (i32 i = 0; i < kConverging; ++i) {
    Vector3 offset;
    random().getSpatialVector(&offset, size * static_cast<float>(kConverging - i) / static_cast<float>(kConverging));
    SceneNode* node = spawn(*pool, main, added(centre, offset), static_cast<float>(i / 2));
    node->aimDirection(direction);
  }
  if (SceneNode* finish = target.createNode(mSet.model("finish"))) {
    finish->aimAt(from);
    finish->setTime(-kFinishDelay);
  }
}

}  // namespace Game::Effect::Bank
