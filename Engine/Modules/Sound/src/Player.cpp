#include "Engine/Sound/Player.h"

#include "Engine/Base/Assert.h"
#include "Sound/src/ManagerImpl.h"
#include "Sound/src/PlayerImpl.h"

namespace Engine::Sound {

Player::Player(const Player& other) : mImpl(other.mImpl) { referImpl(mImpl); }

Player& Player::operator=(const Player& other) {
  Impl* shared = other.mImpl;
  referImpl(shared);
  releaseImpl(mImpl);
  mImpl = shared;
  return *this;
}

Player::~Player() { release(); }

void Player::release() { releaseImpl(mImpl); }

Player Player::create(const Wave& wave) {
  ENGINE_ASSERT(wave.isReady() && "Player::Player() : loading hasn't finished.");
  return Player(new Impl(ManagerImpl::instance().mixer(), wave.impl()));
}

Player Player::create(i32 bitsPerSample, i32 bufferSize, i32 frequency, i32 channels) {
  return Player(new Impl(ManagerImpl::instance().mixer(), bitsPerSample, bufferSize, frequency, channels));
}

void Player::play(bool loop) {
  if (mImpl) {
    mImpl->play(loop);
  }
}

void Player::stop() {
  if (mImpl) {
    mImpl->stop();
  }
}

bool Player::isPlaying() const { return mImpl && mImpl->isPlaying(); }

void Player::setVolume(i32 volume) {
  if (mImpl) {
    mImpl->setVolume(volume);
  }
}

i32 Player::position() const { return mImpl ? mImpl->position() : 0; }

bool Player::write(i32 position, const u8* data, i32 size) {
  if (size == 0) {
    return true;
  }
  ENGINE_ASSERT(mImpl && "Sound::Player::write : empty player.");
  return mImpl->write(position, data, size);
}

bool Player::fillSilence(i32 position, i32 size) {
  ENGINE_ASSERT(mImpl && "Sound::Player::fillSilence : empty player.");
  return mImpl->fillSilence(position, size);
}

}  // namespace Engine::Sound
