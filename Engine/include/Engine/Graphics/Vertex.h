#pragma once

#include "Engine/Base/Types.h"

namespace Engine::Graphics {

// The one vertex format of everything drawn: 40 bytes in one stream.
struct Vertex {
  f32 x, y, z, w;
  f32 nx, ny, nz;
  u32 color;  // 0xAARRGGBB: bytes blue, green, red, alpha in memory
  f32 u, v;
};

static_assert(sizeof(Vertex) == 40, "the common vertex is 40 bytes");

}  // namespace Engine::Graphics
