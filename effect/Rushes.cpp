// Runs into the target: tackles, shoves and throws.

#include "effect/Rushes.h"

#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "effect/module/Fall.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

i32 Tackle::update() {
  if (frame() == 0) {
    setCameraOnCast();
    moveToFirstTarget(0.f, 24, 1.f);
  }
  if (frame() == 24) {
    moveHome(64.f, 48);
    flashHitTargets();
    if (isAnyTargetHit()) {
      playSoundAt(0);
      mBeat.launch(getScenePool(), firstTargetPosition(), kBlowSize);
      mStagger.launchOnTargets(*mAction);
    }
  }
  if (frame() == 48) {
    applyResult();
  }
  if (frame() >= 73) {
    finish();
  }
  return frame();
}

i32 Charge::update() {
  if (frame() == 0) {
    setCameraOnCast();
  }
  if (frame() == 16) {
    moveToFirstTarget(0.f, 32, 0.5f);
  }
  if (frame() == 48) {
    mRing.flatRing(getScenePool(), firstTargetPosition(), casterPosition());
    stage().flashWhite();
    knockBackTargets(casterPosition());
    if (isAnyTargetHit()) {
      playSoundAt(0);
      mDizzy.launchOn(*getFirstTarget());
    }
    flashHitTargets();
  }
  if (frame() == 72) {
    moveHome(64.f, 60);
    applyResult();
  }
  if (frame() >= 97) {
    finish();
  }
  return frame();
}

i32 Throw::update() {
  if (frame() == 0) {
    setCameraScale(1.25f);
    setCameraOnCaster();
    moveToFirstTarget(0.f, 32, 0.25f);
  }
  if (frame() == kThrowFrame) {
    throwTarget();
  }
  if (frame() == 64) {
    moveHome(64.f, 60);
  }
  if (frame() == kLandFrame) {
    land();
  }
  if (frame() == kEndFrame) {
    finish();
  }
  return frame();
}

void Throw::throwTarget() {
  setCameraOnCast();
  flashHitTargets();
  if (Unit* target = getFirstTarget()) {
    addModule(std::make_unique<Module::Fall>(*target, 48, 128.f, 0.f));
    if (SceneNode* node = target->node()) {
      node->rotation.z.setVelocity(kSpin);
    }
  }
  playSoundAt(0);
}

void Throw::land() {
  startSound("land");
  Unit* target = getFirstTarget();
  if (target && target->node()) {
    target->node()->rotation.z.setVelocity(0.f);
  }
  mStagger.launchOnTargets(*mAction);
  if (target) {
    mShockWave.launchAtFront(*target);
  }
  applyResult();
}

}  // namespace Game::Effect
