#pragma once

#include "Engine/Base/Types.h"

namespace Game {

// A one-second linear fade from 1 to 0 on a millisecond clock (wrapping
// readings are fine).
class FadeTimer {
 public:
  static constexpr Engine::u32 kLengthMs = 1000;

  // Remembers now; a fade already running is not restarted.
  void start(Engine::u32 now);
  bool isStarted() const { return mStarted; }
  // False while not started; true once the fade has reached 0.
  bool update(Engine::u32 now);
  Engine::f32 level() const { return mLevel; }

 private:
  Engine::u32 mStart = 0;
  bool mStarted = false;
  Engine::f32 mLevel = 1.0f;
};

}  // namespace Game
