#pragma once

#include <array>

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "core/sound/SoundEffectList.h"
#include "presentation/resource/ResourceSet.h"

namespace Game {

class Color;
class Model;
class SceneNodePool;

// The models of floating numbers: the digits "0" to "9" and "miss", from one
// resource definition file.
class NumberPictures {
 public:
  // Reads the file and looks the eleven models up; a name the file lacks
  // stays null (a null model draws nothing).
  explicit NumberPictures(const char* path);

  // Null for anything but 0..9.
  Model* digit(Engine::i32 value) const;
  Model* miss() const { return mMiss; }
  ResourceSet& set() { return mSet; }

 private:
  ResourceSet mSet;
  std::array<Model*, 10> mDigits{};
  Model* mMiss = nullptr;
};

// The pictures the interface draws everywhere (window frame, cursor, wall,
// filled rectangle, gauge bar, the digits of floating numbers) and the
// system sounds, read from "src/system/" when the application root starts.
class SystemResources {
 public:
  static void create();
  static void destroy();
  // Null outside create and destroy.
  static SystemResources* instance();

  SystemResources(const SystemResources&) = delete;
  SystemResources& operator=(const SystemResources&) = delete;

  ResourceSet& wall() { return mWall; }
  ResourceSet& cursor() { return mCursor; }
  ResourceSet& frame() { return mFrame; }
  ResourceSet& rect() { return mRect; }
  ResourceSet& gauge() { return mGauge; }
  NumberPictures& numbers() { return mNumbers; }
  SoundEffectList& sounds() { return mSounds; }

  // A number rising from a world position, one billboard node of pool per
  // digit, each digit 4 frames after the one to its right; a negative value
  // shows "miss", 0 shows nothing. A critical number is half as large again;
  // row lifts it by about 33 units a row, so that numbers stack.
  void spawnNumber(SceneNodePool& pool, Engine::i32 value, const Engine::Math::Vector3& position,
                   const Color& color, bool critical, Engine::i32 row) const;

  // Plays a system sound by name (an unknown name plays nothing) and counts
  // the request, so that what asked for sounds can be checked without audio.
  void playSound(const char* name, Engine::i32 delay);
  Engine::i32 soundRequests() const { return mSoundRequests; }

 private:
  SystemResources();
  ~SystemResources() = default;

  ResourceSet mWall;
  ResourceSet mCursor;
  ResourceSet mFrame;
  ResourceSet mRect;
  ResourceSet mGauge;
  NumberPictures mNumbers;
  SoundEffectList mSounds;
  Engine::i32 mSoundRequests = 0;
};

}  // namespace Game
