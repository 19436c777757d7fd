#include "core/file/TileMapView.h"

namespace Game {

using Engine::i32;
using Engine::i64;
using Engine::u32;
using Engine::u8;

namespace {

u32 readU32(const u8* p) {
  return static_cast<u32>(p[0]) | static_cast<u32>(p[1]) << 8 | static_cast<u32>(p[2]) << 16 |
         static_cast<u32>(p[3]) << 24;
}

}  // namespace

const char* TileMapView::read(const u8* bytes, i32 size, i32 layerCount) {
  clear();
  if (!bytes || size < kHeaderSize) {
    return "shorter than its header";
  }
  const u32 width = readU32(bytes + 8);
  const u32 height = readU32(bytes + 12);
  const i32 bits = bytes[19];
  if (bits != 8 && bits != 16) {
    return "bits per chip are neither 8 nor 16";
  }
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
    return "width or height out of range (1 to 4096)";
  }
  if (layerCount < 0 ||
      kHeaderSize + static_cast<i64>(layerCount) * width * height * (bits / 8) > static_cast<i64>(size)) {
    return "shorter than its layers";
  }
  mBytes = bytes;
  mLayerCount = layerCount;
  mBitsPerChip = bits;
  mWidth = static_cast<i32>(width);
  mHeight = static_cast<i32>(height);
  mChipWidth = bytes[16];
  mChipHeight = bytes[17];
  return nullptr;
}

i32 TileMapView::chip(i32 layer, i32 x, i32 y) const {
  if (!mBytes || layer < 0 || layer >= mLayerCount || x < 0 || x >= mWidth || y < 0 || y >= mHeight) {
    return kEmpty;
  }
  const i64 cell = (static_cast<i64>(layer) * mHeight + y) * mWidth + x;
  const u8* p = mBytes + kHeaderSize + cell * (mBitsPerChip / 8);
  if (mBitsPerChip == 16) {
    return p[0] | p[1] << 8;
  }
  const i32 value = p[0];
  return value == kEmpty ? kEmpty : (value >> 4) << 8 | (value & 15);
}

i32 TileMapView::chipIndex(i32 layer, i32 x, i32 y) const {
  const i32 value = chip(layer, x, y);
  return value == kEmpty ? -1 : (value & 255) + (value >> 8) * 8;
}

}  // namespace Game
