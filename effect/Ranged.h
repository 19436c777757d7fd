#pragma once

#include "effect/ScriptedCast.h"

namespace Game::Effect {

// The base of the attacks that travel from the caster to the targets:
// shots, missiles, beams and waves. Places read at target 0 fall back to
// the aim point without targets (getFirstTargetPosition); what needs
// target 0 as a unit is skipped then.
class Ranged : public ScriptedCast {
 protected:
  static constexpr Engine::i32 kSparks = 16;

  Engine::Math::Vector3 casterPosition() const;
  Engine::Math::Vector3 firstTargetPosition() const;
  Engine::Math::Vector3 targetCentre() const;
  const Engine::Math::Vector3& aimPoint() const;

  // A node of the model (none: a bare carrier) at the caster's position.
  SceneNode* launchFromCaster(Model* model);
  // The same aimed at the point and moving onto it in the frames.
  SceneNode* shootAt(Model* model, const Engine::Math::Vector3& point, Engine::i32 frames);
  // A still copy of the model left where the node is every interval-th
  // update, from the delay on.
  void addTrail(SceneNode* node, Model* model, Engine::i32 interval, Engine::i32 delay = 0);
  // A node of the model kept between the caster and target 0 while it
  // lasts; none without a target.
  void holdLineOnFirstTarget(Model* model);
  // The caster runs back to its home position in a hop of the height.
  void moveHome(float height, Engine::i32 frames);
};

}  // namespace Game::Effect
