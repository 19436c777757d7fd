#include "Sound/src/PlayerImpl.h"

#include <algorithm>
#include <cstring>

#include "Engine/Base/Assert.h"

namespace Engine::Sound {

namespace {

constexpr i32 kMinRate = 100;
constexpr i32 kMaxRate = 200000;

using Lock = std::lock_guard<std::mutex>;

}  // namespace

Player::Impl::Impl(std::shared_ptr<Mixer> mixer, Wave::Impl* wave) : mMixer(std::move(mixer)), mWave(wave) {
  referImpl(mWave);
  if (mWave->isError()) {
    return;
  }
  const std::vector<u8>& samples = mWave->samples();
  mVoice.setSamples(mWave->format(), samples.data(), static_cast<u32>(samples.size()));
  mMixer->add(mVoice);
  mInMixer = true;
}

Player::Impl::Impl(std::shared_ptr<Mixer> mixer, i32 bits, i32 size, i32 freq, i32 channelN)
    : mMixer(std::move(mixer)), mEightBit(bits == 8), mSize(size) {
  if (!(bits == 8 || bits == 16)) {
    ENGINE_HALT("bits == 8 || bits == 16 && \"Player::Player() : bitsPerSample must be 8 or 16.\"");
  }
  ENGINE_ASSERT((channelN == 1 || channelN == 2) && freq >= kMinRate && freq <= kMaxRate &&
                "Player::Player() : only mono or stereo at 100 to 200000 Hz.");
  ENGINE_ASSERT(( ( bits * freq * channelN / 8 / 16 ) < size ) && "Player::Player() : bufferSize is too small. at least 1/16s");
  mRing.resize(static_cast<std::size_t>(size));
  SampleFormat format;
  format.channels = channelN;
  format.bitsPerSample = bits;
  format.rate = freq;
  mVoice.setSamples(format, mRing.data(), static_cast<u32>(size));
  fillSilence(0, size);
  mMixer->add(mVoice);
  mInMixer = true;
}

Player::Impl::~Impl() {
  if (mInMixer) {
    mMixer->remove(mVoice);
  }
  releaseImpl(mWave);
}

void Player::Impl::play(bool loop) {
  Lock lock(mMixer->mutex());
  mVoice.position = 0;
  mVoice.looping = loop || isStreaming();
  // Running silent, a sound ends as it starts rather than playing forever.
  mVoice.playing = mInMixer && !mMixer->isSilent();
}

void Player::Impl::stop() {
  Lock lock(mMixer->mutex());
  mVoice.playing = false;
  mVoice.position = 0;
}

bool Player::Impl::isPlaying() {
  Lock lock(mMixer->mutex());
  return mVoice.playing;
}

void Player::Impl::setVolume(i32 volume) {
  if (volume < -100 || volume > 0) {
    return;
  }
  const f32 gain = gainOf(volume * 10000 / 100);
  Lock lock(mMixer->mutex());
  mVoice.gain = gain;
}

i32 Player::Impl::position() {
  Lock lock(mMixer->mutex());
  return playCursorLocked();
}

i32 Player::Impl::playCursorLocked() const {
  return static_cast<i32>(mVoice.frameIndex() * static_cast<u32>(mVoice.format.blockAlign()));
}

// A stopped player has nothing about to be played: both cursors coincide.
i32 Player::Impl::writeCursorLocked() const {
  if (!mVoice.playing || mVoice.frameCount == 0) {
    return playCursorLocked();
  }
  const u32 ahead = std::min(mVoice.framesPerOutput(kWriteAheadFrames), mVoice.frameCount - 1);
  const u32 frame = (mVoice.frameIndex() + ahead) % mVoice.frameCount;
  return static_cast<i32>(frame * static_cast<u32>(mVoice.format.blockAlign()));
}

// Strictly between the play and the write cursor, also when the write
// cursor has wrapped past the end of the ring.
bool Player::Impl::isBeingPlayedLocked(i32 position) const {
  const i32 play = playCursorLocked();
  const i32 write = writeCursorLocked();
  if (play <= write) {
    return play < position && position < write;
  }
  return position > play || position < write;
}

bool Player::Impl::write(i32 position, const u8* data, i32 byteCount) {
  if (byteCount == 0) {
    return true;
  }
  ENGINE_ASSERT(mSize > 0 && "Sound::Player::Impl::write : this isn't streaming player!");
  Lock lock(mMixer->mutex());
  if (isBeingPlayedLocked(position)) {
    return false;
  }
  const i64 pos = position;
  const i64 size = byteCount;
  ENGINE_ASSERT(pos >= 0 && size >= 0 && data);
  ENGINE_ASSERT(pos + size <= mSize);
  std::memcpy(mRing.data() + pos, data, static_cast<std::size_t>(size));
  return true;
}

bool Player::Impl::fillSilence(i32 position, i32 byteCount) {
  ENGINE_ASSERT(mSize > 0 && "Sound::Player::Impl::fillSilence : this isn't streaming player!");
  Lock lock(mMixer->mutex());
  if (isBeingPlayedLocked(position)) {
    return false;
  }
  const i64 pos = position;
  const i64 size = byteCount;
  ENGINE_ASSERT(pos >= 0 && size >= 0);
  ENGINE_ASSERT(pos + size <= mSize);
  if (mEightBit) {
    std::memset(mRing.data() + pos, 128, static_cast<std::size_t>(size));
  } else {
    // Whole 16-bit samples only: the last byte of an odd range is left as it was.
    std::memset(mRing.data() + pos, 0, static_cast<std::size_t>(size & ~i64(1)));
  }
  return true;
}

}  // namespace Engine::Sound
