#include "Engine/Graphics/MipChain.h"

#include <algorithm>
#include <cstring>

#include "Engine/Base/Assert.h"

namespace Engine::Graphics {

namespace {

u32* targetRow(const PixelTarget& target, i32 y) {
  return reinterpret_cast<u32*>(static_cast<u8*>(target.pixels) + static_cast<std::ptrdiff_t>(y) * target.pitch);
}

const u32* sourceRow(const PixelSource& source, i32 y) {
  return reinterpret_cast<const u32*>(static_cast<const u8*>(source.pixels) +
                                      static_cast<std::ptrdiff_t>(y) * source.pitch);
}

// Per channel (a + b + c + d + 2) / 4. Each channel is summed in its own
// 10-bit lane: blue and red in one word, green and alpha in the other.
u32 averageOfFour(u32 a, u32 b, u32 c, u32 d) {
  constexpr u64 kLanes = 0x00FF00FFu;
  const auto spread = [](u32 pixel) {
    return (static_cast<u64>(pixel & kLanes)) | (static_cast<u64>((pixel >> 8) & kLanes) << 32);
  };
  constexpr u64 kRound = 0x0000000200000002ull | (0x0000000200000002ull << 16);
  const u64 sum = spread(a) + spread(b) + spread(c) + spread(d) + kRound;
  const u64 mean = (sum >> 2) & (0x00FF00FFull | (0x00FF00FFull << 32));
  return static_cast<u32>(mean) | (static_cast<u32>(mean >> 32) << 8);
}

}  // namespace

u32 powerOfTwoAtLeast(u32 side) {
  u32 power = 1;
  while (power < side && power < 0x80000000u) {
    power <<= 1;
  }
  return power;
}

i32 mipLevelCount(i32 width, i32 height) {
  i32 levels = 0;
  while (width > 0 && height > 0) {
    ++levels;
    width /= 2;
    height /= 2;
  }
  return levels;
}

void padInto(const Image& image, const PixelTarget& target) {
  ENGINE_ASSERT(image.width <= target.width && image.height <= target.height && "padInto : target too small.");
  const std::size_t copied = static_cast<std::size_t>(image.width);
  for (i32 y = 0; y < target.height; ++y) {
    u32* out = targetRow(target, y);
    std::size_t from = 0;
    if (y < image.height) {
      std::memcpy(out, image.row(y), copied * 4);
      from = copied;
    }
    std::fill(out + from, out + target.width, 0u);
  }
}

Image padToPowerOfTwo(const Image& image) {
  Image padded(static_cast<i32>(powerOfTwoAtLeast(static_cast<u32>(image.width))),
               static_cast<i32>(powerOfTwoAtLeast(static_cast<u32>(image.height))));
  padInto(image, targetOf(padded));
  return padded;
}

void boxFilterHalf(const PixelSource& source, const PixelTarget& target) {
  ENGINE_ASSERT(target.width == source.width / 2 && target.height == source.height / 2 &&
                "boxFilterHalf : target must be half the source.");
  for (i32 y = 0; y < target.height; ++y) {
    const u32* upper = sourceRow(source, 2 * y);
    const u32* lower = sourceRow(source, 2 * y + 1);
    u32* out = targetRow(target, y);
    for (i32 x = 0; x < target.width; ++x) {
      out[x] = averageOfFour(upper[2 * x], upper[2 * x + 1], lower[2 * x], lower[2 * x + 1]);
    }
  }
}

Image boxFilterHalf(const Image& level) {
  Image next(level.width / 2, level.height / 2);
  boxFilterHalf(sourceOf(level), targetOf(next));
  return next;
}

std::vector<Image> buildTextureLevels(const Image& image) {
  std::vector<Image> levels;
  levels.push_back(padToPowerOfTwo(image));
  const i32 count = mipLevelCount(levels.front().width, levels.front().height);
  levels.reserve(static_cast<std::size_t>(count));
  for (i32 i = 1; i < count; ++i) {
    levels.push_back(boxFilterHalf(levels.back()));
  }
  return levels;
}

}  // namespace Engine::Graphics
