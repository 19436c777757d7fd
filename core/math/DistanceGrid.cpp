#include "core/math/DistanceGrid.h"

#include "core/math/MathHelper.h"

namespace Game {

using Engine::i32;
using Engine::u32;

void DistanceGrid::setSize(i32 width, i32 height) {
  mCost.setSize2D(width, height);
  mReach.setSize2D(width, height);
  const i32 cells = static_cast<i32>(mCost.size());
  mFrontiers[0].setSize(cells);
  mFrontiers[1].setSize(cells);
  mQueued.setSize(cells);
}

void DistanceGrid::fill(i32 x, i32 y, float start) {
  for (u32 i = 0; i < mReach.size(); ++i) {
    mReach.at(i) = 0.f;
    mQueued.at(i) = 0;
  }
  if (!mReach.isInside(x, y)) {
    return;
  }
  mReach.atXY(x, y) = start + 1.f;
  mFrontiers[0].at(0) = x * height() + y;
  u32 count = 1;
  for (int current = 0; count > 0; current ^= 1) {
    count = spread(count, mFrontiers[current].data(), mFrontiers[current ^ 1].data());
  }
}

u32 DistanceGrid::spread(u32 count, const i32* current, i32* next) {
  u32 nextCount = 0;
  for (u32 i = 0; i < count; ++i) {
    const i32 cx = current[i] / height();
    const i32 cy = current[i] % height();
    mQueued.at(static_cast<u32>(current[i])) = 0;
    for (i32 turns = 0; turns < 4; ++turns) {
      i32 dx = 0;
      i32 dy = 0;
      MathHelper::rotateQuarter(&dx, &dy, 1, 0, turns);
      const i32 nx = cx + dx;
      const i32 ny = cy + dy;
      if (!mReach.isInside(nx, ny)) {
        continue;
      }
      const float candidate = mReach.atXY(cx, cy) - mCost.atXY(nx, ny);
      if (mReach.atXY(nx, ny) < candidate) {
        mReach.atXY(nx, ny) = candidate;
        const i32 cell = nx * height() + ny;
        if (!mQueued.at(static_cast<u32>(cell))) {
          mQueued.at(static_cast<u32>(cell)) = 1;
          next[nextCount++] = cell;
        }
      }
    }
  }
  return nextCount;
}

}  // namespace Game
