#include "core/sound/FadeTimer.h"

namespace Game {

void FadeTimer::start(Engine::u32 now) {
  if (!mStarted) {
    mStart = now;
    mStarted = true;
  }
}

bool FadeTimer::update(Engine::u32 now) {
  if (!mStarted) {
    return false;
  }
  const Engine::u32 elapsed = now - mStart;
  mLevel = 1.0f - static_cast<Engine::f32>(elapsed) / static_cast<Engine::f32>(kLengthMs);
  if (elapsed >= kLengthMs || mLevel <= 0.0f) {
    mLevel = 0.0f;
    return true;
  }
  return false;
}

}  // namespace Game
