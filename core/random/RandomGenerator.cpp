#include "core/random/RandomGenerator.h"

#include <ctime>

#include "core/math/MathHelper.h"

namespace Game {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

RandomGenerator* gInstance = nullptr;
std::optional<i32> gFixedSeed;

}  // namespace

RandomGenerator::RandomGenerator(i32 seed) : mRandom(Engine::Math::Random::create(seed)), mSeed(seed) {}

void RandomGenerator::create() {
  if (!gInstance) {
    gInstance = new RandomGenerator(gFixedSeed ? *gFixedSeed : static_cast<i32>(std::time(nullptr)));
  }
}

void RandomGenerator::fixStartSeed(std::optional<i32> seed) { gFixedSeed = seed; }

void RandomGenerator::destroy() {
  delete gInstance;
  gInstance = nullptr;
}

RandomGenerator* RandomGenerator::instance() { return gInstance; }

void RandomGenerator::setSeed(i32 seed) {
  mSeed = seed;
  mRandom.setSeed(seed);
}

i32 RandomGenerator::getInt(i32 n) { return n < 1 ? 0 : mRandom.getInt(n); }

float RandomGenerator::getFloat(float x) { return mRandom.getFloat(x); }

float RandomGenerator::getSignedFloat(float x) {
  const float magnitude = getFloat(x);
  return coin() ? magnitude : -magnitude;
}

void RandomGenerator::getDirection(Vector3* out, float yawMin, float yawRange, float pitchMin, float pitchRange) {
  const float yaw = yawMin + getFloat(yawRange);
  const float pitch = pitchMin + getFloat(pitchRange);
  MathHelper::directionFromAngles(out, yaw, pitch);
}

void RandomGenerator::getCenteredDirection(Vector3* out, float yawRange, float pitchRange) {
  getDirection(out, -yawRange / 2.f, yawRange, -pitchRange / 2.f, pitchRange);
}

void RandomGenerator::getFlatVector(Vector3* out, float maxLength) {
  const float length = getFloat(maxLength);
  getCenteredDirection(out, 360.f, 0.f);
  *out *= length;
}

void RandomGenerator::getSpatialVector(Vector3* out, float maxLength) {
  const float length = getFloat(maxLength);
  getCenteredDirection(out, 360.f, 180.f);
  *out *= length;
}

void RandomGenerator::getBoxVector(Vector3* out, float x, float y, float z) {
  const float extents[3] = {x, y, z};
  float components[3] = {0.f, 0.f, 0.f};
  for (int i = 0; i < 3; ++i) {
    if (extents[i] != 0.f) {
      components[i] = getFloat(2.f * extents[i]) - extents[i];
    }
  }
  out->set(components[0], components[1], components[2]);
}

void RandomGenerator::jitterVector(Vector3* out, const Vector3& in, float ax, float ay, float az) {
  const float z = getFloat(2.f * az) - az;
  const float y = getFloat(2.f * ay) - ay;
  const float x = getFloat(2.f * ax) - ax;
  MathHelper::rotateByAngles(out, in, x, y, z);
}

}  // namespace Game
