#include "core/math/MathHelper.h"

#include <cmath>

#include "Engine/Base/Assert.h"
#include "Engine/Math/Matrix33.h"

namespace Game::MathHelper {

using Engine::i32;
using Engine::i64;
using Engine::Math::Vector3;

float lerp(float t, float a, float b) { return a * (1.f - t) + b * t; }

float bezierScalar(float t, float p0, float p1, float p2) { return lerp(t, lerp(t, p0, p1), lerp(t, p1, p2)); }

float bezierTangentScalar(float t, float p0, float p1, float p2) {
  return 2.f * t * (p0 - 2.f * p1 + p2) - 2.f * (p0 - p1);
}

void lerpVector(Vector3* out, float t, const Vector3& a, const Vector3& b) {
  out->set(lerp(t, a.x, b.x), lerp(t, a.y, b.y), lerp(t, a.z, b.z));
}

void bezier(Vector3* out, float t, const Vector3& p0, const Vector3& p1, const Vector3& p2) {
  out->set(bezierScalar(t, p0.x, p1.x, p2.x), bezierScalar(t, p0.y, p1.y, p2.y), bezierScalar(t, p0.z, p1.z, p2.z));
}

void bezierTangent(Vector3* out, float t, const Vector3& p0, const Vector3& p1, const Vector3& p2) {
  out->set(bezierTangentScalar(t, p0.x, p1.x, p2.x), bezierTangentScalar(t, p0.y, p1.y, p2.y),
           bezierTangentScalar(t, p0.z, p1.z, p2.z));
}

float softSign(float x, float a, float b) { return a * x / (std::fabs(x) + b); }

float falloff(float a, float value, float d) {
  if (d == 0.f) {
    return value;
  }
  return value * a * a / (d * d + a * a);
}

float saturate(float x, float top, float knee) {
  if (knee == 0.f) {
    return top;
  }
  const float squared = x * x;
  return top * squared / (knee * knee + squared);
}

void directionFromAngles(Vector3* out, float yaw, float pitch) {
  const float flat = Engine::Math::cos(pitch);
  out->set(flat * Engine::Math::cos(yaw), flat * Engine::Math::sin(yaw), Engine::Math::sin(pitch));
}

void anglesFromDirection(float* outPitch, float* outYaw, const Vector3& direction) {
  *outYaw = Engine::Math::atan2(direction.x, direction.z);
  const float flat = Engine::Math::sqrt(direction.x * direction.x + direction.z * direction.z);
  *outPitch = -Engine::Math::atan2(direction.y, flat);
}

void rotateByAngles(Vector3* out, const Vector3& in, float x, float y, float z) {
  Engine::Math::Matrix33 rotation;
  rotation.setIdentity();
  rotation.rotateY(y);
  rotation.rotateX(x);
  rotation.rotateZ(z);
  const auto& m = rotation.m;
  out->set(m[0][0] * in.x + m[0][1] * in.y + m[0][2] * in.z, m[1][0] * in.x + m[1][1] * in.y + m[1][2] * in.z,
           m[2][0] * in.x + m[2][1] * in.y + m[2][2] * in.z);
}

namespace {

// Beyond this many periods the value is first reduced exactly with fmod, so a
// far value cannot keep the loop below busy (or stuck where adding a period
// no longer changes the float).
constexpr float kPeriodsStepped = 64.f;

}  // namespace

float wrap(float value, float period) {
  if (!(period > 0.f) || !std::isfinite(value) || !std::isfinite(period)) {
    return value;
  }
  if (std::fabs(value) > kPeriodsStepped * period) {
    value = std::fmod(value, period);
  }
  while (value < 0.f) {
    value += period;
  }
  while (value >= period) {
    value -= period;
  }
  return value;
}

i32 quadrant(float angle) {
  // trunc(angle) mod 360 taken in floating point: the same for every angle an
  // int holds, and defined for the ones it does not.
  const double degrees = std::fmod(std::trunc(static_cast<double>(angle)), 360.0);
  if (std::isnan(degrees)) {
    return 0;
  }
  return (static_cast<i32>(degrees) + 360) / 90 % 4;
}

void rotateQuarter(i32* outX, i32* outY, i32 x, i32 y, i32 turns) {
  for (i32 i = (turns % 4 + 4) % 4; i > 0; --i) {
    const i32 previousX = x;
    x = -y;
    y = previousX;
  }
  *outX = x;
  *outY = y;
}

i32 digitCount(i32 n) {
  i64 rest = n;
  i32 count = 1;
  if (rest < 0) {
    rest = -rest;
    ++count;
  }
  for (; rest >= 10; rest /= 10) {
    ++count;
  }
  return count;
}

i32 nextPowerOfTwo(i32 n) {
  ENGINE_ASSERT(n <= (1 << 30) && "MathHelper::nextPowerOfTwo() : no int power of two that large.");
  i32 power = 1;
  while (power < n) {
    power <<= 1;
  }
  return power;
}

bool nearOne(float x) { return (x - 1.f) * (x - 1.f) < 0.0001f; }

bool nearOneVector(const Vector3& v) { return nearOne(v.x) && nearOne(v.y) && nearOne(v.z); }

namespace {

Vector3 planeCross(const Vector3& a, const Vector3& b, const Vector3& c) {
  Vector3 ab;
  Vector3 ac;
  ab.setSub(b, a);
  ac.setSub(c, a);
  Vector3 cross;
  cross.setCross(ab, ac);
  return cross;
}

}  // namespace

bool planeNormal(Vector3* out, const Vector3& p0, const Vector3& p1, const Vector3& p2) {
  *out = planeCross(p0, p1, p2);
  if (out->length() == 0.f) {
    return false;
  }
  out->normalize();
  return true;
}

float planeSide(const Vector3& p, const Vector3& a, const Vector3& b, const Vector3& c) {
  Vector3 ap;
  ap.setSub(p, a);
  return ap.dot(planeCross(a, b, c));
}

}  // namespace Game::MathHelper
