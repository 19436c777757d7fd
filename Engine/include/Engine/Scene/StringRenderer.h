#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Scene/Font.h"

namespace Engine::Scene {

// Collects the text of one frame and draws it in one go: every request is
// laid out into glyph rectangles (back-buffer pixels from the top-left), the
// glyphs are sorted by depth, larger first, then by texture, and drawn
// through one primitive renderer with alpha blending and no depth test.
// Texts are Shift-JIS bytes; a character the font lacks shows as a box of
// the line height in the request's colour. Coloured text shades from white
// at the top of each glyph to its colour at the bottom.
//
// Requests beyond requestCapacity, and characters beyond charCapacity in one
// draw, are dropped (with one line on the debug stream per draw).
class StringRenderer {
 public:
  class Impl;

  static StringRenderer create(i32 charCapacity, i32 requestCapacity);

  StringRenderer() = default;
  StringRenderer(const StringRenderer& other);
  StringRenderer& operator=(const StringRenderer& other);
  ~StringRenderer();
  void release();

  // The font of the requests that follow; each request keeps its own.
  void setFont(const Font& font);
  // Queues a text at (x, y). Without wrap a line ends at the first character
  // that would start past the right edge of the screen; with wrap that
  // character starts the next line at x. Halts when no font has been set.
  void add(i32 x, i32 y, const char* text, u32 color, bool wrap, f32 depth);
  // Lays out, sorts and draws every queued request, then forgets them.
  void draw();

  explicit operator bool() const { return mImpl != nullptr; }

 private:
  explicit StringRenderer(Impl* impl) : mImpl(impl) {}
  Impl* mImpl = nullptr;
};

}  // namespace Engine::Scene
