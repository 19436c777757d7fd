#pragma once

#include "Engine/Math/Functions.h"

namespace Engine::Math {

class Vector2 {
 public:
  Vector2() = default;  // components unset
  Vector2(float ax, float ay) : x(ax), y(ay) {}
  explicit Vector2(float v) : x(v), y(v) {}

  void set(float ax, float ay) {
    x = ax;
    y = ay;
  }
  Vector2& operator=(float v) {
    x = y = v;
    return *this;
  }
  Vector2& operator+=(const Vector2& v) {
    x += v.x;
    y += v.y;
    return *this;
  }
  Vector2& operator*=(float f) {
    x *= f;
    y *= f;
    return *this;
  }
  void setSub(const Vector2& a, const Vector2& b) { set(a.x - b.x, a.y - b.y); }
  float squareLength() const { return x * x + y * y; }
  // Not guarded: a zero vector gives non-finite components.
  void normalize() { *this *= 1.f / Math::sqrt(squareLength()); }

  float x, y;
};

}  // namespace Engine::Math
