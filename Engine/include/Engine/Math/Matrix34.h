#pragma once

#include "Engine/Math/Matrix33.h"
#include "Engine/Math/Vector3.h"

namespace Engine::Math {

// Row-major 3 rows by 4 columns: columns 0 to 2 the linear part, column 3 the
// translation, with an implicit last row (0, 0, 0, 1). Points are columns: p
// maps to M p. Transformations multiply on the right (this = this * T).
class Matrix34 {
 public:
  Matrix34() = default;  // elements unset

  float& operator()(int row, int column) { return m[row][column]; }
  float operator()(int row, int column) const { return m[row][column]; }
  bool operator==(const Matrix34& other) const;
  bool operator!=(const Matrix34& other) const { return !(*this == other); }

  void setIdentity();
  void setTranslation(float x, float y, float z);
  Matrix34& operator*=(const Matrix34& other);
  // The linear part times other; the translation stays.
  Matrix34& operator*=(const Matrix33& other);
  void multiply(Vector3* out, const Vector3& in) const;
  void multiply33(Vector3* out, const Vector3& in) const;
  void translate(const Vector3& v);
  void scale(const Vector3& v);
  void scale(float x, float y, float z);
  void rotateX(float degrees);
  void rotateY(float degrees);
  void rotateZ(float degrees);
  // The inverse of an affine matrix.
  void setInverse(const Matrix34& other);
  void invert();
  // The linear part transposed, the translation cleared: a rotation's inverse.
  void transpose33();
  void setViewTransform(const Vector3& eye, const Vector3& target, const Vector3& up);

  float m[3][4];
};

}  // namespace Engine::Math
