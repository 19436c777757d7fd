#include "core/math/Spiral.h"

namespace Game::MathHelper {

using Engine::i32;

namespace {

const float kRoot3 = 1.7320508f;

// Position p (0 … 6k − 1) on ring k; the last three sides mirror the first
// three through the centre.
void placeOnRing(float* outX, float* outY, i32 ring, i32 position) {
  const float k = static_cast<float>(ring);
  if (position > 3 * ring) {
    placeOnRing(outX, outY, ring, position - 3 * ring);
    *outX = -*outX;
    *outY = -*outY;
  } else if (position <= ring) {
    *outX = kRoot3 / 2.f * static_cast<float>(position) - kRoot3 * k;
    *outY = 1.5f * static_cast<float>(position);
  } else if (position <= 2 * ring) {
    placeOnRing(outX, outY, ring, ring);
    *outX += kRoot3 * static_cast<float>(position - ring);
  } else {
    placeOnRing(outX, outY, ring, 2 * ring);
    *outX += kRoot3 / 2.f * static_cast<float>(position - 2 * ring);
    *outY -= 1.5f * static_cast<float>(position - 2 * ring);
  }
}

}  // namespace

void hexSpiral(Engine::Math::Vector2* out, i32 index) {
  out->set(0.f, 0.f);
  if (index < 1) {
    return;
  }
  i32 ring = 1;
  i32 position = index - 1;  // among the cells after the centre
  while (position >= 6 * ring) {
    position -= 6 * ring;
    ++ring;
  }
  placeOnRing(&out->x, &out->y, ring, position);
}

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
