#pragma once

#include "Engine/Base/Types.h"
#include "records/database/MapReading.h"

namespace Game::MapGeometry {

// Corner c of a cell lies at (kCornerX[c], kCornerY[c]) × 24 from its centre.
inline constexpr Engine::i32 kCornerX[4] = {-1, 1, 1, -1};
inline constexpr Engine::i32 kCornerY[4] = {1, 1, -1, -1};
// The neighbour toward direction d is at (kStepX[d], kStepY[d]).
inline constexpr Engine::i32 kStepX[4] = {0, 1, 0, -1};
inline constexpr Engine::i32 kStepY[4] = {1, 0, -1, 0};

// Any index, negative too, into 0..3.
inline Engine::i32 wrap(Engine::i32 i) { return ((i % 4) + 4) % 4; }

// The offset turned by quarter turns: (dx, dy) → (−dy, dx) each.
inline MapReading::CellOffset turn(MapReading::CellOffset offset, Engine::i32 quarterTurns) {
  for (Engine::i32 i = 0; i < wrap(quarterTurns); ++i) {
    offset = {-offset.y, offset.x};
  }
  return offset;
}

}  // namespace Game::MapGeometry
