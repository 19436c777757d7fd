#include "presentation/model/Polygon.h"

#include "core/math/MathHelper.h"

namespace Game {

using Engine::i32;
using Engine::Math::Vector3;

using Engine::u32;

namespace {

constexpr i32 kInitialCapacity = 16;

}  // namespace

Polygon::Polygon() : mCorners(kInitialCapacity) {}

Polygon::Polygon(const Polygon& other) { *this = other; }

Polygon& Polygon::operator=(const Polygon& other) {
  if (&other != this) {
    mCorners.assign(other.mCorners);
    mCount = other.mCount;
  }
  return *this;
}

void Polygon::add(const Vector3& v) {
  if (mCount == static_cast<i32>(mCorners.size())) {
    Array2D<Vector3> larger(mCount < kInitialCapacity ? kInitialCapacity : mCount * 2);
    for (i32 i = 0; i < mCount; ++i) {
      larger.at(static_cast<u32>(i)) = mCorners.at(static_cast<u32>(i));
    }
    mCorners.assign(larger);
  }
  mCorners.at(static_cast<u32>(mCount++)) = v;
}

void Polygon::scale(float f) {
  for (i32 i = 0; i < mCount; ++i) {
    mCorners.at(static_cast<u32>(i)) *= f;
  }
}

void Polygon::edge(i32 i, Vector3* outA, Vector3* outB) const {
  if (mCount == 0) {
    return;
  }
  const i32 first = (i % mCount + mCount) % mCount;
  *outA = corner(first);
  *outB = corner((first + 1) % mCount);
}

bool MathHelper::polygonNormal(Vector3* out, const Polygon& polygon) {
  if (polygon.count() < 3) {
    return false;
  }
  return planeNormal(out, polygon.corner(0), polygon.corner(1), polygon.corner(2));
}

}  // namespace Game
