#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "core/math/MathHelper.h"
#include "core/math/Range.h"

namespace Game {

// The box around the points added so far, one Range per axis.
struct Bounds {
  void add(const Engine::Math::Vector3& v) {
    x.add(v.x);
    y.add(v.y);
    z.add(v.z);
  }
  Engine::i32 count() const { return x.count; }
  Engine::Math::Vector3 min() const { return Engine::Math::Vector3(x.min, y.min, z.min); }
  Engine::Math::Vector3 max() const { return Engine::Math::Vector3(x.max, y.max, z.max); }
  Engine::Math::Vector3 center() const {
    Engine::Math::Vector3 middle;
    MathHelper::lerpVector(&middle, 0.5f, min(), max());
    return middle;
  }

  Range x;
  Range y;
  Range z;
};

}  // namespace Game
