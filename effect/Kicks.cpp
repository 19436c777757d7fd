// Kicks, jumps and drops onto the target.

#include "effect/Kicks.h"

#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

i32 Kick::update() {
  if (frame() == 0) {
    faceTargets();
    moveToFirstTarget(20.f, 20, 0.5f);
  }
  if (frame() == 20) {
    flashHitTargets();
    moveHome(64.f, 32);
    sparkAndSoundOnHit();
  }
  if (frame() == 32) {
    applyResult();
  }
  if (frame() >= 53) {
    finish();
  }
  return frame();
}

i32 KneeImpulse::update() {
  if (frame() == 0) {
    Vector3 back;
    getPointNearCaster(back, 16.f, 0.f, 32.f);
    moveToPoint(back, 24.f, 16, false);
  }
  if (frame() == 32) {
    moveToFirstTarget(20.f, 12, 0.5f);
    mRing.launch(getScenePool(), casterPosition())->aimAt(firstTargetPosition());
    setCameraOnTargets();
  }
  if (frame() == 44) {
    flashHitTargets();
    Vector3 away;
    getPointNearCaster(away, 0.f, 0.f, 64.f);
    moveToPoint(away, 32.f, 24, false);
    launchSparksOnTargets(kSparks);
    if (Unit* target = getFirstTarget()) {
      mStar.twinkleAt(*target);
    }
    if (isAnyTargetHit()) {
      playSoundAt(0);
    }
  }
  if (frame() == 68) {
    moveHome(64.f, 32);
  }
  if (frame() == 72) {
    applyResult();
  }
  if (frame() >= 81) {
    finish();
  }
  return frame();
}

i32 JumpingFlash::update() {
  if (frame() == 0) {
    faceTargets();
    dashToTarget(120, 0.25f);
  }
  if (frame() == 60) {
    setCameraOnTargets();
  }
  if (frame() == 120) {
    if (isAnyTargetHit()) {
      mBeat.launchOnTargets(*mAction);
      mStagger.launchOnTargets(*mAction);
      playSoundAt(0);
    }
    applyResult();
    moveHome(64.f, 60);
    getScenePool().createLight(1.f, 10, firstTargetPosition(), Vector3(1.f, 1.f, 1.f));
  }
  if (frame() >= 145) {
    finish();
  }
  return frame();
}

i32 Press::update() {
  if (frame() == 0) {
    setCameraOnCast();
    moveToFirstTarget(128.f, 32, 0.25f);
  }
  if (frame() == 32) {
    flashHitTargets();
    Vector3 up;
    getPointNearCaster(up, 0.f, 0.f, 64.f);
    moveToPoint(up, 0.f, 16, false);
    if (isAnyTargetHit()) {
      mBeat.launchOnTargets(*mAction);
      sparkAndSoundOnHit();
    }
  }
  if (frame() == 56) {
    applyResult();
    moveHome(64.f, 40);
  }
  if (frame() >= 97) {
    finish();
  }
  return frame();
}

i32 Stamp::update() {
  if (frame() == 0) {
    Vector3 above = firstTargetPosition();
    above.z += kLeapRise;
    moveToPoint(above, kLeapHeight, kLeapFrames, true);
  }
  if (frame() == kLeapFrames) {
    setCameraOnTargets();
    moveToPoint(aimPoint(), 0.f, kDropFrames, false);
  }
  if (frame() == kLandFrame) {
    land();
  }
  if (frame() == kApplyFrame) {
    applyResult();
  }
  if (frame() >= kEndFrame) {
    finish();
  }
  return frame();
}

void Stamp::land() {
  mStagger.launchOnTargets(*mAction);
  flashHitTargets();
  moveHome(kHomeHeight, kHomeFrames);
  sparkAndSoundOnHit();
  mBeat.launchOnTargets(*mAction);
  mRing.launch(getScenePool(), casterPosition());
  mEmitter.dustRingAtFront(*mCaster);
  setCameraOffsetZ(kShake);
}

}  // namespace Game::Effect
