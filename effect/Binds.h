#pragma once

#include "effect/Area.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Barrier.h"
#include "effect/bank/Piece.h"

namespace Game::Effect {

// Vines and binds on the targets, the warding wall, regrowth and the check.

// Three vines about every target, each a path of 20 segments that grows
// from its end back to its start.
class Vine : public AreaCast {
 public:
  static constexpr Engine::i32 kVines = 3;
  static constexpr Engine::i32 kSegments = 20;
  Vine();
  Engine::i32 update() override;

 private:
  // Vine j about the unit.
  void grow(const Unit& unit, Engine::i32 j);

  Bank::PieceSet mSet;
  Bank::Shake mShake;
};

// A ring closing on target 0.
class Bind : public AreaCast {
 public:
  Bind();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Shake mShake;
};

// A wall of ten rings across the field's origin. It shows no results: the
// battle shows them when the effect ends.
class Border : public AreaCast {
 public:
  static constexpr Engine::i32 kRings = 10;
  Engine::i32 update() override;

 private:
  Bank::Barrier mBarrier;
};

// A wall of six rings before the caster, the results and the end all on the
// first frame.
class BorderGuard : public AreaCast {
 public:
  static constexpr Engine::i32 kRings = 6;
  Engine::i32 update() override;

 private:
  Bank::Barrier mBarrier;
};

// Four layers of new growth on target 0.
class Regenerate : public AreaCast {
 public:
  static constexpr Engine::i32 kLayers = 4;
  Regenerate();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Heal mHeal;
};

// A mark on target 0 under a white flash; ends on exactly frame 64.
class Check : public AreaCast {
 public:
  Check();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
};

}  // namespace Game::Effect
