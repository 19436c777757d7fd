#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "battle/BattleGrid.h"

namespace Game {

class BattleServices;
class Unit;

// A mark per cell of both sides: the cells an art can be aimed at (its
// reach) or spreads over (its area). Every marking clears all marks first;
// one whose cell or side lies outside the grid then marks nothing.
class TargetArea {
 public:
  static constexpr Engine::i32 kSides = 2;
  // Reaches: the actor's cell, the other side's exposed cells and the own
  // side, everything.
  enum Reach : Engine::i32 { kSelf = 0, kNear = 1, kFar = 2 };
  // Area codes in the order of the constants' area table.
  enum Area : Engine::i32 {
    kNone, kSingle, kRow, kColumn, kWideColumn, kCircle, kFront, kSelfDestruct, kSide, kAll, kAreaCount
  };

  static bool isSide(Engine::i32 side) { return side >= 0 && side < kSides; }
  static bool isInside(Engine::i32 side, Engine::i32 row, Engine::i32 column) {
    return isSide(side) && BattleGrid::isInside(row, column);
  }

  // Cleared; the battle's units are the ones collected and the ones that
  // cover one another.
  void init(const BattleServices& battle);
  void clear();
  void clearSide(Engine::i32 side);
  void mark(Engine::i32 side, Engine::i32 row, Engine::i32 column);
  bool isMarked(Engine::i32 side, Engine::i32 row, Engine::i32 column) const;

  // The cells an actor of side s at (row, column) can aim at.
  void markReach(Engine::i32 side, Engine::i32 row, Engine::i32 column, Engine::i32 reach);
  // The cells an art of the area code spreads over around the target cell.
  void markArea(Engine::i32 side, Engine::i32 row, Engine::i32 column, Engine::i32 areaCode);
  Engine::i32 areaMode() const { return mAreaMode; }

  // The battle's units on marked cells, in unit-list order: all of them, or
  // only the living ones.
  void collectUnits(std::vector<Unit*>& out) const;
  void collectLivingUnits(std::vector<Unit*>& out) const;

 private:
  void markRange(Engine::i32 side, Engine::i32 firstRow, Engine::i32 lastRow, Engine::i32 firstColumn,
                 Engine::i32 lastColumn);
  // The cells of the side that nothing living of that side stands before.
  void markExposed(Engine::i32 side);
  void collect(std::vector<Unit*>& out, bool livingOnly) const;

  const BattleServices* mBattle = nullptr;
  Engine::i32 mAreaMode = kNone;
  bool mMarks[kSides][BattleGrid::kRows][BattleGrid::kColumns] = {};
};

}  // namespace Game
