#include <gtest/gtest.h>

#include "Engine/Math/Functions.h"
#include "Engine/Math/Matrix33.h"
#include "Engine/Math/Matrix34.h"
#include "Engine/Math/Matrix44.h"
#include "Engine/Math/Random.h"
#include "Engine/Math/Vector2.h"
#include "Engine/Math/Vector3.h"
#include "Engine/Math/Vector4.h"

namespace {

using namespace Engine::Math;

constexpr float kTolerance = 1e-5f;

void expectNear(const Vector3& v, float x, float y, float z) {
  EXPECT_NEAR(v.x, x, kTolerance);
  EXPECT_NEAR(v.y, y, kTolerance);
  EXPECT_NEAR(v.z, z, kTolerance);
}

TEST(MathFunctionsTest, AnglesAreDegrees) {
  EXPECT_NEAR(Engine::Math::sin(90.f), 1.f, kTolerance);
  EXPECT_NEAR(Engine::Math::cos(180.f), -1.f, kTolerance);
  EXPECT_NEAR(Engine::Math::tan(45.f), 1.f, kTolerance);
  EXPECT_NEAR(Engine::Math::atan2(1.f, 0.f), 90.f, 1e-4f);
}

TEST(MatrixTest, RotationsBy90TurnOneAxisIntoTheNext) {
  Matrix34 m;
  Vector3 out;
  m.setIdentity();
  m.rotateZ(90.f);
  m.multiply(&out, Vector3(1.f, 0.f, 0.f));
  expectNear(out, 0.f, 1.f, 0.f);
  m.setIdentity();
  m.rotateY(90.f);
  m.multiply(&out, Vector3(0.f, 0.f, 1.f));
  expectNear(out, 1.f, 0.f, 0.f);
  Matrix33 r;  // through a 3x3 matrix
  r.setIdentity();
  r.rotateX(90.f);
  m.setIdentity();
  m *= r;
  m.multiply(&out, Vector3(0.f, 1.f, 0.f));
  expectNear(out, 0.f, 0.f, 1.f);
}

TEST(MatrixTest, InverseUndoesAnAffineMatrix) {
  Matrix34 m;
  m.setTranslation(3.f, -2.f, 5.f);
  m.rotateY(30.f);
  m.rotateX(-50.f);
  m.scale(2.f, 0.5f, 1.5f);
  Matrix34 inverse;
  inverse.setInverse(m);
  Vector3 there;
  m.multiply(&there, Vector3(1.f, 2.f, 3.f));
  Vector3 back;
  inverse.multiply(&back, there);
  expectNear(back, 1.f, 2.f, 3.f);
}

float depthAfterDivision(const Matrix44& projection, float viewDepth) {
  Vector4 clip;
  projection.multiply(&clip, Vector3(0.f, 0.f, viewDepth));
  return clip.z / clip.w;
}

TEST(MatrixTest, PerspectiveMapsTheNearPlaneToZeroAndTheFarPlaneToOne) {
  Matrix44 projection;
  projection.setPerspectiveTransform(60.f, 800.f, 600.f, 1.f, 100.f, false);
  EXPECT_NEAR(depthAfterDivision(projection, -1.f), 0.f, kTolerance);
  EXPECT_NEAR(depthAfterDivision(projection, -100.f), 1.f, kTolerance);
  EXPECT_NEAR(projection(1, 1), 1.f / Engine::Math::tan(30.f), kTolerance);
  EXPECT_NEAR(projection(0, 0), projection(1, 1) * 600.f / 800.f, kTolerance);
  EXPECT_EQ(projection(3, 3), 0.f);

  projection.setPerspectiveTransform(60.f, 800.f, 600.f, 1.f, 100.f, true);
  EXPECT_NEAR(projection(2, 2), 1.f / (1.f - 100.f), kTolerance);
  EXPECT_NEAR(projection(2, 3), projection(2, 2), kTolerance);
}

TEST(RandomTest, SeedsOfZeroOrBelowAreTheDefaultSeed) {
  Random zero = Random::create(0);
  const Engine::u32 first = 3701687786u;  // xorshift128's first value from its published seed
  EXPECT_EQ(zero.getInt(), first);
  EXPECT_EQ(Random::create(-7).getInt(), first);
  EXPECT_EQ(zero.getInt(), 458299110u);
  zero.setSeed(0);
  EXPECT_EQ(zero.getInt(), first);
}

TEST(RandomTest, RangesComeFromTheSameSequence) {
  Random a = Random::create(1234);
  Random b = Random::create(1234);
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(static_cast<Engine::u32>(a.getInt(256)), b.getInt() & 0xFF);
  }
  for (int i = 0; i < 1000; ++i) {
    const float f = a.getFloat(10.f);
    EXPECT_TRUE(f >= 0.f && f < 10.f) << f;
  }
}

TEST(RandomDeathTest, ARangeBelowOneStops) {
  Random random = Random::create(1);
  EXPECT_DEATH(random.getInt(0), "n must be at least 1");
}

}  // namespace
