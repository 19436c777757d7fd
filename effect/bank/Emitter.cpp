#include "effect/bank/Emitter.h"

#include "Engine/Base/DebugStream.h"
#include "core/math/MathHelper.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "live/unit/BattleServices.h"
#include "effect/Stage.h"
#include "effect/bank/Piece.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"
#include "records/Database.h"
#include "records/database/BattlePictures.h"

namespace Game::Effect::Bank {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr float kDustPerSize = 1.f / 16.f;
constexpr float kDustRingBase = 16.f;
constexpr float kFullTurn = 360.f;

// The "main" model of a common animation list; null, said on the debug
// stream, without it.
Model* commonMain(const char* list) {
  Database* database = Database::instance();
  PictureList* pictures = database ? database->maps().battle.commonAnimation(list) : nullptr;
  Model* model = pictures ? pictures->find("main") : nullptr;
  if (!model) {
    Engine::cout << "Emitter: the common list \"" << list << "\" has no model \"main\"" << Engine::endl;
  }
  return model;
}

// Puffs in a ring of that size: the whole part of size/16 + 16, none for a
// size that gives no finite count, at most the pool's capacity.
i32 dustCount(float size, i32 capacity) {
  const float count = size * kDustPerSize + kDustRingBase;
  if (!(count >= 1.f)) {
    return 0;
  }
  return count < static_cast<float>(capacity) ? static_cast<i32>(count) : capacity;
}

// A wing's direction out of the unit at row t of the first (side 0) or
// second wing; low holds the row's lower end.
Vector3 wingDirection(float t, i32 side, bool low) {
  const float y = side == 0 ? 6.f * t : -6.f * t;
  const float z = low ? 2.f * t * t * t : 3.f * t;
  return Vector3(-0.5f - 0.5f * t, y, z);
}

}  // namespace

void Emitter::flameBurst(SceneNodePool& pool, const Vector3& p, i32 delay) const {
  Model* flame = commonMain("炎");
  if (!flame) {
    return;
  }
  for (i32 i = 0; i < kFlameNodes; ++i) {
    Vector3 offset;
    RandomGenerator::instance()->getFlatVector(&offset, kFlameSpread);
    offset += p;
    SceneNode* node = pool.create(flame, 0);
    node->position.setValue(offset);
    node->setTime(-static_cast<float>(delay + kFlameDelayStep * i));
  }
}

void Emitter::dustRing(SceneNodePool& pool, const Vector3& centre, float size) const {
  const i32 count = dustCount(size, pool.capacity());
  Model* dust = count > 0 ? commonMain("土煙") : nullptr;
  if (!dust) {
    return;
  }
  for (i32 i = 0; i < count; ++i) {
    Vector3 place;
    MathHelper::directionFromAngles(&place, kFullTurn * static_cast<float>(i) / static_cast<float>(count), 0.f);
    place *= size / 2.f;
    place += centre;
    SceneNode* node = pool.create(dust, 0);
    node->position.setValue(place);
    node->scale.setValueAll(kDustScale);
  }
}

void Emitter::dustRingAtFront(const Unit& unit) const {
  SceneNodePool* pool = poolOf(unit);
  if (!pool) {
    return;
  }
  Vector3 front;
  unit.getFrontPoint(front);
  dustRing(*pool, front, unit.getSize());
}

void Emitter::reviveWings(Stage& stage, const Unit& unit) const {
  if (SceneNodePool* pool = poolOf(unit)) {
    for (i32 row = 0; row < kWingRows; ++row) {
      const float t = static_cast<float>(row) / static_cast<float>(kWingRows);
      for (i32 side = 0; side < 2; ++side) {
        Vector3 high;
        Vector3 low;
        unit.pointAlong(high, wingDirection(t, side, false));
        unit.pointAlong(low, wingDirection(t, side, true));
        for (i32 k = 0; k < kWingBurstsPerRow; ++k) {
          Vector3 at;
          MathHelper::lerpVector(&at, static_cast<float>(k) / static_cast<float>(kWingBurstsPerRow - 1), high, low);
          flameBurst(*pool, at, kWingRowDelay * row);
        }
      }
    }
  }
  stage.startBattleSound("リヴァイヴァ", 0);
}

}  // namespace Game::Effect::Bank
