#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"

namespace Game {

class SceneNodePool;
class Unit;

namespace Effect {

class Stage;

namespace Bank {

// Flames and dust from the battle's common animation lists ("炎", "土煙").
// It holds nothing: every node it launches lives on by itself in its pool.
// A list without a "main" model launches nothing and says so on the debug
// stream.
class Emitter {
 public:
  static constexpr Engine::i32 kFlameNodes = 6;
  // Frames between the flames of one burst.
  static constexpr Engine::i32 kFlameDelayStep = 2;
  // How far a flame may stray from the point.
  static constexpr float kFlameSpread = 16.f;
  static constexpr float kDustScale = 0.25f;
  // Wing rows and the frames between them.
  static constexpr Engine::i32 kWingRows = 8;
  static constexpr Engine::i32 kWingRowDelay = 4;
  // Flame bursts along one row of one wing.
  static constexpr Engine::i32 kWingBurstsPerRow = 3;

  // Six flames about p (each up to 16 off it, flat), the i-th shown after
  // delay + 2·i frames.
  void flameBurst(SceneNodePool& pool, const Engine::Math::Vector3& p, Engine::i32 delay) const;
  // A flat ring of size/16 + 16 dust puffs (whole part) of diameter size,
  // each at a quarter scale. A size without a finite count launches nothing;
  // a ring never takes more nodes than the pool holds.
  void dustRing(SceneNodePool& pool, const Engine::Math::Vector3& centre, float size) const;
  // dustRing at the unit's feet with its size, in its battle's pool.
  void dustRingAtFront(const Unit& unit) const;
  // Two wings of flame rising from the unit's back, row by row, in the
  // unit's pool; then the battle's sound "リヴァイヴァ" starts.
  void reviveWings(Stage& stage, const Unit& unit) const;
};

}  // namespace Bank
}  // namespace Effect
}  // namespace Game
