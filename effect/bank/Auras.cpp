#include "effect/bank/Auras.h"

#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect::Bank {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr i32 kDizzyStars = 8;
constexpr i32 kCrossLights = 8;
constexpr float kCrossLightPace = 6.f;
constexpr i32 kSpinRings = 8;
constexpr i32 kAuraStreaks = 16;
constexpr float kAuraUnitSizes = 3.f;
constexpr i32 kGlows = 16;
// Streaks and glows are authored for half a unit.
constexpr float kHalfUnit = 128.f;
// Rings, streaks and glows grow by up to half at random.
constexpr float kGrowth = 0.5f;
const Vector3 kOrigin(0.f, 0.f, 0.f);

float grown() { return 1.f + draw(kGrowth); }

// A node of the model following the parent's position at offset p, delay
// frames late.
SceneNode* around(SceneNodePool& pool, Model* model, SceneNode& parent, const Vector3& p, float delay) {
  SceneNode* node = spawn(pool, model, p, delay);
  attach(*node, parent, p);
  return node;
}

}  // namespace

RisingParticle::RisingParticle() : mSet("src/picture/animation/bank/上昇粒子.txt") {}

void RisingParticle::launchOn(const Unit& unit, i32 n) const {
  SceneNodePool* pool = poolOf(unit);
  SceneNode* parent = unit.node();
  if (!pool || !parent) {
    return;
  }
  Model* model = mSet.model(0);
  const float size = unit.getSize();
  for (i32 i = 0; i < n / 2; ++i) {
    Vector3 offset;
    random().getFlatVector(&offset, size / 2.f);
    offset.z = -size / 2.f;
    around(*pool, model, *parent, offset, 2.f * static_cast<float>(i));
  }
}

void RisingParticle::launchOnTargets(const ActionRecord& action, i32 n) const {
  for (i32 i = 0; i < action.targetCount(); ++i) {
    launchOn(action.target(i), n);
  }
}

Dizzy::Dizzy() : mSet("src/picture/animation/bank/めまい.txt") {}

void Dizzy::launchOn(const Unit& unit) const {
  SceneNodePool* pool = poolOf(unit);
  SceneNode* parent = unit.node();
  if (!pool || !parent) {
    return;
  }
  Model* model = mSet.model(kMain);
  for (i32 i = 0; i < kDizzyStars; ++i) {
    SceneNode* node = around(*pool, model, *parent, kOrigin, 2.f * static_cast<float>(i));
    node->scale.setValueAll(unit.getScale());
    node->randomizeRotation(true, true, true);
  }
}

void Dizzy::launchOnTargets(const ActionRecord& action) const {
  for (i32 i = 0; i < action.targetCount(); ++i) {
    launchOn(action.target(i));
  }
}

CrossLightS::CrossLightS() : mSet("src/picture/animation/bank/十字光小.txt") {}

SceneNode* CrossLightS::launch(SceneNodePool& pool, const Vector3& p) const {
  return spawn(pool, mSet.model(kMain), p);
}

void CrossLightS::launchOn(const Unit& unit) const {
  SceneNodePool* pool = poolOf(unit);
  SceneNode* parent = unit.node();
  if (!pool || !parent) {
    return;
  }
  Model* model = mSet.model(kMain);
  for (i32 i = 0; i < kCrossLights; ++i) {
    Vector3 offset;
    random().getSpatialVector(&offset, unit.getSize() / 2.f);
    SceneNode* node = around(*pool, model, *parent, offset, kCrossLightPace * static_cast<float>(i));
    node->scale.setValueAll(2.f * unit.getScale());
    Color colour;
    colour.setHue(mHueMin + draw(mHueMax - mHueMin));
    colour.add(mColor);
    node->setColor(colour);
  }
}

SpinCharge::SpinCharge() : mSet("src/picture/animation/bank/回転ため.txt") {}

void SpinCharge::launch(SceneNodePool& pool, SceneNode& parent, float size) const {
  Model* model = mSet.model(kMain);
  for (i32 i = 0; i < kSpinRings; ++i) {
    SceneNode* node = around(pool, model, parent, kOrigin, 2.f * static_cast<float>(i));
    node->randomizeRotation(true, true, true);
    node->scale.setValueAll(grown() * size / kUnitSize);
  }
}

void SpinCharge::launchOn(const Unit& unit) const {
  SceneNodePool* pool = poolOf(unit);
  if (SceneNode* parent = unit.node(); pool && parent) {
    launch(*pool, *parent, unit.getSize());
  }
}

ChargeAura::ChargeAura() : mSet("src/picture/animation/bank/チャージ.txt") {}

void ChargeAura::launch(SceneNodePool& pool, SceneNode& parent, float size) const {
  Model* model = mSet.model(0);
  for (i32 i = 0; i < kAuraStreaks; ++i) {
    SceneNode* node = around(pool, model, parent, kOrigin, 2.f * static_cast<float>(i));
    node->randomizeRotation(true, true, true);
    node->scale.setValue(1.f, 1.f, grown() * size / kHalfUnit);
  }
}

void ChargeAura::launchOn(const Unit& unit) const {
  SceneNodePool* pool = poolOf(unit);
  if (SceneNode* parent = unit.node(); pool && parent) {
    launch(*pool, *parent, kAuraUnitSizes * unit.getSize());
  }
}

Glow::Glow() : mSet("src/picture/animation/bank/発光.txt") {}

void Glow::launch(SceneNodePool& pool, SceneNode* parent, const Vector3& p, float size) const {
  Model* model = mSet.model(0);
  for (i32 i = 0; i < kGlows; ++i) {
    SceneNode* node = spawn(pool, model, p, static_cast<float>(i));
    if (parent) {
      attach(*node, *parent, p);
    }
    node->randomizeRotation(true, true, true);
    node->scale.setValueAll(grown() * size / kHalfUnit);
  }
}

void Glow::launchAt(SceneNodePool& pool, const Vector3& p, float size) const { launch(pool, nullptr, p, size); }

void Glow::launchOnNode(SceneNode& node, float size) const {
  if (SceneNodePool* pool = node.pool()) {
    launch(*pool, &node, kOrigin, size);
  }
}

void Glow::launchOn(const Unit& unit) const {
  if (SceneNode* node = unit.node()) {
    launchOnNode(*node, unit.getSize());
  }
}

}  // namespace Game::Effect::Bank
