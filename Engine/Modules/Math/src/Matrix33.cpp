#include "Engine/Math/Matrix33.h"

#include "Math/src/LinearPart.h"

namespace Engine::Math {

void Matrix33::setIdentity() { LinearPart::setIdentity(m); }

Matrix33& Matrix33::operator*=(const Matrix33& other) {
  const Matrix33 right = other;  // other may be this
  LinearPart::multiply(m, right.m);
  return *this;
}

void Matrix33::setInverse(const Matrix33& other) {
  const Matrix33 source = other;
  LinearPart::invert(source.m, m);
}

void Matrix33::invert() { setInverse(*this); }

void Matrix33::rotateX(float degrees) { LinearPart::rotate(m, 1, 2, degrees); }
void Matrix33::rotateY(float degrees) { LinearPart::rotate(m, 2, 0, degrees); }
void Matrix33::rotateZ(float degrees) { LinearPart::rotate(m, 0, 1, degrees); }

}  // namespace Engine::Math
