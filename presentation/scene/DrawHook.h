#pragma once

#include "Engine/Math/Matrix34.h"
#include "Engine/Math/Vector3.h"

namespace Game {

class Batch;
class RenderState;
class Texture;

// What mesh draws are queued to and what models see the camera through. The
// scene renderer serves by default; a test installs its own to watch the
// draws of models without pixels.
class DrawHook {
 public:
  virtual ~DrawHook() = default;

  // One draw of the batch's buffers with a finished state (material, mirrors
  // and billboard applied); texture may be null.
  virtual void queue(const Batch& batch, const Texture* texture, const RenderState& state) = 0;
  // A world point on the centred 800x600 virtual screen, depth x 512.
  virtual Engine::Math::Vector3 project(const Engine::Math::Vector3& worldPoint) const = 0;
  // The camera's distance is 30000 / this.
  virtual float inverseDistance() const = 0;
  // The camera-facing rotation billboard states turn by.
  virtual const Engine::Math::Matrix34& billboardMatrix() const = 0;

  // The installed hook, else the renderer's; null when there is neither.
  static DrawHook* current();
  // Null gives the renderer back its draws.
  static void install(DrawHook* hook);
};

}  // namespace Game
