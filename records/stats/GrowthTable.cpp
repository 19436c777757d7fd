#include "records/stats/GrowthTable.h"

#include <algorithm>
#include <cmath>

#include "records/stats/StatMath.h"
#include "core/file/nml/NmlNode.h"

namespace Game {

using Engine::i32;
using Engine::i64;

namespace {

constexpr i32 kDefaultPoint = 50;

// The end row is written in hundredths of these ranges (the attributes but
// 霊力 as they stand).
constexpr i32 kEndScale[Parameters::kCount] = {5000, 9999, 30, 20, 10, 100, 100, 100, 100, 100, 100, 15};

i32 scaledEnd(i32 i, i32 written) {
  return StatMath::saturate(i64{written} * kEndScale[i] / 100);
}

// HP and LP start at a hundredth of their end, the others at a tenth.
i32 unscaledStart(i32 i, i32 end) { return i <= Parameters::kLp ? end / 100 : end / 10; }

}  // namespace

void GrowthTable::read(const NmlNode& node) {
  if (node.countChildren("point") > 0) {
    mPoint.read(*node.findChild("point"));
  } else {
    const NmlAttribute* line = node.findAttribute("point");
    const i32 all = line ? line->toInt(0) : kDefaultPoint;
    for (i32 i = 0; i < Parameters::kCount; ++i) {
      mPoint[i] = all;
    }
  }
  mEnd.clear();
  if (node.countChildren("end") > 0) {
    mEnd.read(*node.findChild("end"));
  }
  for (i32 i = 0; i < Parameters::kCount; ++i) {
    mEnd[i] = scaledEnd(i, mEnd[i]);
    const i32 start = unscaledStart(i, mEnd[i]);
    mStart[i] = StatMath::saturate(i64{start} * (150 - i64{mPoint[i]}) / 100);
  }
  buildCurves();
}

void GrowthTable::buildCurves() {
  // One quadratic from 0 at f = 0 to 1 at f = 1 that stands at point / 100
  // halfway: the higher the point, the sooner the growth (from a lower start).
  constexpr float kValues[] = {0.f, 1.f};
  constexpr float kDurations[] = {1.f};
  constexpr i32 kDegrees[] = {2};
  for (i32 i = 0; i < Parameters::kCount; ++i) {
    const float halfway = static_cast<float>(mPoint[i]) / 100.f;
    mCurves[static_cast<std::size_t>(i)].buildValue(0.5f, halfway, kDegrees, kValues, kDurations);
  }
}

float GrowthTable::progress(i32 i, float f) const {
  return std::clamp(mCurves[static_cast<std::size_t>(i)].valueAt(f), 0.f, 1.f);
}

Parameters GrowthTable::evaluate(float f) const {
  Parameters out;
  for (i32 i = 0; i < Parameters::kCount; ++i) {
    const float t = progress(i, f);
    out[i] = StatMath::truncate((1.f - t) * static_cast<float>(mStart[i]) + t * static_cast<float>(mEnd[i]));
  }
  const float e = (f + 0.8f) * 0.5f / 0.9f;
  for (i32 i = Parameters::kHp; i <= Parameters::kLp; ++i) {
    // A negative end has no real power: it counts as 0.
    const float v = std::pow(static_cast<float>(std::max(mEnd[i], 0)), e);
    out[i] = std::max(StatMath::truncate(0.5f * v + 0.5f * static_cast<float>(out[i])), 1);
  }
  return out;
}

}  // namespace Game
