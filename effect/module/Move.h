#pragma once

#include "Engine/Math/Vector3.h"
#include "effect/Module.h"

namespace Game {

class Unit;

namespace Effect {

class ActionRecord;

namespace Module {

// A unit's feet carried from where they are on the first update to a
// destination in F updates, in a straight line or in a hop peaking at
// height half way; on the ground it raises a dust puff every second update.
class Move : public Module {
 public:
  // To the action's targeted cell, on the line between the sides (x = 0).
  Move(Unit& unit, const ActionRecord& action, float height, Engine::i32 frames);
  // Back to the unit's own cell.
  Move(Unit& unit, float height, Engine::i32 frames);
  // To a unit, followed every update and facing it: its feet moved back
  // toward the start by (both sizes) · approach / 2.
  Move(Unit& unit, Unit& target, float height, Engine::i32 frames, float approach);
  // To a point, facing it when asked.
  Move(Unit& unit, const Engine::Math::Vector3& point, float height, Engine::i32 frames, bool face);

  Engine::i32 update() override;

  // The unit this move carries back to its own cell; null for other moves.
  const Unit* sentHome() const { return mHome ? &mUnit : nullptr; }

 private:
  // The target's feet moved toward the start; the feet alone when the start
  // is on them (no way to step back along).
  void followTarget();
  void raiseDust(const Engine::Math::Vector3& at) const;

  Unit& mUnit;
  Unit* mTarget = nullptr;
  float mApproach = 0.f;
  Engine::Math::Vector3 mDestination{0.f, 0.f, 0.f};
  Engine::Math::Vector3 mStart{0.f, 0.f, 0.f};
  Engine::i32 mCounter = 0;
  Engine::i32 mFrames;
  float mHeight;
  bool mFace = false;
  bool mHome = false;
};

}  // namespace Module
}  // namespace Effect
}  // namespace Game
