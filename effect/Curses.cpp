// Named special arts of curses, hexes, whirls and stopped time.

#include "effect/Curses.h"

#include <memory>

#include "Engine/Math/Functions.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "effect/module/Bring.h"
#include "effect/module/Launch.h"
#include "effect/module/Transport.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {
constexpr i32 kCurseSparks = 16;
const Vector3 kStill(0.f, 0.f, 0.f);

float fromInt(i32 i) { return static_cast<float>(i); }
}  // namespace

HexedFigurine::HexedFigurine() : mSet("src/picture/animation/HexedFigurine.txt") {}

i32 HexedFigurine::update() {
  if (at(0)) {
    setCameraOnCaster();
    moveToPoint(grounded(nearCaster(0.f, 0.f, -32.f)), 64.f, 32, false);
  }
  if (at(32)) {
    fling();
  }
  if (at(64)) {
    strike();
  }
  if (at(112) && anyHit()) {
    mParticle.sprayOnTargets(*mAction);
    start("explode");
  }
  return applyOnEndFrom(112, 145);
}

// The doll leaves the caster at rest and reaches the first target in 32
// frames.
void HexedFigurine::fling() {
  setCameraScale(1.f);
  const Vector3 target = targetPoint();
  if (SceneNode* doll = node(mSet.model(Bank::kMain), casterPoint()).aimAt(target).get()) {
    doll->position.accelerateTo(32.f, target);
  }
  playSoundAt(0);
  setCameraOnCast();
}

void HexedFigurine::strike() {
  moveHome(64.f, 60);
  if (anyHit()) {
    on(mSet.model("hit"), getFirstTarget()).aimAt(casterPoint());
    sparks(kCurseSparks);
    mCurse.launchOnTargets(*mAction);
    start("hit");
  }
  reactions();
}

BlueTormentTide::BlueTormentTide() : mSet("src/picture/animation/BlueTormentTide.txt") {}

i32 BlueTormentTide::update() {
  if (at(0)) {
    setCameraOnCast();
    setCameraPitch(30.f);
    release();
    playSoundAt(0);
  }
  if (at(40)) {
    mCurse.launchOnTargets(*mAction);
    mStagger.launchOnTargets(*mAction);
    reactions();
  }
  if (at(96)) {
    playRow("hit", 3, 6);
    mParticle.sprayOnTargets(*mAction);
  }
  return applyOnEndFrom(96, 129);
}

// Shard i sets off 2·i frames in from the caster's front, within 30
// degrees of the way to the targets' centre, with the acceleration that
// carries it that far in 40 frames.
void BlueTormentTide::release() {
  const Vector3 front = frontOf(*mCaster);
  const Vector3 centre = targetCentre();
  const float heading = Engine::Math::atan2(centre.y - front.y, centre.x - front.x);
  const float push = 2.f * getTargetDistance() / (40.f * 40.f);
  for (i32 i = 0; i < kShards; ++i) {
    const float way = heading + rnd(60.f) - 30.f;
    if (SceneNode* shard = node(mSet.model(0), front).spinZ().delay(2.f * fromInt(i)).get()) {
      shard->position.setAcceleration(Bank::scaled(ang(way, 0.f), push));
    }
  }
}

ShatteredCharmHex::ShatteredCharmHex() : mSet("src/picture/animation/アミュレット.txt") {}

i32 ShatteredCharmHex::update() {
  if (at(32)) {
    setCameraOnCaster();
    launchCharms();
  }
  if (at(64)) {
    setCameraOnCast();
  }
  if (at(96)) {
    reactions();
    if (anyHit()) {
      mCurse.launchOnTargets(*mAction);
      mExplode.launchOnTargets(*mAction);
    }
  }
  return applyOnEndFrom(128, 145);
}

// Charm i hangs on a ring of 64 raised 128 over the caster, 2·i frames
// late, then falls from rest onto the first target in 64 frames (a path
// whose speed is 0 where it starts), trailing afterimages.
void ShatteredCharmHex::launchCharms() {
  const Vector3 target = targetPoint();
  const bool hit = anyHit();
  for (i32 i = 0; i < kCharms; ++i) {
    const i32 wait = 2 * i;
    const Vector3 round = Bank::scaled(ang(360.f * fromInt(i) / fromInt(kCharms), 0.f), 64.f);
    SceneNode* charm = node(mSet.model(0), nearCaster(round.x, 128.f, round.y)).delay(fromInt(wait)).get();
    auto path = std::make_unique<Module::Transport>(charm, 64, false);
    path->setSpanVelocity(target, 0.f, kStill);
    after(addModule(std::move(path)), wait);
    after(addModule(std::make_unique<Module::Launch>(charm, mSet.model("afterimage"), 2)), wait);
    if (i % 4 == 0) {
      play("main", wait);
      if (hit) {
        play("hit", wait + 64);
      }
    }
  }
}

RadiantVigorSurge::RadiantVigorSurge() : mSet("src/picture/animation/RadiantVigorSurge.txt") {
  addSound("main", "bom01");
}

i32 RadiantVigorSurge::update() {
  if (at(0)) {
    mRising.launchOnTargets(*mAction, 64);
    setCameraOnTargets();
  }
  if (at(16)) {
    start("main");
    for (i32 i = 0; i < 6; ++i) {
      if (SceneNode* burst = on(mSet.model(Bank::kMain), getFirstTarget()).delay(6.f * fromInt(i)).get()) {
        burst->rotation.z.setValue(burst->rotation.z.value() + 60.f * fromInt(i));
      }
    }
  }
  return applyOnEndFrom(48, 73);
}

GlintBladeWard::GlintBladeWard() : mSet("src/picture/animation/GlintBlade.txt") {}

i32 GlintBladeWard::update() {
  if (at(0)) {
    setCameraOnTargets();
    setCameraScale(1.5f);
  }
  if (at(60)) {
    node(mSet.model(Bank::kMain), targetPoint());
  }
  if (at(92)) {
    playSoundAt(0);
    if (const Unit* first = getFirstTarget()) {
      mCross.launchOn(*first);
    }
    stage().flashWhite();
  }
  return applyOnEndFrom(92, 129);
}

GaleCodexWave::GaleCodexWave() : mSet("src/picture/animation/GaleCodexWave.txt") {}

i32 GaleCodexWave::update() {
  if (at(0)) {
    layPath();
    setCameraOnCaster();
  }
  if (every(0, kLeg * (kPoints - 1) - 1, kLeg)) {
    leg(frame() / kLeg);
  }
  if (at(84)) {
    reactions();
    setCameraOnTargets();
    if (anyHit()) {
      sparks(kCurseSparks);
      mPrism.sprayOnTargets(*mAction);
      knockBackTargets(mPath[0]);
      start("hit");
    }
  }
  if (at(128)) {
    moveHome(64.f, 60);
    vanish();
  }
  return applyOnEndFrom(144, 161);
}

// Point i lies i/3.5 of the way to the targets, 64·i to alternate sides,
// all at the height of the first.
void GaleCodexWave::layPath() {
  for (i32 i = 0; i < kPoints; ++i) {
    const float x = 64.f * fromInt(i) * (i % 2 == 0 ? -1.f : 1.f);
    mPath[i] = alongPath(x, 0.f, -fromInt(i) / 3.5f);
    mPath[i].z = mPath[0].z;
  }
}

// The caster's node, set on point k (the last leg ends there as this one
// starts), crosses leg k at an even pace (a straight path through the leg's
// middle at half time); a scroll is laid along the leg.
void GaleCodexWave::leg(i32 k) {
  const Vector3& from = mPath[k];
  const Vector3& to = mPath[k + 1];
  mShock.launchAtFront(*mCaster);
  if (SceneNode* body = mCaster->node()) {
    body->position.setValue(from);
    auto path = std::make_unique<Module::Transport>(body, kLeg, false);
    Vector3 middle = Bank::added(from, to);
    middle *= 0.5f;
    path->setSpanValue(to, kLeg / 2.f, middle);
    addModule(std::move(path));
  }
  Vector3 span;
  span.setSub(to, from);
  if (SceneNode* scroll = node(mSet.model(k), from).aimAt(to).get()) {
    scroll->scale.x.setValue(span.length());
    mScrolls.emplace_back(scroll);
  }
  start("main");
}

void GaleCodexWave::vanish() {
  const Animation fading = mSet.animation("vanish");
  for (const Module::TrackedNode& kept : mScrolls) {
    if (SceneNode* scroll = kept.get()) {
      scroll->addOverlay(fading, 0.f);
      scroll->setLifetime(16);
    }
  }
}

PrismWhirlpool::PrismWhirlpool() : mSet("src/picture/animation/PrismWhirlpool.txt") {}

i32 PrismWhirlpool::update() {
  if (at(0)) {
    setCameraOnCast();
    setCameraPitch(30.f);
  }
  if (at(32)) {
    const Vector3 centre = targetCentre();
    whirl(Bank::added(centre, Vector3(0.f, 192.f, 0.f)), 1.f);
    whirl(Bank::added(centre, Vector3(0.f, -192.f, 0.f)), -1.f);
  }
  if (at(64)) {
    mPrism.launchOnTargets(*mAction);
    mShake.launchOnTargets(*mAction);
  }
  if (at(96)) {
    mParticle.sprayOnTargets(*mAction);
  }
  return applyOnEndFrom(128, 145);
}

// Carrier i swings across the whirl's centre in 32 frames, 3·i frames
// late, bowed through its control point and dropping light each frame;
// the second whirl (sign −1) turns the other way.
void PrismWhirlpool::whirl(const Vector3& centre, float sign) {
  for (i32 i = 0; i < kCarriers; ++i) {
    const i32 wait = 3 * i;
    const float r = rnd(256.f);
    const float reach = (r + 128.f) * sign;
    SceneNode* carrier =
        node(nullptr, Bank::added(centre, Vector3(reach, 0.f, 0.f))).life(32).delay(fromInt(wait)).get();
    auto sweep = std::make_unique<Module::Bring>(carrier, 32, Bank::added(centre, Vector3(-reach, 0.f, 0.f)), 16.f);
    sweep->mCurve = true;
    sweep->mControl = Bank::added(centre, Vector3(0.f, -r * sign, 0.f));
    after(addModule(std::move(sweep)), wait);
    after(addModule(std::make_unique<Module::Launch>(carrier, mSet.model(0), 1)), wait);
    if (i % 5 == 0) {
      play("main", wait);
    }
  }
}

HaltedHandsCurse::HaltedHandsCurse() : mSet("src/picture/animation/HaltedHandsCurse.txt") {
  addSound("main", "clock03");
}

i32 HaltedHandsCurse::update() {
  if (at(0)) {
    node(mSet.model(Bank::kMain), targetCentre());
    setCameraOnCast();
    setCameraPitch(30.f);
    for (i32 i = 0; i < kTicks; ++i) {
      play("main", i * (i + 14));
    }
  }
  if (at(48)) {
    mCurse.launchOnTargets(*mAction);
    apply();
  }
  endFrom(81);
  return frame();
}

i32 TimeHalt::update() {
  if (at(16)) {
    playSoundAt(0);
  }
  if (at(kEnd)) {
    stage().flashWhite();
    apply();
  }
  endOn(kEnd);
  return frame();
}

i32 CarvingBladeStorm::update() {
  if (at(0)) {
    setCameraOnCaster();
    setCameraScale(1.5f);
    addAfterimage(0, 127, 5);
    moveToFirstTarget(0.f, 32, 1.f);
  }
  if (at(32)) {
    setCameraOnTargets();
  }
  SceneNode* body = mCaster->node();
  if (at(48)) {
    fall(mCaster, 64, 16.f, 16.f);
    if (body) {
      body->setSpeed(2.f);
    }
    reactions();
  }
  if (every(48, 111, 4)) {
    carve();
  }
  if (at(128)) {
    if (body) {
      body->setSpeed(1.f);
    }
    apply();
    moveHome(64.f, 30);
  }
  endFrom(145);
  return frame();
}

// A red cut about the first target turned along the line to the caster
// (±15 degrees), a blade slash on it; the caster's stance every 8 frames,
// a ring of motes and a flash every 16.
void CarvingBladeStorm::carve() {
  const Unit* first = getFirstTarget();
  const Vector3 caster = casterPoint();
  Vector3 near;
  RandomGenerator::instance()->getSpatialVector(&near, first ? first->getSize() / 2.f : 0.f);
  if (SceneNode* cut = mCut.launchBetween(getScenePool(), Bank::added(targetPoint(), near), caster, 1.f)) {
    cut->rotation.z.setValue(cut->rotation.z.value() + rnd(30.f) - 15.f);
  }
  if (first) {
    Placed(mBlade.launchBetween(*first, *mCaster)).delay(2.f).spinZ();
  }
  start("main");
  if (frame() % 8 == 0) {
    mCaster->playStand();
  }
  if (frame() % 16 == 0) {
    const Vector3 target = targetPoint();
    mRing.ring(getScenePool(), target, Bank::added(target, dir(0.f, 360.f, -90.f, 90.f)));
    stage().flashWhite();
  }
}

}  // namespace Game::Effect
