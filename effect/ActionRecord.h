#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "records/stats/AmountSpec.h"

namespace Game {

class Ability;
class Animation;
class Model;
class Unit;

namespace Effect {

class Stage;

// What an effect reads of the action it shows, and the one thing it does to
// it: showing the results at the hit frame. The battle's action implements
// it.
class ActionRecord {
 public:
  // What a target's result is.
  enum ResultKind : Engine::i32 { kMiss = 0, kDamage = 1, kRecovery = 2 };

  virtual ~ActionRecord() = default;

  // The battle the actor fights in.
  virtual Stage& stage() const = 0;
  virtual Unit& actor() const = 0;
  virtual const Ability& ability() const = 0;
  // The targets in list order and each one's result kind.
  virtual Engine::i32 targetCount() const = 0;
  virtual Unit& target(Engine::i32 i) const = 0;
  virtual ResultKind resultKind(Engine::i32 i) const = 0;
  // The world position of the targeted cell.
  virtual const Engine::Math::Vector3& aimPoint() const = 0;
  virtual Place targetCell() const = 0;
  // The field position of the targeted cell (where a Move "to a cell" goes).
  virtual void targetCellPosition(Engine::Math::Vector3& out) const = 0;
  // The caption shown on the effect's first frame; null when there is none.
  virtual const char* caption() const = 0;
  // Numbers, misses, recoveries and states, then the targets' reactions.
  virtual void showResults() = 0;

  bool isHit(Engine::i32 i) const { return resultKind(i) != kMiss; }
};

// For every target that was hit, a node of the model on it (Unit::createNode)
// whose time starts at -(delay + distance(origin, target) / divisor), the
// distance term only when divisor > 0.
void spawnOnHitTargets(const ActionRecord& action, Model* model, float delay = 0.f,
                       const Engine::Math::Vector3* origin = nullptr, float divisor = 0.f);
// The animation laid over the node of every target that was hit, after the
// delay and, when divisor > 0, distance(origin, target) / divisor frames more.
void overlayOnHitTargets(const ActionRecord& action, const Animation& animation, float delay = 0.f,
                         const Engine::Math::Vector3* origin = nullptr, float divisor = 0.f);

}  // namespace Effect
}  // namespace Game
