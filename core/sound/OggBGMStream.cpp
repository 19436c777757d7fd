#include "core/sound/OggBGMStream.h"

#include <algorithm>
#include <cmath>

#include "Engine/Base/DebugStream.h"
#include "core/sound/MusicMixing.h"

namespace Game {

using Engine::i32;
using Engine::i64;
using Engine::u32;
using Engine::u8;

namespace {

// Half the scratch buffer, so that the end of a tune and the start of its loop
// fit into one chunk together.
constexpr i32 kMaxCrossLength = OggBGMStream::kChunkSize / 2;
// What the sound player takes: mono or stereo at 100 to 200000 Hz. A damaged
// tune may claim anything else in its header.
constexpr i32 kMinRate = 100;
constexpr i32 kMaxRate = 200000;

bool isPlayable(Platform::VorbisStream& stream) {
  return (stream.channels() == 1 || stream.channels() == 2) && stream.rate() >= kMinRate && stream.rate() <= kMaxRate;
}

}  // namespace

OggBGMStream::~OggBGMStream() {
  mPlayer.stop();
  mPlayer.release();
}

bool OggBGMStream::prepare(Platform::VorbisDecoder& decoder) {
  if (!mTune) {
    return false;
  }
  switch (mStep) {
    case Step::kNew:
      // A tune the player removed or replaced by something unreadable is
      // silence like a damaged one, never a halt.
      mReader.openWithoutHalt(mTune->mFile.c_str(), false);
      mStep = Step::kRequested;
      return false;
    case Step::kRequested:
      if (mReader.isFinished()) {
        if (mReader.size() <= 0) {
          // Nothing to decode: silence, and no decoder opened on no bytes.
          const char* fault = mReader.data() ? "empty tune file" : "tune file not read";
          Engine::cout << "BGM : " << fault << " ( " << mTune->mFile.c_str() << " )" << Engine::endl;
          mReader.release();
          mStep = Step::kFailed;
          return false;
        }
        mFile.allocate(mReader.size());
        mStep = Step::kLoaded;
      }
      return false;
    case Step::kLoaded:
      if (mFile.copyStep(mReader.data())) {
        mReader.release();
        open(decoder);
      }
      return false;
    case Step::kOpen:
      return true;
    case Step::kFailed:
      return false;
  }
  return false;
}

// A damaged tune never reaches the decoder: some damage libvorbis takes at
// the header and only trips over (with a division by zero) once decoding.
void OggBGMStream::open(Platform::VorbisDecoder& decoder) {
  const char* fault = mFile.findFault();
  if (!fault && mFile.open(decoder)) {
    fault = isPlayable(mFile.stream()) ? nullptr : "not mono or stereo at 100 to 200000 Hz";
  } else if (!fault) {
    fault = "not an Ogg Vorbis file";
  }
  if (fault) {
    Engine::cout << "BGM : " << fault << " ( " << mTune->mFile.c_str() << " )" << Engine::endl;
    mFile.close();
    mStep = Step::kFailed;
    return;
  }
  Platform::VorbisStream& stream = mFile.stream();
  mPlayer = Engine::Sound::Player::create(16, kRingSize, stream.rate(), stream.channels());
  mScratch.resize(kChunkSize);
  mStep = Step::kOpen;
}

void OggBGMStream::update(i32 volume, u32 now) {
  if (!mStarted && mFade.isStarted()) {
    finish();  // replaced before it was heard: nothing to fade
  } else if (!mStarted) {
    startPlaying(volume);
  } else if (!mFade.isStarted()) {
    setVolume(volume);
    fill();
  } else if (mFade.update(now)) {
    finish();
  } else {
    setVolume(static_cast<i32>(mFade.level() * static_cast<float>(volume)));
    fill();
  }
}

// The volume is set before the first sound, which would otherwise be heard at
// full volume for a tick.
void OggBGMStream::startPlaying(i32 volume) {
  Platform::VorbisStream& stream = mFile.stream();
  // A failed seek leaves the decoder where it is: at the start of a new stream.
  stream.timeSeek(mNearEnd ? std::max(0.0, stream.timeTotal() - kNearEndSeconds) : 0.0);
  setVolume(volume);
  fill();
  mPlayer.play(true);
  mStarted = true;
}

void OggBGMStream::setVolume(i32 volume) { mPlayer.setVolume(MusicMixing::attenuation(volume, mTune->mVolume)); }

void OggBGMStream::finish() {
  mTune = nullptr;
  mPlayer.stop();
  mPlayer.release();
  mFile.close();
}

double OggBGMStream::playbackTime() { return mStep == Step::kOpen && mFile.isOpen() ? mFile.stream().timeTell() : 0.0; }

// Equal cursors mean the ring has nothing left to play: the writer keeps more
// than a chunk away from the play cursor, so it never catches up from behind.
i32 OggBGMStream::freeSpace() const {
  const i32 space = mPlayer.position() - mWritePos;
  return space > 0 ? space : space + kRingSize;
}

void OggBGMStream::fill() {
  const i32 space = freeSpace();
  if (space <= kChunkSize) {
    return;
  }
  if (mEnded) {
    writeSilence(kChunkSize);
    return;
  }
  const i32 cross = crossLength();
  i32 loopOffset = -1;
  i32 length = decode(nextChunkSize(cross), loopOffset);
  if (loopOffset >= 0) {
    length = MusicMixing::spliceLoop(mScratch.data(), length, loopOffset, cross);
  }
  writeRing(mScratch.data(), length);
}

i32 OggBGMStream::crossLength() {
  Platform::VorbisStream& stream = mFile.stream();
  const double bytesPerSecond = stream.rate() * stream.channels() * 2.0;
  const double bytes = std::clamp(bytesPerSecond * mTune->mCrossFade, 0.0, static_cast<double>(kMaxCrossLength));
  return static_cast<i32>(bytes) & ~3;
}

// Up to the start of the cross-fade at the end of the tune; from there the
// rest of the tune and as much of the loop. Without a cross-fade the end is
// read past directly, so that the stream wraps instead of standing still.
i32 OggBGMStream::nextChunkSize(i32 cross) {
  Platform::VorbisStream& stream = mFile.stream();
  const i64 frameBytes = stream.channels() * 2;
  const i64 position = stream.pcmTell() * frameBytes;
  const i64 total = stream.pcmTotal() * frameBytes;
  if (position < total - cross) {
    return static_cast<i32>(std::min<i64>(kChunkSize, total - cross - position));
  }
  return cross > 0 ? 2 * cross : kChunkSize;
}

// A seek that fails, or a loop point that yields nothing (at or past the
// end), ends the tune instead of wrapping for ever.
i32 OggBGMStream::decode(i32 length, i32& loopOffset) {
  Platform::VorbisStream& stream = mFile.stream();
  char* scratch = reinterpret_cast<char*>(mScratch.data());
  i32 decoded = 0;
  bool justWrapped = false;
  while (decoded < length) {
    const long got = stream.read(scratch + decoded, length - decoded);
    if (got > 0) {
      decoded += static_cast<i32>(got);
      justWrapped = false;
      continue;
    }
    if (justWrapped || !stream.timeSeek(mTune->mLoop)) {
      mEnded = true;
      break;
    }
    if (loopOffset < 0) {
      loopOffset = decoded;
    }
    justWrapped = true;
  }
  return decoded;
}

void OggBGMStream::writeRing(const u8* data, i32 length) {
  while (length > 0) {
    const i32 piece = std::min(length, kRingSize - mWritePos);
    if (!mPlayer.write(mWritePos, data, piece)) {
      return;
    }
    data += piece;
    length -= piece;
    mWritePos = (mWritePos + piece) % kRingSize;
  }
}

void OggBGMStream::writeSilence(i32 length) {
  while (length > 0) {
    const i32 piece = std::min(length, kRingSize - mWritePos);
    if (!mPlayer.fillSilence(mWritePos, piece)) {
      return;
    }
    length -= piece;
    mWritePos = (mWritePos + piece) % kRingSize;
  }
}

}  // namespace Game
