#pragma once

#include "Engine/Base/Types.h"

namespace Game {

// The header and layers of a ".fmf" tile map, read from its bytes
// (little-endian): width (u32 at 8) and height (u32 at 12) in cells, chip
// width (byte 16) and height (byte 17) in pixels, bits per chip (byte 19, 8
// or 16), then from byte 20 the layers one after another, each row by row.
// The layer count is the caller's: the game knows what its maps hold.
class TileMapView {
 public:
  static constexpr Engine::i32 kHeaderSize = 20;
  static constexpr Engine::i32 kMaxSide = 4096;
  // The value of a cell with nothing in it, and of every refused read.
  static constexpr Engine::i32 kEmpty = 255;

  // Reads the header of size bytes and checks that the file holds layerCount
  // whole layers. On failure returns what is wrong and the view stays empty.
  const char* read(const Engine::u8* bytes, Engine::i32 size, Engine::i32 layerCount);
  void clear() { *this = TileMapView(); }

  bool isValid() const { return mBytes != nullptr; }
  const Engine::u8* bytes() const { return mBytes; }
  Engine::i32 layerCount() const { return mLayerCount; }
  Engine::i32 bitsPerChip() const { return mBitsPerChip; }
  Engine::i32 width() const { return mWidth; }
  Engine::i32 height() const { return mHeight; }
  Engine::i32 chipWidth() const { return mChipWidth; }
  Engine::i32 chipHeight() const { return mChipHeight; }

  // The value at (x, y) of layer: row in the high byte, column in the low
  // byte. An 8-bit value other than 255 keeps its row in the high nibble and
  // its column in the low one, and is widened to match. A read outside the
  // map gives kEmpty.
  Engine::i32 chip(Engine::i32 layer, Engine::i32 x, Engine::i32 y) const;
  Engine::i32 chipRow(Engine::i32 layer, Engine::i32 x, Engine::i32 y) const { return chip(layer, x, y) >> 8; }
  Engine::i32 chipColumn(Engine::i32 layer, Engine::i32 x, Engine::i32 y) const { return chip(layer, x, y) & 255; }
  // column + row * 8, or -1 for an empty cell.
  Engine::i32 chipIndex(Engine::i32 layer, Engine::i32 x, Engine::i32 y) const;

 private:
  const Engine::u8* mBytes = nullptr;
  Engine::i32 mLayerCount = 0;
  Engine::i32 mBitsPerChip = 0;
  Engine::i32 mWidth = 0;
  Engine::i32 mHeight = 0;
  Engine::i32 mChipWidth = 0;
  Engine::i32 mChipHeight = 0;
};

}  // namespace Game
