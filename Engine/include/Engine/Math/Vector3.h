#pragma once

#include "Engine/Math/Functions.h"

namespace Engine::Math {

class Vector3 {
 public:
  Vector3() = default;  // components unset
  Vector3(float ax, float ay, float az) : x(ax), y(ay), z(az) {}
  explicit Vector3(float v) : x(v), y(v), z(v) {}

  void set(float ax, float ay, float az) {
    x = ax;
    y = ay;
    z = az;
  }
  Vector3& operator=(float v) {
    x = y = z = v;
    return *this;
  }
  Vector3& operator+=(const Vector3& v) {
    set(x + v.x, y + v.y, z + v.z);
    return *this;
  }
  Vector3& operator+=(float f) {
    set(x + f, y + f, z + f);
    return *this;
  }
  Vector3& operator-=(const Vector3& v) {
    set(x - v.x, y - v.y, z - v.z);
    return *this;
  }
  Vector3& operator*=(const Vector3& v) {
    set(x * v.x, y * v.y, z * v.z);
    return *this;
  }
  Vector3& operator*=(float f) {
    set(x * f, y * f, z * f);
    return *this;
  }
  void setSub(const Vector3& a, const Vector3& b) { set(a.x - b.x, a.y - b.y, a.z - b.z); }
  void setMul(const Vector3& a, const Vector3& b) { set(a.x * b.x, a.y * b.y, a.z * b.z); }
  // a * b + c, per component.
  void madd(const Vector3& a, const Vector3& b, const Vector3& c) {
    set(a.x * b.x + c.x, a.y * b.y + c.y, a.z * b.z + c.z);
  }
  void setCross(const Vector3& a, const Vector3& b) {
    set(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
  }
  float dot(const Vector3& v) const { return x * v.x + y * v.y + z * v.z; }
  float squareLength() const { return dot(*this); }
  float length() const { return Math::sqrt(squareLength()); }
  // Not guarded: a zero vector gives non-finite components.
  void normalize() { *this *= 1.f / length(); }
  void setMax(const Vector3& v) { set(Math::max(x, v.x), Math::max(y, v.y), Math::max(z, v.z)); }
  void setMin(const Vector3& v) { set(Math::min(x, v.x), Math::min(y, v.y), Math::min(z, v.z)); }

  float x, y, z;
};

}  // namespace Engine::Math
