#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class Ability;
class BattleServices;
class TargetArea;
class Unit;

// An art's side selector is its type: an attack (攻撃) aims at the other
// side, a support art (補助) at its user's own.
bool aimsAtOwnSide(const Ability& art);

// What stands around a cell, each count less 2 and at least 0: allies the
// cell stands in front of, allies it stands behind, allies far from it and
// allies in its row.
struct CellSurroundings {
  Engine::i32 front = 0;
  Engine::i32 back = 0;
  Engine::i32 far = 0;
  Engine::i32 row = 0;
  bool operator==(const CellSurroundings&) const = default;
};

// How the units of one side cover one another on its 3 × 5 cells (row 0 in
// front). Cells are marked, then compute() derives the counts the queries
// read. A cell outside the grid is never marked, counts nothing and is
// neither exposed nor stacked.
class BattleGrid {
 public:
  static constexpr Engine::i32 kRows = 3;
  static constexpr Engine::i32 kColumns = 5;

  static bool isInside(Engine::i32 row, Engine::i32 column) {
    return row >= 0 && row < kRows && column >= 0 && column < kColumns;
  }

  // Cleared; the cells of the side's living units marked; computed.
  void markLivingUnits(const BattleServices& battle, Engine::i32 side);
  void set(Engine::i32 row, Engine::i32 column);
  void clear();
  // Derives the counts from the marks; nothing to do when they are current.
  void compute();

  bool isOccupied(Engine::i32 row, Engine::i32 column) const;
  // Living units in the rows before the cell within one column.
  Engine::i32 cover(Engine::i32 row, Engine::i32 column) const;
  void cellSurroundings(CellSurroundings& out, Engine::i32 row, Engine::i32 column) const;
  // Nothing stands in front of the cell within one column.
  bool isExposed(Engine::i32 row, Engine::i32 column) const;
  // Two or more stand there.
  bool isStacked(Engine::i32 row, Engine::i32 column) const;

  // Marks the art's reach from the unit's cell on the side the art aims at
  // (its own for a support art, the other for an attack); an empty ability
  // marks the unit's own cell.
  static void markAbilityArea(TargetArea& area, const Unit& unit, const Ability& art);

 private:
  using CellCounts = Engine::i32[kRows][kColumns];
  struct Counts {
    CellCounts cover = {};
    CellCounts nearFront = {};
    CellCounts nearBack = {};
    CellCounts far = {};
    CellCounts sameRow = {};
  };

  void addOccupant(Engine::i32 row, Engine::i32 column);
  void addNear(Engine::i32 row, Engine::i32 column);
  static Engine::i32 surrounding(const CellCounts& counts, Engine::i32 row, Engine::i32 column);

  bool mOccupied[kRows][kColumns] = {};
  Counts mCounts;
  bool mComputed = true;
};

}  // namespace Game
