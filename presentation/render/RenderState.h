#pragma once

#include <array>

#include "Engine/Base/Types.h"
#include "Engine/Math/Matrix33.h"
#include "Engine/Math/Matrix34.h"
#include "Engine/Math/Vector3.h"
#include "presentation/render/ColorSet.h"
#include "presentation/render/DrawFlags.h"

namespace Game {

struct Transform;

// Everything a mesh draw needs besides its geometry. States combine down the
// hierarchy (scene node → model → material → animation → batch), each level
// refining its parent's; a draw finalises its own copy.
class RenderState {
 public:
  static constexpr Engine::u32 kInheritBlend = 6;  // drawn as 0
  static constexpr Engine::u32 kInheritCull = 3;   // drawn as 2
  static constexpr Engine::i32 kWholeMesh = -1;

  RenderState() { reset(); }
  void reset();

  // 0 and 6 test and write depth; 1..5 test only. Other values are stored
  // (and drawn as the device's fallback) without touching depth.
  void setBlendMode(Engine::u32 mode);
  // Data's form: −1 inherits, 0..5 as setBlendMode, anything else is ignored.
  void setBlendModeFromKey(Engine::i32 value);
  // Which side is culled: both (inherit), only a (1), only b (2), none (0).
  void setCull(bool a, bool b);

  // Replaces the transform (a billboard state's billboard transform).
  void setTransform(const Transform& t);
  // Post-multiplies the transform (a billboard state's billboard transform).
  void applyTransform(const Transform& t);
  void translate(float x, float y, float z);
  void translate(const Engine::Math::Vector3& v) { translate(v.x, v.y, v.z); }
  // Alpha into transparency, red, green and blue into ambient.
  void setColorPacked(Engine::u32 argb);

  // This state refined by a child's.
  void combine(const RenderState& child);
  static RenderState combined(const RenderState& parent, const RenderState& child);

  // Finalising before a draw: the pending mirrors, then, for billboards, the
  // turn toward the camera by the renderer's billboard matrix (left out for
  // front-end states).
  void applyReverse();
  void applyBillboard(const Engine::Math::Matrix34& billboardMatrix);
  // Cull, blend, depth, colours, lights and lighting mode to the graphics
  // device. lightIntensities are the renderer's four device lights; a light
  // the flags leave out gets 0. usePixelShader picks per-pixel lighting for
  // lit draws.
  void applyToDevice(const std::array<float, DrawFlags::kLightCount>& lightIntensities,
                     bool usePixelShader) const;
  // The same with the player's "pixelShader" setting.
  void applyToDevice(const std::array<float, DrawFlags::kLightCount>& lightIntensities) const;

  // The modes the device gets.
  Engine::i32 deviceCullMode() const;
  Engine::i32 deviceBlendMode() const;
  // 0 unlit; lit draws 2 with the pixel shader, else 1.
  Engine::i32 deviceLightingMode(bool usePixelShader) const;

  Engine::u32 blendMode;
  bool depthTest;
  bool depthWrite;
  bool inverted;
  Engine::u32 cull;
  DrawFlags lightFlags;
  bool background;
  bool frontEnd;
  bool billboard;
  bool negative;
  Engine::u32 firstIndex;
  Engine::i32 primitiveCount;
  bool reverse[3];  // pending mirrors of x, y, z
  Engine::Math::Matrix34 transform;
  Engine::Math::Matrix33 normalTransform;
  Engine::Math::Matrix34 billboardTransform;
  ColorSet colors;

 private:
  // Mirrors the transform on each axis whose flag is set, toggling inverted.
  void mirror(const bool (&axes)[3]);
};

}  // namespace Game
