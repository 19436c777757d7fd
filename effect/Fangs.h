#pragma once

#include "effect/Contact.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Auras.h"
#include "effect/bank/ExplodeL.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Rays.h"
#include "presentation/resource/ResourceSet.h"

namespace Game::Effect {

// A swipe of claws across target 0. The caster stays where its hop left it.
class Claw : public Contact {
 public:
  static constexpr const char* kSetFile = "src/picture/animation/爪.txt";

  Claw();
  Engine::i32 update() override;

 private:
  void swipe();

  ResourceSet mSet;
};

// A bite on target 0. The caster stays where its hop left it.
class Bite : public Contact {
 public:
  Engine::i32 update() override;

 private:
  Bank::Fang mFang;
};

// A bite whose drops of blood fly from target 0 to the caster.
class BloodSteal : public Contact {
 public:
  static constexpr const char* kSetFile = "src/picture/animation/吸血.txt";
  static constexpr Engine::i32 kDropFrame = 48;
  static constexpr Engine::i32 kDrops = 4;
  static constexpr Engine::i32 kDropSpacing = 4;
  static constexpr Engine::i32 kDropFrames = 32;
  // When a drop passes its high point, and how far off and up that lies.
  static constexpr float kReachTime = 24.f;
  static constexpr float kSpread = 128.f;
  static constexpr float kRise = 64.f;

  BloodSteal();
  Engine::i32 update() override;

 private:
  void launchDrop(Engine::i32 k);

  ResourceSet mSet;
  Bank::Fang mFang;
};

// A freezing touch.
class ColdTouch : public Contact {
 public:
  Engine::i32 update() override;

 private:
  Bank::Cold mCold;
  Bank::EmissionCyan mEmission;
};

// The caster gathers power and blows itself up.
class SuicideBomb : public Contact {
 public:
  Engine::i32 update() override;

 private:
  Bank::ExplodeL mBlast;
  Bank::ChargeAura mAura;
  Bank::EmissionPair mEmission;
};

}  // namespace Game::Effect
