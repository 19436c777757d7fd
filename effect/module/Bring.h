#pragma once

#include "Engine/Math/Vector3.h"
#include "effect/Module.h"
#include "effect/module/TrackedNode.h"

namespace Game::Effect::Module {

// A node carried from where it is to an end point (or a node it follows) in
// F + 1 updates, along a line or, with the curve flag, a quadratic Bézier
// through the control point, raised in a hop peaking at height half way.
// With the aim flag it turns along the Bézier's tangent.
class Bring : public Module {
 public:
  // Frames below 1 count as 1.
  Bring(SceneNode* node, Engine::i32 frames, SceneNode* target, float height);
  Bring(SceneNode* node, Engine::i32 frames, const Engine::Math::Vector3& end, float height);

  Engine::i32 update() override;

  bool mCurve = false;
  bool mAim = false;
  Engine::Math::Vector3 mControl{0.f, 0.f, 0.f};

 private:
  TrackedNode mNode;
  Engine::i32 mFrames;
  TrackedNode mTarget;
  float mHeight;
  Engine::i32 mCounter = 0;
  Engine::Math::Vector3 mStart{0.f, 0.f, 0.f};
  Engine::Math::Vector3 mEnd{0.f, 0.f, 0.f};
};

}  // namespace Game::Effect::Module
