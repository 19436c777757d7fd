#pragma once

// Vectors compared within a tolerance, and draw states written out, for the
// presentation tests.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "Engine/Math/Vector3.h"
#include "presentation/render/RenderState.h"

namespace PresentationTest {

inline constexpr float kFineTolerance = 1e-5f;

inline void expectNear(const Engine::Math::Vector3& actual, const Engine::Math::Vector3& expected,
                       float tolerance = 1e-3f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// Four significant digits, and 0 within 1e-4 of it: enough to tell a wrong factor, blind to float noise.
inline std::string digits(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", std::abs(value) < 1e-4f ? 0.0 : static_cast<double>(value));
  return text;
}

inline std::string digits(const Engine::Math::Vector3& v) {
  return digits(v.x) + "," + digits(v.y) + "," + digits(v.z);
}

// "amb 0.5,1,1 emi 0,0,0 dif 1,1,1 spe 0,0,0 sharp 0 tr 1 blend 1".
inline std::string colorsOf(const Game::RenderState& s) {
  const Game::ColorSet& c = s.colors;
  return "amb " + digits(c.ambient) + " emi " + digits(c.emission) + " dif " + digits(c.diffuse) + " spe " +
         digits(c.specular) + " sharp " + digits(c.sharpness) + " tr " + digits(c.transparency) + " blend " +
         digits(c.colorBlend);
}

// "blend 6 test 1 write 1 cull 3 lights 0 bg 0 fe 0 neg 0 rev 000 inv 0": the flags as kept, before the device's
// reading of them.
inline std::string flagsOf(const Game::RenderState& s) {
  const auto bit = [](bool on) { return on ? "1" : "0"; };
  return "blend " + std::to_string(s.blendMode) + " test " + bit(s.depthTest) + " write " + bit(s.depthWrite) +
         " cull " + std::to_string(s.cull) + " lights " + std::to_string(s.lightFlags.bits()) + " bg " +
         bit(s.background) + " fe " + bit(s.frontEnd) + " neg " + bit(s.negative) + " rev " + bit(s.reverse[0]) +
         bit(s.reverse[1]) + bit(s.reverse[2]) + " inv " + bit(s.inverted);
}

// Where the state's transform puts the origin, in world units (400 to a matrix unit).
inline std::string placeOf(const Game::RenderState& s) {
  return digits(s.transform(0, 3) * 400.f) + "," + digits(s.transform(1, 3) * 400.f) + "," +
         digits(s.transform(2, 3) * 400.f);
}

}  // namespace PresentationTest
