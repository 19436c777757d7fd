#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "Platform/GraphicsDevice.h"

namespace Engine::Graphics {

// The full-screen mode for a requested size among the modes the system lists:
// modes with the desktop's aspect ratio only; the smallest one at least as
// large as the request, else the nearest by summed absolute difference, the
// earlier mode on a tie. When no mode has the desktop's ratio, the desktop
// mode itself.
Platform::DisplayMode chooseDisplayMode(const std::vector<Platform::DisplayMode>& modes,
                                        const Platform::DisplayMode& desktop, u32 width, u32 height);

// The logical screen's viewport letterboxed into the back buffer: scaled
// uniformly, centred on the axis with room to spare.
Platform::Viewport mapViewport(u32 backBufferWidth, u32 backBufferHeight, u32 logicalWidth, u32 logicalHeight,
                               const Platform::Viewport& logical);

// Maps back-buffer pixels to logical ones: logical = (p + offset) x scale.
struct PointerModifier {
  f32 scale = 1.0f;
  f32 offsetX = 0.0f;
  f32 offsetY = 0.0f;
};

PointerModifier pointerModifier(u32 backBufferWidth, u32 backBufferHeight, u32 logicalWidth, u32 logicalHeight);

}  // namespace Engine::Graphics
