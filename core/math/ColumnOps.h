#pragma once

#include "Engine/Base/Types.h"
#include "core/container/Array2D.h"

// Column operations on a matrix kept as an Array2D (x the row, y the column),
// with which the curve fitter solves its linear systems.
namespace Game::MathHelper {

// Exchanges columns a and b in every row.
void swapColumns(Array2D<float>& m, Engine::i32 a, Engine::i32 b);
// Divides column col by m[row][col], then sets m[row][col] to exactly 1.
void normaliseColumn(Array2D<float>& m, Engine::i32 col, Engine::i32 row);
// Subtracts the multiple of column b that clears m[row][a] from column a;
// elements that the subtraction would clear exactly are set to 0.
void eliminate(Array2D<float>& m, Engine::i32 a, Engine::i32 b, Engine::i32 row);

}  // namespace Game::MathHelper
