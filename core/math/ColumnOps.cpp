#include "core/math/ColumnOps.h"

namespace Game::MathHelper {

using Engine::i32;

void swapColumns(Array2D<float>& m, i32 a, i32 b) {
  if (a == b) {
    return;
  }
  for (i32 r = 0; r < m.sizeX(); ++r) {
    const float kept = m.atXY(r, a);
    m.atXY(r, a) = m.atXY(r, b);
    m.atXY(r, b) = kept;
  }
}

void normaliseColumn(Array2D<float>& m, i32 col, i32 row) {
  const float pivot = m.atXY(row, col);
  for (i32 r = 0; r < m.sizeX(); ++r) {
    m.atXY(r, col) /= pivot;
  }
  m.atXY(row, col) = 1.f;
}

void eliminate(Array2D<float>& m, i32 a, i32 b, i32 row) {
  // The pivot row's own elements are read once: the loop clears m[row][a].
  const float rowA = m.atXY(row, a);
  const float rowB = m.atXY(row, b);
  if (a == b || rowA == 0.f) {
    return;
  }
  const float factor = rowA / rowB;
  for (i32 r = 0; r < m.sizeX(); ++r) {
    if (m.atXY(r, a) * rowB == rowA * m.atXY(r, b)) {
      m.atXY(r, a) = 0.f;
    } else {
      m.atXY(r, a) -= factor * m.atXY(r, b);
    }
  }
}

}  // namespace Game::MathHelper
