#pragma once

#include <optional>

#include "Engine/Base/Types.h"
#include "Engine/Math/Random.h"
#include "Engine/Math/Vector3.h"

namespace Game {

// The game's random source over the framework's xorshift generator. One
// global instance serves the game; a caller that needs a sequence of its own
// (a floor rebuilt from its saved seed) keeps a local one. The order of draws
// of every operation is fixed: seeded floors depend on it.
class RandomGenerator {
 public:
  explicit RandomGenerator(Engine::i32 seed = 0);
  // The framework generator is a shared handle: a copy would draw from the
  // same sequence.
  RandomGenerator(const RandomGenerator&) = delete;
  RandomGenerator& operator=(const RandomGenerator&) = delete;

  // The global generator, seeded with the calendar time in seconds.
  static void create();
  // The seed create uses instead of the time, for a run that must repeat
  // itself (a scripted run); none: the time again.
  static void fixStartSeed(std::optional<Engine::i32> seed);
  static void destroy();
  // Null outside create … destroy.
  static RandomGenerator* instance();

  void setSeed(Engine::i32 seed);
  Engine::i32 seed() const { return mSeed; }

  // In [0, n); 0 without a draw when n is below 1.
  Engine::i32 getInt(Engine::i32 n);
  // In [0, x).
  float getFloat(float x);
  // True one time in two.
  bool coin() { return getInt(2) == 0; }
  // getFloat(x), negated unless the following coin comes up.
  float getSignedFloat(float x);

  // For each position from the first to the last, swaps its element with one
  // drawn from the whole array.
  template <class T>
  void shuffle(T* elements, Engine::i32 count) {
    for (Engine::i32 i = 0; i < count; ++i) {
      const Engine::i32 j = getInt(count);
      T kept = elements[i];
      elements[i] = elements[j];
      elements[j] = kept;
    }
  }

  // A unit direction at yaw yawMin + [0, yawRange), then pitch likewise.
  void getDirection(Engine::Math::Vector3* out, float yawMin, float yawRange, float pitchMin, float pitchRange);
  // The same over −range/2 … +range/2.
  void getCenteredDirection(Engine::Math::Vector3* out, float yawRange, float pitchRange);
  // A horizontal vector of length [0, maxLength): the length is drawn first.
  void getFlatVector(Engine::Math::Vector3* out, float maxLength);
  // A vector in any direction of length [0, maxLength): the length first.
  void getSpatialVector(Engine::Math::Vector3* out, float maxLength);
  // Each component in [−r, r) for its half-extent r, drawn x, y, z; a
  // component with r = 0 is 0 and takes no draw.
  void getBoxVector(Engine::Math::Vector3* out, float x, float y, float z);
  // in turned by angles in [−a, a) about each axis, drawn z, y, x.
  void jitterVector(Engine::Math::Vector3* out, const Engine::Math::Vector3& in, float ax, float ay, float az);

 private:
  Engine::Math::Random mRandom;
  Engine::i32 mSeed = 0;
};

}  // namespace Game
