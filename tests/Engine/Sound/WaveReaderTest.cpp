#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "Engine/FileIO/ArchiveBuilder.h"
#include "Engine/Sound/Manager.h"
#include "Engine/Sound/Player.h"
#include "Engine/Sound/Wave.h"
#include "Engine/Sound/WaveBytes.h"
#include "PlatformFake/FakeBackend.h"
#include "Sound/src/WaveReader.h"

namespace {

using Engine::Sound::readWave;
using Engine::Sound::WaveContents;
using SoundTest::WaveBytes;

TEST(WaveReaderTest, FormatAndSamplesAfterAnyChunksClippedToWholeFrames) {
  WaveBytes canonical(2, 22050, 16);
  canonical.data16({1, -1, 300, -300});
  WaveContents contents;
  ASSERT_EQ(readWave(canonical.bytes.data(), canonical.bytes.size(), contents), nullptr);
  EXPECT_EQ(std::tuple(contents.format.channels, contents.format.rate, contents.format.bitsPerSample),
            std::tuple(2, 22050, 16));
  EXPECT_EQ(contents.size, 8u);
  EXPECT_EQ(contents.samples, canonical.bytes.data() + 44);

  WaveBytes padded(1, 44100, 8);
  padded.chunk("LIST", {'I', 'N', 'F', 'O', 'x', 'y'}).chunk("odd ", 3, {'a', 'b', 'c', 0});  // then the pad byte
  padded.chunk("data", {200, 201, 202});
  ASSERT_EQ(readWave(padded.bytes.data(), padded.bytes.size(), contents), nullptr);
  EXPECT_EQ(std::vector<std::uint8_t>(contents.samples, contents.samples + contents.size),
            (std::vector<std::uint8_t>{200, 201, 202}));

  WaveBytes longer(2, 44100, 16);
  longer.chunk("data", 1000000, {1, 2, 3, 4, 5, 6, 7});  // one frame and three stray bytes
  ASSERT_EQ(readWave(longer.bytes.data(), longer.bytes.size(), contents), nullptr);
  EXPECT_EQ(contents.size, 4u);
}

TEST(WaveReaderTest, BrokenFilesAreRejectedWithAReason) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Case> cases;
  cases.push_back({"no data chunk", WaveBytes(1, 44100, 16).chunk("LIST", {1, 2}).bytes});
  // A chunk size that would wrap a 32-bit offset back onto itself.
  cases.push_back({"huge chunk", WaveBytes(1, 44100, 16).chunk("junk", 0xFFFFFFF8u, {}).chunk("data", {1, 2}).bytes});
  cases.push_back({"header cut short", WaveBytes(1, 44100, 16).bytes});
  cases.back().bytes.resize(30);
  cases.push_back({"data header cut short", WaveBytes(1, 44100, 16).bytes});
  cases.back().bytes.insert(cases.back().bytes.end(), {'d', 'a', 't', 'a', 2});
  cases.push_back({"empty data", WaveBytes(1, 44100, 16).chunk("data", {}).bytes});
  cases.push_back({"less than a frame", WaveBytes(2, 44100, 16).chunk("data", {1, 2, 3}).bytes});
  cases.push_back({"24-bit", WaveBytes(1, 44100, 24).chunk("data", {1, 2, 3}).bytes});
  cases.push_back({"six channels", WaveBytes(6, 44100, 16).data16({1, 2, 3, 4, 5, 6}).bytes});
  cases.push_back({"rate 0", WaveBytes(1, 0, 16).data16({1}).bytes});
  cases.push_back({"rate too high", WaveBytes(1, 400000, 16).data16({1}).bytes});
  for (const Case& broken : cases) {
    WaveContents contents;
    EXPECT_NE(readWave(broken.bytes.data(), broken.bytes.size(), contents), nullptr) << broken.what;
    EXPECT_EQ(contents.size, 0u) << broken.what;
  }
}

using Engine::Sound::Player;
using Engine::Sound::Wave;

// Waves loaded by name through the file manager, whose loader is pumped by hand.
class WaveFileTest : public ::testing::Test {
 protected:
  WaveFileTest() { Engine::Sound::Manager::create(); }
  ~WaveFileTest() override { Engine::Sound::Manager::destroy(); }

  PlatformFake::ScopedFakeBackend backend;
  TestSupport::LooseFiles files;
};

TEST_F(WaveFileTest, AWaveIsReadyOnceItsFileHasArrivedAndMissingOrBrokenFilesGiveAnError) {
  backend->fakeFileSystem.put("src/sound/beep.wav", SoundTest::WaveBytes(2, 44100, 16).data16({5, -5}).bytes);
  backend->fakeFileSystem.put("src/sound/empty.wav", "RIFF");
  Wave wave = Wave::create("src/sound/beep.wav");
  Wave missing = Wave::create("src/sound/missing.wav");
  Wave broken = Wave::create("src/sound/empty.wav");
  EXPECT_FALSE(wave.isReady());
  TestSupport::pumpFiles();
  ASSERT_TRUE(wave.isReady() && missing.isReady() && broken.isReady());
  EXPECT_EQ(std::tuple(wave.isError(), missing.isError(), broken.isError()), std::tuple(false, true, true));
  EXPECT_EQ(backend->fakeDebugOutput.lines.back(), "Sound : too short for a WAV header ( src/sound/empty.wav )\n");
  Player player = Player::create(wave);
  player.play(false);
  EXPECT_EQ(backend->fakeAudioOutput.pull(2), std::vector<std::int16_t>({5, -5, 0, 0}));
}

}  // namespace
