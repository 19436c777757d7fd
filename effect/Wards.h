#pragma once

#include "effect/NamedSpecial.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Auras.h"
#include "effect/bank/Piece.h"

namespace Game::Effect {

// Named special arts built around the caster or shown on the targets
// without a blow: wards, boosts, a draught and a sleep.

// Four veils on the caster; the results and the end on the first frame.
class SilkVeilDeflect : public NamedSpecial {
 public:
  static constexpr Engine::i32 kVeils = 4;
  SilkVeilDeflect();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
};

// The caster burrows and lies down on 32.
class BurrowedSleep : public NamedSpecial {
 public:
  BurrowedSleep();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
};

// The crest shows on the hit targets at once; no reactions.
class FortuneCrestBoost : public NamedSpecial {
 public:
  FortuneCrestBoost();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::CrossLightS mCross;
  Bank::ChargeSP mCharge;
};

// A draught that rises about the hit targets; no reactions.
class ImmortalDraught : public NamedSpecial {
 public:
  ImmortalDraught();
  Engine::i32 update() override;

 private:
  Bank::Prism mPrism;
  Bank::RisingParticle mRising;
  Bank::SpinCharge mCharge;
};

}  // namespace Game::Effect
