#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "effect/bank/Piece.h"

namespace Game {

class SceneNodePool;
class Unit;

namespace Effect::Bank {

// Cell k of ring r of the honeycomb in the y–z plane (x = 0): ring r has
// 6r cells (1 for r = 0) on a hexagon with corners at (±h·r, 0) and
// (±h·r/2, ±48·r), h = √3·32, neighbours h apart.
Engine::Math::Vector3 barrierCell(Engine::i32 ring, Engine::i32 cell);
// Cells in ring r.
Engine::i32 barrierCellCount(Engine::i32 ring);

// A honeycomb wall of model 0 standing across a direction.
class Barrier {
 public:
  Barrier();
  // rings of cells scaled and turned to face along direction about centre,
  // coloured (packed ARGB), ring r starting 3·r frames late.
  void launchGrid(SceneNodePool& pool, const Engine::Math::Vector3& centre, const Engine::Math::Vector3& direction,
                  float scale, Engine::i32 rings, Engine::u32 colour) const;
  // Three rings half the unit's size to its right, facing that way.
  void launchAt(const Unit& unit, Engine::u32 colour) const;

 private:
  PieceSet mSet;
};

}  // namespace Effect::Bank
}  // namespace Game
