#include "Canvas.h"

namespace {

using Engine::u32;

u32 mix(u32 a, u32 b, float t) {
  u32 out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const float from = static_cast<float>((a >> shift) & 0xFFu);
    const float to = static_cast<float>((b >> shift) & 0xFFu);
    out |= static_cast<u32>(from + (to - from) * t + 0.5f) << shift;
  }
  return out;
}

float along(int step, int steps) { return steps > 1 ? static_cast<float>(step) / static_cast<float>(steps - 1) : 0.f; }

// A small integer hash: the same pixels on every machine, unlike rand().
u32 scramble(u32 x, u32 y, u32 seed) {
  u32 h = x * 0x9E3779B1u ^ (y + 0x7F4A7C15u) * 0x85EBCA77u ^ seed * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  return h;
}

}  // namespace

void Canvas::fill(const Rect& r, u32 colour) {
  for (int y = r.y; y < r.y + r.height; ++y) {
    for (int x = r.x; x < r.x + r.width; ++x) {
      put(x, y, colour);
    }
  }
}

void Canvas::outline(const Rect& r, int thickness, u32 colour) {
  fill({r.x, r.y, r.width, thickness}, colour);
  fill({r.x, r.y + r.height - thickness, r.width, thickness}, colour);
  fill({r.x, r.y, thickness, r.height}, colour);
  fill({r.x + r.width - thickness, r.y, thickness, r.height}, colour);
}

void Canvas::verticalGradient(const Rect& r, u32 top, u32 bottom) {
  for (int row = 0; row < r.height; ++row) {
    fill({r.x, r.y + row, r.width, 1}, mix(top, bottom, along(row, r.height)));
  }
}

void Canvas::speckle(const Rect& r, int percent, u32 seed, u32 colour) {
  for (int y = r.y; y < r.y + r.height; ++y) {
    for (int x = r.x; x < r.x + r.width; ++x) {
      if (static_cast<int>(scramble(static_cast<u32>(x), static_cast<u32>(y), seed) % 100u) < percent) {
        put(x, y, colour);
      }
    }
  }
}

void Canvas::text(int centre, int top, int scale, u32 topColour, u32 bottomColour, const std::string& line,
                  const BitmapFont& font) {
  int x = centre - static_cast<int>(line.size()) * BitmapFont::kWidth * scale / 2;
  for (const char c : line) {
    if (const BitmapFont::Glyph* glyph = font.glyph(static_cast<unsigned char>(c))) {
      for (int row = 0; row < BitmapFont::kHeight; ++row) {
        const u32 colour = mix(topColour, bottomColour, along(row, BitmapFont::kHeight));
        for (int column = 0; column < BitmapFont::kWidth; ++column) {
          if ((*glyph)[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]) {
            fill({x + column * scale, top + row * scale, scale, scale}, colour);
          }
        }
      }
    }
    x += BitmapFont::kWidth * scale;
  }
}

void Canvas::put(int x, int y, u32 colour) {
  if (x >= 0 && y >= 0 && x < mImage.width && y < mImage.height) {
    mImage.row(y)[x] = colour;
  }
}
