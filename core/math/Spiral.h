#pragma once

#include "Engine/Base/Types.h"

namespace Game::MathHelper {

// (x, y) plus the offset reached after n steps of a spiral of diamonds (rings
// of equal Manhattan distance) from (0, 0): ring r starts at (r, 0) and visits
// its 4r cells counter-clockwise before ring r + 1 starts. n below 1 stays at
// (x, y).
void diamondSpiral(Engine::i32* outX, Engine::i32* outY, Engine::i32 x, Engine::i32 y, Engine::i32 n);

}  // namespace Game::MathHelper
