#include <cstring>
#include <limits>

#include "Engine/Graphics/ImageFile.h"
#include "Graphics/src/ImageBytes.h"

namespace Engine::Graphics {

namespace {

constexpr std::size_t kHeadersSize = 54;

void putHeaders(std::vector<u8>& file, const PixelSource& source, std::size_t imageBytes) {
  using ImageBytes::putU16;
  using ImageBytes::putU32;
  file[0] = 'B';
  file[1] = 'M';
  putU32(file, 2, static_cast<u32>(file.size()));
  putU32(file, 10, kHeadersSize);  // pixel data offset
  putU32(file, 14, 40);            // info header size
  putU32(file, 18, static_cast<u32>(source.width));
  putU32(file, 22, static_cast<u32>(source.height));  // positive: rows bottom-up
  putU16(file, 26, 1);                                 // planes
  putU16(file, 28, 24);                                // bits per pixel
  putU32(file, 34, static_cast<u32>(imageBytes));
}

}  // namespace

// 24-bit, bottom-up, each row padded with zero bytes to a multiple of 4.
std::vector<u8> writeBmp(const PixelSource& source) {
  if (!source.pixels || source.width < 1 || source.height < 1) {
    return {};
  }
  const std::size_t width = static_cast<std::size_t>(source.width);
  const std::size_t stride = (width * 3 + 3) & ~std::size_t{3};
  const std::size_t imageBytes = stride * static_cast<std::size_t>(source.height);
  if (kHeadersSize + imageBytes > std::numeric_limits<u32>::max()) {
    return {};
  }
  std::vector<u8> file(kHeadersSize + imageBytes, 0);
  putHeaders(file, source, imageBytes);
  for (i32 y = 0; y < source.height; ++y) {
    const u8* in = ImageBytes::sourceRow(source.pixels, source.pitch, y);
    u8* out = file.data() + kHeadersSize + static_cast<std::size_t>(source.height - 1 - y) * stride;
    for (std::size_t x = 0; x < width; ++x, in += 4, out += 3) {
      std::memcpy(out, in, 3);
    }
  }
  return file;
}

}  // namespace Engine::Graphics
