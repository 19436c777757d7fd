#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "Engine/Base/Types.h"

namespace Engine::Graphics::ImageBytes {

// Little-endian fields of image file headers. Callers check the length first.
inline u16 readU16(const u8* at) { return static_cast<u16>(at[0] | (at[1] << 8)); }

inline u32 readU32(const u8* at) {
  return static_cast<u32>(at[0]) | (static_cast<u32>(at[1]) << 8) | (static_cast<u32>(at[2]) << 16) |
         (static_cast<u32>(at[3]) << 24);
}

inline void putU16(std::vector<u8>& bytes, std::size_t at, u32 value) {
  bytes[at] = static_cast<u8>(value);
  bytes[at + 1] = static_cast<u8>(value >> 8);
}

inline void putU32(std::vector<u8>& bytes, std::size_t at, u32 value) {
  putU16(bytes, at, value & 0xFFFFu);
  putU16(bytes, at + 2, value >> 16);
}

// One error line: the reader's message as it stands, then the file and
// the detail, e.g. "readTGA : file must be collapsed. (a.tga: ...)".
std::string errorLine(const char* message, const char* fileName, const std::string& detail);

// "100x50"
std::string sizeText(u64 width, u64 height);

}  // namespace Engine::Graphics::ImageBytes

namespace Engine::Graphics::ImageBytes {

// Row y of a pitched 32-bit pixel source, as bytes B, G, R, A per pixel.
inline const u8* sourceRow(const void* pixels, i32 pitch, i32 y) {
  return static_cast<const u8*>(pixels) + static_cast<std::ptrdiff_t>(y) * pitch;
}

}  // namespace Engine::Graphics::ImageBytes
