#include "core/sound/SoundEffect.h"

#include "core/sound/SoundEffectManager.h"
#include "Engine/Base/Assert.h"
#include "core/file/FileLoader.h"

namespace Game {

using Engine::i32;

namespace {

i32 gGlobalVolume = 0;  // set from the settings when they are applied

}  // namespace

namespace {

FileLoader& fileLoader() {
  ENGINE_ASSERT(FileLoader::instance() && "SoundEffect : the file loader hasn't been created.");
  return *FileLoader::instance();
}

}  // namespace

SoundEffect::SoundEffect(const char* name, const char* fileName)
    : mWave(fileLoader().acquireWave(fileName)), mName(name) {}

SoundEffect::~SoundEffect() {
  mPlayer.release();
  if (FileLoader::instance()) {
    FileLoader::instance()->releaseWave(mWave);
  }
}

void SoundEffect::setGlobalVolume(i32 decibels) { gGlobalVolume = decibels; }

i32 SoundEffect::globalVolume() { return gGlobalVolume; }

bool SoundEffect::isPlayable() const { return mWave && mWave.isReady() && !mWave.isError(); }

void SoundEffect::play(i32 delay) {
  if (isPlayable()) {
    SoundEffectManager::queue(Engine::Sound::Player::create(mWave), delay, mLoop, mOverlap);
  }
}

void SoundEffect::start(i32 delay) {
  if (!isPlayable()) {
    return;
  }
  if (!mPlayer) {
    mPlayer = Engine::Sound::Player::create(mWave);
  }
  if (delay > 0) {
    SoundEffectManager::queue(Engine::Sound::Player::create(mWave), delay, mLoop, mOverlap);
    return;
  }
  if (!mOverlap && mPlayer.isPlaying()) {
    return;
  }
  mPlayer.setVolume(gGlobalVolume);
  mPlayer.play(mLoop);
}

}  // namespace Game
