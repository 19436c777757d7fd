#pragma once

#include "Engine/Math/Vector3.h"
#include "effect/ScriptedCast.h"

namespace Game {

class Model;
class SceneNode;

namespace Effect {

// The base of the attacks that strike a place or work on the targets where
// they stand: nodes laid about the field's origin, the caster or target 0,
// with target 0's places falling back to the aim point when there is none.
class AreaCast : public ScriptedCast {
 protected:
  static constexpr float kPitch = 30.f;
  static constexpr float kYaw = 30.f;
  static constexpr Engine::i32 kSparks = 16;
  // The field's centre, where the scripts lay nodes about.
  static inline const Engine::Math::Vector3 kOrigin{0.f, 0.f, 0.f};

  // Counters and indices feed the scripts' float arithmetic.
  static float asFloat(Engine::i32 i) { return static_cast<float>(i); }

  // A node of the model at p, hidden for delay frames.
  SceneNode* place(Model* model, const Engine::Math::Vector3& p, float delay = 0.f);
  // The nodes face the side the action aims at: its target side × 180
  // degrees about z.
  float sideYaw() const;
  const Engine::Math::Vector3& aimPoint() const;
  Engine::Math::Vector3 casterPosition() const;
  Engine::Math::Vector3 casterFront() const;
  // Target 0's position; the aim point without targets.
  Engine::Math::Vector3 firstTargetPosition() const;
  // A point light at target 0's position (the aim point without one).
  void lightFirstTarget(float intensity, Engine::i32 frames, Engine::u32 argb);
  // A node of the model on target 0 (Unit::createNode); null without one.
  SceneNode* createOnFirstTarget(Model* model);

  // A random point of the box ±x, ±y, ±z.
  static Engine::Math::Vector3 inBox(float x, float y, float z);
  // A random horizontal vector of length up to the given one.
  static Engine::Math::Vector3 flat(float length);
};

}  // namespace Effect
}  // namespace Game
