#include "battle/TargetArea.h"

#include <algorithm>

#include "live/Unit.h"
#include "live/unit/BattleServices.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kLastGridRow = BattleGrid::kRows - 1;
constexpr i32 kLastColumn = BattleGrid::kColumns - 1;

}  // namespace

void TargetArea::init(const BattleServices& battle) {
  mBattle = &battle;
  clear();
}

void TargetArea::clear() { std::fill_n(&mMarks[0][0][0], kSides * BattleGrid::kRows * BattleGrid::kColumns, false); }

void TargetArea::clearSide(i32 side) {
  if (isSide(side)) {
    std::fill_n(&mMarks[side][0][0], BattleGrid::kRows * BattleGrid::kColumns, false);
  }
}

void TargetArea::mark(i32 side, i32 row, i32 column) {
  if (isInside(side, row, column)) {
    mMarks[side][row][column] = true;
  }
}

bool TargetArea::isMarked(i32 side, i32 row, i32 column) const {
  return isInside(side, row, column) && mMarks[side][row][column];
}

void TargetArea::markReach(i32 side, i32 row, i32 column, i32 reach) {
  clear();
  if (!isInside(side, row, column)) {
    return;
  }
  switch (reach) {
    case kSelf:
      mark(side, row, column);
      break;
    case kNear:
      markRange(side, 0, kLastGridRow, 0, kLastColumn);
      markExposed(1 - side);
      break;
    case kFar:
      markRange(0, 0, kLastGridRow, 0, kLastColumn);
      markRange(1, 0, kLastGridRow, 0, kLastColumn);
      break;
    default:
      break;
  }
}

void TargetArea::markArea(i32 side, i32 row, i32 column, i32 areaCode) {
  clear();
  mAreaMode = areaCode;
  if (!isInside(side, row, column)) {
    return;
  }
  switch (areaCode) {
    case kSingle:
      mark(side, row, column);
      break;
    case kRow:
      markRange(side, row, row, 0, kLastColumn);
      break;
    case kColumn:
      markRange(side, 0, kLastGridRow, column, column);
      break;
    case kWideColumn:
      markRange(side, 0, kLastGridRow, column - 1, column + 1);
      break;
    case kCircle:
      markRange(side, row - 1, row + 1, column - 1, column + 1);
      break;
    case kFront:
      markExposed(side);
      break;
    case kSelfDestruct:
      markExposed(1 - side);
      mark(side, row, column);
      break;
    case kSide:
      markRange(side, 0, kLastGridRow, 0, kLastColumn);
      break;
    case kAll:
      markRange(0, 0, kLastGridRow, 0, kLastColumn);
      markRange(1, 0, kLastGridRow, 0, kLastColumn);
      break;
    default:
      break;
  }
}

// The cells of the rectangle that lie inside the grid.
void TargetArea::markRange(i32 side, i32 firstRow, i32 lastRow, i32 firstColumn, i32 lastColumn) {
  for (i32 r = std::max(firstRow, 0); r <= std::min(lastRow, kLastGridRow); ++r) {
    for (i32 c = std::max(firstColumn, 0); c <= std::min(lastColumn, kLastColumn); ++c) {
      mMarks[side][r][c] = true;
    }
  }
}

void TargetArea::markExposed(i32 side) {
  BattleGrid grid;
  if (mBattle) {
    grid.markLivingUnits(*mBattle, side);
  }
  for (i32 r = 0; r < BattleGrid::kRows; ++r) {
    for (i32 c = 0; c < BattleGrid::kColumns; ++c) {
      mMarks[side][r][c] = grid.isExposed(r, c);
    }
  }
}

void TargetArea::collectUnits(std::vector<Unit*>& out) const { collect(out, false); }

void TargetArea::collectLivingUnits(std::vector<Unit*>& out) const { collect(out, true); }

void TargetArea::collect(std::vector<Unit*>& out, bool livingOnly) const {
  if (!mBattle) {
    return;
  }
  for (i32 i = 0; i < mBattle->unitCount(); ++i) {
    Unit* unit = mBattle->unitAt(i);
    if (unit && isMarked(unit->side(), unit->row(), unit->column()) && (!livingOnly || unit->isAlive())) {
      out.push_back(unit);
    }
  }
}

}  // namespace Game
