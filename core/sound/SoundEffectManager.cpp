#include "core/sound/SoundEffectManager.h"

namespace Game {

namespace {

SoundEffectManager* gInstance = nullptr;

}  // namespace

void SoundEffectManager::create() {
  if (!gInstance) {
    gInstance = new SoundEffectManager();
  }
}

void SoundEffectManager::destroy() {
  delete gInstance;
  gInstance = nullptr;
}

SoundEffectManager* SoundEffectManager::instance() { return gInstance; }

}  // namespace Game
