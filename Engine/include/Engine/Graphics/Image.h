#pragma once

#include <cstddef>
#include <vector>

#include "Engine/Base/Types.h"

namespace Engine::Graphics {

// Pixels everywhere in the graphics module are one u32 each: blue in bits
// 0-7, green 8-15, red 16-23, alpha 24-31 (bytes B, G, R, A in memory).
constexpr u32 packPixel(u32 blue, u32 green, u32 red, u32 alpha) {
  return blue | (green << 8) | (red << 16) | (alpha << 24);
}

// A picture in memory, rows top to bottom, each `width` pixels long.
struct Image {
  i32 width = 0;
  i32 height = 0;
  std::vector<u32> pixels;

  Image() = default;
  Image(i32 imageWidth, i32 imageHeight)
      : width(imageWidth), height(imageHeight), pixels(static_cast<std::size_t>(imageWidth) * static_cast<std::size_t>(imageHeight)) {}

  u32* row(i32 y) { return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width); }
  const u32* row(i32 y) const { return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width); }
  u32 at(i32 x, i32 y) const { return row(y)[x]; }
};

// 32-bit pixels whose rows lie `pitch` bytes apart, as a locked texture
// level or surface hands them out.
struct PixelSource {
  const void* pixels = nullptr;
  i32 width = 0;
  i32 height = 0;
  i32 pitch = 0;
};

struct PixelTarget {
  void* pixels = nullptr;
  i32 width = 0;
  i32 height = 0;
  i32 pitch = 0;
};

inline PixelSource sourceOf(const Image& image) {
  return {image.pixels.data(), image.width, image.height, image.width * 4};
}

inline PixelTarget targetOf(Image& image) {
  return {image.pixels.data(), image.width, image.height, image.width * 4};
}

}  // namespace Engine::Graphics
