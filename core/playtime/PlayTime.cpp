#include "core/playtime/PlayTime.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kFramesPerHour = 216000;
constexpr i32 kFramesPerMinute = 3600;

}  // namespace

void PlayTime::set(i32 frames) {
  mLow = frames % kWrap;
  mHigh = frames / kWrap;
}

void PlayTime::tick() {
  ++mLow;
  if (mLow >= kWrap) {
    mLow = 0;
    ++mHigh;
  }
}

String PlayTime::format() const {
  String text;
  text.assignNumber(mLow / kFramesPerHour, 4, false);
  text.append("時間");
  String minutes;
  minutes.assignNumber(mLow % kFramesPerHour / kFramesPerMinute, 2, true);
  text.append(minutes.c_str());
  text.append("分");
  return text;
}

}  // namespace Game
