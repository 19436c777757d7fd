#pragma once

#include <memory>

#include "Engine/Base/Types.h"
#include "Engine/Graphics/Image.h"
#include "Platform/GraphicsDevice.h"

namespace Engine::Graphics {

// A device texture of the sides and levels; null, reported on the debug
// stream as `what`, when the sides pass the device's largest or the device
// fails to create it.
std::unique_ptr<Platform::GraphicsTexture> makeDeviceTexture(const char* what, i32 width, i32 height, i32 levels);

// The image padded to powers of two with its whole box-filtered mip chain.
std::unique_ptr<Platform::GraphicsTexture> makeImageTexture(const char* what, const Image& image);

}  // namespace Engine::Graphics
