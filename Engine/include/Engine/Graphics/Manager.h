#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Graphics/IndexBuffer.h"
#include "Engine/Graphics/VertexBuffer.h"

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
  void getPointerModifier(f32* scale, f32* offsetX, f32* offsetY) const;
  // Writes the frame to the image file of that name at the end of the frame.
  void captureScreen(const char* fileName);
  // The number of presents so far.
  u32 frameId() const;

  // Binding a handle keeps its buffer alive until another is bound.
  void setVertexBuffer(VertexBuffer buffer);
  void setIndexBuffer(IndexBuffer buffer);
  // primitive: 0 triangle list, 1 line list, 2 point list; count of primitives.
  void draw(u32 start, u32 count, i32 primitive);
  void drawIndexed(u32 start, u32 count, i32 primitive);
};

}  // namespace Engine::Graphics
