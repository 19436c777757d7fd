#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"

namespace Game {

class SceneNode;

namespace Effect {

// The cast phase's camera record, which effects write: each frame the phase
// turns the scene camera to the followed node's world position (the focus
// point when none is followed) and hands it the zoom factor.
struct CastCamera {
  // Follows the node, kept by its id: a slot given to another node is not
  // followed.
  void follow(SceneNode* node);
  // The followed node while it is still the one taken.
  SceneNode* followed() const;
  // Where the camera looks: the followed node's world position, else the
  // focus point.
  Engine::Math::Vector3 target() const;

  Engine::Math::Vector3 focus{0.f, 0.f, 32.f};
  SceneNode* node = nullptr;
  Engine::u32 nodeId = 0;
  float zoom = 1.f;
};

}  // namespace Effect
}  // namespace Game
