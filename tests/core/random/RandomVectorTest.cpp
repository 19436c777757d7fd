#include <gtest/gtest.h>

#include "core/math/MathHelper.h"
#include "core/random/RandomGenerator.h"

// Seeded floors and effects place things with the vector draws: which draws
// each one takes, and in what order, must never change. Each case replays the
// documented order on a twin generator of the same seed, then checks that
// both have used up the same number of draws.
namespace {

using Engine::Math::Vector3;
using Game::RandomGenerator;
namespace MathHelper = Game::MathHelper;

constexpr int kSeed = 2026;

void expectSameVector(const Vector3& actual, const Vector3& expected) {
  EXPECT_EQ(actual.x, expected.x);
  EXPECT_EQ(actual.y, expected.y);
  EXPECT_EQ(actual.z, expected.z);
}

// Both generators stand at the same point of the sequence.
void expectInStep(RandomGenerator& random, RandomGenerator& twin) {
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(random.getInt(1 << 30), twin.getInt(1 << 30)) << "draw " << i << " after the call";
  }
}

TEST(RandomVectorTest, DirectionDrawsYawThenPitch) {
  RandomGenerator random(kSeed);
  RandomGenerator twin(kSeed);
  Vector3 out;
  random.getDirection(&out, 30.f, 90.f, -10.f, 20.f);
  const float yaw = 30.f + twin.getFloat(90.f);
  const float pitch = -10.f + twin.getFloat(20.f);
  Vector3 expected;
  MathHelper::directionFromAngles(&expected, yaw, pitch);
  expectSameVector(out, expected);
  expectInStep(random, twin);
}

TEST(RandomVectorTest, CenteredDirectionSpansHalfTheRangeEachWay) {
  RandomGenerator random(kSeed);
  RandomGenerator twin(kSeed);
  Vector3 out;
  random.getCenteredDirection(&out, 60.f, 40.f);
  const float yaw = -30.f + twin.getFloat(60.f);
  const float pitch = -20.f + twin.getFloat(40.f);
  Vector3 expected;
  MathHelper::directionFromAngles(&expected, yaw, pitch);
  expectSameVector(out, expected);
  expectInStep(random, twin);
}

// The length comes first; a flat vector still spends a draw on its pitch of
// range 0.
TEST(RandomVectorTest, FlatAndSpatialVectorsDrawLengthThenDirection) {
  struct Case {
    const char* name;
    float pitchRange;
  };
  for (const Case& c : {Case{"flat", 0.f}, Case{"spatial", 180.f}}) {
    SCOPED_TRACE(c.name);
    RandomGenerator random(kSeed);
    RandomGenerator twin(kSeed);
    Vector3 out;
    if (c.pitchRange == 0.f) {
      random.getFlatVector(&out, 50.f);
    } else {
      random.getSpatialVector(&out, 50.f);
    }
    const float length = twin.getFloat(50.f);
    const float yaw = -180.f + twin.getFloat(360.f);
    const float pitch = -c.pitchRange / 2.f + twin.getFloat(c.pitchRange);
    Vector3 expected;
    MathHelper::directionFromAngles(&expected, yaw, pitch);
    expected *= length;
    expectSameVector(out, expected);
    expectInStep(random, twin);
  }
  RandomGenerator random(kSeed);
  Vector3 flat;
  random.getFlatVector(&flat, 50.f);
  EXPECT_EQ(flat.z, 0.f);
}

// A component of extent 0 is 0 and takes no draw; the others draw x, y, z.
TEST(RandomVectorTest, BoxVectorDrawsOnlyItsNonZeroExtents) {
  struct Case {
    float x, y, z;
  };
  for (const Case& c : {Case{4.f, 5.f, 6.f}, Case{4.f, 0.f, 6.f}, Case{0.f, 0.f, 0.f}, Case{0.f, -2.f, 0.f}}) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y << ", " << c.z);
    RandomGenerator random(kSeed);
    RandomGenerator twin(kSeed);
    Vector3 out;
    random.getBoxVector(&out, c.x, c.y, c.z);
    const auto component = [&twin](float r) { return r == 0.f ? 0.f : twin.getFloat(2.f * r) - r; };
    const float x = component(c.x);
    const float y = component(c.y);
    const float z = component(c.z);
    expectSameVector(out, Vector3(x, y, z));
    expectInStep(random, twin);
  }
}

// The angles are drawn z, y, x, one draw each even for an angle of 0.
TEST(RandomVectorTest, JitterDrawsItsAnglesZThenYThenX) {
  struct Case {
    float ax, ay, az;
  };
  for (const Case& c : {Case{10.f, 20.f, 30.f}, Case{0.f, 0.f, 45.f}}) {
    SCOPED_TRACE(testing::Message() << c.ax << ", " << c.ay << ", " << c.az);
    RandomGenerator random(kSeed);
    RandomGenerator twin(kSeed);
    const Vector3 in(1.f, 2.f, 3.f);
    Vector3 out;
    random.jitterVector(&out, in, c.ax, c.ay, c.az);
    const float z = twin.getFloat(2.f * c.az) - c.az;
    const float y = twin.getFloat(2.f * c.ay) - c.ay;
    const float x = twin.getFloat(2.f * c.ax) - c.ax;
    Vector3 expected;
    MathHelper::rotateByAngles(&expected, in, x, y, z);
    expectSameVector(out, expected);
    expectInStep(random, twin);
  }
}

// The same calls in a row from one seed give these vectors on every build: a
// change of order, of draws or of the angle helpers shows here.
TEST(RandomVectorTest, ASeedGivesThePinnedVectors) {
  RandomGenerator random(kSeed);
  Vector3 v;
  const auto expectNear = [&v](float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-3f);
    EXPECT_NEAR(v.y, y, 1e-3f);
    EXPECT_NEAR(v.z, z, 1e-3f);
  };
  random.getDirection(&v, 0.f, 360.f, 0.f, 90.f);
  expectNear(0.464233f, -0.836757f, 0.290388f);
  random.getFlatVector(&v, 100.f);
  expectNear(-20.77145f, 66.65623f, 0.f);
  random.getSpatialVector(&v, 100.f);
  expectNear(50.62848f, -45.88346f, 22.64425f);
  random.getBoxVector(&v, 10.f, 0.f, 20.f);
  expectNear(-7.482705f, 0.f, 19.37943f);
  random.jitterVector(&v, Vector3(0.f, 0.f, 100.f), 15.f, 15.f, 15.f);
  expectNear(-19.96668f, 24.27437f, 94.93201f);
  EXPECT_EQ(random.getInt(1000), 152);
}

}  // namespace
