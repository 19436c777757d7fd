#include "core/math/Spiral.h"

namespace Game::MathHelper {

using Engine::i32;

void diamondSpiral(i32* outX, i32* outY, i32 x, i32 y, i32 n) {
  *outX = x;
  *outY = y;
  if (n < 1) {
    return;
  }
  i32 ring = 1;
  i32 position = n - 1;  // among the cells after the centre
  while (position >= 4 * ring) {
    position -= 4 * ring;
    ++ring;
  }
  const i32 side = position / ring;
  const i32 along = position % ring;
  const i32 sideX[4] = {ring - along, -along, -ring + along, along};
  const i32 sideY[4] = {along, ring - along, -along, -ring + along};
  *outX += sideX[side];
  *outY += sideY[side];
}

}  // namespace Game::MathHelper
