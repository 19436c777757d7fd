#pragma once

#include "Engine/Threading/Mutex.h"
#include "Engine/Threading/Thread.h"
#include "Platform/Clock.h"
#include "Platform/VorbisDecoder.h"
#include "core/container/OwnedList.h"
#include "core/sound/BGM.h"
#include "core/sound/OggBGMStream.h"

namespace Game {

struct OggBGMOptions {
  Platform::Clock* clock = nullptr;            // fades and the job's pauses; the platform's by default
  Platform::VorbisDecoder* decoder = nullptr;  // the platform's by default
  bool startThread = true;                     // without it, tick is called by hand
};

// Streams Ogg Vorbis tunes on a job of the worker pool. The job and the main
// thread's calls share one mutex over the streams, the stop flag and the
// volume. Stream 0 plays (or fades out); stream 1 loads meanwhile and plays
// when stream 0 is gone.
class OggBGM : public BGM {
 public:
  using Stream = OggBGMStream;

  using Options = OggBGMOptions;

  OggBGM(const NmlNode& table, const char* fileName, const Options& options = Options());
  // Stops the job and waits for it.
  ~OggBGM() override;

  using BGM::play;
  void setVolume(Engine::i32 volume) override;
  double playbackTime() override;
  void play(const Tune* tune, bool nearEnd) override;

  // One round of the job's work, taking the mutex.
  void tick();
  // The tunes of the streams (null for a stream that removes itself).
  Engine::i32 streamCount();
  const Tune* streamTune(Engine::i32 i);

 private:
  class Thread : public Engine::Threading::Thread {
   public:
    explicit Thread(OggBGM& owner) : mOwner(owner) {}
    ~Thread() override { wait(); }
    void operator()() override;

   private:
    OggBGM& mOwner;
  };

  // Mutex held.
  void updateStreams();
  void removeFirstStream();

  Platform::Clock& mClock;
  Platform::VorbisDecoder& mDecoder;
  Engine::Threading::Mutex mMutex;
  OwnedList<Stream> mStreams;
  bool mStop = false;
  Engine::i32 mVolume = -99;
  Thread mThread;
};

}  // namespace Game
