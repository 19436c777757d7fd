#include "presentation/motion/Curve.h"

#include <algorithm>

#include "Engine/Base/Assert.h"
#include "core/math/MathHelper.h"

namespace Game {

using Engine::i32;
using Engine::u32;

Curve& Curve::operator=(const Curve& other) {
  if (this != &other) {
    mSegments.assign(other.mSegments);
    mConstant = other.mConstant;
    mOffset = other.mOffset;
  }
  return *this;
}

namespace {

i32 clampedDegree(i32 degree) {
  return std::clamp(degree, CurveSegment::kMinDegree, CurveSegment::kMaxDegree);
}

// The first segment that ends at or after every extra point; with a point
// past the last key, the last segment.
i32 findAnchor(std::span<const float> keyTimes, i32 segmentCount, const ConstraintList& points) {
  if (points.count() == 0) {
    return 0;
  }
  float latest = points.at(0).time;
  for (i32 i = 1; i < points.count(); ++i) {
    latest = std::max(latest, points.at(i).time);
  }
  for (i32 s = 0; s < segmentCount; ++s) {
    if (keyTimes[static_cast<u32>(s + 1)] >= latest) {
      return s;
    }
  }
  return segmentCount - 1;
}

CurveConstraint placed(const CurveConstraint& key, float time) { return {key.kind, key.value, time}; }

}  // namespace

void Curve::build(std::span<const CurveConstraint> keys, std::span<const float> keyTimes,
                  std::span<const i32> degrees, const ConstraintList& points) {
  ENGINE_ASSERT(keyTimes.size() == keys.size() && "Curve::build() : one time for every key.");
  mSegments.clear();
  if (keys.empty()) {
    return;
  }
  const i32 segmentCount = static_cast<i32>(keys.size()) - 1;
  ENGINE_ASSERT(degrees.size() >= static_cast<std::size_t>(segmentCount) &&
                "Curve::build() : one degree for every segment.");
  if (segmentCount == 0) {
    mConstant = keys[0].value;
    return;
  }
  mSegments.setSize(segmentCount);
  const i32 anchor = findAnchor(keyTimes, segmentCount, points);
  solveAnchor(anchor, keys, keyTimes, clampedDegree(degrees[static_cast<u32>(anchor)]), points);
  for (i32 s = anchor + 1; s < segmentCount; ++s) {
    solveJoined(s, s - 1, keys, keyTimes, clampedDegree(degrees[static_cast<u32>(s)]), points);
  }
  for (i32 s = anchor - 1; s >= 0; --s) {
    solveJoined(s, s + 1, keys, keyTimes, clampedDegree(degrees[static_cast<u32>(s)]), points);
  }
}

void Curve::solveAnchor(i32 s, std::span<const CurveConstraint> keys, std::span<const float> keyTimes, i32 degree,
                        const ConstraintList& points) {
  const float start = keyTimes[static_cast<u32>(s)];
  const float end = keyTimes[static_cast<u32>(s + 1)];
  ConstraintList list(degree + 1);
  if (degree > 1) {
    for (i32 i = 0; i < points.count(); ++i) {
      list.add(points.at(i));
    }
  }
  list.add(placed(keys[static_cast<u32>(s)], start));
  list.add(placed(keys[static_cast<u32>(s + 1)], end));
  mSegments.at(static_cast<u32>(s)).solve(list, degree, start, end);
}

void Curve::solveJoined(i32 s, i32 neighbour, std::span<const CurveConstraint> keys,
                        std::span<const float> keyTimes, i32 degree, const ConstraintList& points) {
  const float start = keyTimes[static_cast<u32>(s)];
  const float end = keyTimes[static_cast<u32>(s + 1)];
  ConstraintList list(degree + 1);
  list.add(placed(keys[static_cast<u32>(s)], start));
  list.add(placed(keys[static_cast<u32>(s + 1)], end));
  if (degree > 1) {
    for (i32 i = 0; i < points.count(); ++i) {
      const CurveConstraint& p = points.at(i);
      if (p.time >= start && p.time <= end) {
        list.add(p);
      }
    }
  }
  // Continuity with the solved neighbour where they meet; a key that already
  // fixes the value there pushes the value condition out as a duplicate.
  const CurveSegment& solved = mSegments.at(static_cast<u32>(neighbour));
  const float join = neighbour < s ? start : end;
  list.add(CurveConstraint::kValue, solved.value(join), join);
  list.add(CurveConstraint::kVelocity, solved.velocity(join), join);
  list.add(CurveConstraint::kAccel, solved.accel(join), join);
  mSegments.at(static_cast<u32>(s)).solve(list, degree, start, end);
}

void Curve::buildFromValues(const ConstraintList& points, std::span<const i32> degrees,
                            std::span<const float> values, std::span<const float> durations) {
  ENGINE_ASSERT((values.empty() || durations.size() + 1 == values.size()) &&
                "Curve::buildFromValues() : one duration between every two values.");
  const i32 count = static_cast<i32>(values.size());
  Array2D<CurveConstraint> keys(count);
  Array2D<float> times(count);
  float time = 0.f;
  for (i32 i = 0; i < count; ++i) {
    keys.at(static_cast<u32>(i)) = {CurveConstraint::kValue, values[static_cast<u32>(i)], 0.f};
    times.at(static_cast<u32>(i)) = time;
    if (i + 1 < count) {
      time += durations[static_cast<u32>(i)];
    }
  }
  build({keys.data(), keys.size()}, {times.data(), times.size()}, degrees, points);
}

void Curve::scale(float f) {
  for (u32 i = 0; i < mSegments.size(); ++i) {
    CurveSegment& s = mSegments.at(i);
    s.c0 *= f;
    s.c1 *= f;
    s.c2 *= f;
    s.c3 *= f;
  }
  mConstant *= f;
}

float Curve::length() const { return mSegments.size() == 0 ? 0.f : mSegments.last().endTime; }

const CurveSegment* Curve::locate(float t, float* localTime) const {
  if (mSegments.size() == 0) {
    return nullptr;
  }
  const float wrapped = MathHelper::wrap(t + mOffset, length());
  if (!(t > 0.f && wrapped == 0.f)) {
    for (u32 i = 0; i < mSegments.size(); ++i) {
      if (mSegments.at(i).endTime > wrapped) {
        *localTime = wrapped;
        return &mSegments.at(i);
      }
    }
  }
  // The loop's end; also where a loop of no length (every key at one time)
  // leaves no segment to fall in.
  *localTime = mSegments.last().endTime;
  return &mSegments.last();
}

float Curve::valueAt(float t) const {
  float local = 0.f;
  const CurveSegment* s = locate(t, &local);
  return s ? s->value(local) : mConstant;
}

float Curve::velocityAt(float t) const {
  float local = 0.f;
  const CurveSegment* s = locate(t, &local);
  return s ? s->velocity(local) : 0.f;
}

float Curve::accelAt(float t) const {
  float local = 0.f;
  const CurveSegment* s = locate(t, &local);
  return s ? s->accel(local) : 0.f;
}

float Curve::endValue() const {
  return mSegments.size() == 0 ? mConstant : mSegments.last().value(mSegments.last().endTime);
}

float Curve::endVelocity() const {
  return mSegments.size() == 0 ? 0.f : mSegments.last().velocity(mSegments.last().endTime);
}

float Curve::endAccel() const {
  return mSegments.size() == 0 ? 0.f : mSegments.last().accel(mSegments.last().endTime);
}

}  // namespace Game
