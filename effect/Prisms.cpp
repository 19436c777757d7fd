// Named special attacks of prism beams, orbs and crystals.

#include "effect/Prisms.h"

#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "presentation/render/Color.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {
constexpr i32 kPrismSparks = 16;
constexpr const char* kPrismSet = "src/picture/animation/GreatPrismBeam.txt";
// The beams flash white every 24 frames while they burn.
bool beamFlashes(i32 frame) { return frame >= 64 && frame <= 143 && frame % 24 == 0; }
}  // namespace

FallingPrismBeam::FallingPrismBeam() : mSet(kPrismSet) {
  addSound("shot", "GreatPrismBeam");
  addSound("jump", "shoot20");
}

i32 FallingPrismBeam::update() {
  if (at(0)) {
    fall(mCaster, 48, 256.f, 192.f);
    start("jump");
  }
  if (at(24)) {
    setCameraOnCaster();
  }
  if (at(64)) {
    fire();
  }
  if (beamFlashes(frame())) {
    stage().flashWhite();
  }
  if (at(72)) {
    reactions();
  }
  if (at(144)) {
    apply();
    mPrism.sprayOnTargets(*mAction);
    mCinders.launchOnTargets(*mAction);
    moveHome(64.f, 60);
  }
  endOn(kEnd);
  return frame();
}

// The beam from high over the caster down onto the first target (the aim
// point without one), a shock wave where it lands.
void FallingPrismBeam::fire() {
  const Vector3 target = targetPoint();
  node(mSet.model("main"), casterPoint()).aimAt(target);
  if (const Unit* first = getFirstTarget()) {
    mShock.launchAtFront(*first);
  } else {
    mShock.launch(getScenePool(), target);
  }
  start("shot");
  setCameraPitch(30.f);
  setCameraOnTargets();
}

GreatPrismBeam::GreatPrismBeam() : mSet(kPrismSet) {}

i32 GreatPrismBeam::update() {
  if (at(0)) {
    moveToCentreLine(64.f, 32);
    setCameraOnCaster();
  }
  if (at(32)) {
    setCameraOnCast();
    setCameraPitch(30.f);
  }
  if (at(64)) {
    fire();
  }
  if (beamFlashes(frame())) {
    stage().flashWhite();
  }
  if (at(72)) {
    mJolt.launchOnTargets(*mAction);
    reactions();
  }
  if (at(144)) {
    reactions();
    knockBackTargets(casterPoint());
    mPrism.sprayOnTargets(*mAction);
    mCinders.launchOnTargets(*mAction);
    moveHome(64.f, 60);
  }
  return applyOnEndFrom(160, 193);
}

// The beam held level over the caster, turned to the targeted side.
void GreatPrismBeam::fire() {
  mCaster->faceToward(aim());
  Vector3 grip;
  mCaster->pointAlong(grip, Vector3(0.f, 1.f, 0.f));
  if (SceneNode* beam = node(mSet.model("main"), grip).get()) {
    beam->rotation.setValue(0.f, (2.f * targetSide() - 1.f) * -90.f, 0.f);
  }
  setCameraOnTargets();
  mShock.launchAtFront(*mCaster);
  getScenePool().createLightPacked(2.f, 128, casterPoint(), 0xFFFFFFFF);
  playSoundAt(0);
}

OrbitingStarlets::OrbitingStarlets() : mSet("src/picture/animation/OrbitingStarlets.txt") {
  addSound("ready", "swing22");
  addSound("shot", "gun10");
}

i32 OrbitingStarlets::update() {
  if (at(0)) {
    const Vector3 caster = casterPoint();
    const Vector3 target = targetPoint();
    for (i32 i = 0; i < 4; ++i) {
      const float turn = 90.f * static_cast<float>(i);
      Color hue;
      hue.setHue(turn);
      if (SceneNode* orb = node(mSet.model("main"), caster).rotZ(turn + 45.f).get()) {
        orb->setColor(hue);
      }
      Vector3 from = ang(turn + 45.f, 0.f);
      from *= 128.f;
      from += caster;
      from.z += 32.f;
      Placed(mBeam.launch(getScenePool(), from, target)).delay(48.f);
    }
    setCameraOnCaster();
    start("ready");
  }
  if (at(32)) {
    setCameraOnCast();
  }
  if (at(48)) {
    start("shot");
  }
  if (at(64)) {
    mStar.sprayOnTargets(*mAction);
    sparks(kPrismSparks);
    reactions();
  }
  return applyOnEndFrom(96, 129);
}

ElementalCrystalRing::ElementalCrystalRing() : mSet("src/picture/animation/ElementalCrystalRing.txt") {}

i32 ElementalCrystalRing::update() {
  if (at(0)) {
    setCameraOnCaster();
    setCameraScale(1.5f);
  }
  if (at(32)) {
    mCross.launchOn(*mCaster);
    const Vector3 caster = casterPoint();
    for (i32 i = 0; i < 5; ++i) {
      const float turn = 72.f * static_cast<float>(i);
      Color hue;
      hue.setHue(turn);
      if (SceneNode* crystal = node(mSet.model("main"), caster).rotZ(turn).get()) {
        crystal->setColor(hue);
      }
      play("main", 20 * i);
    }
  }
  return applyOnEndFrom(80, 97);
}

}  // namespace Game::Effect
