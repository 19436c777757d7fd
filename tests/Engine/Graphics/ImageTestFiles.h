#pragma once

// Builders of small TGA and DDS files for the image tests.

#include <cstring>
#include <string>
#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Graphics/Image.h"

namespace ImageTestFiles {

using Engine::i32;
using Engine::u16;
using Engine::u32;
using Engine::u8;
using Engine::Graphics::Image;

inline void putU16(std::vector<u8>& bytes, std::size_t at, u32 value) {
  bytes[at] = static_cast<u8>(value);
  bytes[at + 1] = static_cast<u8>(value >> 8);
}

inline void putU32(std::vector<u8>& bytes, std::size_t at, u32 value) {
  putU16(bytes, at, value & 0xFFFF);
  putU16(bytes, at + 2, value >> 16);
}

struct Tga {
  u8 type = 2;
  u16 width = 0;
  u16 height = 0;
  u8 bits = 32;
  u8 descriptor = 0x20;
  std::vector<u8> id;
  u8 colorMapType = 0;
  u16 mapLength = 0;
  u8 mapEntryBits = 0;
  std::vector<u8> map;
  std::vector<u8> data;  // pixel data or packets as stored

  std::vector<u8> bytes() const {
    std::vector<u8> file(18, 0);
    file[0] = static_cast<u8>(id.size());
    file[1] = colorMapType;
    file[2] = type;
    putU16(file, 5, mapLength);
    file[7] = mapEntryBits;
    putU16(file, 12, width);
    putU16(file, 14, height);
    file[16] = bits;
    file[17] = descriptor;
    file.insert(file.end(), id.begin(), id.end());
    file.insert(file.end(), map.begin(), map.end());
    file.insert(file.end(), data.begin(), data.end());
    return file;
  }
};

// The image's rows in stored order (top first, or bottom first), each pixel
// as its first `pixelBytes` bytes B, G, R, A.
inline std::vector<u8> storedPixels(const Image& image, int pixelBytes, bool topDown) {
  std::vector<u8> out;
  for (i32 i = 0; i < image.height; ++i) {
    const i32 y = topDown ? i : image.height - 1 - i;
    for (i32 x = 0; x < image.width; ++x) {
      const u32 pixel = image.at(x, y);
      for (int b = 0; b < pixelBytes; ++b) {
        out.push_back(static_cast<u8>(pixel >> (8 * b)));
      }
    }
  }
  return out;
}

// Run-length packets over pixels of `pixelBytes` bytes: runs of equal
// pixels, literals otherwise, at most 128 each, across row ends.
inline std::vector<u8> runLengthPackets(const std::vector<u8>& pixels, int pixelBytes) {
  const std::size_t count = pixels.size() / static_cast<std::size_t>(pixelBytes);
  const auto same = [&](std::size_t a, std::size_t b) {
    return std::memcmp(&pixels[a * pixelBytes], &pixels[b * pixelBytes], static_cast<std::size_t>(pixelBytes)) == 0;
  };
  std::vector<u8> out;
  std::size_t i = 0;
  while (i < count) {
    std::size_t run = 1;
    while (i + run < count && run < 128 && same(i, i + run)) {
      ++run;
    }
    if (run > 1) {
      out.push_back(static_cast<u8>(0x80 | (run - 1)));
      out.insert(out.end(), &pixels[i * pixelBytes], &pixels[(i + 1) * pixelBytes]);
      i += run;
      continue;
    }
    std::size_t literal = 1;
    while (i + literal < count && literal < 128 && !(i + literal + 1 < count && same(i + literal, i + literal + 1))) {
      ++literal;
    }
    out.push_back(static_cast<u8>(literal - 1));
    out.insert(out.end(), &pixels[i * pixelBytes], &pixels[(i + literal) * pixelBytes]);
    i += literal;
  }
  return out;
}

// A small picture with distinct colours, alpha and flat areas (for runs).
inline Image testPattern(i32 width, i32 height) {
  Image image(width, height);
  for (i32 y = 0; y < height; ++y) {
    for (i32 x = 0; x < width; ++x) {
      const u32 flat = (x / 4) % 2 == 0;
      image.row(y)[x] = flat ? Engine::Graphics::packPixel(10, 20, 30, 255)
                             : Engine::Graphics::packPixel(static_cast<u32>(x * 7) & 255, static_cast<u32>(y * 13) & 255,
                                                           static_cast<u32>(x + y) & 255, static_cast<u32>(x * y) & 255);
    }
  }
  return image;
}

inline Tga tgaOf(const Image& image, int pixelBytes, bool topDown, bool runLength) {
  Tga tga;
  tga.type = static_cast<u8>(2 | (runLength ? 8 : 0));
  tga.width = static_cast<u16>(image.width);
  tga.height = static_cast<u16>(image.height);
  tga.bits = static_cast<u8>(pixelBytes * 8);
  tga.descriptor = topDown ? 0x20 : 0;
  const std::vector<u8> pixels = storedPixels(image, pixelBytes, topDown);
  tga.data = runLength ? runLengthPackets(pixels, pixelBytes) : pixels;
  return tga;
}

struct Dds {
  u32 width = 0;
  u32 height = 0;
  u32 bits = 32;
  u32 formatFlags = 0x41;
  u32 alphaMask = 0xFF000000u;
  std::vector<u8> data;

  std::vector<u8> bytes() const {
    std::vector<u8> file(128, 0);
    std::memcpy(file.data(), "DDS ", 4);
    putU32(file, 4, 124);
    putU32(file, 12, height);
    putU32(file, 16, width);
    putU32(file, 80, formatFlags);
    putU32(file, 88, bits);
    putU32(file, 104, alphaMask);
    file.insert(file.end(), data.begin(), data.end());
    return file;
  }
};

// Rows padded to 4 bytes, as the DDS reader expects them.
inline std::vector<u8> paddedRows(const Image& image, int pixelBytes) {
  std::vector<u8> out;
  for (i32 y = 0; y < image.height; ++y) {
    for (i32 x = 0; x < image.width; ++x) {
      for (int b = 0; b < pixelBytes; ++b) {
        out.push_back(static_cast<u8>(image.at(x, y) >> (8 * (pixelBytes == 1 ? 3 : b))));
      }
    }
    while (out.size() % 4 != 0) {
      out.push_back(0);
    }
  }
  return out;
}

}  // namespace ImageTestFiles
