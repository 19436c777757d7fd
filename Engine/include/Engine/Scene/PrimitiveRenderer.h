#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Graphics/Texture.h"
#include "Engine/Math/Vector2.h"
#include "Engine/Math/Vector3.h"

namespace Engine::Scene {

// Immediate-mode drawing of one frame: screen rectangles (back-buffer pixels
// from the top-left, y down; solid or textured) and clip-space lines, written
// straight into one vertex buffer and submitted by draw, one draw call per
// run of equal state, texture and primitive kind. Every frame starts from the
// default state: no texture, depth writing on, depth testing off, blend mode
// 0, cull mode 0.
//
// Primitives or state changes beyond the room given at creation are dropped
// (with one line on the debug stream per draw), never written past it.
class PrimitiveRenderer {
 public:
  class Impl;

  static PrimitiveRenderer create(i32 vertexCapacity, i32 batchCapacity);

  PrimitiveRenderer() = default;
  PrimitiveRenderer(const PrimitiveRenderer& other);
  PrimitiveRenderer& operator=(const PrimitiveRenderer& other);
  ~PrimitiveRenderer();
  void release();

  // Each applies to the primitives added after it; textures compare by identity.
  void setTexture(const Graphics::Texture& texture);
  void enableDepthWrite(bool enable);
  void enableDepthTest(bool enable);
  void setBlendMode(i32 mode);
  void setCullMode(i32 mode);

  // A rectangle from the top-left p0 to the bottom-right p1. A colour with
  // any red, green or blue shades from white (with the colour's alpha) at the
  // top edge to the colour at the bottom edge; black stays flat.
  void addRectangle(const Math::Vector2& p0, const Math::Vector2& p1, u32 color, f32 depth);
  void addRectangle(const Math::Vector2& p0, const Math::Vector2& p1, const Math::Vector2& uv0,
                    const Math::Vector2& uv1, u32 color, f32 depth);
  // A line in clip space (x and y from -1 to 1), one colour per end.
  void addLine(const Math::Vector3& p0, const Math::Vector3& p1, u32 color0, u32 color1);

  // Submits everything added since the last draw and returns to the defaults.
  void draw();

  explicit operator bool() const { return mImpl != nullptr; }

 private:
  explicit PrimitiveRenderer(Impl* impl) : mImpl(impl) {}
  Impl* mImpl = nullptr;
};

}  // namespace Engine::Scene
