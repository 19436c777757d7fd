#pragma once

#include "effect/NamedSpecial.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Explode.h"
#include "effect/bank/Piece.h"
#include "effect/bank/Rays.h"

namespace Game::Effect {

// The camera looks up to a point 1000 above the field while 64 shots leave
// it, one a frame; they land about the targets 128 frames later.
class PlanetaryBarrage : public NamedSpecial {
 public:
  static constexpr Engine::i32 kShots = 64;
  static constexpr Engine::i32 kFlight = 128;
  PlanetaryBarrage();
  Engine::i32 update() override;

 private:
  void launchShots();

  Bank::SpeedLines mLines;
  Bank::PieceSet mSet;
  Bank::ExplodeRed mExplode;
  Bank::EmissionPair mEmission;
};

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
