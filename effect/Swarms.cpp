// Named special arts that fill the field with many nodes at once.

#include "effect/Swarms.h"

#include <memory>

#include "core/math/MathHelper.h"
#include "core/random/RandomGenerator.h"
#include "core/random/WeightedTable.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "effect/module/Launch.h"
#include "presentation/scene/SceneNode.h"
#include "records/Database.h"
#include "records/database/UnitPictureData.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {
// Each component in ±its half-extent.
Vector3 box(float x, float y, float z) {
  Vector3 v;
  RandomGenerator::instance()->getBoxVector(&v, x, y, z);
  return v;
}
}  // namespace

namespace {
constexpr const char* kWispPicture = "Gravewisp";

// The stand model of the unit picture; reported and null when missing.
Model* swarmStandOf(const char* picture) {
  Database* database = Database::instance();
  UnitPictureData* data = database ? database->findUnitPicture(picture) : nullptr;
  Model* stand = data ? data->standMotion() : nullptr;
  if (!stand) {
    Bank::reportMissing("unit picture", picture, "stand");
  }
  return stand;
}
}  // namespace

HauntedHamlet::HauntedHamlet() {
  addSound("ready", "pi14");
  addSound("hit", "hit31");
}

// Wisp i gathers 128 out from the caster at i·30 degrees, from 512 beyond
// it in a random direction.
void HauntedHamlet::gather() {
  Model* stand = swarmStandOf(kWispPicture);
  const Vector3 caster = casterPoint();
  for (i32 i = 0; i < kWisps; ++i) {
    const Vector3 gathering = Bank::added(caster, Bank::scaled(ang(30.f * static_cast<float>(i), 0.f), 128.f));
    Vector3 away;
    RandomGenerator::instance()->getCenteredDirection(&away, 360.f, 0.f);
    SceneNode* wisp = node(stand, Bank::added(gathering, Bank::scaled(away, 512.f))).get();
    wisp->faceToward(gathering);
    bring(wisp, 32, gathering, 0.f);
    mWisps[static_cast<std::size_t>(i)] = wisp;
  }
}

// The wisp in place p of a random order dives 3·p frames late and is gone
// 32 frames after it starts.
void HauntedHamlet::dive() {
  const RandomPermutation order(kWisps);
  const Vector3 target = targetPoint();
  for (i32 p = 0; p < kWisps; ++p) {
    SceneNode* wisp = mWisps[static_cast<std::size_t>(order.at(p))];
    wisp->faceToward(target);
    after(bring(wisp, 32, target, 128.f), 3 * p);
    wisp->setLifetime(3 * p + 32);
  }
}

i32 HauntedHamlet::update() {
  if (at(0)) {
    gather();
    playRow("ready", 6, 5);
    setCameraOnCast();
  }
  if (at(32)) {
    dive();
    if (anyHit()) {
      for (i32 i = 0; i < 5; ++i) {
        play("hit", 32 + 8 * i);
      }
    }
  }
  if (at(64)) {
    stage().flashWhite();
    reactions();
  }
  if (every(64, 99, 8) && anyHit()) {
    mStar.twinkleOnTargets(*mAction);
  }
  return applyOnEndFrom(128, 161);
}

GrudgeWraithFeast::GrudgeWraithFeast() : mSet("src/picture/animation/GrudgeWraithFeast.txt") {
  addSound("attack", "gun04");
}

// Each riser starts kDepth under the ground; its ripple waits until it
// passes height 0, kDepth / kRise frames after it starts.
void GrudgeWraithFeast::launchRisers() {
  const Vector3 target = targetPoint();
  for (i32 i = 0; i < kRisers; ++i) {
    const float wait = static_cast<float>(kSpacing * i);
    Vector3 p = Bank::added(target, flat(96.f));
    p.z = -kDepth;
    SceneNode* riser = node(nullptr, p).life(128).delay(wait).get();
    riser->position.setVelocity(Vector3(0.f, 0.f, kRise));
    after(addModule(std::make_unique<Module::Launch>(riser, mSet.model(Bank::kMain), kSpacing)), kSpacing * i);
    p.z = 1.f;
    Placed(mRipple.launch(getScenePool(), p, 128.f)).delay(wait + kDepth / kRise);
  }
}

i32 GrudgeWraithFeast::update() {
  if (at(0)) {
    launchRisers();
    start("attack");
    setCameraOnCast();
    setCameraYawBySide(30.f);
  }
  if (at(24)) {
    reactions();
    mShake.launchOnTargets(*mAction);
  }
  if (at(48)) {
    mBlood.splatterTargets(*mAction);
  }
  return applyOnEndFrom(64, 97);
}

TorrentCascade::TorrentCascade() : mSet("src/picture/animation/大瀑布.txt") { addSound("attack", "mizu10_b"); }

i32 TorrentCascade::update() {
  if (at(0)) {
    setCameraPitch(30.f);
    setCameraOnCast();
  }
  if (at(16)) {
    node(mSet.model(Bank::kMain), Vector3(0.f, 0.f, 0.f));
    playRow("attack", 8, 12);
  }
  if (at(48)) {
    reactions();
    for (i32 i = 0; i < 8; ++i) {
      mWave.spawnOnTargets(*mAction, static_cast<float>(8 * i));
    }
    mShake.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(128, 161);
}

GoldenSunburst::GoldenSunburst() : mSet("src/picture/animation/GoldenSunburst.txt") { addSound("main", "bom02"); }

i32 GoldenSunburst::update() {
  if (at(0)) {
    const Vector3 caster = casterPoint();
    for (i32 r = 0; r < kRings; ++r) {
      for (i32 j = 0; j < kPerRing; ++j) {
        const float reach = rnd(64.f) + static_cast<float>(r + 1) * 64.f;
        Placed flare = node(mSet.model(0), caster);
        flare.spinXYZ();
        Vector3 p = Bank::added(caster, Bank::scaled(ang(rnd(30.f) + 30.f * static_cast<float>(j), 0.f), reach));
        p.z += rnd(128.f);
        flare.get()->position.setValue(p);
        flare.delay(reach / 6.f);
      }
    }
    setCameraOnCast();
    setCameraPitch(30.f);
    start("main");
  }
  if (at(16)) {
    mEmission.launchOnTargets(*mAction);
    stage().flashWhite();
  }
  applyOn(64);
  endOn(96);
  return frame();
}

IcePillarRise::IcePillarRise() { addSound("main", "bom00"); }

// Row r turns the way by (r − 1)·25 degrees, ±5 at random; icicle k stands
// 32·k along it, k²/2 (+ up to 32) high, rising 2·k frames late. Without a
// way (the targets' centre on the front point) the icicles stand at it.
void IcePillarRise::launchFans() {
  const Vector3 front = frontOf(*mCaster);
  Vector3 way;
  way.setSub(targetCentre(), front);
  if (way.length() > 0.f) {
    way.normalize();
  }
  for (i32 r = 0; r < kRows; ++r) {
    const float a = static_cast<float>(r - 1) * 25.f + rnd(10.f) - 5.f;
    Vector3 turned;
    MathHelper::rotateByAngles(&turned, way, 0.f, 0.f, a);
    for (i32 k = 0; k < kPerRow; ++k) {
      const float fk = static_cast<float>(k);
      const Vector3 p = Bank::added(Bank::added(front, box(16.f, 16.f, 0.f)), Bank::scaled(turned, 32.f * fk));
      Placed(mIcicle.launch(getScenePool(), p, fk * fk / 2.f + rnd(32.f))).delay(2.f * fk);
    }
  }
  mShock.launchAtFront(*mCaster);
}

i32 IcePillarRise::update() {
  if (at(0)) {
    setCameraPitch(30.f);
    setCameraOnCast();
    launchFans();
    start("main");
  }
  if (at(48)) {
    mEmission.launchOnTargets(*mAction);
    mCold.chillTargets(*mAction);
  }
  return applyOnEndFrom(84, 97);
}

DarkTwinBeams::DarkTwinBeams() : mSet("src/picture/animation/DarkTwinBeams.txt") { addSound("main", "shoot06"); }

// Without a target the beams stand about the aim point.
void DarkTwinBeams::launchBeams() {
  const Unit* first = getFirstTarget();
  const Vector3 front = first ? frontOf(*first) : aim();
  mGround.launch(getScenePool(), front, 128.f, 64);
  for (i32 i = 0; i < kBeams; ++i) {
    const float wait = 4.f * static_cast<float>(i);
    const Vector3 p = Bank::added(front, flat(64.f));
    SceneNode* beam = node(mSet.model(0), p).delay(wait).get();
    beam->rotation.setValue(box(30.f, 30.f, 180.f));
    mExplode.launch(getScenePool(), p, 64.f, wait);
  }
  playRow("main", 8, 8);
}

i32 DarkTwinBeams::update() {
  if (at(16)) {
    setCameraOnCast();
    stage().flashWhite();
    launchBeams();
  }
  if (at(80)) {
    mParticle.sprayOnTargets(*mAction);
    apply();
  }
  endFrom(113);
  return frame();
}

}  // namespace Game::Effect
