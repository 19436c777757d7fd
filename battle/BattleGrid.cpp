#include "battle/BattleGrid.h"

#include <algorithm>
#include <cstdlib>

#include "battle/TargetArea.h"
#include "live/Unit.h"
#include "live/unit/BattleServices.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kGridSupportType = 1;
// Counts up to this many say nothing of a cell.
constexpr i32 kSurroundingFloor = 2;
// How far the near counts look, in rows.
constexpr i32 kNearRows = 2;
// Cells at least this far apart (rows plus columns) count 1 as far, those
// exactly this far 2.
constexpr i32 kFarDistance = 3;

}  // namespace

bool aimsAtOwnSide(const Ability& art) { return art.type() == kGridSupportType; }

void BattleGrid::markLivingUnits(const BattleServices& battle, i32 side) {
  clear();
  for (i32 i = 0; i < battle.unitCount(); ++i) {
    const Unit* unit = battle.unitAt(i);
    if (unit && unit->side() == side && unit->isAlive()) {
      set(unit->row(), unit->column());
    }
  }
  compute();
}

void BattleGrid::set(i32 row, i32 column) {
  if (isInside(row, column)) {
    mOccupied[row][column] = true;
    mComputed = false;
  }
}

void BattleGrid::clear() { *this = BattleGrid(); }

void BattleGrid::compute() {
  if (mComputed) {
    return;
  }
  mCounts = Counts{};
  for (i32 r = 0; r < kRows; ++r) {
    for (i32 c = 0; c < kColumns; ++c) {
      if (mOccupied[r][c]) {
        addOccupant(r, c);
      }
    }
  }
  mComputed = true;
}

// What one unit at (row, column) adds to every count.
void BattleGrid::addOccupant(i32 row, i32 column) {
  for (i32 r = row + 1; r < kRows; ++r) {
    for (i32 c = std::max(column - 1, 0); c <= std::min(column + 1, kColumns - 1); ++c) {
      ++mCounts.cover[r][c];
    }
  }
  addNear(row, column);
  for (i32 r = 0; r < kRows; ++r) {
    for (i32 c = 0; c < kColumns; ++c) {
      const i32 distance = std::abs(r - row) + std::abs(c - column);
      if (distance >= kFarDistance) {
        mCounts.far[r][c] += distance == kFarDistance ? 2 : 1;
      }
    }
  }
  for (i32 c = 0; c < kColumns; ++c) {
    ++mCounts.sameRow[row][c];
  }
}

// d rows before and behind the unit, over columns within 2d: the cells d
// columns aside gain 2, the others 1.
void BattleGrid::addNear(i32 row, i32 column) {
  for (i32 d = 1; d <= kNearRows; ++d) {
    for (i32 c = std::max(column - 2 * d, 0); c <= std::min(column + 2 * d, kColumns - 1); ++c) {
      const i32 weight = std::abs(c - column) == d ? 2 : 1;
      if (row - d >= 0) {
        mCounts.nearFront[row - d][c] += weight;
      }
      if (row + d < kRows) {
        mCounts.nearBack[row + d][c] += weight;
      }
    }
  }
}

bool BattleGrid::isOccupied(i32 row, i32 column) const { return isInside(row, column) && mOccupied[row][column]; }

i32 BattleGrid::cover(i32 row, i32 column) const { return isInside(row, column) ? mCounts.cover[row][column] : 0; }

i32 BattleGrid::surrounding(const CellCounts& counts, i32 row, i32 column) {
  return std::max(counts[row][column] - kSurroundingFloor, 0);
}

void BattleGrid::cellSurroundings(CellSurroundings& out, i32 row, i32 column) const {
  out = CellSurroundings{};
  if (!isInside(row, column)) {
    return;
  }
  out.front = surrounding(mCounts.nearFront, row, column);
  out.back = surrounding(mCounts.nearBack, row, column);
  out.far = surrounding(mCounts.far, row, column);
  out.row = surrounding(mCounts.sameRow, row, column);
}

bool BattleGrid::isExposed(i32 row, i32 column) const { return isInside(row, column) && mCounts.cover[row][column] == 0; }

bool BattleGrid::isStacked(i32 row, i32 column) const { return isInside(row, column) && mCounts.cover[row][column] > 1; }

void BattleGrid::markAbilityArea(TargetArea& area, const Unit& unit, const Ability& art) {
  const Place at = unit.place();
  if (!art.isValid()) {
    area.markReach(at.side, at.row, at.column, TargetArea::kSelf);
    return;
  }
  area.markReach(at.side, at.row, at.column, art.range());
  area.clearSide(aimsAtOwnSide(art) ? 1 - at.side : at.side);
}

}  // namespace Game
