#include <cstring>

#include "Engine/Graphics/ImageFile.h"
#include "Graphics/src/ImageBytes.h"

namespace Engine::Graphics {

namespace {

constexpr std::size_t kWrittenHeaderSize = 18;
constexpr std::size_t kFooterSize = 26;
constexpr char kSignature[] = "TRUEVISION-XFILE.";  // written with its zero byte
constexpr i32 kMaxSide = 65535;

void putHeader(std::vector<u8>& file, const PixelSource& source, bool withAlpha) {
  file[2] = 2;  // uncompressed true colour
  ImageBytes::putU16(file, 12, static_cast<u32>(source.width));
  ImageBytes::putU16(file, 14, static_cast<u32>(source.height));
  file[16] = withAlpha ? 32 : 24;
  file[17] = withAlpha ? 0x28 : 0x20;  // top-left origin, 8 alpha bits with alpha
}

}  // namespace

std::vector<u8> writeTga(const PixelSource& source, bool withAlpha) {
  if (!source.pixels || source.width < 1 || source.height < 1 || source.width > kMaxSide || source.height > kMaxSide) {
    return {};
  }
  const std::size_t pixelBytes = withAlpha ? 4 : 3;
  const std::size_t width = static_cast<std::size_t>(source.width);
  const std::size_t imageBytes = width * static_cast<std::size_t>(source.height) * pixelBytes;
  std::vector<u8> file(kWrittenHeaderSize + imageBytes + kFooterSize, 0);
  putHeader(file, source, withAlpha);
  u8* out = file.data() + kWrittenHeaderSize;
  for (i32 y = 0; y < source.height; ++y) {
    const u8* in = ImageBytes::sourceRow(source.pixels, source.pitch, y);
    for (std::size_t x = 0; x < width; ++x, in += 4, out += pixelBytes) {
      std::memcpy(out, in, pixelBytes);
    }
  }
  // The footer's two offsets stay 0: no extension area, no developer area.
  std::memcpy(out + 8, kSignature, sizeof kSignature);
  return file;
}

}  // namespace Engine::Graphics
