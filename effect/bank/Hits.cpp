#include "effect/bank/Hits.h"

#include <algorithm>

#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect::Bank {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr i32 kCrossingCuts = 3;
constexpr i32 kSlashModels = 3;
constexpr i32 kMagicBursts = 8;
constexpr float kMagicPace = 4.f;
constexpr i32 kShards = 4;
constexpr float kShardSpeed = 12.f;
constexpr float kShardDamping = 0.9f;

// place run on every target, in list order.
template <class Place>
void atEveryTarget(const ActionRecord& action, Place place) {
  for (i32 i = 0; i < action.targetCount(); ++i) {
    place(action.target(i));
  }
}

}  // namespace

HitCircleL::HitCircleL() : mSet("src/picture/animation/bank/ヒット円大.txt") {}

void HitCircleL::spawnOnTargets(const ActionRecord& action) const { spawnOnHitTargets(action, mSet.model(kMain)); }

WaveHit::WaveHit() : mSet("src/picture/animation/bank/波ヒット.txt") {}

void WaveHit::spawnOnTargets(const ActionRecord& action, float delay) const {
  spawnOnHitTargets(action, mSet.model(kMain), delay);
}

ShotHit::ShotHit() : mSet("src/picture/animation/bank/射撃ヒット.txt") {}

void ShotHit::spawnOnTargets(const ActionRecord& action) const { spawnOnHitTargets(action, mSet.model(0)); }

SceneNode* ShotHit::launch(SceneNodePool& pool, const Vector3& p) const { return spawn(pool, mSet.model(0), p); }

SlashHit2::SlashHit2() : mSet("src/picture/animation/bank/斬撃ヒット2.txt") {}

void SlashHit2::launch(SceneNodePool& pool, const Vector3& p, float size) const {
  Model* model = mSet.model(0);
  for (i32 i = 0; i < kCrossingCuts; ++i) {
    SceneNode* node = spawn(pool, model, p);
    node->randomizeRotation(false, false, true);
    node->scale.setValueAll(size / kUnitSize);
  }
}

void SlashHit2::launchAt(const Unit& unit) const {
  if (SceneNodePool* pool = poolOf(unit)) {
    Vector3 position;
    unit.getPosition(position);
    launch(*pool, position, kUnitSize);
  }
}

void SlashHit2::launchOnTargets(const ActionRecord& action) const {
  atEveryTarget(action, [this](const Unit& unit) { launchAt(unit); });
}

SlashHit::SlashHit() : mSet("src/picture/animation/bank/斬撃ヒット.txt") {}

void SlashHit::launch(SceneNodePool& pool, const Vector3& p, float size) const {
  Vector3 turn;
  turn.x = draw(360.f) - 180.f;
  turn.y = draw(360.f) - 180.f;
  turn.z = draw(360.f) - 180.f;
  for (i32 m = 0; m < kSlashModels; ++m) {
    SceneNode* node = spawn(pool, mSet.model(m), p);
    node->rotation.setValue(turn);
    node->scale.setValueAll(size / kUnitSize);
  }
}

void SlashHit::launchAt(const Unit& unit) const {
  if (SceneNodePool* pool = poolOf(unit)) {
    Vector3 position;
    unit.getPosition(position);
    launch(*pool, position, std::max(unit.getSize(), kUnitSize));
  }
}

void SlashHit::launchOnTargets(const ActionRecord& action) const {
  atEveryTarget(action, [this](const Unit& unit) { launchAt(unit); });
}

MagicExplode::MagicExplode() : mSet("src/picture/animation/bank/魔法爆発.txt") {}

void MagicExplode::launch(SceneNodePool& pool, const Vector3& p, float size) const {
  Model* model = mSet.model(0);
  for (i32 i = 0; i < kMagicBursts; ++i) {
    Vector3 offset;
    random().getSpatialVector(&offset, size / 2.f);
    SceneNode* node = spawn(pool, model, added(p, offset), kMagicPace * static_cast<float>(i));
    node->scale.setValueAll(size / kUnitSize);
  }
}

void MagicExplode::launchAt(const Unit& unit) const {
  if (SceneNodePool* pool = poolOf(unit)) {
    Vector3 position;
    unit.getPosition(position);
    launch(*pool, position, unit.getSize());
  }
}

void MagicExplode::launchOnTargets(const ActionRecord& action) const {
  atEveryTarget(action, [this](const Unit& unit) { launchAt(unit); });
}

Ripple::Ripple() : mSet("src/picture/animation/bank/波紋.txt") {}

SceneNode* Ripple::launch(SceneNodePool& pool, const Vector3& p, float size) const {
  SceneNode* node = spawn(pool, mSet.model(0), p);
  node->scale.setValueAll(size / kUnitSize);
  return node;
}

ExplodeS::ExplodeS() : mSet("src/picture/animation/bank/小爆発.txt") {}

void ExplodeS::burstOnTargets(const ActionRecord& action, float delay) const {
  Model* model = mSet.model(0);
  atEveryTarget(action, [&](const Unit& unit) {
    for (i32 i = 0; i < kShards; ++i) {
      SceneNode* node = unit.createNode(model);
      if (!node) {
        return;
      }
      Vector3 velocity;
      random().getSpatialVector(&velocity, kShardSpeed * unit.getScale());
      node->position.setVelocity(velocity);
      node->position.setDampingAll(kShardDamping);
      node->setTime(-delay);
    }
  });
}

}  // namespace Game::Effect::Bank
