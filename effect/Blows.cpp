// Blows dealt from a step: heavy blows, smashes and counters.

#include "effect/Blows.h"

#include "live/Unit.h"
#include "effect/ActionRecord.h"

namespace Game::Effect {

using Engine::i32;

i32 Beat::update() {
  if (frame() == 0) {
    stepCaster(0.f, 16.f, 8);
    setCameraOnCast();
  }
  if (frame() == 16 && isAnyTargetHit()) {
    mBeat.launchOnTargets(*mAction);
    mStagger.launchOnTargets(*mAction);
    playSoundAt(0);
  }
  if (frame() == 24) {
    flashHitTargets();
  }
  if (frame() == 32) {
    applyResult();
  }
  if (frame() >= 65) {
    finish();
  }
  return frame();
}

i32 Strike::update() {
  if (frame() == 0) {
    stepCaster(64.f, 32.f, 32);
  }
  if (frame() == 16) {
    setCameraOnCast();
  }
  if (frame() == 32 && isAnyTargetHit()) {
    playSoundAt(0);
    mBeat.launchOnTargets(*mAction);
    mStagger.launchOnTargets(*mAction);
    mRing.launch(getScenePool(), firstTargetPosition());
    mStar.twinkleAt(*getFirstTarget());
  }
  if (frame() == 48) {
    flashHitTargets();
  }
  if (frame() == 64) {
    applyResult();
    moveHome(32.f, 24);
  }
  if (frame() >= 97) {
    finish();
  }
  return frame();
}

i32 Counter::update() {
  if (frame() == 32) {
    setCameraOnCast();
    mBeat.launchOnTargets(*mAction);
    playSoundAt(0);
    flashHitTargets();
  }
  if (frame() == 64) {
    applyResult();
  }
  if (frame() >= 97) {
    finish();
  }
  return frame();
}

}  // namespace Game::Effect
