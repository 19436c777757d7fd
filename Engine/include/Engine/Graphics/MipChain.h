#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Graphics/Image.h"

namespace Engine::Graphics {

// The smallest power of two not below the side, starting at 1.
u32 powerOfTwoAtLeast(u32 side);

// Levels of a chain that halves both sides while both stay above 0
// (256x64 gives 7).
i32 mipLevelCount(i32 width, i32 height);

// Copies the image into the top-left of the target and sets every other
// pixel of the target to 0 (transparent black).
void padInto(const Image& image, const PixelTarget& target);
Image padToPowerOfTwo(const Image& image);

// The next level: each pixel is, per channel, the rounded mean of its 2x2
// source pixels. The target must be half the source in both sides.
void boxFilterHalf(const PixelSource& source, const PixelTarget& target);
Image boxFilterHalf(const Image& level);

// Level 0 padded to powers of two, then every smaller level.
std::vector<Image> buildTextureLevels(const Image& image);

}  // namespace Engine::Graphics
