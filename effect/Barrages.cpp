// Named special arts that fire a barrage from above the field.

#include "effect/Barrages.h"

#include <memory>

#include "core/math/Spiral.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "effect/module/Transport.h"
#include "presentation/scene/SceneNode.h"
#include "records/Database.h"
#include "records/database/UnitPictureData.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {
constexpr const char* kSaucerPicture = "Glimmerdisc";
constexpr float kSkyHeight = 1000.f;
constexpr Engine::u32 kThinYellow = 0x40FFFF00u;

// The stand model of the unit picture; reported and null when missing.
Model* standOf(const char* picture) {
  Database* database = Database::instance();
  UnitPictureData* data = database ? database->findUnitPicture(picture) : nullptr;
  Model* stand = data ? data->standMotion() : nullptr;
  if (!stand) {
    Bank::reportMissing("unit picture", picture, "stand");
  }
  return stand;
}
}  // namespace

PlanetaryBarrage::PlanetaryBarrage() : mSet("src/picture/animation/PlanetaryBarrage.txt") {}

// Shot i of the set's four models leaves the sky point i frames late and
// lands within 256 of the targets' centre; it bursts as it lands.
void PlanetaryBarrage::launchShots() {
  const Vector3 sky(0.f, 0.f, kSkyHeight);
  const Vector3 centre = targetCentre();
  for (i32 i = 0; i < kShots; ++i) {
    const Vector3 end = grounded(Bank::added(centre, flat(256.f)));
    SceneNode* shot = node(mSet.model(i % 4), sky).get();
    auto path = std::make_unique<Module::Transport>(shot, kFlight, false);
    path->setSpanVelocity(end, 0.f, Vector3(0.f, 0.f, 0.f));
    after(addModule(std::move(path)), i);
    Placed(shot).delay(static_cast<float>(i)).life(kFlight).spinXYZ();
    mExplode.launch(getScenePool(), end, 32.f, static_cast<float>(i + kFlight));
    if (i % 6 == 0) {
      play("explode", i + kFlight);
    }
  }
}

i32 PlanetaryBarrage::update() {
  if (at(0)) {
    launchShots();
    mLines.scatter(getScenePool(), -90.f, 32);
    setCameraPoint(Vector3(0.f, 0.f, kSkyHeight));
    setCameraScale(5.f);
    stage().setCameraDistance(0.1f);
    start("ready");
  }
  if (at(48)) {
    start("attack");
  }
  if (at(96)) {
    setCameraOnTargets();
    setCameraPitch(30.f);
    mLines.scatter(getScenePool(), 90.f, 32);
    setCameraScale(1.f);
  }
  if (at(128)) {
    stage().flash(kThinYellow, 64);
    mEmission.launchOnTargets(*mAction);
    reactions();
    setCameraOffsetZ(16.f);
  }
  if (at(192)) {
    stage().setCameraDistance(1.f);
    apply();
  }
  endFrom(225);
  return frame();
}

SaucerRaid::SaucerRaid()
    : mMissiles("src/picture/animation/マイクロミサイル.txt"), mSet("src/picture/animation/SaucerRaid.txt") {}

Vector3 SaucerRaid::flockPoint() const { return Vector3(mCaster->side() == 1 ? -256.f : 256.f, 0.f, 512.f); }

// A hexagonal flock 64 apart about the flock point.
void SaucerRaid::gatherFlock() {
  Model* stand = standOf(kSaucerPicture);
  const Vector3 centre = flockPoint();
  for (i32 i = 0; i < kSaucers; ++i) {
    Engine::Math::Vector2 cell;
    MathHelper::hexSpiral(&cell, i);
    node(stand, Bank::added(centre, Vector3(64.f * cell.x, 64.f * cell.y, 0.f))).life(128);
  }
}

// Missile i leaves the flock 2·i frames late, falls on the aim point's
// area in 64 frames and bursts there.
void SaucerRaid::fireMissiles() {
  const Vector3 centre = flockPoint();
  for (i32 i = 0; i < kMissiles; ++i) {
    const i32 t = 2 * i;
    SceneNode* missile = node(mMissiles.model(0), Bank::added(centre, flat(128.f))).get();
    const Vector3 end = Bank::added(aim(), flat(128.f));
    auto path = std::make_unique<Module::Transport>(missile, 64, true);
    path->setSpanVelocityAccel(end, 0.f, Vector3(0.f, 0.f, 0.f), 0.f,
                               Bank::scaled(dir(0.f, 360.f, -60.f, -90.f), 0.3f));
    path->mTrail = mSet.model("afterimage");
    after(addModule(std::move(path)), t);
    Placed(missile).life(64).delay(static_cast<float>(t));
    mExplode.launch(getScenePool(), end, 64.f, static_cast<float>(t + 64));
    if (i % 4 == 0) {
      play("attack", t);
    }
  }
  play("explode", 64);
}

i32 SaucerRaid::update() {
  if (at(0)) {
    gatherFlock();
    setCameraPoint(flockPoint());
    start("ready");
  }
  if (at(64)) {
    fireMissiles();
  }
  if (at(96)) {
    setCameraOnTargets();
    setCameraPitch(30.f);
  }
  if (at(128)) {
    reactions();
    mEmission.launchOnTargets(*mAction);
    setCameraOffsetZ(5.f);
  }
  return applyOnEndFrom(160, 177);
}

}  // namespace Game::Effect
