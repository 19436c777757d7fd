#include "core/sound/OggBGM.h"

#include <mutex>

#include "Platform/Backend.h"

namespace Game {

using Engine::i32;

namespace {

using Lock = std::lock_guard<Engine::Threading::Mutex>;

constexpr std::uint32_t kPauseMs = 1;

}  // namespace

OggBGM::OggBGM(const NmlNode& table, const char* fileName, const Options& options)
    : BGM(table, fileName),
      mClock(options.clock ? *options.clock : Platform::backend().clock()),
      mDecoder(options.decoder ? *options.decoder : Platform::backend().vorbisDecoder()),
      mMutex(Engine::Threading::Mutex::create()),
      mThread(*this) {
  if (options.startThread) {
    mThread.start();
  }
}

OggBGM::~OggBGM() {
  {
    Lock lock(mMutex);
    mStop = true;
  }
  mThread.wait();
  mStreams.clear();
}

void OggBGM::Thread::operator()() {
  for (;;) {
    {
      Lock lock(mOwner.mMutex);
      if (mOwner.mStop) {
        return;
      }
      mOwner.updateStreams();
    }
    mOwner.mClock.sleep(kPauseMs);
  }
}

void OggBGM::tick() {
  Lock lock(mMutex);
  updateStreams();
}

void OggBGM::setVolume(i32 volume) {
  Lock lock(mMutex);
  mVolume = volume;
}

double OggBGM::playbackTime() {
  Lock lock(mMutex);
  return mStreams.isEmpty() ? 0.0 : mStreams.front()->playbackTime();
}

// A tune that was waiting is dropped at once; the playing one fades out.
void OggBGM::play(const Tune* tune, bool nearEnd) {
  Lock lock(mMutex);
  if (!mStreams.isEmpty() && mStreams.back()->tune() == tune) {
    return;
  }
  while (mStreams.count() >= 2) {
    mStreams.deleteAt(1);
  }
  if (!mStreams.isEmpty()) {
    mStreams.front()->startFadeOut(mClock.milliseconds());
  }
  mStreams.pushBack(new Stream(tune, nearEnd));
}

// A first stream that is not ready when its fade-out starts has never been
// heard: it goes at once rather than hold up the next tune.
void OggBGM::updateStreams() {
  if (mStreams.isEmpty()) {
    return;
  }
  Stream& first = *mStreams.front();
  if (!first.tune()) {
    removeFirstStream();
  } else if (first.prepare(mDecoder)) {
    first.update(mVolume, mClock.milliseconds());
  } else if (first.isFadingOut()) {
    removeFirstStream();
  }
  if (mStreams.count() >= 2) {
    mStreams.at(1)->prepare(mDecoder);
  }
}

void OggBGM::removeFirstStream() { mStreams.deleteAt(0); }

i32 OggBGM::streamCount() {
  Lock lock(mMutex);
  return mStreams.count();
}

const BGM::Tune* OggBGM::streamTune(i32 i) {
  Lock lock(mMutex);
  return mStreams.at(i)->tune();
}

}  // namespace Game
