#pragma once

#include "effect/Area.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Auras.h"
#include "effect/bank/Holder.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Piece.h"

namespace Game::Effect {

// Stares and the overdrive: looks that close on target 0 and what they leave
// on the targets they hit.

// 128 motes of its holder's file closing on target 0, then its finishing
// look; the targets blink and grow dizzy.
class Eye : public AreaCast {
 public:
  // The file the holder reads; the factory chooses it by name.
  explicit Eye(const char* holderFile);
  Engine::i32 update() override;

 private:
  Bank::Holder mHolder;
  Bank::Pakapaka mBlink;
  Bank::Dizzy mDizzy;
};

// The common stare: the look above target 0 on 48, what it does to the hit
// targets on 88, the results on 104.
class Stare : public AreaCast {
 public:
  static constexpr Engine::i32 kHitFrame = 88;
  static constexpr Engine::i32 kApplyFrame = 104;
  static constexpr Engine::i32 kEndFrame = 121;
  Engine::i32 update() override;

 protected:
  explicit Stare(const char* setFile);
  // Only when any target was hit.
  virtual void strike() = 0;

 private:
  Bank::PieceSet mSet;
};

// A white flash, a cyan glow and frost.
class IceEye : public Stare {
 public:
  IceEye();

 protected:
  void strike() override;

 private:
  Bank::Cold mCold;
  Bank::EmissionCyan mGlow;
};

// A curse, a splash of motes and a shake.
class EvilEye : public Stare {
 public:
  EvilEye();

 protected:
  void strike() override;

 private:
  Bank::Particle mParticle;
  Bank::Curse mCurse;
  Bank::Shake mShake;
};

// A red glow and a splash of motes.
class Gaze : public Stare {
 public:
  Gaze();

 protected:
  void strike() override;

 private:
  Bank::Particle mParticle;
  Bank::EmissionRed mGlow;
};

// The caster charges, then 16 rings run from its feet through target 0's
// and on, each with its sound; the hit target shakes and grows dizzy.
class OverDrive : public AreaCast {
 public:
  static constexpr Engine::i32 kRings = 16;
  static constexpr float kRingsToTarget = 12.f;
  static constexpr float kRun = 48.f;
  OverDrive();
  Engine::i32 update() override;

 private:
  void run();

  Bank::PieceSet mSet;
  Bank::Dizzy mDizzy;
  Bank::ChargeAura mAura;
  Bank::Shake mShake;
};

}  // namespace Game::Effect
