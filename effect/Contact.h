#pragma once

#include "effect/Cast.h"

namespace Game::Effect {

// The base of the attacks in which the caster reaches its target: moves of
// the caster that skip what needs a target when there is none, and the
// hit's usual sparks and sound.
class Contact : public Cast {
 protected:
  static constexpr Engine::i32 kSparks = 16;

  // The caster runs back to its home position in a hop of the height.
  void moveHome(float height, Engine::i32 frames);
  // The caster runs to target 0 and stops short by (both sizes) x approach
  // / 2; nothing without a target.
  void moveToFirstTarget(float height, Engine::i32 frames, float approach);
  void moveToPoint(const Engine::Math::Vector3& point, float height, Engine::i32 frames, bool face);
  // Sparks on every target and sound entry 0, when anything was hit.
  void sparkAndSoundOnHit();
  Engine::Math::Vector3 firstTargetPosition() const;
  Engine::Math::Vector3 casterPosition() const;
  const Engine::Math::Vector3& aimPoint() const;
};

}  // namespace Game::Effect
