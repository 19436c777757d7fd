#pragma once

namespace Engine::Math {

// Row-major 3x3; vectors are columns. Rotations multiply on the right.
class Matrix33 {
 public:
  Matrix33() = default;  // elements unset

  float& operator()(int row, int column) { return m[row][column]; }
  float operator()(int row, int column) const { return m[row][column]; }

  void setIdentity();
  Matrix33& operator*=(const Matrix33& other);
  void setInverse(const Matrix33& other);
  void invert();
  void rotateX(float degrees);
  void rotateY(float degrees);
  void rotateZ(float degrees);

  float m[3][3];
};

}  // namespace Engine::Math
