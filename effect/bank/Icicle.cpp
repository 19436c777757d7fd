#include "effect/bank/Icicle.h"

#include "core/random/RandomGenerator.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect::Bank {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr float kSpikePace = 2.f;

}  // namespace

Icicle::Icicle() : mSet("src/picture/animation/bank/氷柱.txt") {}

SceneNode* Icicle::launch(SceneNodePool& pool, const Vector3& p, float height) const {
  SceneNode* node = spawn(pool, mSet.model(0), p);
  node->randomizeRotation(false, false, true);
  node->scale.z.setValue(height / kUnitSize);
  return node;
}

void Icicle::field(SceneNodePool& pool, const Vector3& centre, float height, float radius, i32 n, float delay) const {
  for (i32 i = 0; i < n; ++i) {
    const float distance = draw(radius);
    Vector3 direction;
    random().getCenteredDirection(&direction, 360.f, 0.f);
    SceneNode* node =
        launch(pool, added(centre, scaled(direction, distance)), height * (1.f - distance / radius / 2.f));
    node->setTime(-(kSpikePace * static_cast<float>(i) + delay));
  }
}

}  // namespace Game::Effect::Bank
