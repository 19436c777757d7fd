#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "effect/bank/Piece.h"

namespace Game {

class SceneNode;
class SceneNodePool;

namespace Effect::Bank {

// Spikes of ice of model 0 stretched to a height; the field uses it too.
class Icicle {
 public:
  Icicle();
  SceneNode* launch(SceneNodePool& pool, const Engine::Math::Vector3& p, float height) const;
  // n spikes at random within the radius, shorter toward its edge (half
  // height there), two frames apart after the delay.
  void field(SceneNodePool& pool, const Engine::Math::Vector3& centre, float height, float radius, Engine::i32 n,
             float delay = 0.f) const;

 private:
  PieceSet mSet;
};

}  // namespace Effect::Bank
}  // namespace Game
