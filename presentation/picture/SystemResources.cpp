#include "presentation/picture/SystemResources.h"

namespace Game {

using Engine::i32;

namespace {

SystemResources* gInstance = nullptr;

constexpr const char* kDigitNames[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};

}  // namespace

NumberPictures::NumberPictures(const char* path) {
  mSet.load(path);
  for (i32 i = 0; i < 10; ++i) {
    mDigits[static_cast<std::size_t>(i)] = mSet.findModel(kDigitNames[i]);
  }
  mMiss = mSet.findModel("miss");
}

Model* NumberPictures::digit(i32 value) const {
  return value >= 0 && value < 10 ? mDigits[static_cast<std::size_t>(value)] : nullptr;
}

// The numbers are read while the members are made; the other sets follow in
// their fixed order.
SystemResources::SystemResources() : mNumbers("src/system/number.txt") {
  mWall.load("src/system/wall.txt");
  mCursor.load("src/system/cursor.txt");
  mFrame.load("src/system/frame.txt");
  mRect.load("src/system/rect.txt");
  mGauge.load("src/system/gauge.txt");
  mSounds.load("src/system/systemsound.txt");
}

void SystemResources::create() {
  if (!gInstance) {
    gInstance = new SystemResources();
  }
}

void SystemResources::destroy() {
  delete gInstance;
  gInstance = nullptr;
}

SystemResources* SystemResources::instance() { return gInstance; }

void SystemResources::playSound(const char* name, i32 delay) {
  ++mSoundRequests;
  mSounds.play(name, delay);
}

}  // namespace Game
