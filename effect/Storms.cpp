// Crossing fire and thunder, poison storms, fog, flashes, calls and cries.

#include "effect/Storms.h"

#include "core/math/MathHelper.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "effect/module/RandomAngle.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

i32 CrossFire::update() {
  constexpr float kZoom = 1.25f;
  constexpr float kLight = 2.f;
  constexpr i32 kLightFrames = 16;
  constexpr Engine::u32 kOrange = 0xFFFF4000u;
  if (frame() == 0) {
    setCameraScale(kZoom);
    setCameraOnCast();
    setCameraYawBySide(kYaw);
  }
  if (frame() == 32) {
    launchFlames();
    lightFirstTarget(kLight, kLightFrames, kOrange);
    playSoundAt(0);
  }
  if (frame() == 40) {
    flashHitTargets();
    mSparks.splashOnTargets(*mAction);
    mBurned.smokeTargets(*mAction);
  }
  return applyOnEndFrom(64, 97);
}

// Step r of each diagonal lies 20·r out and falls as 1.5·r² from 18 high,
// each step two frames after the last.
void CrossFire::launchFlames() {
  constexpr float kReach = 20.f;
  constexpr float kHeight = 18.f;
  constexpr float kDrop = 1.5f;
  constexpr float kQuarter = 90.f;
  constexpr float kDiagonal = 45.f;
  constexpr i32 kSpacing = 2;
  for (i32 r = 0; r < kSteps; ++r) {
    const float out = kReach * asFloat(r);
    for (i32 j = 0; j < kLines; ++j) {
      Vector3 direction;
      MathHelper::directionFromAngles(&direction, kQuarter * asFloat(j) + kDiagonal, 0.f);
      Vector3 p;
      getPointNearTargets(p, direction.x * out, direction.y * out, kHeight - kDrop * asFloat(r * r));
      mEmitter.flameBurst(getScenePool(), p, kSpacing * r);
    }
  }
}

CrossThunder::CrossThunder() : mSet("src/picture/animation/クロスサンダー.txt") {}

i32 CrossThunder::update() {
  constexpr float kLight = 4.f;
  constexpr i32 kLightFrames = 16;
  constexpr Engine::u32 kHalfWhite = 0x80FFFFFFu;
  constexpr i32 kFlashFrames = 8;
  constexpr const char* kBolts[] = {"white", "black"};
  if (frame() == 0) {
    setCameraOnCast();
    setCameraYawBySide(kYaw);
  }
  if (frame() == 24) {
    const Vector3 at = firstTargetPosition();
    for (i32 k = 0; k < 2; ++k) {
      SceneNode* bolt = place(mSet.model(kBolts[k]), at);
      Vector3 toward;
      getPointNearTargets(toward, asFloat(2 * k - 1), 1.f, 0.f);
      bolt->aimAt(toward);
      addModule(std::make_unique<Module::RandomAngle>(bolt, false, false, true));
    }
    getScenePool().createLight(kLight, kLightFrames, at, Vector3(1.f, 1.f, 1.f));
    stage().flash(kHalfWhite, kFlashFrames);
    playSoundAt(0);
  }
  if (frame() == 32) {
    applyResult();
    launchSparksOnTargets(kSparks);
    stage().flashWhite();
  }
  endFrom(65);
  return frame();
}

IllStorm::IllStorm() : mSet("src/picture/animation/毒の嵐.txt") {}

i32 IllStorm::update() {
  constexpr float kTurn = 60.f;
  constexpr float kDrift = 4.f;
  constexpr i32 kPerTurn = 6;
  if (frame() == 0) {
    setCameraPitch(kPitch);
  }
  if (frame() == 30) {
    const Vector3 from = casterPosition();
    Model* cloud = mSet.model(0);
    for (i32 i = 0; i < kClouds; ++i) {
      SceneNode* node = place(cloud, from, asFloat(i));
      node->rotation.z.setValue(kTurn * asFloat(i) + kDrift * asFloat(i / kPerTurn));
    }
    playSoundAt(0);
  }
  if (frame() == 48) {
    mPoison.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(64, 97);
}

Mist::Mist() : mSet("src/picture/animation/濃霧.txt") {}

i32 Mist::update() {
  if (frame() == 0) {
    setCameraPitch(kPitch);
  }
  if (frame() == 30) {
    place(mSet.model(0), kOrigin);
    playSoundAt(0);
  }
  return applyOnEndFrom(64, 97);
}

Flash::Flash() : mSet("src/picture/animation/フラッシャー.txt") {}

i32 Flash::update() {
  if (frame() == 0) {
    setCameraPitch(kPitch);
  }
  if (frame() == 32) {
    place(mSet.model(0), casterPosition());
    playSoundAt(0);
  }
  return applyOnEndFrom(64, 97);
}

Poison::Poison() : mSet("src/picture/animation/瘟.txt") {}

i32 Poison::update() {
  constexpr float kZoom = 1.2f;
  if (frame() == 32) {
    setCameraOnCast();
    setCameraScale(kZoom);
  }
  if (frame() == 64) {
    spread();
    playSoundAt(0);
  }
  if (frame() == 96) {
    flashHitTargets();
    mPoison.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(128, 161);
}

// Over 128 times target 0's scale about its feet, a frame apart; nothing
// without a target to size them.
void Poison::spread() {
  constexpr float kReach = 128.f;
  const Unit* first = getFirstTarget();
  if (!first) {
    return;
  }
  Vector3 feet;
  first->getFrontPoint(feet);
  const float scale = first->getScale();
  Model* mote = mSet.model(0);
  for (i32 i = 0; i < kMotes; ++i) {
    Vector3 p = flat(kReach * scale);
    p += feet;
    place(mote, p, asFloat(i))->scale.setValueAll(scale);
  }
}

Call::Call() : mSet("src/picture/animation/呼び声.txt") {}

i32 Call::update() {
  constexpr float kLight = 2.f;
  constexpr i32 kLightFrames = 64;
  constexpr Engine::u32 kPurple = 0xFF8000FFu;
  if (frame() == 0) {
    setCameraOnCast();
    gather();
    lightFirstTarget(kLight, kLightFrames, kPurple);
    playSoundAt(0);
  }
  if (frame() == 32) {
    flashHitTargets();
    mCurse.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(64, 97);
}

// Within half target 0's size of its feet, eight frames apart; nothing
// without a target.
void Call::gather() {
  constexpr i32 kSpacing = 8;
  const Unit* first = getFirstTarget();
  if (!first) {
    return;
  }
  Vector3 feet;
  first->getFrontPoint(feet);
  Model* shape = mSet.model(0);
  for (i32 i = 0; i < kShapes; ++i) {
    Vector3 p = flat(first->getSize() / 2.f);
    p += feet;
    place(shape, p, asFloat(kSpacing * i))->scale.setValueAll(first->getScale());
  }
}

Shout::Shout() : mSet("src/picture/animation/絶叫.txt") {}

i32 Shout::update() {
  constexpr float kShake = 16.f;
  constexpr float kShockPace = 8.f;
  if (frame() == 0) {
    setCameraOnCast();
    setCameraPitch(kPitch);
  }
  if (frame() == 32) {
    setCameraOffsetZ(kShake);
    const Vector3 from = casterPosition();
    place(mSet.model(0), from);
    mShock.launchOnTargetsFrom(*mAction, from, kShockPace);
    playSoundAt(0);
  }
  if (frame() == 64) {
    flashHitTargets();
    launchHitMarks();
  }
  return applyOnEndFrom(112, 129);
}

}  // namespace Game::Effect
