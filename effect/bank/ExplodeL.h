#pragma once

#include "Engine/Math/Vector3.h"
#include "core/sound/SoundEffectList.h"
#include "effect/bank/Piece.h"

namespace Game {

class SceneNodePool;
class Unit;

namespace Effect::Bank {

// The large explosion: sparks of "fire" flying out along the ground, four
// rings of "ring" stacked and slowing, an orange light and its own sound.
class ExplodeL {
 public:
  static constexpr Engine::i32 kSparks = 96;
  static constexpr Engine::i32 kRings = 4;

  ExplodeL();
  void launch(SceneNodePool& pool, const Engine::Math::Vector3& p);
  // At the unit's front point raised by 32.
  void launchAtFront(const Unit& unit);

 private:
  void launchSparks(SceneNodePool& pool, const Engine::Math::Vector3& p) const;
  void launchRings(SceneNodePool& pool, const Engine::Math::Vector3& p) const;

  PieceSet mSet;
  SoundEffectList mSounds;
};

}  // namespace Effect::Bank
}  // namespace Game
