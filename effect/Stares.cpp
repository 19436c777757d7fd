// The stares and the overdrive.

#include "effect/Stares.h"

#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

Eye::Eye(const char* holderFile) : mHolder(holderFile) { addSound("main", "bom08"); }

i32 Eye::update() {
  if (frame() == 0) {
    setCameraOnCast();
  }
  const Unit* first = getFirstTarget();
  if (frame() == 16 && first && mCaster) {
    mHolder.converge(*mCaster, *first);
  }
  if (frame() == 32) {
    mBlink.launchOnTargets(*mAction);
    playSoundAt(0);
  }
  if (frame() == 96) {
    mDizzy.launchOnTargets(*mAction);
    applyResult();
  }
  endFrom(129);
  return frame();
}

Stare::Stare(const char* setFile) : mSet(setFile) {}

// The look stands its size / 2 + 32 above target 0's centre; 32 above the
// aim point without a target.
i32 Stare::update() {
  constexpr float kLift = 32.f;
  if (frame() == 16) {
    setCameraOnCast();
    setCameraYawBySide(kYaw);
  }
  if (frame() == 48) {
    const Unit* first = getFirstTarget();
    Vector3 p = firstTargetPosition();
    p.z += (first ? first->getSize() / 2.f : 0.f) + kLift;
    place(mSet.model("main"), p);
    playSoundAt(0);
  }
  if (frame() == kHitFrame) {
    if (isAnyTargetHit()) {
      strike();
      startSound("hit");
    }
    flashHitTargets();
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

IceEye::IceEye() : Stare("src/picture/animation/凝視青.txt") {}

void IceEye::strike() {
  stage().flashWhite();
  mGlow.launchOnTargets(*mAction);
  mCold.chillTargets(*mAction);
}

EvilEye::EvilEye() : Stare("src/picture/animation/凝視赤.txt") {}

void EvilEye::strike() {
  mCurse.launchOnTargets(*mAction);
  mParticle.splashOnTargets(*mAction);
  mShake.launchOnTargets(*mAction);
}

Gaze::Gaze() : Stare("src/picture/animation/凝視紫.txt") {}

void Gaze::strike() {
  mGlow.launchOnTargets(*mAction);
  mParticle.splashOnTargets(*mAction);
}

OverDrive::OverDrive() : mSet("src/picture/animation/オーバードライブ.txt") {}

i32 OverDrive::update() {
  if (frame() == 0) {
    setCameraOnCaster();
    if (mCaster) {
      mAura.launchOn(*mCaster);
    }
  }
  if (frame() == 32) {
    setCameraOnCast();
    setCameraYawBySide(kYaw);
    run();
  }
  const Unit* first = getFirstTarget();
  if (frame() == 80 && isAnyTargetHit()) {
    mShake.overlayOn(*first);
    launchSparksOnTargets(kSparks);
    startSound("hit");
  }
  if (frame() == 96) {
    if (isAnyTargetHit()) {
      mDizzy.launchOn(*first);
    }
    applyResult();
  }
  endFrom(113);
  return frame();
}

// Ring i at (i + 1)/12 of the way from the caster's feet to target 0's,
// the last four beyond them, reached 48 frames per whole way; its sound
// plays as it appears. Without a target only the sounds play.
void OverDrive::run() {
  const Unit* first = getFirstTarget();
  const Vector3 from = casterFront();
  Vector3 way(0.f, 0.f, 0.f);
  if (first) {
    first->getFrontPoint(way);
    way -= from;
  }
  Model* ring = mSet.model(0);
  for (i32 i = 0; i < kRings; ++i) {
    const float t = static_cast<float>(i + 1) / kRingsToTarget;
    if (first) {
      Vector3 p = way;
      p *= t;
      p += from;
      place(ring, p, kRun * t);
    }
    playSound("main", static_cast<i32>(kRun * t));
  }
}

}  // namespace Game::Effect
