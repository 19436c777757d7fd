#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Graphics/IndexBuffer.h"
#include "Engine/Graphics/Texture.h"
#include "Engine/Graphics/VertexBuffer.h"
#include "Engine/Math/Matrix34.h"
#include "Engine/Math/Matrix44.h"
#include "Engine/Math/Vector2.h"
#include "Engine/Math/Vector3.h"

namespace Engine::Graphics {

// The graphics device of the program's window. A stateless handle: every
// operation goes to the one manager the framework creates at start.
class Manager {
 public:
  // The device is made on the platform's window, which must exist.
  static void create(u32 width, u32 height, bool fullScreen, bool vSync, bool antiAlias);
  static void destroy();
  static Manager instance() { return Manager(); }

  // The frame bracket: clear (black bars outside the letterboxed screen),
  // then, after the frame's drawing, present.
  void beginDraw();
  void endDraw();
  // Rebuilds the device while it is not usable (after a full-screen switch).
  void restore();
  void setFullScreen(bool fullScreen);
  bool isActive() const;

  // The logical screen: (0, 0, width, height). Null pointers are skipped.
  void getViewport(i32* x, i32* y, i32* width, i32* height) const;
  // Maps a window position p to the logical screen: (p + offset) x scale.
  // Null pointers are skipped.
  void getPointerModifier(f32* scale, Math::Vector2* offset) const;
  // Writes the frame to the image file of that name at the end of the frame.
  void captureScreen(const char* fileName);
  // The number of frames ended so far, drawn or skipped.
  u32 frameId() const;
  // From the next frame on, frames are computed but not drawn while skip
  // holds: no clear, draw or present reaches the device, while resources
  // and states still do. A screenshot asked for waits for a drawn frame.
  // For unwatched scripted runs, where drawing is most of the cost.
  void skipDrawing(bool skip);

  // Binding a handle keeps its object alive until another is bound; a null
  // handle unbinds. A draw without a texture samples opaque white.
  void setTexture(Texture texture);
  void setVertexBuffer(VertexBuffer buffer);
  void setIndexBuffer(IndexBuffer buffer);
  // primitive: 0 triangle list, 1 line list, 2 point list; count of primitives.
  void draw(u32 start, u32 count, i32 primitive);
  void drawIndexed(u32 start, u32 count, i32 primitive);

  // Render states; each reaches the device only when it changes.
  void enableDepthTest(bool enable);
  void enableDepthWrite(bool enable);
  // 0 opaque, 1 alpha, 2 additive, 3 multiply, 4 inverse multiply,
  // 5 premultiplied; others additive.
  void setBlendMode(i32 mode);
  // The on-screen winding culled: 0 none, 1 counter-clockwise, 2 clockwise.
  void setCullMode(i32 mode);
  // 0 point, 1 linear; others no filtering.
  void setTextureFilter(i32 filter);
  // 0 unlit, 1 per-vertex lighting, 2 per-pixel lighting.
  void setLightingMode(i32 mode);

  // Matrices are row-major and multiply column vectors.
  void setProjectionViewMatrix(const Math::Matrix44& matrix);
  void setWorldMatrix(const Math::Matrix34& matrix);
  // Four point lights, index 0 to 3.
  void setLightPosition(i32 index, const Math::Vector3& position);
  void setLightColor(i32 index, const Math::Vector3& color);
  void setLightIntensity(i32 index, f32 intensity);
  void setAmbientColor(const Math::Vector3& color);
  void setDiffuseColor(const Math::Vector3& color);
  void setTransparency(f32 transparency);
  void setSpecularColor(const Math::Vector3& color);
  void setSpecularSharpness(f32 sharpness);
  void setEmissionColor(const Math::Vector3& color);
  void setEyePosition(const Math::Vector3& position);
};

}  // namespace Engine::Graphics
