#include "Engine/Math/Matrix34.h"

#include "Math/src/LinearPart.h"

namespace Engine::Math {

bool Matrix34::operator==(const Matrix34& other) const {
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) {
      if (m[r][c] != other.m[r][c]) {
        return false;
      }
    }
  }
  return true;
}

void Matrix34::setIdentity() { LinearPart::setIdentity(m); }

void Matrix34::setTranslation(float x, float y, float z) {
  setIdentity();
  m[0][3] = x;
  m[1][3] = y;
  m[2][3] = z;
}

Matrix34& Matrix34::operator*=(const Matrix34& other) {
  const Matrix34 right = other;  // other may be this
  Vector3 translation;
  multiply(&translation, Vector3(right.m[0][3], right.m[1][3], right.m[2][3]));
  float linear[3][3];
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      linear[r][c] = right.m[r][c];
    }
  }
  LinearPart::multiply(m, linear);
  m[0][3] = translation.x;
  m[1][3] = translation.y;
  m[2][3] = translation.z;
  return *this;
}

Matrix34& Matrix34::operator*=(const Matrix33& other) {
  LinearPart::multiply(m, other.m);
  return *this;
}

void Matrix34::multiply(Vector3* out, const Vector3& in) const {
  multiply33(out, in);
  *out += Vector3(m[0][3], m[1][3], m[2][3]);
}

void Matrix34::multiply33(Vector3* out, const Vector3& in) const {
  const Vector3 v = in;  // in may be *out
  out->set(m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z, m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
           m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z);
}

void Matrix34::translate(const Vector3& v) {
  Vector3 moved;
  multiply(&moved, v);
  m[0][3] = moved.x;
  m[1][3] = moved.y;
  m[2][3] = moved.z;
}

void Matrix34::scale(const Vector3& v) { scale(v.x, v.y, v.z); }

void Matrix34::scale(float x, float y, float z) {
  for (auto& row : m) {
    row[0] *= x;
    row[1] *= y;
    row[2] *= z;
  }
}

void Matrix34::rotateX(float degrees) { LinearPart::rotate(m, 1, 2, degrees); }
void Matrix34::rotateY(float degrees) { LinearPart::rotate(m, 2, 0, degrees); }
void Matrix34::rotateZ(float degrees) { LinearPart::rotate(m, 0, 1, degrees); }

void Matrix34::setInverse(const Matrix34& other) {
  const Matrix34 source = other;  // other may be this
  LinearPart::invert(source.m, m);
  m[0][3] = m[1][3] = m[2][3] = 0.f;
  Vector3 translation;
  multiply33(&translation, Vector3(source.m[0][3], source.m[1][3], source.m[2][3]));
  m[0][3] = -translation.x;
  m[1][3] = -translation.y;
  m[2][3] = -translation.z;
}

void Matrix34::invert() { setInverse(*this); }

void Matrix34::transpose33() {
  for (int r = 0; r < 3; ++r) {
    for (int c = r + 1; c < 3; ++c) {
      const float swapped = m[r][c];
      m[r][c] = m[c][r];
      m[c][r] = swapped;
    }
    m[r][3] = 0.f;
  }
}

void Matrix34::setViewTransform(const Vector3& eye, const Vector3& target, const Vector3& up) {
  Vector3 z;
  z.setSub(eye, target);
  z.normalize();
  Vector3 x;
  x.setCross(up, z);
  x.normalize();
  Vector3 y;
  y.setCross(z, x);
  const Vector3* axes[3] = {&x, &y, &z};
  for (int r = 0; r < 3; ++r) {
    m[r][0] = axes[r]->x;
    m[r][1] = axes[r]->y;
    m[r][2] = axes[r]->z;
    m[r][3] = -axes[r]->dot(eye);
  }
}

}  // namespace Engine::Math
