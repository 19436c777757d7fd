// Named special attacks that strike the targets where they stand.

#include "effect/Strikes.h"

#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "effect/bank/Emitter.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {
constexpr i32 kStrikeSparks = 16;
constexpr Engine::u32 kRedFlash = 0x80FF0000;
constexpr Engine::u32 kHalfBlack = 0x80000000;
}  // namespace

StormOrbBolts::StormOrbBolts() : mSet(kSetFile) { addSound("attack", "don10_a"); }

i32 StormOrbBolts::update() {
  if (at(0)) {
    bring(node(mSet.model(Bank::kMain), casterPoint()).get(), kFlight, targetPoint(), 0.f);
    setCameraPitch(30.f);
    setCameraOnCast();
    playRow("attack", 5, 16);
  }
  if (at(kFlight)) {
    stage().flashWhite();
    reactions();
    mPakapaka.launchOnTargets(*mAction);
    mShake.launchOnTargets(*mAction);
    setCameraPitch(30.f);
  }
  if (at(64)) {
    mBolts.sprayOnTargets(*mAction);
  }
  return applyOnEndFrom(64, 97);
}

SpiralBoreStrike::SpiralBoreStrike() : mSet("src/picture/animation/SpiralBoreStrike.txt") {
  addSound("hit", "bom23");
  addSound("finish", "hit64");
}

i32 SpiralBoreStrike::update() {
  if (at(0)) {
    moveToFirstTarget(0.f, 32, 1.f);
    setCameraOnTargets();
  }
  if (at(32)) {
    stepCaster(0.f, 8.f, 64);
    node(mSet.model(0), targetPoint()).aimAt(casterPoint());
    mShake.launchOnTargets(*mAction);
    mSparks.splashOnTargets(*mAction);
    stage().flashWhite();
    reactions();
    playRow("hit", 4, 8);
  }
  if (at(48)) {
    mSparks.splashOnTargets(*mAction);
  }
  if (at(64)) {
    if (anyHit()) {
      start("finish");
      mSlash.launchOnTargets(*mAction);
    }
    const Unit* first = getFirstTarget();
    stepCaster(0.f, mCaster->getSize() + (first ? first->getSize() : 0.f), 3);
    reactions();
  }
  applyOn(80);
  if (at(96)) {
    moveHome(64.f, 30);
  }
  endOn(128);
  return frame();
}

WhirlingDiscThrow::WhirlingDiscThrow() : mSet("src/picture/animation/WhirlingDiscThrow.txt") {
  addSound("shot", "shoot12");
  addSound("hit", "hit_s11_a");
}

i32 WhirlingDiscThrow::update() {
  if (at(0)) {
    throwFourProjectiles(mSet.model(Bank::kMain), "shot", "hit");
  }
  if (at(32)) {
    setCameraOnCast();
  }
  if (at(64)) {
    reactions();
    if (anyHit()) {
      mShake.launchOnTargets(*mAction);
    }
  }
  if (at(64) || at(80) || at(96) || at(112)) {
    impact();
  }
  return applyOnEndFrom(112, 129);
}

void WhirlingDiscThrow::impact() {
  if (anyHit()) {
    sparks(kStrikeSparks);
    mBeat.launchOnTargets(*mAction);
  }
}

SacredRelicBlade::SacredRelicBlade() : mSet("src/picture/animation/SacredRelicBlade.txt") {
  addSound("hit", "hit_s07_b");
}

i32 SacredRelicBlade::update() {
  if (at(0)) {
    node(mSet.model(Bank::kMain), targetPoint());
    setCameraOnTargets();
  }
  if (at(28)) {
    reactions();
    sparks(kStrikeSparks);
    mSlash.launchOnTargets(*mAction);
    stage().flashWhite();
    mBolts.sprayOnTargets(*mAction);
    playRow("hit", 3, 4);
  }
  return applyOnEndFrom(64, 97);
}

TriangularSlam::TriangularSlam() : mSet("src/picture/animation/TriangularSlam.txt") {
  addSound("hit", "crash21");
  addSound("finish", "bosu15");
}

i32 TriangularSlam::update() {
  if (at(0)) {
    node(mSet.model(0), grounded(targetPoint()));
    setCameraOnCast();
  }
  if (at(32)) {
    mRing.launch(getScenePool(), targetPoint());
    start("hit");
  }
  if (at(64)) {
    reactions();
    Bank::Emitter().dustRing(getScenePool(), grounded(targetPoint()), 256.f);
    if (const Unit* first = getFirstTarget()) {
      mShock.launchAtFront(*first);
    }
    setCameraOffsetZ(15.f);
    if (anyHit()) {
      stage().flash(kRedFlash, 4);
      sparks(kStrikeSparks);
      start("finish");
    }
  }
  return applyOnEndFrom(80, 97);
}

FiendSunderWave::FiendSunderWave() : mSet("src/picture/animation/FiendSunderWave.txt") {
  addSound("shot", "swing07");
  addSound("hit", "hit_s15a");
  addSound("ready", "fm000");
}

i32 FiendSunderWave::update() {
  if (at(0)) {
    setCameraOnCaster();
    mCharge.launchOn(*mCaster);
    start("ready");
  }
  if (at(64)) {
    SceneNode* wave = node(mSet.model(0), casterPoint()).get();
    wave->faceToward(targetPoint());
    wave->position.moveTo(32.f, targetPoint());
    setCameraOnCast();
    start("shot");
  }
  if (at(96) && anyHit()) {
    start("hit");
    sparks(kStrikeSparks);
    mBlood.splatterTargets(*mAction);
    mStagger.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(96, 129);
}

IcicleBladeChill::IcicleBladeChill() : mSet("src/picture/animation/IcicleBladeChill.txt") {
  addSound("hit", "hit14");
  addSound("ready", "freeze02");
}

i32 IcicleBladeChill::update() {
  if (at(0)) {
    setCameraOnCaster();
    setCameraYawBySide(30.f);
    start("ready");
  }
  if (frame() < kFrostFrames) {
    Placed frost = node(mSet.model(0), frontOf(*mCaster));
    frost.spinZ();
    frost.scale(1.f + rnd(0.5f));
  }
  if (at(64)) {
    setCameraOnTargets();
    moveToFirstTarget(0.f, 32, -1.f);
  }
  if (at(kFrostFrames)) {
    mSlash.launchOnTargets(*mAction);
    mEmission.launchOnTargets(*mAction);
    mCold.chillTargets(*mAction);
    mShake.launchOnTargets(*mAction);
    stage().flashWhite();
    setCameraYawBySide(-15.f);
  }
  if (at(96) && anyHit()) {
    mIcicle.field(getScenePool(), grounded(targetPoint()), 384.f, 128.f, 8);
    start("hit");
  }
  if (at(128)) {
    moveHome(64.f, 60);
  }
  return applyOnEndFrom(128, 161);
}

BoundaryRipple::BoundaryRipple() : mSet("src/picture/animation/BoundaryRipple.txt") { addSound("main", "pyoro03"); }

i32 BoundaryRipple::update() {
  if (at(0)) {
    SceneNode* ripple = node(mSet.model(0), casterPoint()).get();
    bring(ripple, 64, targetPoint(), 0.f);
    setCameraFollow(ripple);
    playRow("main", 5, 32);
  }
  if (at(160)) {
    mBlood.splatterTargets(*mAction);
    mStagger.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(160, 193);
}

SinkingHookDrop::SinkingHookDrop() : mSet("src/picture/animation/SinkingHookDrop.txt") {}

i32 SinkingHookDrop::update() {
  if (at(0)) {
    mAura.launchOn(*mCaster);
    setCameraOnCast();
    setCameraYawBySide(30.f);
  }
  if (at(32)) {
    node(mSet.model(0), aim());
  }
  if (at(96)) {
    mShock.launch(getScenePool(), aim());
    start("hit");
    apply();
    setCameraOffsetZ(5.f);
  }
  endFrom(129);
  return frame();
}

DreadMemoryFlash::DreadMemoryFlash() : mSet("src/picture/animation/DreadMemoryFlash.txt") {
  addSound("hit", "pyoro34");
}

i32 DreadMemoryFlash::update() {
  if (at(0)) {
    node(mSet.model("laser"), casterPoint()).aimAt(targetPoint());
    on(mSet.model(0), getFirstTarget()).aimAt(casterPoint());
    setCameraOnCast();
    setCameraScale(1.25f);
    setCameraYawBySide(30.f);
    start("hit");
  }
  if (at(32)) {
    mPrism.launchOnTargets(*mAction);
    stage().flash(kHalfBlack, 32);
  }
  if (at(64)) {
    mDizzy.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(96, 129);
}

BlindingComet::BlindingComet() : mSet("src/picture/animation/BlindingComet.txt") { addSound("attack", "metal38"); }

i32 BlindingComet::update() {
  if (at(0)) {
    setCameraOnCast();
    setCameraPitch(30.f);
    stage().setDimTarget(1.f);
  }
  if (at(32)) {
    for (i32 i = 0; i < kLights; ++i) {
      Vector3 p;
      RandomGenerator::instance()->getBoxVector(&p, 192.f, 192.f, 0.f);
      p += aim();
      p.z += 320.f;
      node(mSet.model(0), p).spinZ().delay(3.f * static_cast<float>(i));
    }
    start("attack");
  }
  return applyOnEndFrom(96, 129);
}

}  // namespace Game::Effect
