#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Matrix33.h"
#include "Engine/Math/Matrix34.h"
#include "Engine/Math/Vector3.h"

namespace Game {

class NmlNode;

// Rotation (degrees), scale and position (world units) as data gives them.
struct Transform {
  // World units per matrix unit: every matrix holds world units / 400.
  static constexpr float kWorldUnitsPerMatrixUnit = 400.f;

  // Reads "rotate" (degrees), "scale" (percent) and "position" (world
  // units); returns how many were present.
  Engine::i32 load(const NmlNode& node);
  // translate · rotate about y, then x, then z · scale, in matrix units; the
  // rotation alone goes to normal when it is given.
  void toMatrix(Engine::Math::Matrix34* out, Engine::Math::Matrix33* normal = nullptr) const;

  Engine::Math::Vector3 rotation{0.f, 0.f, 0.f};
  Engine::Math::Vector3 scale{1.f, 1.f, 1.f};
  Engine::Math::Vector3 position{0.f, 0.f, 0.f};
};

}  // namespace Game
