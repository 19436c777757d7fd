// Sword strokes: a thrown spinning blade and a sword of light.

#include "effect/Swords.h"

#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/module/Launch.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

BladeSpray::BladeSpray() : mTrail(kTrailFile) {}

i32 BladeSpray::update() {
  if (frame() == 0) {
    mAura.launchOn(*mCaster);
    setCameraOnCaster();
    setCameraScale(1.5f);
  }
  if (frame() == 64) {
    setCameraScale(1.f);
  }
  if (frame() == kThrowFrame) {
    throwBlade();
  }
  if (frame() == 144) {
    if (isAnyTargetHit()) {
      launchSparksOnTargets(kSparks);
      playSoundAt(1);
      mParticle.sprayOnTargets(*mAction);
    }
    applyResult();
  }
  if (frame() >= 193) {
    finish();
  }
  return frame();
}

void BladeSpray::throwBlade() {
  setCameraOnTargets();
  playSoundAt(0);
  SceneNode* blade = launchAnimation(nullptr);
  blade->position.setValue(casterPosition());
  Vector3 side;
  getSideDirection(side);
  blade->aimDirection(side);
  blade->position.moveTo(static_cast<float>(kFlight), firstTargetPosition());
  blade->setLifetime(kBladeLifetime);
  blade->rotation.z.setVelocity(kSpin);
  addModule(std::make_unique<Module::Launch>(blade, mTrail.model(0), kTrailInterval));
}

BeamSword::BeamSword() { mSet.load(kSetFile); }

i32 BeamSword::update() {
  if (frame() == 0) {
    faceTargets();
    setCameraOnCaster();
    mGlow.launchOn(*mCaster);
  }
  if (frame() == 16) {
    drawSword();
  }
  if (frame() == 48) {
    moveToFirstTarget(64.f, 32, 1.f);
    setCameraScale(1.25f);
  }
  if (frame() == 64) {
    setCameraOnTargets();
  }
  if (frame() == 80) {
    if (isAnyTargetHit()) {
      mEmission.launchOnTargets(*mAction);
      mParticle.sprayOnTargets(*mAction);
      launchSparksOnTargets(kSparks);
      playSoundAt(1);
    }
    flashHitTargets();
  }
  if (frame() == 128) {
    moveHome(64.f, 60);
    applyResult();
  }
  if (frame() >= 161) {
    finish();
  }
  return frame();
}

void BeamSword::drawSword() {
  playSoundAt(0);
  Model* sword = mSet.getModel(0);
  if (!sword) {
    reportMissing("model", "ビームソード/0");
    return;
  }
  SceneNode* node = launchAnimation(sword);
  node->scale.setValueAll(mCaster->getScale());
  if (SceneNode* hand = mCaster->node()) {
    Bank::attach(*node, *hand, Vector3(0.f, 0.f, 0.f));
  }
}

}  // namespace Game::Effect
