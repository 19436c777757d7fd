#pragma once

#include "effect/Contact.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Auras.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Piece.h"
#include "presentation/resource/ResourceSet.h"

namespace Game::Effect {

// A charged sword stroke thrown as an unseen spinning blade that leaves a
// trail of particles on its way to target 0.
class BladeSpray : public Contact {
 public:
  static constexpr Engine::i32 kThrowFrame = 80;
  static constexpr Engine::i32 kFlight = 64;
  static constexpr Engine::i32 kBladeLifetime = 96;
  static constexpr float kSpin = -15.f;
  static constexpr Engine::i32 kTrailInterval = 4;
  // The trail's model: the particle piece's first.
  static constexpr const char* kTrailFile = "src/picture/animation/bank/粒子.txt";

  BladeSpray();
  Engine::i32 update() override;

 private:
  void throwBlade();

  Bank::ChargeAura mAura;
  Bank::Particle mParticle;
  Bank::PieceSet mTrail;
};

// A sword of light drawn, a run at the target and a glowing cut.
class BeamSword : public Contact {
 public:
  static constexpr const char* kSetFile = "src/picture/animation/ビームソード.txt";

  BeamSword();
  Engine::i32 update() override;

 private:
  void drawSword();

  ResourceSet mSet;
  Bank::Particle mParticle;
  Bank::EmissionPair mEmission;
  Bank::Glow mGlow;
};

}  // namespace Game::Effect
