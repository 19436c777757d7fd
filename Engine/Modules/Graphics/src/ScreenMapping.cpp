#include "Graphics/src/ScreenMapping.h"

#include <cmath>
#include <cstdlib>

namespace Engine::Graphics {

namespace {

f32 ratio(u32 width, u32 height) { return static_cast<f32>(width) / static_cast<f32>(height); }

i64 difference(u32 a, u32 b) { return static_cast<i64>(a) - static_cast<i64>(b); }

}  // namespace

Platform::DisplayMode chooseDisplayMode(const std::vector<Platform::DisplayMode>& modes,
                                        const Platform::DisplayMode& desktop, u32 width, u32 height) {
  if (desktop.height == 0) {
    return {width, height, 0};
  }
  const f32 desktopRatio = ratio(desktop.width, desktop.height);
  std::vector<const Platform::DisplayMode*> qualifying;
  for (const Platform::DisplayMode& mode : modes) {
    if (mode.height > 0 && std::fabs(desktopRatio - ratio(mode.width, mode.height)) < 0.0001f) {
      qualifying.push_back(&mode);
    }
  }
  const Platform::DisplayMode* best = nullptr;
  i64 bestDistance = 0;
  for (const Platform::DisplayMode* mode : qualifying) {
    if (mode->width >= width && mode->height >= height) {
      const i64 distance = difference(mode->width, width) + difference(mode->height, height);
      if (!best || distance < bestDistance) {
        best = mode;
        bestDistance = distance;
      }
    }
  }
  if (!best) {
    for (const Platform::DisplayMode* mode : qualifying) {
      const i64 distance = std::llabs(difference(mode->width, width)) + std::llabs(difference(mode->height, height));
      if (!best || distance < bestDistance) {
        best = mode;
        bestDistance = distance;
      }
    }
  }
  return best ? *best : desktop;
}

// Worked in double precision, so that exact ratios such as 720 / 600 do not
// lose a pixel to rounding before the truncation.
Platform::Viewport mapViewport(u32 backBufferWidth, u32 backBufferHeight, u32 logicalWidth, u32 logicalHeight,
                               const Platform::Viewport& logical) {
  const f64 bufferWidth = backBufferWidth;
  const f64 bufferHeight = backBufferHeight;
  const f64 sx = bufferWidth / logicalWidth;
  const f64 sy = bufferHeight / logicalHeight;
  const auto truncate = [](f64 value) { return static_cast<u32>(value); };
  Platform::Viewport mapped = logical;
  if (sy < sx) {
    mapped.x = truncate(0.5 * (bufferWidth - sy * logicalWidth) + logical.x * sy);
    mapped.y = 0;
    mapped.width = truncate(logical.width * sy + 0.5);
    mapped.height = backBufferHeight;
  } else {
    mapped.x = 0;
    mapped.y = truncate(0.5 * (bufferHeight - sx * logicalHeight) + logical.y * sx);
    mapped.width = backBufferWidth;
    mapped.height = truncate(logical.height * sx + 0.5);
  }
  return mapped;
}

PointerModifier pointerModifier(u32 backBufferWidth, u32 backBufferHeight, u32 logicalWidth, u32 logicalHeight) {
  const f32 rw = static_cast<f32>(logicalWidth) / static_cast<f32>(backBufferWidth);
  const f32 rh = static_cast<f32>(logicalHeight) / static_cast<f32>(backBufferHeight);
  PointerModifier modifier;
  if (rh < rw) {
    modifier.scale = rw;
    modifier.offsetY = -0.5f * (static_cast<f32>(backBufferHeight) - static_cast<f32>(logicalHeight) / rw);
  } else {
    modifier.scale = rh;
    modifier.offsetX = -0.5f * (static_cast<f32>(backBufferWidth) - static_cast<f32>(logicalWidth) / rh);
  }
  return modifier;
}

}  // namespace Engine::Graphics
