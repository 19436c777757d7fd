// The counters and the barrier that answer an attack.

#include "effect/Counters.h"

#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

void CounterBase::getCounterPoint(Vector3& out) const {
  const float size = mCaster ? mCaster->getSize() : Bank::kUnitSize;
  getPointNearCaster(out, 0.f, 0.f, -size / 2.f);
}

void CounterBase::raiseBarrier(Engine::u32 colour) const {
  Vector3 point;
  getCounterPoint(point);
  Vector3 direction;
  getTargetDirection(direction);
  const float scale = mCaster ? mCaster->getScale() : 1.f;
  mBarrier.launchGrid(getScenePool(), point, direction, scale, kRings, colour);
}

void CounterBase::applyAndEnd() {
  applyOn(kApplyFrame);
  endFrom(kEndFrame);
}

void CounterBase::updateWithGlow(const Bank::AnimationLauncher& glow, Engine::u32 colour) {
  if (frame() == kLaunchFrame) {
    setCameraOnCast();
    raiseBarrier(colour);
    glow.launchOnTargets(*mAction);
    playSoundAt(0);
  }
  // A second test of the same frame: the camera turns once the sound is out.
  if (frame() == kLaunchFrame) {
    setCameraOnTargets();
    flashHitTargets();
  }
  applyAndEnd();
}

i32 CurseCounter::update() {
  updateWithGlow(mCurse, kColour);
  return frame();
}

i32 PoisonCounter::update() {
  updateWithGlow(mPoison, kColour);
  return frame();
}

i32 FreezeCounter::update() {
  if (frame() == 0) {
    mCold.chillTargets(*mAction);
  }
  if (frame() == kLaunchFrame) {
    setCameraOnCast();
    raiseBarrier(kColour);
    mCyan.launchOnTargets(*mAction);
    setCameraOnTargets();
    flashHitTargets();
    playSoundAt(0);
  }
  applyAndEnd();
  return frame();
}

FireCounter::FireCounter() { addSound("main", "bom26_b"); }

i32 FireCounter::update() {
  if (frame() == 0) {
    mSparks.splashAt(*mCaster);
  }
  if (frame() == kLaunchFrame) {
    setCameraOnCast();
    raiseBarrier(kColour);
    mGlow.launchOnTargets(*mAction);
    setCameraOnTargets();
    Vector3 first;
    getFirstTargetPosition(first);
    mEmitter.flameBurst(getScenePool(), first, 0);
    flashHitTargets();
    playSoundAt(0);
  }
  applyAndEnd();
  return frame();
}

FireBarrier::FireBarrier() { addSound("main", "bom05"); }

i32 FireBarrier::update() {
  if (frame() == kLaunchFrame) {
    setCameraOnCast();
    for (i32 i = 0; i < getTargetCount(); ++i) {
      mBarrier.launchAt(*getTarget(i), kColour);
    }
    mGlow.launchOnTargets(*mAction);
    playSoundAt(0);
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

}  // namespace Game::Effect
