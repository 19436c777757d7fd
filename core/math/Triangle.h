#pragma once

#include "Engine/Math/Vector3.h"

namespace Game {

// Three corners, as the model builder and the effects use them.
struct Triangle {
  Engine::Math::Vector3 corners[3];
};

}  // namespace Game
