#pragma once

#include "Engine/Math/Vector2.h"
#include "Engine/Math/Vector3.h"
#include "presentation/render/Color.h"

namespace Game {

// One vertex of a mesh under construction. uv is in texels of the batch's
// texture; the upload divides by the texture size. A new vertex is opaque
// white; the shape that adds it writes the rest.
struct MeshVertex {
  Engine::Math::Vector2 uv;
  Engine::Math::Vector3 position;
  Engine::Math::Vector3 normal;
  Color color;
};

}  // namespace Game
