#pragma once

#include "effect/Ranged.h"
#include "effect/TimedNodeList.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Auras.h"
#include "effect/bank/Explode.h"
#include "effect/bank/ExplodeL.h"
#include "effect/bank/Hits.h"
#include "effect/bank/Piece.h"
#include "effect/bank/Rays.h"
#include "effect/bank/Waves.h"
#include "effect/module/TrackedNode.h"

namespace Game::Effect {

// Missiles, bombs and fire thrown at the targets.

// A volley of 31 missiles fired two frames apart, each bursting where it
// is 90 frames after it left.
class MicroMissile : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 160;
  static constexpr Engine::i32 kEndFrame = 181;
  static constexpr Engine::i32 kFirstFireFrame = 17;
  static constexpr Engine::i32 kLastFireFrame = 79;
  static constexpr Engine::i32 kFlightFrames = 90;
  // Sounds only on frames that are multiples of this.
  static constexpr Engine::i32 kSoundStep = 8;
  MicroMissile();
  Engine::i32 update() override;

 private:
  void fire();
  void burstLanded();

  Bank::PieceSet mSet;
  TimedNodeList mMissiles;
  Bank::ExplodeRed mBurst;
  Bank::EmissionPair mEmission;
};

// A bomb lobbed on the aimed cell, glowing, then the big blast.
class Bomb : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 96;
  static constexpr Engine::i32 kEndFrame = 129;
  Bomb();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::ExplodeL mBlast;
  Bank::Glow mGlow;
  Bank::EmissionPair mEmission;
  Module::TrackedNode mBomb;
};

// A bomb over the field, a white flash, a growing cloud and a long shudder
// of the screen; the caster falls down.
class NuclearBomb : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 280;
  static constexpr Engine::i32 kEndFrame = 313;
  static constexpr Engine::i32 kClouds = 15;
  NuclearBomb();
  Engine::i32 update() override;

 private:
  void raiseCloud();

  Bank::PieceSet mSet;
  Bank::Cinders mCinders;
  Bank::Glow mGlow;
};

// A bolt speeding up into target 0, bursting in eight blasts there.
class MagicMissile : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 64;
  static constexpr Engine::i32 kEndFrame = 97;
  MagicMissile();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::MagicExplode mBlast;
  Bank::Flash mFlash;
};

// A fireball arcing high onto the aimed cell with a trail, scattering
// blasts over it.
class MagicNapalm : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 128;
  static constexpr Engine::i32 kEndFrame = 145;
  static constexpr Engine::i32 kFlightFrames = 64;
  MagicNapalm();
  Engine::i32 update() override;

 private:
  void launchFireball();

  Bank::PieceSet mSet;
  Bank::MagicExplode mBlast;
  Bank::Flash mFlash;
  Bank::ExplodeEmerald mScatter;
};

// A star falling from high above onto the aimed cell, the camera riding
// it down past speed lines.
class StarStrike : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 96;
  static constexpr Engine::i32 kEndFrame = 129;
  StarStrike();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::SpeedLines mLines;
  Bank::ShockWave mWave;
  Bank::GroundHeat mHeat;
};

// A stream of flames, one a frame, spread over the aimed cell.
class Flamethrower : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 96;
  static constexpr Engine::i32 kEndFrame = 129;
  Flamethrower();
  Engine::i32 update() override;

 private:
  void throwFlame();

  Bank::PieceSet mSet;
  Bank::EmissionPair mEmission;
};

}  // namespace Game::Effect
