#pragma once

#include "effect/Module.h"
#include "effect/module/TrackedNode.h"
#include "presentation/model/Animation.h"

namespace Game::Effect::Module {

// Frozen copies of a node every interval-th update for frames + 1 updates:
// each copy keeps the pose, place, turn and size the node had, lives for
// the lifetime and fades by the animation laid over it. It never holds the
// effect.
class Afterimage : public Module {
 public:
  // An interval below 1 is taken as 1.
  Afterimage(SceneNode* node, Engine::i32 frames, Engine::i32 interval, Engine::i32 lifetime,
             const Animation& animation);

  Engine::i32 update() override;

 private:
  void leaveCopy(SceneNode& node) const;

  Engine::i32 mCounter = 0;
  TrackedNode mNode;
  Engine::i32 mInterval;
  Engine::i32 mLifetime;
  Animation mAnimation;
  Engine::i32 mFrames;
};

}  // namespace Game::Effect::Module
