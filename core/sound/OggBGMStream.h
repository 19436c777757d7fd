#pragma once

#include <vector>

#include "Engine/Sound/Player.h"
#include "core/sound/BGM.h"
#include "core/sound/FadeTimer.h"
#include "core/sound/OggFile.h"
#include "core/file/FileReader.h"

namespace Game {

// One tune on its way through the music thread: its file is read, copied and
// opened a step per tick, then decoded into a streaming player's ring. A
// stream without a tune only waits to be removed.
class OggBGMStream {
 public:
  static constexpr Engine::i32 kRingSize = 0x40000;
  static constexpr Engine::i32 kChunkSize = 0x10000;
  static constexpr double kNearEndSeconds = 5.0;

  OggBGMStream(const BGM::Tune* tune, bool nearEnd) : mTune(tune), mNearEnd(nearEnd) {}
  ~OggBGMStream();
  OggBGMStream(const OggBGMStream&) = delete;
  OggBGMStream& operator=(const OggBGMStream&) = delete;

  const BGM::Tune* tune() const { return mTune; }
  // One step of getting ready to play; true once ready. A file that does not
  // open is reported once and the stream stays silent.
  bool prepare(Platform::VorbisDecoder& decoder);
  // One tick of the ready stream at the music volume (0 to 100). When its
  // fade-out ends the stream lets go of everything and its tune.
  void update(Engine::i32 volume, Engine::u32 now);
  void startFadeOut(Engine::u32 now) { mFade.start(now); }
  bool isFadingOut() const { return mFade.isStarted(); }
  // Decoder time, 0 before the decoder is open.
  double playbackTime();

 private:
  enum class Step { kNew, kRequested, kLoaded, kOpen, kFailed };

  // Opens the copied file, or reports why not and stays silent.
  void open(Platform::VorbisDecoder& decoder);
  void startPlaying(Engine::i32 volume);
  void setVolume(Engine::i32 volume);
  void finish();
  void fill();
  Engine::i32 freeSpace() const;
  Engine::i32 nextChunkSize(Engine::i32 crossLength);
  Engine::i32 crossLength();
  // Decodes length bytes into the scratch buffer, wrapping to the loop point
  // at the end; returns the bytes decoded and sets loopOffset (-1: no wrap).
  Engine::i32 decode(Engine::i32 length, Engine::i32& loopOffset);
  void writeRing(const Engine::u8* data, Engine::i32 length);
  void writeSilence(Engine::i32 length);

  const BGM::Tune* mTune;
  bool mNearEnd;
  Step mStep = Step::kNew;
  FileReader mReader;
  OggFile mFile;
  Engine::Sound::Player mPlayer;
  Engine::i32 mWritePos = 0;
  bool mStarted = false;
  bool mEnded = false;  // no more of the tune to decode: silence follows
  FadeTimer mFade;
  std::vector<Engine::u8> mScratch;
};

}  // namespace Game
