#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"
#include "core/sound/OggBGM.h"
#include "core/file/nml/NmlDocument.h"

namespace SoundTest {

using Samples = std::vector<std::int16_t>;

// The sound device's fake output, the file manager's loader pumped by hand,
// and an OggBGM whose streaming job is ticked by hand on the fake clock.
class MusicFixture : public ::testing::Test {
 protected:
  static constexpr std::size_t kPullFrames = 1024;

  MusicFixture() {
    Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, {.startLoader = false});
    Engine::Sound::Manager::create();
  }
  ~MusicFixture() override {
    mBgm.reset();
    Engine::Sound::Manager::destroy();
    Engine::FileIO::ManagerImpl::destroy();
  }

  void startBgm(const char* tableText, Platform::VorbisDecoder* decoder = nullptr) {
    mTable.loadFromText("bgm/bgm.txt", tableText);
    Game::OggBGMOptions options;
    options.clock = &backend->fakeClock;
    options.decoder = decoder ? decoder : &backend->fakeVorbisDecoder;
    options.startThread = false;
    mBgm = std::make_unique<Game::OggBGM>(mTable, "bgm/bgm.txt", options);
    mBgm->setVolume(100);  // 0 dB: the output holds the tunes' own samples
  }

  void putTune(const char* file, int rate, int channels, const Samples& samples) {
    backend->fakeFileSystem.put(std::string("bgm/") + file + ".ogg",
                                PlatformFake::FakeVorbisDecoder::encode(rate, channels, samples));
  }

  // One tick of the job with the loader's work done in between.
  void tick() {
    while (Engine::FileIO::ManagerImpl::instance()->serveRound()) {
    }
    mBgm->tick();
  }
  void ticks(int n) { for (int i = 0; i < n; ++i) tick(); }

  // Chooses the tune and ticks until it has started, so that the output
  // pulled next begins with its first frame.
  void startTune(const char* name) {
    mBgm->play(name);
    for (int i = 0; i < 20 && mBgm->playbackTime() == 0.0; ++i) {
      tick();
    }
    ASSERT_GT(mBgm->playbackTime(), 0.0);
  }

  // frames of output, a tick before every block, as the job runs alongside.
  Samples play(std::size_t frames) {
    Samples out;
    while (out.size() < frames * 2) {
      tick();
      const Samples block = backend->fakeAudioOutput.pull(std::min(kPullFrames, frames - out.size() / 2));
      out.insert(out.end(), block.begin(), block.end());
    }
    return out;
  }

  const Game::BGM::Tune* tune(const char* name) { return mBgm->findTune(name); }

  PlatformFake::ScopedFakeBackend backend;
  Game::NmlDocument mTable;
  std::unique_ptr<Game::OggBGM> mBgm;
};

// n frames of one value in every channel.
inline Samples constantTune(std::int16_t value, std::size_t frames, int channels) {
  return Samples(frames * static_cast<std::size_t>(channels), value);
}

}  // namespace SoundTest
