#pragma once

#include "Engine/Base/Types.h"
#include "core/container/Array2D.h"

namespace Game {

// A reach map over a grid: after fill, each cell holds the largest budget left
// on arriving there from the start, entering a cell costing its cost value;
// 0 marks cells out of reach. Costs are expected not to be negative.
class DistanceGrid {
 public:
  // Sizes both grids; their contents are unset until written.
  void setSize(Engine::i32 width, Engine::i32 height);
  void set(Engine::i32 x, Engine::i32 y, float cost) { mCost.atXY(x, y) = cost; }
  float cost(Engine::i32 x, Engine::i32 y) const { return mCost.atXY(x, y); }
  float reach(Engine::i32 x, Engine::i32 y) const { return mReach.atXY(x, y); }
  Engine::i32 width() const { return mCost.sizeX(); }
  Engine::i32 height() const { return mCost.sizeY(); }

  // The start cell gets start + 1. A start outside the grid reaches nothing.
  void fill(Engine::i32 x, Engine::i32 y, float start);

 private:
  // Relaxes the four neighbours of every cell of the current frontier into
  // the next one; returns the size of the next frontier.
  Engine::u32 spread(Engine::u32 count, const Engine::i32* current, Engine::i32* next);

  Array2D<float> mCost;
  Array2D<float> mReach;
  // Two frontiers of at most one entry per cell, and the marks of the cells
  // already waiting in the next one.
  Array2D<Engine::i32> mFrontiers[2];
  Array2D<Engine::u8> mQueued;
};

}  // namespace Game
