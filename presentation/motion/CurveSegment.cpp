#include "presentation/motion/CurveSegment.h"

#include <algorithm>
#include <cmath>

#include "presentation/motion/CurveConstraint.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kUnknowns = 4;  // a3, a2, a1, a0
constexpr i32 kColumns = kUnknowns + 1;
// A pivot smaller than this share of its column's largest entry is taken as
// zero: the condition it would carry repeats or contradicts earlier ones.
constexpr double kPivotTolerance = 1e-12;

using System = double[kUnknowns][kColumns];

// The row of one condition on p(u) = a3·u³ + a2·u² + a1·u + a0.
void fillRow(double* row, const CurveConstraint& c, double u) {
  switch (c.kind) {
    case CurveConstraint::kValue:
      row[0] = u * u * u, row[1] = u * u, row[2] = u, row[3] = 1.0;
      break;
    case CurveConstraint::kVelocity:
      row[0] = 3.0 * u * u, row[1] = 2.0 * u, row[2] = 1.0, row[3] = 0.0;
      break;
    case CurveConstraint::kAccel:
      row[0] = 6.0 * u, row[1] = 2.0, row[2] = 0.0, row[3] = 0.0;
      break;
    default:
      return;  // an unset condition leaves its row zero
  }
  row[4] = c.value;
}

// Gauss–Jordan elimination with partial pivoting. Unknowns without a usable
// pivot are free and take 0, so an under-determined or singular system still
// gives a finite answer that meets every independent condition.
void solveSystem(System m, double* out) {
  double scale[kUnknowns] = {};
  for (i32 col = 0; col < kUnknowns; ++col) {
    for (i32 r = 0; r < kUnknowns; ++r) {
      scale[col] = std::max(scale[col], std::fabs(m[r][col]));
    }
  }
  bool taken[kUnknowns] = {};
  i32 pivotRow[kUnknowns] = {-1, -1, -1, -1};
  for (i32 col = 0; col < kUnknowns; ++col) {
    i32 best = -1;
    double bestSize = kPivotTolerance * scale[col];
    for (i32 r = 0; r < kUnknowns; ++r) {
      if (!taken[r] && std::fabs(m[r][col]) > bestSize) {
        best = r;
        bestSize = std::fabs(m[r][col]);
      }
    }
    if (best < 0) {
      continue;
    }
    taken[best] = true;
    pivotRow[col] = best;
    const double pivot = m[best][col];
    for (i32 k = 0; k < kColumns; ++k) {
      m[best][k] /= pivot;
    }
    for (i32 r = 0; r < kUnknowns; ++r) {
      const double factor = m[r][col];
      if (r == best || factor == 0.0) {
        continue;
      }
      for (i32 k = 0; k < kColumns; ++k) {
        m[r][k] -= factor * m[best][k];
      }
      m[r][col] = 0.0;
    }
  }
  for (i32 col = 0; col < kUnknowns; ++col) {
    out[col] = pivotRow[col] < 0 ? 0.0 : m[pivotRow[col]][kUnknowns];
  }
}

float finiteOrZero(double v) {
  const float f = static_cast<float>(v);
  return std::isfinite(f) ? f : 0.f;
}

}  // namespace

void CurveSegment::solve(const ConstraintList& constraints, i32 degree, float startTime, float end) {
  degree = std::clamp(degree, kMinDegree, kMaxDegree);
  // Solved in time since the start, where the system is well conditioned,
  // then expanded to absolute time.
  System m = {};
  const i32 fixedRows = kMaxDegree - degree;  // rows pinning c3 (and c2) to 0
  for (i32 r = 0; r < fixedRows; ++r) {
    m[r][r] = 1.0;
  }
  for (i32 r = fixedRows, i = 0; r < kUnknowns && i < constraints.count(); ++r, ++i) {
    const CurveConstraint& c = constraints.at(i);
    fillRow(m[r], c, static_cast<double>(c.time) - startTime);
  }
  double a[kUnknowns];
  solveSystem(m, a);
  const double s = startTime;
  c3 = finiteOrZero(a[0]);
  c2 = finiteOrZero(a[1] - 3.0 * a[0] * s);
  c1 = finiteOrZero(a[2] - 2.0 * a[1] * s + 3.0 * a[0] * s * s);
  c0 = finiteOrZero(a[3] - a[2] * s + a[1] * s * s - a[0] * s * s * s);
  endTime = end;
}

}  // namespace Game
