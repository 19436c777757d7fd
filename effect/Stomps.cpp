// Named special attacks that make a gag of the units: bounces, stomps and
// swoops.

#include "effect/Stomps.h"

#include <memory>

#include "core/math/MathHelper.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "effect/module/Move.h"
#include "effect/module/Step.h"
#include "effect/module/Transport.h"
#include "presentation/render/Color.h"
#include "presentation/scene/SceneNode.h"
#include "records/database/UnitPictureData.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {
constexpr i32 kStompSparks = 16;

float degreesOf(i32 i, float step) { return step * static_cast<float>(i); }

Color hueOf(float degrees) {
  Color colour;
  colour.setHue(degrees);
  return colour;
}
}  // namespace

Module::Module* GagSpecial::stepUnit(Unit* unit, float hop, float shift, i32 frames) {
  return unit ? addModule(std::make_unique<Module::Step>(*unit, hop, shift, frames)) : nullptr;
}

Module::Module* GagSpecial::sendHome(Unit* unit, float height, i32 frames) {
  return unit ? addModule(std::make_unique<Module::Move>(*unit, height, frames)) : nullptr;
}

void GagSpecial::scaleCaster(float factor) {
  if (SceneNode* own = mCaster->node()) {
    own->scale.setValueAll(factor * mCaster->getScale());
  }
}

void GagSpecial::carryCaster(i32 frames, const Vector3& end, float t1, const Vector3& through,
                             const Vector3& leaving) {
  auto path = std::make_unique<Module::Transport>(mCaster->node(), frames, false);
  path->setSpan(end, t1, through, static_cast<float>(frames), leaving);
  addModule(std::move(path));
}

SilverDialStrike::SilverDialStrike() : mSet("src/picture/animation/SilverDialStrike.txt") {}

i32 SilverDialStrike::update() {
  if (at(0)) {
    setCameraOnCast();
    const Vector3 target = targetPoint();
    for (i32 i = 0; i < kKnives; ++i) {
      const Vector3 p = Bank::added(target, Bank::scaled(dir(0.f, 360.f, 0.f, 90.f), 192.f));
      mKnives[static_cast<std::size_t>(i)].keep(node(mSet.model(0), p).aimAt(target).spinZ().delay(4.f * i).get());
      play("main", 4 * i);
    }
  }
  if (at(16)) {
    setCameraYawBySide(30.f);
  }
  if (at(72)) {
    close();
  }
  if (at(88)) {
    if (anyHit()) {
      sparks(kStompSparks);
      mSlash.launchOnTargets(*mAction);
      mStagger.launchOnTargets(*mAction);
      start("hit");
    }
    reactions();
  }
  return applyOnEndFrom(120, 137);
}

// Every knife still its own closes on the first target in 16 frames.
void SilverDialStrike::close() {
  const Vector3 target = targetPoint();
  for (const KeptNode& kept : mKnives) {
    if (SceneNode* knife = kept.get()) {
      knife->position.moveTo(16.f, target);
      knife->setLifetime(32);
    }
  }
}

DoomedSwoop::DoomedSwoop() : mSet("src/picture/animation/DoomedSwoop.txt") {
  addSound("ready", "swing41");
  addSound("go", "puu21");
  addSound("hit", "hit32_a");
}

i32 DoomedSwoop::update() {
  if (at(0)) {
    mEmitter.dustRingAtFront(*mCaster);
    fall(mCaster, 32, 128.f, 128.f);
    setCameraOnCast();
    start("ready");
  }
  if (at(48)) {
    swoop();
  }
  if (every(49, 111, 2)) {
    trail();
  }
  if (every(72, 88, 4)) {
    mEmitter.dustRing(getScenePool(), casterPoint(), 64.f);
  }
  if (at(80)) {
    apply();
    if (anyHit()) {
      sparks(kStompSparks);
      mDizzy.launchOnTargets(*mAction);
      mStagger.launchOnTargets(*mAction);
      start("hit");
    }
  }
  endFrom(129);
  return frame();
}

// Down through the approach point a quarter of the way in, through the
// first target 32 up, and on along the targets' direction.
void DoomedSwoop::swoop() {
  Vector3 way;
  getTargetDirection(way);
  Vector3 approach;
  mCaster->getApproachOffset(approach);
  carryCaster(128, Bank::raised(targetPoint(), 32.f), 32.f, Bank::raised(approach, 32.f), Bank::scaled(way, 8.f));
  if (SceneNode* ring = mRing.launch(getScenePool(), targetPoint())) {
    ring->aimDirection(Bank::scaled(way, -1.f));
    ring->setTime(-32.f);
  }
  start("go");
}

// Every second frame of the swoop: two shadows about the caster, the
// second lit in a random hue.
void DoomedSwoop::trail() {
  const Vector3 caster = casterPoint();
  for (i32 k = 0; k < 2; ++k) {
    Vector3 off;
    RandomGenerator::instance()->getSpatialVector(&off, 32.f);
    SceneNode* shadow = node(mSet.model(0), Bank::added(caster, off)).get();
    if (k == 1 && shadow) {
      const Color hue = hueOf(rnd(360.f));
      shadow->ambient.setValue(hue.red(), hue.green(), hue.blue());
    }
  }
}

DarkeningWingVeil::DarkeningWingVeil() : mSet("src/picture/animation/DarkeningWingVeil.txt") {}

float DarkeningWingVeil::veilAlpha(i32 frame) { return static_cast<float>(frame * (64 - frame)) / 4096.f; }

i32 DarkeningWingVeil::update() {
  if (at(0)) {
    node(mSet.model("sound"), casterPoint());
    setCameraPitch(30.f);
    mCross.launchOn(*mCaster);
    playSoundAt(0);
    setCameraOnCast();
  }
  if (frame() < 64) {
    stage().flash(Color(veilAlpha(frame()), 1.f, 1.f, 1.f).toPacked(), 1);
  }
  if (at(80)) {
    wings();
  }
  if (at(96)) {
    mCurse.launchOnTargets(*mAction);
    mDizzy.launchOnTargets(*mAction);
    start("hit");
  }
  return applyOnEndFrom(128, 161);
}

// Four wings on every target facing the caster, in hues 90 apart over
// half grey, 8 frames apart; one "main" over the field.
void DarkeningWingVeil::wings() {
  const Vector3 caster = casterPoint();
  for (i32 t = 0; t < getTargetCount(); ++t) {
    for (i32 j = 0; j < 4; ++j) {
      Color colour = hueOf(degreesOf(j, 90.f));
      colour.add(Color(0.5f, 0.5f, 0.5f, 0.5f));
      if (SceneNode* wing = on(mSet.model("target"), getTarget(t)).aimAt(caster).delay(8.f * j).get()) {
        wing->setColor(colour);
      }
    }
  }
  node(mSet.model("main"), targetPoint());
}

DuskChirpHaze::DuskChirpHaze() : mSet("src/picture/animation/DuskChirpHaze.txt") {}

i32 DuskChirpHaze::update() {
  if (at(0)) {
    setCameraOnCast();
    rings();
    start("attack");
  }
  if (at(32)) {
    notes();
  }
  if (at(64)) {
    reactions();
    if (anyHit()) {
      mStagger.launchOnTargets(*mAction);
      mPrism.launchOnTargets(*mAction);
    }
  }
  return applyOnEndFrom(128, 161);
}

// Ring i in hue 45·i, tilted 7.5·i degrees, 4·i frames late.
void DuskChirpHaze::rings() {
  const Vector3 caster = casterPoint();
  for (i32 i = 0; i < kRings; ++i) {
    if (SceneNode* ring = mWave.launch(getScenePool(), caster, hueOf(degreesOf(i, 45.f)), 256.f)) {
      ring->rotation.x.setValue(degreesOf(i, 7.5f));
      ring->setTime(-4.f * i);
    }
  }
}

// Note i of a random model and hue lands 6·i frames late with a small
// wave of its colour 32 frames after it.
void DuskChirpHaze::notes() {
  const Vector3 target = targetPoint();
  for (i32 i = 0; i < kNotes; ++i) {
    const Vector3 p = Bank::added(target, flat(96.f));
    const Color colour = hueOf(rnd(360.f));
    const i32 model = static_cast<i32>(rnd(4.f));
    if (SceneNode* note = node(mSet.model(model < 4 ? model : 3), p).spinZ().delay(6.f * i).get()) {
      note->setColor(colour);
    }
    Placed(mWave.launch(getScenePool(), p, colour, 128.f)).delay(6.f * i + 32.f);
    play("main", 6 * i + 32);
  }
}

ToxicWingDust::ToxicWingDust() : mSet("src/picture/animation/ToxicWingDust.txt") {}

i32 ToxicWingDust::update() {
  if (at(0)) {
    Vector3 way;
    getTargetDirection(way);
    way *= getTargetDistance() / 48.f;
    const Vector3 caster = casterPoint();
    for (i32 i = 0; i < kMotes; ++i) {
      Vector3 drift;
      MathHelper::rotateByAngles(&drift, way, 0.f, 0.f, rnd(30.f) - 15.f);
      if (SceneNode* mote = node(mSet.model(0), caster).delay(2.f * i).get()) {
        mote->position.setVelocity(drift);
      }
    }
    playRow("main", 4, 8);
    setCameraOnCast();
  }
  if (at(64)) {
    if (anyHit()) {
      if (const Unit* first = getFirstTarget()) {
        mDizzy.launchOn(*first);
      }
      mPoison.launchOnTargets(*mAction);
      start("hit");
    }
    apply();
  }
  endFrom(97);
  return frame();
}

i32 MountainSmashWave::update() {
  if (at(0)) {
    moveToFirstTarget(0.f, 32, 0.5f);
    setCameraOnCaster();
    setCameraScale(1.25f);
  }
  if (at(32)) {
    setCameraPoint(targetPoint());
  }
  if (at(48)) {
    if (!anyHit()) {
      apply();
      moveHome(64.f, 60);
      finish();
      return frame();
    }
    bounce(40, 48.f, 32, 64.f);
  }
  if (at(80)) {
    impact(0);
  }
  if (at(96)) {
    bounce(56, 80.f, 48, 96.f);
  }
  if (at(144)) {
    impact(1);
  }
  if (at(160)) {
    bounce(72, 240.f, 64, 256.f);
  }
  if (at(224)) {
    impact(2);
  }
  if (at(256)) {
    stepUnit(getFirstTarget(), 64.f, -64.f, 64);
    moveHome(64.f, 60);
  }
  return applyOnEndFrom(272, 281);
}

// Both hop and come back down to the ground.
void MountainSmashWave::bounce(i32 casterFrames, float casterPeak, i32 targetFrames, float targetPeak) {
  fall(mCaster, casterFrames, casterPeak, 0.f);
  fall(getFirstTarget(), targetFrames, targetPeak, 0.f);
}

// Landing k: the shake grows as (k + 1)²; the last lands with a blast.
void MountainSmashWave::impact(i32 k) {
  reactions();
  playSoundAt(0);
  setCameraOffsetZ(static_cast<float>((k + 1) * (k + 1)));
  const Unit* first = getFirstTarget();
  if (first) {
    mShock.launchAtFront(*first);
  }
  if (k == 2) {
    if (first) {
      mExplode.launchAtFront(*first);
    }
  } else {
    mSparks.splashOnTargets(*mAction);
  }
}

float StompingRuin::growth(i32 frame) {
  if (frame >= 17 && frame <= 31) {
    return static_cast<float>(frame - 16) / 16.f + 1.f;
  }
  if (frame >= 41 && frame <= 55) {
    return static_cast<float>(frame - 40) / 16.f + 2.f;
  }
  if (frame >= 65 && frame <= 79) {
    return static_cast<float>(frame - 64) / 16.f + 3.f;
  }
  if (frame >= 121 && frame <= 152) {
    return 4.f - 3.f * static_cast<float>(frame - 120) / 32.f;
  }
  return 0.f;
}

i32 StompingRuin::update() {
  Unit* first = getFirstTarget();
  if (at(0)) {
    moveToFirstTarget(0.f, 32, 1.f);
    if (first) {
      first->faceToward(casterPoint());
    }
    setCameraOnCaster();
  }
  if (at(16)) {
    setCameraOnTargets();
    setCameraScale(1.25f);
  }
  if (at(40) || at(64)) {
    moveToFirstTarget(0.f, 16, 1.f);
  }
  const float factor = growth(frame());
  if (factor > 0.f) {
    scaleCaster(factor);
    if (first && frame() < 120) {
      mCaster->placeFrontAt(targetPoint());
    }
  }
  if (at(32)) {
    stomp(0);
  }
  if (at(56)) {
    stomp(1);
  }
  if (at(80)) {
    after(sendHome(first, 64.f, 16), 64);
    stomp(2);
  }
  if (at(96)) {
    mStagger.launchOnTargets(*mAction);
  }
  if (at(120)) {
    apply();
    moveHome(64.f, 60);
  }
  endFrom(161);
  return frame();
}

// Stomp k: the first target is knocked back the further the later.
void StompingRuin::stomp(i32 k) {
  if (anyHit()) {
    start("main");
    play("hit", 12);
    sparks(kStompSparks);
    mParticle.randomJet(getScenePool(), targetPoint());
    mBeat.launchOnTargets(*mAction);
  }
  reactions();
  stepUnit(getFirstTarget(), 16.f * static_cast<float>(k), -64.f, 4 * k + 16);
}

i32 PinpointSwarm::update() {
  if (at(0)) {
    setCameraPitch(5.f);
  }
  if (at(32)) {
    swarm();
  }
  if (at(64)) {
    setCameraOnCast();
  }
  if (at(96)) {
    mEmission.launchOnTargets(*mAction);
    for (i32 d = 0; d < 64; d += 16) {
      mExplode.burstOnTargets(*mAction, static_cast<float>(d));
    }
    playRow("main", 8, 8);
  }
  if (every(96, 159, 16)) {
    stage().flash(0x80FFFF00, 4);
  }
  return applyOnEndFrom(160, 193);
}

// Eight copies a target run from the caster to it, eight more run off
// from there 256 away; each lives kCopyLife frames.
void PinpointSwarm::swarm() {
  UnitPictureData* own = mCaster->picture();
  Model* stand = own ? own->standMotion() : nullptr;
  if (!stand) {
    reportMissing("unit picture", "stand");
    return;
  }
  const Vector3 from = casterPoint();
  for (i32 t = 0; t < getTargetCount(); ++t) {
    Vector3 to;
    getTarget(t)->getPosition(to);
    for (i32 i = 0; i < kCopies; ++i) {
      Placed coming = node(stand, from).delay(8.f * i).life(kCopyLife).scale(0.5f).aimAt(to);
      after(bring(coming.get(), kCopyLife, to, 128.f), 8 * i);
      const Vector3 away = Bank::added(to, Bank::scaled(dir(0.f, 360.f, 0.f, 0.f), 256.f));
      Placed going = node(stand, to).delay(8.f * i + kCopyLife).life(kCopyLife).scale(0.5f).aimAt(away);
      after(bring(going.get(), kCopyLife, away, 64.f), 8 * i + kCopyLife);
    }
  }
}

}  // namespace Game::Effect
