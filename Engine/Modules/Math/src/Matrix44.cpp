#include "Engine/Math/Matrix44.h"

namespace Engine::Math {

bool Matrix44::operator==(const Matrix44& other) const {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      if (m[r][c] != other.m[r][c]) {
        return false;
      }
    }
  }
  return true;
}

void Matrix44::setIdentity() {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      m[r][c] = r == c ? 1.f : 0.f;
    }
  }
}

void Matrix44::setMul(const Matrix44& a, const Matrix34& b) {
  const Matrix44 left = a;  // a may be this
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      const float lastRow = c == 3 ? left.m[r][3] : 0.f;
      m[r][c] = left.m[r][0] * b.m[0][c] + left.m[r][1] * b.m[1][c] + left.m[r][2] * b.m[2][c] + lastRow;
    }
  }
}

void Matrix44::multiply(Vector4* out, const Vector3& in) const {
  const Vector3 v = in;
  for (int r = 0; r < 4; ++r) {
    (*out)[r] = m[r][0] * v.x + m[r][1] * v.y + m[r][2] * v.z + m[r][3];
  }
}

void Matrix44::multiplyViewTransform(const Vector3& eye, const Vector3& target, const Vector3& up) {
  Matrix34 view;
  view.setViewTransform(eye, target, up);
  setMul(*this, view);
}

void Matrix44::setOrthogonalTransform(float p1, float p2, float p3, float p4, float p5, float p6) {
  *this = Matrix44{};
  m[0][0] = -2.f / (p1 - p2);
  m[0][3] = 1.f - p2 * m[0][0];
  m[1][1] = -2.f / (p3 - p4);
  m[1][3] = 1.f - p4 * m[1][1];
  m[2][2] = 1.f / (p5 - p6);
  m[2][3] = -p6 * m[2][2];
  m[3][3] = 1.f;
}

void Matrix44::setPerspectiveTransform(float fieldOfViewY, float width, float height, float nearClip, float farClip,
                                       bool linearDepth) {
  *this = Matrix44{};
  const float f = 1.f / Math::tan(fieldOfViewY / 2.f);
  m[0][0] = f * height / width;
  m[1][1] = f;
  m[2][2] = linearDepth ? 1.f / (nearClip - farClip) : farClip / (nearClip - farClip);
  m[2][3] = nearClip * m[2][2];
  m[3][2] = -1.f;
}

}  // namespace Engine::Math
