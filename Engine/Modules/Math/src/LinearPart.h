#pragma once

// Shared work on the 3x3 linear part of the math module's matrices, whatever
// their row length.

#include "Engine/Math/Functions.h"

namespace Engine::Math::LinearPart {

template <int kColumns>
void setIdentity(float (&m)[3][kColumns]) {
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      m[r][c] = r == c ? 1.f : 0.f;
    }
  }
}

// Right-multiplies by a rotation in the plane of columns a and b:
// column a becomes a c + b s and column b becomes -a s + b c.
template <int kColumns>
void rotate(float (&m)[3][kColumns], int a, int b, float degrees) {
  const float c = Math::cos(degrees);
  const float s = Math::sin(degrees);
  for (auto& row : m) {
    const float ma = row[a];
    const float mb = row[b];
    row[a] = ma * c + mb * s;
    row[b] = mb * c - ma * s;
  }
}

// this = this * other, over the linear part only.
template <int kColumns>
void multiply(float (&m)[3][kColumns], const float (&other)[3][3]) {
  for (auto& row : m) {
    const float r0 = row[0];
    const float r1 = row[1];
    const float r2 = row[2];
    for (int c = 0; c < 3; ++c) {
      row[c] = r0 * other[0][c] + r1 * other[1][c] + r2 * other[2][c];
    }
  }
}

// Inverse by cofactors over the determinant (not guarded against 0).
template <int kIn, int kOut>
void invert(const float (&in)[3][kIn], float (&out)[3][kOut]) {
  const float c00 = in[1][1] * in[2][2] - in[1][2] * in[2][1];
  const float c10 = in[1][2] * in[2][0] - in[1][0] * in[2][2];
  const float c20 = in[1][0] * in[2][1] - in[1][1] * in[2][0];
  const float inverseDeterminant = 1.f / (in[0][0] * c00 + in[0][1] * c10 + in[0][2] * c20);
  const float result[3][3] = {
      {c00, in[0][2] * in[2][1] - in[0][1] * in[2][2], in[0][1] * in[1][2] - in[0][2] * in[1][1]},
      {c10, in[0][0] * in[2][2] - in[0][2] * in[2][0], in[0][2] * in[1][0] - in[0][0] * in[1][2]},
      {c20, in[0][1] * in[2][0] - in[0][0] * in[2][1], in[0][0] * in[1][1] - in[0][1] * in[1][0]},
  };
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      out[r][c] = result[r][c] * inverseDeterminant;
    }
  }
}

}  // namespace Engine::Math::LinearPart
