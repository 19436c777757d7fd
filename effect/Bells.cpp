// Named special arts of wards, bells, stares and the eclipse.

#include "effect/Bells.h"

#include <memory>

#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "effect/module/Aspect.h"
#include "effect/module/Launch.h"
#include "presentation/render/Color.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {
constexpr i32 kSparks = 16;
const Vector3 kFieldCentre(0.f, 0.f, 0.f);
}  // namespace

QuietPaleRadiance::QuietPaleRadiance() : mSet("src/picture/animation/QuietPaleRadiance.txt") {}

i32 QuietPaleRadiance::update() {
  if (at(0)) {
    moveToPoint(kFieldCentre, 0.f, 32, false);
    setCameraOnCaster();
  }
  if (at(32)) {
    mShock.launchAtFront(*mCaster);
    setCameraPitch(30.f);
    getScenePool().createLightPacked(3.f, 64, casterPoint(), 0xFF0080FF);
    start("attack");
  }
  if (at(64)) {
    spiral();
    setCameraOnTargets();
    setCameraYawBySide(-30.f);
  }
  if (at(96)) {
    setCameraOnTargets();
  }
  if (at(112)) {
    reactions();
    mPrism.launchOnTargets(*mAction);
    moveHome(64.f, 60);
  }
  if (at(144)) {
    sparks(kSparks);
  }
  return applyOnEndFrom(144, 161);
}

// Two arms of light wind out from the caster's front, a pair of nodes a
// step 0.75 frames apart; each step turns the arms by 720/r degrees, so
// the nodes stand about as far apart on every turn of the spiral.
void QuietPaleRadiance::spiral() {
  const Vector3 front = frontOf(*mCaster);
  float a = 0.f;
  for (i32 i = 0; i < kSpiralSteps; ++i) {
    const float r = a * 128.f / 360.f + 32.f;
    const float wait = 0.75f * static_cast<float>(i);
    const Vector3 arm = Bank::scaled(ang(a, 0.f), r);
    node(mSet.model(0), Bank::added(front, arm)).delay(wait);
    node(mSet.model(0), Bank::added(front, Bank::scaled(arm, -1.f))).delay(wait);
    a += 2.f * 360.f / r;
  }
  // A chime with the steps 0, 32, 64 and 96.
  for (i32 k = 0; k < 4; ++k) {
    play("main", 24 * k);
  }
}

i32 FloatingBellSplash::update() {
  if (at(0)) {
    mSplash.splashAt(*mCaster);
    apply();
    finish();
    playSoundAt(0);
  }
  return frame();
}

FloatingBellWard::FloatingBellWard() : mSet("src/picture/animation/FloatingBellSplash.txt") {}

i32 FloatingBellWard::update() {
  if (at(0)) {
    setCameraOnCaster();
    setCameraScale(1.5f);
  }
  if (at(32)) {
    const Vector3 caster = casterPoint();
    for (i32 i = 0; i < kBells; ++i) {
      node(mSet.model(Bank::kMain), Bank::added(caster, flat(64.f))).delay(4.f * static_cast<float>(i));
    }
    getScenePool().createLightPacked(2.f, 64, caster, 0xFF00FFFF);
    playSoundAt(0);
  }
  return applyOnEndFrom(64, 81);
}

MindShredShot::MindShredShot()
    : mTracer("src/picture/animation/弾丸.txt"), mSet("src/picture/animation/MindShredShot.txt") {
  addSound("shot", "gun24");
  addSound("hit", "crash16_b");
}

i32 MindShredShot::update() {
  if (at(0)) {
    // An unseen carrier crosses in 8 frames, dropping a tracer each frame.
    const Vector3 target = targetPoint();
    if (SceneNode* carrier = node(nullptr, casterPoint()).aimAt(target).life(8).get()) {
      carrier->position.moveTo(8.f, target);
      addModule(std::make_unique<Module::Launch>(carrier, mTracer.model(0), 1));
    }
    setCameraOnCast();
    start("shot");
  }
  if (at(8)) {
    impact();
  }
  return applyOnEndFrom(32, 65);
}

void MindShredShot::impact() {
  if (anyHit()) {
    mParticle.splashOnTargets(*mAction);
    if (const Unit* first = getFirstTarget()) {
      mGlow.launchOn(*first);
      on(mSet.model(0), first).aimAt(casterPoint());
    }
    start("hit");
  }
  reactions();
}

HypnoticStareWave::HypnoticStareWave() : mSet("src/picture/animation/HypnoticStareWave.txt") {}

i32 HypnoticStareWave::update() {
  if (at(0)) {
    setCameraOnCaster();
    setCameraPitch(30.f);
    setCameraYawBySide(-30.f);
    node(mSet.model("eye"), casterPoint());
    playSoundAt(0);
  }
  if (at(32)) {
    node(mSet.model(Bank::kMain), casterPoint());
    start("hit");
    setCameraOnCast();
  }
  if (at(80)) {
    addModule(std::make_unique<Module::Aspect>(stage(), 64, 0.2f, 16.f));
  }
  return applyOnEndFrom(96, 129);
}

namespace {
constexpr const char* kEclipseSet = "src/picture/animation/EclipseSidestep.txt";
}

EclipseSidestep::EclipseSidestep() : mSet(kEclipseSet) {}

i32 EclipseSidestep::update() {
  if (at(0)) {
    launchAnimation(mSet.model("avoid"));
  }
  if (at(16)) {
    apply();
    playSoundAt(0);
  }
  endFrom(17);
  return frame();
}

EclipseRipple::EclipseRipple() : mSet(kEclipseSet) {}

i32 EclipseRipple::update() {
  if (at(0)) {
    setCameraOnCaster();
  }
  if (at(32)) {
    Vector3 onScreen;
    stage().project(onScreen, casterPoint());
    node(mSet.model(Bank::kMain), onScreen);
  }
  if (at(40)) {
    playSoundAt(0);
    apply();
  }
  endFrom(97);
  return frame();
}

i32 SecondaryEffect::update() {
  if (at(0)) {
    mExplode.launchAtFront(*mCaster);
    reactions();
    setCameraPitch(30.f);
    setCameraOnCast();
  }
  return applyOnEndFrom(32, 65);
}

BitterElixir::BitterElixir() { mCross.setHues(Color(0xFF000000), kHueMin, kHueMax); }

i32 BitterElixir::update() {
  const Unit* first = getFirstTarget();
  if (at(0)) {
    setCameraOnCaster();
    setCameraScale(1.25f);
  }
  if (at(32)) {
    playSoundAt(0);
    if (first) {
      mRising.launchOn(*first, 64);
    }
  }
  if (at(64)) {
    if (first) {
      mCross.launchOn(*first);
    }
    mPoison.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(96, 129);
}

SpinningWoeRing::SpinningWoeRing() : mSet("src/picture/animation/SpinningWoeRing.txt") {
  addSound("shot", "swing07");
  addSound("hit", "pyoro06");
}

i32 SpinningWoeRing::update() {
  if (at(0)) {
    throwFourProjectiles(mSet.model(Bank::kMain), "shot", "hit");
  }
  if (at(32)) {
    setCameraOnCast();
  }
  if (anyHit()) {
    afflict();
  }
  return applyOnEndFrom(128, 145);
}

// Sparks every 16 frames from 64 on, the curse at first, the blue spray
// and the circles at last.
void SpinningWoeRing::afflict() {
  if (every(64, 112, 16)) {
    sparks(kSparks);
  }
  if (at(64)) {
    mCurse.launchOnTargets(*mAction);
    reactions();
    mStagger.launchOnTargets(*mAction);
  }
  if (at(112)) {
    mParticle.sprayOnTargets(*mAction);
    mCircle.spawnOnTargets(*mAction);
  }
}

}  // namespace Game::Effect
