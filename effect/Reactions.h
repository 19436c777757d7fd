#pragma once

#include "effect/ScriptedCast.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Piece.h"

namespace Game::Effect {

// A shield on every target, the results and the end all on the first frame.
class Shield : public ScriptedCast {
 public:
  Shield();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
};

// 32 pieces drawn out of the first target two frames apart; on 64 the
// caster glows and the results show.
class Drain : public ScriptedCast {
 public:
  static constexpr Engine::i32 kPieces = 32;
  static constexpr Engine::i32 kPieceSpacing = 2;
  static constexpr Engine::i32 kApplyFrame = 64;
  static constexpr Engine::i32 kEndFrame = 129;
  Drain();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::EmissionRed mGlow;
};

// The call's picture where its model stands, on 16 with the results.
class Summon : public ScriptedCast {
 public:
  static constexpr Engine::i32 kApplyFrame = 16;
  static constexpr Engine::i32 kEndFrame = 33;
  Summon();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
};

// Six copies turned 60 degrees apart on the first target and the healing
// glow on 16; the results on 64.
class HealItem : public ScriptedCast {
 public:
  static constexpr Engine::i32 kLaunchFrame = 16;
  static constexpr Engine::i32 kApplyFrame = 64;
  static constexpr Engine::i32 kEndFrame = 97;
  static constexpr Engine::i32 kCopies = 6;
  HealItem();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Heal mHeal;
};

}  // namespace Game::Effect
