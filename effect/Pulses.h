#pragma once

#include "effect/Ranged.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Auras.h"
#include "effect/bank/Piece.h"

namespace Game::Effect {

// Waves of light, mind and sound sent in rows at the targets.

// Eight shots of light in a row at the target centre; the hit shows on
// every target hit. Variant 0 and 1 are the two colours; any other loads no
// picture.
class ShockLight : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 32;
  static constexpr Engine::i32 kEndFrame = 81;
  static constexpr Engine::i32 kShots = 8;
  explicit ShockLight(Engine::i32 variant);
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
};

// Sixteen rings in a row into target 0, which shakes and reels.
class MindWave : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 80;
  static constexpr Engine::i32 kEndFrame = 113;
  static constexpr Engine::i32 kRings = 16;
  MindWave();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Shake mShake;
  Bank::Dizzy mDizzy;
};

// Twelve rings in a row into every target.
class SoundWave : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 80;
  static constexpr Engine::i32 kEndFrame = 97;
  static constexpr Engine::i32 kRings = 12;
  SoundWave();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Shake mShake;
};

}  // namespace Game::Effect
