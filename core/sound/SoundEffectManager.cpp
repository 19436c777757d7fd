#include "core/sound/SoundEffectManager.h"

#include "core/config/Config.h"
#include "core/sound/SoundEffect.h"

namespace Game {

using Engine::i32;

namespace {

SoundEffectManager* gSoundEffects = nullptr;

}  // namespace

void SoundEffectManager::create() {
  if (!gSoundEffects) {
    gSoundEffects = new SoundEffectManager();
  }
  Config::targets().setSoundEffectVolume = SoundEffect::setGlobalVolume;
}

void SoundEffectManager::destroy() {
  Config::targets().setSoundEffectVolume = nullptr;
  delete gSoundEffects;
  gSoundEffects = nullptr;
}

SoundEffectManager* SoundEffectManager::instance() { return gSoundEffects; }

void SoundEffectManager::queue(const Engine::Sound::Player& player, i32 delay, bool loop, bool overlap) {
  if (!gSoundEffects) {
    return;
  }
  Queued* queued = gSoundEffects->mQueued.addNew();
  queued->mPlayer = player;
  queued->mLoop = loop;
  queued->mOverlap = overlap;
  queued->mDelay = delay;
}

void SoundEffectManager::update() {
  for (i32 i = 0; i < mQueued.count();) {
    Queued& queued = *mQueued.at(i);
    if (queued.mStarted) {
      if (!queued.mPlayer.isPlaying()) {
        mQueued.deleteAt(i);
        continue;
      }
    } else if (queued.mDelay >= 1) {
      --queued.mDelay;
    } else {
      if (queued.mOverlap || !queued.mPlayer.isPlaying()) {
        queued.mPlayer.setVolume(SoundEffect::globalVolume());
        queued.mPlayer.play(queued.mLoop);
      }
      queued.mStarted = true;
    }
    ++i;
  }
}

}  // namespace Game
