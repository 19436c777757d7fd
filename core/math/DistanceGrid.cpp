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
  // The four directions: (1, 0) turned 0 … 3 quarters.
  i32 stepX[4];
  i32 stepY[4];
  for (i32 turns = 0; turns < 4; ++turns) {
    MathHelper::rotateQuarter(&stepX[turns], &stepY[turns], 1, 0, turns);
  }
  const i32 side = height();
  float* reach = mReach.data();
  const float* cost = mCost.data();
  u32 nextCount = 0;
  for (u32 i = 0; i < count; ++i) {
    const i32 cell = current[i];
    const i32 cx = cell / side;
    const i32 cy = cell - cx * side;
    mQueued.at(static_cast<u32>(cell)) = 0;
    for (i32 turns = 0; turns < 4; ++turns) {
      if (!mReach.isInside(cx + stepX[turns], cy + stepY[turns])) {
        continue;
      }
      const i32 neighbour = cell + stepX[turns] * side + stepY[turns];
      const float candidate = reach[cell] - cost[neighbour];
      if (reach[neighbour] < candidate) {
        reach[neighbour] = candidate;
        if (!mQueued.at(static_cast<u32>(neighbour))) {
          mQueued.at(static_cast<u32>(neighbour)) = 1;
          next[nextCount++] = neighbour;
        }
      }
    }
  }
  return nextCount;
}

}  // namespace Game
