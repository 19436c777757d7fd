#pragma once

#include "Engine/Math/Vector3.h"

namespace Engine::Math {

class Vector4 {
 public:
  Vector4() = default;  // components unset
  Vector4(float ax, float ay, float az, float aw) : x(ax), y(ay), z(az), w(aw) {}
  explicit Vector4(float v) : x(v), y(v), z(v), w(v) {}

  void set(float ax, float ay, float az, float aw) {
    x = ax;
    y = ay;
    z = az;
    w = aw;
  }
  // A point: w = 1.
  Vector4& operator=(const Vector3& v) {
    set(v.x, v.y, v.z, 1.f);
    return *this;
  }
  float& operator[](int i) { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }
  float operator[](int i) const { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }

  float x, y, z, w;
};

}  // namespace Engine::Math
