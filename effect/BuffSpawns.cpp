// The buffs that place their pieces in the scene pool or on the hit
// targets: the duel song, the pentagram, the charge and the magical heal.

#include "core/math/MathHelper.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Buffs.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr float kPitch = 30.f;
constexpr i32 kSpawnFrame = 32;

}  // namespace

Imperium::Imperium() : mSet("src/picture/animation/インペリウム.txt") { addSound("main", "power00"); }

i32 Imperium::update() {
  constexpr float kSpacing = 2.f;
  if (frame() == 0) {
    setCameraPitch(kPitch);
    setCameraOnCast();
    mWave.launchAtFront(*mCaster);
  }
  if (frame() == kSpawnFrame) {
    Model* copy = mSet.model(0);
    for (i32 k = 0; k < kCopies; ++k) {
      spawnOnHitTargets(*mAction, copy, kSpacing * static_cast<float>(k));
    }
    playSoundAt(0);
  }
  if (frame() == kApplyFrame) {
    mGlow.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

Pentagram::Pentagram() : mSet("src/picture/animation/護身法.txt") {}

i32 Pentagram::update() {
  if (frame() == 0) {
    setCameraOnTargets();
    setCameraPitch(kPitch);
  }
  if (frame() == kSpawnFrame) {
    spawnOnHitTargets(*mAction, mSet.model(0));
    playSoundAt(0);
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

HighSpeedCharge::HighSpeedCharge() : mSet("src/picture/animation/チャージ.txt") { addSound("hit", "power00"); }

i32 HighSpeedCharge::update() {
  constexpr i32 kGlowFrame = 48;
  if (frame() == 0) {
    setCameraOnCast();
    Vector3 first;
    getFirstTargetPosition(first);
    Model* piece = mSet.model(0);
    for (i32 i = 0; i < kPieces; ++i) {
      SceneNode* node = launchAnimation(piece);
      node->position.setValue(first);
      node->randomizeRotation(true, true, true);
      node->setTime(-static_cast<float>(i));
    }
    startSound("hit");
  }
  if (frame() == kGlowFrame) {
    mGlow.launchOnTargets(*mAction);
  }
  applyOn(kApplyFrame);
  if (frame() == kEndFrame) {
    finish();
  }
  return frame();
}

MagicalHeal::MagicalHeal() : mSet("src/picture/animation/マジカルヒール.txt") {}

i32 MagicalHeal::update() {
  constexpr float kZoom = 1.5f;
  constexpr i32 kHealFrame = 80;
  constexpr float kLight = 1.f;
  constexpr i32 kLightFrames = 64;
  if (frame() == 0) {
    setCameraOnTargets();
    setCameraScale(kZoom);
  }
  if (frame() == kSpawnFrame) {
    launchCircle();
    Vector3 first;
    getFirstTargetPosition(first);
    getScenePool().createLight(kLight, kLightFrames, first, Vector3(1.f, 1.f, 1.f));
    playSoundAt(0);
  }
  if (frame() == kHealFrame) {
    mHeal.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

// Piece k 22.5·k degrees about the first target, half its size out, after
// 4·k frames; none without a target to size the circle.
void MagicalHeal::launchCircle() {
  constexpr float kTurn = 22.5f;
  constexpr i32 kSpacing = 4;
  const Unit* first = getFirstTarget();
  if (!first) {
    return;
  }
  Vector3 centre;
  first->getPosition(centre);
  Model* piece = mSet.model(0);
  for (i32 k = 0; k < kPieces; ++k) {
    Vector3 p;
    MathHelper::directionFromAngles(&p, kTurn * static_cast<float>(k), 0.f);
    p *= first->getSize() / 2.f;
    p += centre;
    SceneNode* node = launchAnimation(piece);
    node->position.setValue(p);
    node->setTime(-static_cast<float>(kSpacing * k));
  }
}

}  // namespace Game::Effect
