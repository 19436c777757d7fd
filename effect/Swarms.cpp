// Named special arts that fill the field with many nodes at once.

#include "effect/Swarms.h"

#include <memory>

#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "effect/module/Launch.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

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
    mRipple.launch(getScenePool(), p, 128.f)->setTime(-(wait + kDepth / kRise));
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
  applyOn(64);
  endFrom(97);
  return frame();
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
  applyOn(128);
  endFrom(161);
  return frame();
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

}  // namespace Game::Effect
