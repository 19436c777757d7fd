#pragma once

#include <string>

#include "BitmapFont.h"
#include "Engine/Graphics/ImageFile.h"

// x y width height in pixels from the top-left corner.
struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The picture being drawn; everything is clipped to it.
class Canvas {
 public:
  using u32 = Engine::u32;

  void resize(int width, int height) { mImage = Engine::Graphics::Image(width, height); }
  bool empty() const { return mImage.width == 0; }
  const Engine::Graphics::Image& image() const { return mImage; }

  void fill(const Rect& r, u32 colour);
  void outline(const Rect& r, int thickness, u32 colour);
  void verticalGradient(const Rect& r, u32 top, u32 bottom);
  // About percent in a hundred of the rect's pixels, the same ones for the
  // same seed on every run.
  void speckle(const Rect& r, int percent, u32 seed, u32 colour);
  // A line centred on x = centre, each glyph dot scale x scale pixels, shaded
  // from top to bottom by glyph row; characters the font lacks stay blank.
  void text(int centre, int top, int scale, u32 topColour, u32 bottomColour, const std::string& line,
           const BitmapFont& font);
  void put(int x, int y, u32 colour);

 private:
  Engine::Graphics::Image mImage;
};
