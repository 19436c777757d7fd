#pragma once

#include "effect/Lances.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Auras.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Piece.h"
#include "effect/bank/Rays.h"
#include "effect/bank/Waves.h"

namespace Game::Effect {

// Named special attacks of prism beams, orbs and crystals.

// The caster leaps high and fires a prism beam down at the first target;
// ends exactly on its end frame.
class FallingPrismBeam : public NamedSpecial {
 public:
  static constexpr Engine::i32 kEnd = 160;
  FallingPrismBeam();
  Engine::i32 update() override;

 private:
  void fire();

  Bank::PieceSet mSet;
  Bank::ParticlePrism mPrism;
  Bank::ShockWaveL mShock;
  Bank::Cinders mCinders;
};

// The caster steps to the centre line and sweeps the targets' side with a
// great prism beam.
class GreatPrismBeam : public CentreLineSpecial {
 public:
  GreatPrismBeam();
  Engine::i32 update() override;

 private:
  void fire();

  Bank::PieceSet mSet;
  Bank::ParticlePrism mPrism;
  Bank::ShockWaveL mShock;
  Bank::Shock mJolt;
  Bank::Cinders mCinders;
};

// Four coloured orbs about the caster, each sending a beam at the first
// target.
class OrbitingStarlets : public NamedSpecial {
 public:
  OrbitingStarlets();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Beam mBeam;
  Bank::Star mStar;
};

// Five crystals of the elements turn in a ring about the caster.
class ElementalCrystalRing : public NamedSpecial {
 public:
  ElementalCrystalRing();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::CrossLightS mCross;
};

}  // namespace Game::Effect
