#pragma once

#include "effect/ScriptedCast.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Auras.h"
#include "effect/bank/Hits.h"
#include "effect/bank/Piece.h"
#include "effect/bank/Waves.h"

namespace Game::Effect {

// The supporting arts. Each script sets the camera on frame 0, places its
// picture and plays sound entry 0 on its launch frame, lays a glow on the
// hit targets and applies the result, and finishes from its end frame on.

// A swarm of 32 many-coloured pieces on the first target.
class DoubleCast : public ScriptedCast {
 public:
  static constexpr Engine::i32 kApplyFrame = 96;
  static constexpr Engine::i32 kEndFrame = 161;
  DoubleCast();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::EmissionRed mGlow;
};

// "main" on every target on 16; the shortest buff.
class AttackBoost : public ScriptedCast {
 public:
  static constexpr Engine::i32 kApplyFrame = 32;
  static constexpr Engine::i32 kEndFrame = 49;
  AttackBoost();
  Engine::i32 update() override;

 protected:
  explicit AttackBoost(const char* setFile);

 private:
  Bank::PieceSet mSet;
};

// AttackBoost's script with its own picture and sound.
class SetBarrier : public AttackBoost {
 public:
  SetBarrier();
};

// A fading copy left behind while the caster steps away and comes home.
class PhantomAvoid : public ScriptedCast {
 public:
  static constexpr Engine::i32 kApplyFrame = 32;
  static constexpr Engine::i32 kEndFrame = 65;
  static constexpr float kStep = 32.f;
  static constexpr Engine::i32 kFadeFrames = 32;
  Engine::i32 update() override;
};

// Six fading decoys spreading about the first target.
class Phantom : public ScriptedCast {
 public:
  static constexpr Engine::i32 kApplyFrame = 96;
  static constexpr Engine::i32 kEndFrame = 129;
  static constexpr Engine::i32 kDecoys = 6;
  static constexpr Engine::i32 kDecoyFrames = 64;
  Engine::i32 update() override;

 private:
  void launchDecoys();

  // Loads nothing: the decoys are copies of the target.
  Bank::PieceSet mSet;
  Bank::RisingParticle mMotes;
};

// Rain of 32 drops about the targets, each rippling where it lands, a blue
// glow on the ground, then the charge on the hit targets.
class HealRain : public ScriptedCast {
 public:
  static constexpr Engine::i32 kRainFrame = 32;
  static constexpr Engine::i32 kGlowFrame = 96;
  static constexpr Engine::i32 kChargeFrame = 128;
  static constexpr Engine::i32 kApplyFrame = 192;
  static constexpr Engine::i32 kEndFrame = 257;
  static constexpr Engine::i32 kDrops = 32;
  static constexpr Engine::i32 kDropSpacing = 4;
  static constexpr Engine::i32 kDropFall = 32;
  static constexpr float kSpread = 128.f;
  static constexpr float kRippleSize = 128.f;
  static constexpr float kGlowSize = 256.f;
  static constexpr Engine::i32 kGlowFrames = 128;
  HealRain();
  Engine::i32 update() override;

 private:
  void rain();

  Bank::PieceSet mSet;
  Bank::ChargeSP mCharge;
  Bank::Ripple mRipple;
  Bank::GroundEmissionBlue mGlow;
};

// One piece on the first target on 16, the glow on 64.
class Trance : public ScriptedCast {
 public:
  static constexpr Engine::i32 kApplyFrame = 64;
  static constexpr Engine::i32 kEndFrame = 97;
  Trance();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::EmissionRed mGlow;
};

// A wave at the caster's front, then 16 copies in a burst on every hit
// target.
class Imperium : public ScriptedCast {
 public:
  static constexpr Engine::i32 kApplyFrame = 64;
  static constexpr Engine::i32 kEndFrame = 81;
  static constexpr Engine::i32 kCopies = 16;
  Imperium();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::EmissionRed mGlow;
  Bank::ShockWave mWave;
};

// One piece on every hit target; no glow.
class Pentagram : public ScriptedCast {
 public:
  static constexpr Engine::i32 kApplyFrame = 96;
  static constexpr Engine::i32 kEndFrame = 129;
  Pentagram();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
};

// Four growing layers on every target.
class Enhance : public ScriptedCast {
 public:
  static constexpr Engine::i32 kApplyFrame = 64;
  static constexpr Engine::i32 kEndFrame = 97;
  static constexpr Engine::i32 kLayers = 4;
  Enhance();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::EmissionRed mGlow;
};

// Twelve pieces at the first target at once, its sound by key; ends on
// exactly frame 96.
class HighSpeedCharge : public ScriptedCast {
 public:
  static constexpr Engine::i32 kApplyFrame = 64;
  static constexpr Engine::i32 kEndFrame = 96;
  static constexpr Engine::i32 kPieces = 12;
  HighSpeedCharge();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::EmissionCyan mGlow;
};

// A ring of 24 turned copies on every target.
class Refresh : public ScriptedCast {
 public:
  static constexpr Engine::i32 kApplyFrame = 48;
  static constexpr Engine::i32 kEndFrame = 97;
  static constexpr Engine::i32 kCopies = 24;
  Refresh();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Heal mHeal;
};

// A light and a circle of 16 pieces about the first target.
class MagicalHeal : public ScriptedCast {
 public:
  static constexpr Engine::i32 kApplyFrame = 96;
  static constexpr Engine::i32 kEndFrame = 129;
  static constexpr Engine::i32 kPieces = 16;
  MagicalHeal();
  Engine::i32 update() override;

 private:
  void launchCircle();

  Bank::PieceSet mSet;
  Bank::Heal mHeal;
};

}  // namespace Game::Effect
