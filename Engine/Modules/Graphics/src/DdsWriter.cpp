#include <cstring>

#include "Engine/Graphics/ImageFile.h"
#include "Graphics/src/ImageBytes.h"

namespace Engine::Graphics {

namespace {

constexpr std::size_t kDdsHeaderSize = 128;

void putHeader(std::vector<u8>& file, const PixelSource& source) {
  using ImageBytes::putU32;
  std::memcpy(file.data(), "DDS ", 4);
  putU32(file, 4, 124);     // header size
  putU32(file, 8, 0x1007);  // caps, height, width and pixel format are valid
  putU32(file, 12, static_cast<u32>(source.height));
  putU32(file, 16, static_cast<u32>(source.width));
  putU32(file, 76, 32);    // pixel format size
  putU32(file, 80, 0x41);  // RGB with alpha pixels
  putU32(file, 88, 32);
  putU32(file, 92, 0x00FF0000u);
  putU32(file, 96, 0x0000FF00u);
  putU32(file, 100, 0x000000FFu);
  putU32(file, 104, 0xFF000000u);
  putU32(file, 108, 0x1002);  // texture with alpha
}

}  // namespace

std::vector<u8> writeDds(const PixelSource& source, bool withAlpha) {
  if (!source.pixels || source.width < 1 || source.height < 1) {
    return {};
  }
  const std::size_t rowBytes = static_cast<std::size_t>(source.width) * 4;
  std::vector<u8> file(kDdsHeaderSize + rowBytes * static_cast<std::size_t>(source.height), 0);
  putHeader(file, source);
  u8* out = file.data() + kDdsHeaderSize;
  for (i32 y = 0; y < source.height; ++y, out += rowBytes) {
    std::memcpy(out, ImageBytes::sourceRow(source.pixels, source.pitch, y), rowBytes);
    if (!withAlpha) {
      for (std::size_t alpha = 3; alpha < rowBytes; alpha += 4) {
        out[alpha] = 255;
      }
    }
  }
  return file;
}

}  // namespace Engine::Graphics
