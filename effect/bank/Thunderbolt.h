#pragma once

#include "Engine/Math/Vector3.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Piece.h"
#include "effect/bank/Waves.h"

namespace Game {

class SceneNodePool;

namespace Effect::Bank {

// A strike of lightning: twelve bolts of model 0 reaching up from about the
// point, a shock wave, a jet of electric sparks and a white light.
class Thunderbolt {
 public:
  static constexpr Engine::i32 kBolts = 12;

  Thunderbolt();
  void launch(SceneNodePool& pool, const Engine::Math::Vector3& p) const;

 private:
  ShockWave mShockWave;
  ElectroParticle mSparks;
  PieceSet mSet;
};

}  // namespace Effect::Bank
}  // namespace Game
