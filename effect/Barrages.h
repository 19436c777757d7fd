#pragma once

#include "effect/NamedSpecial.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Explode.h"
#include "effect/bank/Piece.h"

namespace Game::Effect {

// A flock of saucers above the caster's own side fires 32 missiles with
// trails at the aim point.
class SaucerRaid : public NamedSpecial {
 public:
  static constexpr Engine::i32 kSaucers = 7;
  static constexpr Engine::i32 kMissiles = 32;
  SaucerRaid();
  Engine::i32 update() override;

 private:
  // Above the caster's own half of the field.
  Vector3 flockPoint() const;
  void gatherFlock();
  void fireMissiles();

  Bank::PieceSet mMissiles;
  Bank::PieceSet mSet;
  Bank::ExplodeRed mExplode;
  Bank::EmissionPair mEmission;
};

}  // namespace Game::Effect
