#pragma once

// Vectors compared within a tolerance, for the presentation tests.

#include <gtest/gtest.h>

#include "Engine/Math/Vector3.h"

namespace PresentationTest {

inline constexpr float kFineTolerance = 1e-5f;

inline void expectNear(const Engine::Math::Vector3& actual, const Engine::Math::Vector3& expected,
                       float tolerance = 1e-3f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

}  // namespace PresentationTest
