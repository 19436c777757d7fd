#pragma once

// Builders of small TGA and DDS files for the image tests.

#include <cstring>
#include <utility>
#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Graphics/Image.h"

namespace ImageTestFiles {

using Engine::i32;
using Engine::u16;
using Engine::u32;
using Engine::u8;
using Engine::Graphics::Image;

inline void putLittleEndian(std::vector<u8>& bytes, std::size_t at, u32 value, int size) {
  for (int i = 0; i < size; ++i) {
    bytes[at + static_cast<std::size_t>(i)] = static_cast<u8>(value >> (8 * i));
  }
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
    const std::pair<std::size_t, u32> fields[] = {{0, static_cast<u32>(id.size())}, {1, colorMapType}, {2, type},
                                                  {7, mapEntryBits}, {16, bits}, {17, descriptor}};
    for (const auto& [at, value] : fields) {
      file[at] = static_cast<u8>(value);
    }
    putLittleEndian(file, 5, mapLength, 2);
    putLittleEndian(file, 12, width, 2);
    putLittleEndian(file, 14, height, 2);
    file.insert(file.end(), id.begin(), id.end());
    file.insert(file.end(), map.begin(), map.end());
    file.insert(file.end(), data.begin(), data.end());
    return file;
  }
};

// The image's rows in stored order (top first, or bottom first), each pixel as its first `pixelBytes` bytes
// B, G, R, A, each row padded to `rowAlign` bytes (DDS: 4, its one-byte pixels being alpha).
inline std::vector<u8> storedPixels(const Image& image, int pixelBytes, bool topDown, std::size_t rowAlign = 1) {
  std::vector<u8> out;
  for (i32 i = 0; i < image.height; ++i) {
    const i32 y = topDown ? i : image.height - 1 - i;
    for (i32 x = 0; x < image.width; ++x) {
      for (int b = 0; b < pixelBytes; ++b) {
        out.push_back(static_cast<u8>(image.at(x, y) >> (8 * (pixelBytes == 1 && rowAlign == 4 ? 3 : b))));
      }
    }
    out.resize((out.size() + rowAlign - 1) / rowAlign * rowAlign, 0);
  }
  return out;
}

// Run-length packets over pixels of `pixelBytes` bytes: runs of equal pixels (at most 128, across row ends), a
// one-pixel literal packet for a pixel unlike the next.
inline std::vector<u8> runLengthPackets(const std::vector<u8>& pixels, int pixelBytes) {
  const auto size = static_cast<std::size_t>(pixelBytes);
  std::vector<u8> out;
  for (std::size_t i = 0, run = 1; i < pixels.size(); i += run * size, run = 1) {
    while (i + (run + 1) * size <= pixels.size() && run < 128 &&
           std::memcmp(&pixels[i], &pixels[i + run * size], size) == 0) {
      ++run;
    }
    out.push_back(static_cast<u8>(run > 1 ? 0x80 | (run - 1) : 0));
    out.insert(out.end(), &pixels[i], &pixels[i + size]);
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

inline Image opaque(Image image) {
  for (u32& pixel : image.pixels) {
    pixel |= 0xFF000000u;
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
    const std::pair<std::size_t, u32> fields[] = {{4, 124},           {12, height}, {16, width},
                                                  {80, formatFlags}, {88, bits},   {104, alphaMask}};
    for (const auto& [at, value] : fields) {
      putLittleEndian(file, at, value, 4);
    }
    file.insert(file.end(), data.begin(), data.end());
    return file;
  }
};

}  // namespace ImageTestFiles
