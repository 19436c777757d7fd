#pragma once

#include <cmath>

namespace Engine::Math {

// Angles are degrees throughout the program.
constexpr float kRadianPerDegree = 0.017453292f;
constexpr float kDegreePerRadian = 57.295776f;

inline float sin(float degrees) { return std::sin(degrees * kRadianPerDegree); }
inline float cos(float degrees) { return std::cos(degrees * kRadianPerDegree); }
inline float tan(float degrees) { return std::tan(degrees * kRadianPerDegree); }
inline float atan2(float y, float x) { return std::atan2(y, x) * kDegreePerRadian; }
inline float sqrt(float x) { return std::sqrt(x); }
inline float pow(float x, float y) { return std::pow(x, y); }
inline float max(float a, float b) { return b < a ? a : b; }
inline float min(float a, float b) { return b <= a ? b : a; }
inline float abs(float a) { return a < 0 ? -a : a; }

}  // namespace Engine::Math
