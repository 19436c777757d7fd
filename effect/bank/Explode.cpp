#include "effect/bank/Explode.h"

#include <algorithm>

#include "core/random/RandomGenerator.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect::Bank {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr float kAuthoredSize = 64.f;
// Scattered blasts: one per cell of this side, of this size, a frame later
// per this many units from the centre.
constexpr float kScatterCell = 32.f;
constexpr float kScatterSize = 32.f;
constexpr float kScatterPace = 4.f;

}  // namespace

SceneNode* Explode::launch(SceneNodePool& pool, const Vector3& p, float size, float delay) const {
  SceneNode* node = spawn(pool, mSet.model(kMain), p, delay);
  node->scale.setValueAll(size / kAuthoredSize);
  return node;
}

void Explode::scatter(SceneNodePool& pool, const Vector3& centre, float radius) const {
  const i32 count = std::max(1, static_cast<i32>(radius * radius / (kScatterCell * kScatterCell)));
  for (i32 i = 0; i < count; ++i) {
    const float distance = draw(radius / 2.f);
    Vector3 direction;
    random().getCenteredDirection(&direction, 360.f, 0.f);
    launch(pool, added(centre, scaled(direction, distance)), kScatterSize, distance / kScatterPace);
  }
}

ExplodeRed::ExplodeRed() { load("src/picture/animation/bank/爆発.txt"); }
ExplodeEmerald::ExplodeEmerald() { load("src/picture/animation/bank/爆発緑.txt"); }
ExplodeSphere::ExplodeSphere() { load("src/picture/animation/bank/爆発球.txt"); }
ExplodeSphere2::ExplodeSphere2() { load("src/picture/animation/bank/爆発球2.txt"); }

}  // namespace Game::Effect::Bank
