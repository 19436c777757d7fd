#include "presentation/picture/SystemResources.h"

namespace Game {

namespace {

SystemResources* gInstance = nullptr;

}  // namespace

void SystemSoundList::play(const char*, Engine::i32) { ++mPlayCount; }

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

}  // namespace Game
