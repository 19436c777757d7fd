#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <fstream>
#include <memory>
#include <numeric>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <tuple>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "Engine/Sound/WaveBytes.h"
#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"
#include "core/sound/OggBGM.h"
#include "core/sound/SoundEffectList.h"
#include "core/sound/SoundEffectManager.h"
#include "core/file/FileLoader.h"
#include "core/file/nml/NmlDocument.h"
#include "tests/core/sound/MusicFixture.h"

namespace {

using SoundTest::constantTune;
using SoundTest::Samples;

constexpr int kRate = 44100;

class OggBGMTest : public SoundTest::MusicFixture {
 protected:
  static constexpr const char *kMissing = "<missing>", *kUnopenable = "<FIFO>";
  std::uint32_t& now() { return backend->fakeClock.now; }
  std::vector<std::string>& debugLines() { return backend->fakeDebugOutput.lines; }

  // A bad tune file is silent with its lines, and the next tune starts
  // without waiting for a fade. Bytes kMissing put nothing, kUnopenable what
  // never opens (a FIFO, a directory, a device).
  void expectSilentAndNotHoldingUp(std::string_view bytes, int opens, const std::string& lines) {
    startBgm("A{ file a; loop 0; } B{ file b; loop 0; }");
    backend->fakeFileSystem.remove("bgm/a.ogg");
    if (bytes == kUnopenable) backend->fakeFileSystem.putUnopenable("bgm/a.ogg");
    if (bytes != kMissing && bytes != kUnopenable) backend->fakeFileSystem.put("bgm/a.ogg", bytes);
    putTune("b", kRate, 1, constantTune(2000, kRate, 1));
    mBgm->play("A");
    const Samples heard = play(20000);
    EXPECT_EQ(std::count(heard.begin(), heard.end(), 0), static_cast<long>(heard.size()));
    EXPECT_EQ(backend->fakeVorbisDecoder.openCount, opens);
    EXPECT_EQ(std::accumulate(debugLines().begin(), debugLines().end(), std::string()), lines);
    mBgm->play("B");
    EXPECT_EQ(play(8192).back(), 2000);
  }
};

TEST_F(OggBGMTest, ChoosingAThenBThenCQuicklyFadesAOutForASecondDropsBAndThenPlaysC) {
  startBgm("A{ file a; loop 0; } B{ file b; loop 0; } C{ file c; loop 0; }");
  putTune("a", kRate, 1, constantTune(1000, kRate, 1));
  putTune("b", kRate, 1, constantTune(2000, kRate, 1));
  putTune("c", kRate, 1, constantTune(3000, kRate, 1));
  mBgm->play("A");
  EXPECT_EQ(play(8192).back(), 1000);

  const std::uint32_t fadeStart = now();
  mBgm->play("B");
  mBgm->play("C");
  ASSERT_EQ(mBgm->streamCount(), 2);
  EXPECT_EQ(mBgm->streamTune(0), tune("A"));
  EXPECT_EQ(mBgm->streamTune(1), tune("C"));

  now() = fadeStart + 500;  // half way: volume 50, -3 dB
  EXPECT_NEAR(play(1024).back(), 1000 * std::pow(10.0, -3 / 20.0), 1.0);
  now() = fadeStart + 999;
  play(1024);
  EXPECT_EQ(mBgm->streamTune(0), tune("A"));
  now() = fadeStart + 1000;
  play(4096);
  ASSERT_EQ(mBgm->streamCount(), 1);
  EXPECT_EQ(mBgm->streamTune(0), tune("C"));
  EXPECT_EQ(play(4096).back(), 3000);

  const std::vector<std::string> opened = backend->fakeFileSystem.openedForReading();
  EXPECT_EQ(std::count(opened.begin(), opened.end(), "bgm/b.ogg"), 0);
}

TEST_F(OggBGMTest, ChoosingTheTuneThatIsPlayingGoesOnWithIt) {
  startBgm("A{ file a; loop 0; }");
  putTune("a", kRate, 1, constantTune(1000, kRate * 2, 1));
  mBgm->play("A");
  play(8192);
  mBgm->play("A");
  play(30000);
  EXPECT_EQ(mBgm->streamCount(), 1);
  EXPECT_EQ(backend->fakeVorbisDecoder.openCount, 1);
  EXPECT_EQ(play(1).back(), 1000);
}

// The output runs through the tune and then from its loop point, with no
// frame lost or repeated at the wrap.
TEST_F(OggBGMTest, LoopsAtItsLoopPointFrameForFrame) {
  startBgm("A{ file a; loop 1/4; crossFade 0; }");
  const std::size_t frames = kRate / 2;
  const std::size_t loopFrame = kRate / 4;
  Samples ramp(frames);
  for (std::size_t i = 0; i < frames; ++i) {
    ramp[i] = static_cast<std::int16_t>(i + 1);
  }
  putTune("a", kRate, 1, ramp);
  startTune("A");
  const Samples heard = play(frames * 3);
  for (std::size_t i = 0; i < frames * 3; ++i) {
    const std::size_t expected = i < frames ? i : loopFrame + (i - frames) % (frames - loopFrame);
    ASSERT_EQ(heard[2 * i], static_cast<std::int16_t>(expected + 1)) << "frame " << i;
  }
}

// A cross-fade longer than the decoding chunk is cut to half a chunk, so
// that the end and the loop start fit the scratch buffer together.
TEST_F(OggBGMTest, ACrossFadeLongerThanAChunkStillLoopsSeamlessly) {
  startBgm("A{ file a; loop 0; crossFade 2; }");
  putTune("a", kRate, 2, constantTune(1000, kRate / 2, 2));
  startTune("A");
  const Samples heard = play(kRate * 2);
  EXPECT_GE(*std::min_element(heard.begin(), heard.end()), 999);  // a blend of 1000 and 1000, truncated
}

TEST_F(OggBGMTest, ALoopPointAtTheEndOrASeekThatFailsPlaysTheTuneOnceThenSilence) {
  startBgm("A{ file a; loop 1/10; } B{ file b; loop 0; }");
  putTune("a", kRate, 1, constantTune(500, kRate / 10, 1));
  putTune("b", kRate, 1, constantTune(700, kRate / 10, 1));
  startTune("A");
  Samples heard = play(kRate / 2);
  EXPECT_EQ(heard[2 * (kRate / 10 - 1)], 500);
  EXPECT_EQ(heard[2 * (kRate / 10)], 0);
  EXPECT_EQ(heard.back(), 0);

  backend->fakeVorbisDecoder.failSeeks = true;
  mBgm->play("B");
  now() += 1000;
  play(1);
  startTune("B");
  heard = play(kRate);
  EXPECT_EQ(std::count(heard.begin(), heard.end(), 700), 2 * kRate / 10);
  EXPECT_EQ(heard.back(), 0);
}

// Each bad tune file is reported once and holds up nothing. A damaged header
// may claim any channel count or rate: the player takes mono or stereo at 100
// to 200000 Hz. libvorbis takes a codebook that is not a whole prefix code at
// the header and divides by zero once decoding: such a tune never reaches the
// decoder (the seed's one damaged code length, 16 bits made 12, overfills
// its book), nor does an empty one.
TEST_F(OggBGMTest, ABadTuneFileIsReportedOnceAndDoesNotHoldUpTheNext) {
  const auto header = [](int rate, int channels) {
    const std::vector<std::uint8_t> bytes = PlatformFake::FakeVorbisDecoder::encode(rate, channels, {1, 2, 3, 4, 5, 6});
    return std::string(bytes.begin(), bytes.end());
  };
  std::ifstream in(MARROWDEEP_SOURCE_DIR "/fuzz/corpus/MusicStream/overfull_codebook.ogg", std::ios::binary);
  std::ostringstream book;
  book << in.rdbuf();
  const std::string brokenBook = book.str();
  ASSERT_EQ(brokenBook.size(), 2598u);
  const std::string badFormat = "BGM : not mono or stereo at 100 to 200000 Hz ( bgm/a.ogg )\n";
  const std::string notRead = "BGM : tune file not read ( bgm/a.ogg )\n";
  const std::tuple<std::string, int, std::string> cases[] = {
      {"not a tune", 1, "BGM : not an Ogg Vorbis file ( bgm/a.ogg )\n"},
      {header(99, 1), 1, badFormat},
      {header(200001, 2), 1, badFormat},
      {brokenBook, 0, "BGM : a Vorbis codebook's code lengths do not make a whole prefix code ( bgm/a.ogg )\n"},
      {"", 0, "BGM : empty tune file ( bgm/a.ogg )\n"},
      {kMissing, 0, "FileIO : can't open file! ( bgm/a.ogg )\n" + notRead},
      {kUnopenable, 0, "FileIO : can't open file! ( bgm/a.ogg )\n" + notRead},
  };
  for (const auto& [bytes, opens, line] : cases) {
    SCOPED_TRACE(line);
    debugLines().clear();
    backend->fakeVorbisDecoder.openCount = 0;
    expectSilentAndNotHoldingUp(bytes, opens, line);
  }
}

using OggBGMDeathTest = OggBGMTest;

// A tune's numbers are finite: a quotient by zero stops naming the table, the
// line and the key before the stream or the mixer casts it.
TEST_F(OggBGMDeathTest, ATuneNumberThatIsNotFiniteStopsNamingTheTable) {
  for (const char* key : {"loop", "crossFade", "volume"}) {
    EXPECT_DEATH(startBgm((std::string("A{ file a;\n") + key + " /; loop 0; }").c_str()),
                 std::string("bgm/bgm.txt line 2: \"") + key + "\" item 1 \"/\" is not a finite number");
  }
}

// A clock both threads may read; a pause only lets other threads run.
class SharedClock : public Platform::Clock {
 public:
  std::uint32_t milliseconds() override { return mNow.load(); }
  void sleep(std::uint32_t ms) override {
    mNow += ms;
    std::this_thread::yield();
  }

 private:
  std::atomic<std::uint32_t> mNow{0};
};

// The streaming job on the worker pool, the file loader on its own job, and
// the test pulling the sound device's output.
TEST(MusicThreadTest, TheJobStreamsTheChosenTuneAndShutdownJoinsIt) {
  PlatformFake::ScopedFakeBackend backend;
  Engine::Threading::Manager::create(1);
  Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, Engine::FileIO::ManagerOptions());
  Engine::Sound::Manager::create();
  const std::vector<std::int16_t> tune(44100, 1000);
  backend->fakeFileSystem.put("bgm/a.ogg", PlatformFake::FakeVorbisDecoder::encode(44100, 1, tune));
  Game::NmlDocument table;
  table.loadFromText("bgm/bgm.txt", "A{ file a; loop 0; }");
  SharedClock clock;
  Game::OggBGMOptions bgmOptions;
  bgmOptions.clock = &clock;
  bgmOptions.decoder = &backend->fakeVorbisDecoder;

  auto bgm = std::make_unique<Game::OggBGM>(table, "bgm/bgm.txt", bgmOptions);
  bgm->setVolume(100);
  bgm->play("A");
  while (bgm->playbackTime() == 0.0) {
    std::this_thread::yield();
  }
  // Less than the first fill holds, since the output is pulled faster than
  // the job may be scheduled.
  EXPECT_EQ(backend->fakeAudioOutput.pull(20000).back(), 1000);
  bgm->play("A");
  bgm->stop();
  bgm.reset();  // sets the stop flag and waits for the job

  Engine::Sound::Manager::destroy();
  Engine::FileIO::ManagerImpl::destroy();
  Engine::Threading::Manager::destroy();
}

using Game::SoundEffectList;
using Game::SoundEffectManager;

constexpr int kWaveFrames = 4000;

class SoundEffectTest : public SoundTest::MusicFixture {
 protected:
  SoundEffectTest() {
    Game::FileLoader::create();
    SoundEffectManager::create();
    Game::SoundEffect::setGlobalVolume(0);
    Samples ramp(kWaveFrames);
    for (int i = 0; i < kWaveFrames; ++i) {
      ramp[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i + 1);
    }
    backend->fakeFileSystem.put("se/ramp.wav", SoundTest::WaveBytes(1, 44100, 16).data16(ramp).bytes);
  }
  ~SoundEffectTest() override {
    mList.reset();
    SoundEffectManager::destroy();
    Game::FileLoader::destroy();
  }

  // Reads list text as the list files are read, and waits for the waves.
  void loadList(const char* text) {
    Game::NmlDocument document;
    document.loadFromText("list.txt", text);
    mList = std::make_unique<SoundEffectList>();
    mList->readNode(document, nullptr);
    while (Engine::FileIO::ManagerImpl::instance()->serveRound()) {
    }
    ASSERT_TRUE(mList->allReady());
  }
  std::int16_t nextSample() { return backend->fakeAudioOutput.pull(1)[0]; }
  void update() { SoundEffectManager::instance()->update(); }

  std::unique_ptr<SoundEffectList> mList;
};

TEST_F(SoundEffectTest, ASoundDelayedByDFramesIsFirstHeardAfterUpdateDPlusOne) {
  loadList("se{ ramp ramp; }");
  mList->play("ramp", 2);
  for (int frame = 1; frame <= 2; ++frame) {
    update();
    EXPECT_EQ(nextSample(), 0) << "after update " << frame;
  }
  update();
  EXPECT_EQ(nextSample(), 1);
  backend->fakeAudioOutput.pull(kWaveFrames);
  update();
  EXPECT_EQ(SoundEffectManager::instance()->count(), 0);  // finished and dropped
}

TEST_F(SoundEffectTest, StartDoesNotRestartAPlayingSoundButPlayLetsCopiesOverlap) {
  loadList("se{ ramp ramp; }");
  mList->start("ramp", 0);
  mList->start("ramp", 0);
  EXPECT_EQ(nextSample(), 1);  // heard once, not twice
  backend->fakeAudioOutput.pull(99);
  mList->start("ramp", 0);
  EXPECT_EQ(nextSample(), 101);  // still going, not rewound

  backend->fakeAudioOutput.pull(kWaveFrames);
  mList->play("ramp", 0);
  mList->play("ramp", 0);
  update();
  EXPECT_EQ(nextSample(), 2);
}

TEST_F(SoundEffectTest, AQueuedSoundStillPlaysAfterItsListIsGone) {
  loadList("se{ ramp ramp; }");
  mList->play("ramp", 1);
  mList.reset();
  update();
  update();
  EXPECT_EQ(nextSample(), 1);
}

}  // namespace
