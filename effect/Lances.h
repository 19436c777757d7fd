#pragma once

#include "effect/NamedSpecial.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Beat.h"
#include "effect/bank/Hits.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Piece.h"
#include "effect/bank/Waves.h"

namespace Game::Effect {

// Named special attacks that throw lances, chains, darts and cries at the
// targets, and the helpers the lances, prism beams and flames share.

// A node remembered with its id, so that a node reused by the pool after
// this one ended is never taken for it.
class KeptNode {
 public:
  void keep(SceneNode* node);
  SceneNode* get() const;

 private:
  SceneNode* mNode = nullptr;
  Engine::u32 mId = 0;
};

// Two familiars fly out beside the targets, spin, and cross over them.
class TwinRingWhirl : public NamedSpecial {
 public:
  TwinRingWhirl();
  Engine::i32 update() override;

 private:
  void sendOut();
  void crossOver();

  Bank::PieceSet mSet;
  Bank::SlashHit mSlash;
  KeptNode mFamiliars[2];
};

// Sixteen eyes open about the first target, then a curse bursts there.
class ForeseeingFiend : public NamedSpecial {
 public:
  ForeseeingFiend();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Curse mCurse;
  Bank::Shake mShake;
  Bank::MagicExplode mExplode;
};

// Sights scatter about the first target and darts fly to them; ends
// exactly on its end frame.
class LuringBaitStrike : public NamedSpecial {
 public:
  static constexpr Engine::i32 kEnd = 114;
  LuringBaitStrike();
  Engine::i32 update() override;

 private:
  void scatter();

  Bank::PieceSet mSet;
  Bank::Shake mShake;
  Bank::Beat2 mBeat;
};

// A horde of little dolls marches from the caster to every target and
// scatters; the targets burst under them.
class MarchingHordeRush : public NamedSpecial {
 public:
  MarchingHordeRush() = default;
  Engine::i32 update() override;

 private:
  void march();

  Bank::EmissionPair mEmission;
  Bank::ExplodeS mExplode;
};

// Fangs close on the first target where it stands.
class AgelessDuskFangs : public NamedSpecial {
 public:
  AgelessDuskFangs();
  Engine::i32 update() override;

 private:
  Bank::EmissionRed mEmission;
  Bank::PieceSet mSet;
};

// The attacks that step to the centre line and turn their piece to the
// side of the targeted cell.
class CentreLineSpecial : public NamedSpecial {
 protected:
  // The targeted cell's side, 0 or 1.
  float targetSide() const;
  Module::Module* moveToCentreLine(float height, Engine::i32 frames);
};

// The caster steps to the centre line and throws a lance across the field;
// rings and a jet burst about it as the throw lands.
class CrimsonLanceThrow : public CentreLineSpecial {
 public:
  static constexpr Engine::i32 kReady = 64;
  static constexpr Engine::i32 kLand = 160;
  CrimsonLanceThrow();
  Engine::i32 update() override;

 private:
  void ready();
  void land();

  Bank::PieceSet mSet;
  Bank::RingParticle mRings;
  Bank::RingA mRing;
  Bank::EmissionRed mEmission;
  Bank::Particle mJet;
  Bank::ShockWaveL mShock;
};

// Five chains shoot in about the first target and bind it, the screen
// flickering as they pull.
class BindingChainLash : public NamedSpecial {
 public:
  static constexpr Engine::i32 kChains = 5;
  static constexpr Engine::i32 kLinks = 14;
  BindingChainLash();
  Engine::i32 update() override;

 private:
  void shootChain(Engine::i32 c, const Engine::Math::Vector3& target);

  Bank::PieceSet mSet;
  Bank::Shake mShake;
};

// The caster charges a cry and sends it at the first target as a stream
// of waves.
class WailingPulse : public NamedSpecial {
 public:
  WailingPulse();
  Engine::i32 update() override;

 private:
  void charge();
  void send();

  Bank::PieceSet mSet;
  Bank::SlashHit mSlash;
};

}  // namespace Game::Effect
