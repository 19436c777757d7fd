#pragma once

#include "Engine/Math/Matrix34.h"
#include "Engine/Math/Vector3.h"
#include "Engine/Math/Vector4.h"

namespace Engine::Math {

// Row-major 4x4; points are columns.
class Matrix44 {
 public:
  Matrix44() = default;  // elements unset

  float& operator()(int row, int column) { return m[row][column]; }
  float operator()(int row, int column) const { return m[row][column]; }
  bool operator==(const Matrix44& other) const;
  bool operator!=(const Matrix44& other) const { return !(*this == other); }

  void setIdentity();
  // a * b, b with its implicit last row (0, 0, 0, 1).
  void setMul(const Matrix44& a, const Matrix34& b);
  // M (x, y, z, 1).
  void multiply(Vector4* out, const Vector3& in) const;
  void multiplyViewTransform(const Vector3& eye, const Vector3& target, const Vector3& up);
  void setOrthogonalTransform(float p1, float p2, float p3, float p4, float p5, float p6);
  // View depth -near maps to 0 and -far to 1 after the division by w; with
  // linearDepth the depth row is 1 / (near - far) instead of far / (near - far).
  void setPerspectiveTransform(float fieldOfViewY, float width, float height, float nearClip, float farClip,
                               bool linearDepth);

  float m[4][4];
};

}  // namespace Engine::Math
