#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector2.h"

namespace Game::MathHelper {

// Cell `index` of a spiral of hexagonal rings around (0, 0) on a pointy-top
// grid (columns √3 apart, rows 1.5): index 0 is the centre, ring k ≥ 1 holds
// the next 6k indices, starting at (−√3·k, 0). A negative index is the centre.
void hexSpiral(Engine::Math::Vector2* out, Engine::i32 index);

// (x, y) plus the offset reached after n steps of a spiral of diamonds (rings
// of equal Manhattan distance) from (0, 0): ring r starts at (r, 0) and visits
// its 4r cells counter-clockwise before ring r + 1 starts. n below 1 stays at
// (x, y).
void diamondSpiral(Engine::i32* outX, Engine::i32* outY, Engine::i32 x, Engine::i32 y, Engine::i32 n);

}  // namespace Game::MathHelper
