// Waves: the two shock lights, the mind wave and the sound wave.

#include "effect/Pulses.h"

#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr const char* kShockLightFiles[] = {"src/picture/animation/光波A.txt", "src/picture/animation/光波B.txt"};
constexpr i32 kRowSpacing = 4;
constexpr i32 kWaveFrames = 32;

}  // namespace

ShockLight::ShockLight(i32 variant) {
  if (variant == 0 || variant == 1) {
    mSet.load(kShockLightFiles[variant]);
  }
  addSound("main", "gun04");
}

i32 ShockLight::update() {
  constexpr float kShotFrames = 16.f;
  if (frame() == 0) {
    setCameraOnCast();
    const Vector3 centre = targetCentre();
    Model* model = mSet.model("shot");
    for (i32 i = 0; i < kShots; ++i) {
      SceneNode* shot = launchFromCaster(model);
      shot->position.moveTo(kShotFrames, centre);
      shot->setTime(-static_cast<float>(kRowSpacing * i));
    }
    playSoundAt(0);
  }
  if (frame() == kApplyFrame) {
    spawnOnHitTargets(*mAction, mSet.model("hit"));
    applyResult();
  }
  endFrom(kEndFrame);
  return frame();
}

MindWave::MindWave() : mSet("src/picture/animation/精神波動.txt") {}

i32 MindWave::update() {
  if (frame() == 0) {
    setCameraOnCast();
  }
  if (frame() == 16) {
    const Unit* first = getFirstTarget();
    const Vector3 target = firstTargetPosition();
    Model* model = mSet.model(0);
    for (i32 i = 0; i < kRings; ++i) {
      SceneNode* ring = shootAt(model, target, kWaveFrames);
      if (first) {
        ring->scale.setValueAll(first->getScale());
      }
      ring->setTime(-static_cast<float>(kRowSpacing * i));
    }
    playSoundAt(0);
  }
  if (frame() == 48) {
    mShake.launchOnTargets(*mAction);
    flashHitTargets();
  }
  if (frame() == 64) {
    if (const Unit* first = getFirstTarget()) {
      mDizzy.launchOn(*first);
    }
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

SoundWave::SoundWave() : mSet("src/picture/animation/音波.txt") {}

i32 SoundWave::update() {
  if (frame() == 32) {
    setCameraOnCast();
    Model* model = mSet.model(0);
    for (i32 t = 0; t < getTargetCount(); ++t) {
      const Unit& target = *getTarget(t);
      Vector3 at;
      target.getPosition(at);
      for (i32 i = 0; i < kRings; ++i) {
        SceneNode* ring = shootAt(model, at, kWaveFrames);
        ring->scale.setValueAll(target.getScale());
        ring->setTime(-static_cast<float>(kRowSpacing * i));
      }
    }
    playSoundAt(0);
  }
  if (frame() == 64) {
    mShake.launchOnTargets(*mAction);
    flashHitTargets();
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

}  // namespace Game::Effect
