#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "Engine/Sound/Player.h"
#include "Engine/Sound/WaveBytes.h"
#include "PlatformFake/FakeBackend.h"
#include "Sound/src/PlayerImpl.h"
#include "Sound/src/WaveImpl.h"

namespace {

using Engine::Sound::Player;
using Engine::Sound::Wave;
using SoundTest::WaveBytes;
using Samples = std::vector<std::int16_t>;

class PlayerTest : public ::testing::Test {
 protected:
  PlayerTest() { Engine::Sound::Manager::create(); }
  ~PlayerTest() override { Engine::Sound::Manager::destroy(); }

  static Wave waveOf(const WaveBytes& file) {
    return Wave(Wave::Impl::fromBytes("test.wav", file.bytes.data(), file.bytes.size()));
  }
  static Wave stereo16(const Samples& samples) { return waveOf(WaveBytes(2, 44100, 16).data16(samples)); }
  Samples pull(std::size_t frames) { return backend->fakeAudioOutput.pull(frames); }

  PlatformFake::ScopedFakeBackend backend;
};

TEST_F(PlayerTest, AWavePlaysItsExactSamplesAtUnityVolumeThenStops) {
  const Samples samples = {1, -1, 32767, -32768, 1234, -4321};
  Wave wave = stereo16(samples);
  Player player = Player::create(wave);
  player.play(false);
  Samples expected = samples;
  expected.resize(10, 0);
  EXPECT_EQ(pull(5), expected);
  EXPECT_FALSE(player.isPlaying());
  EXPECT_EQ(player.position(), 0);
}

TEST_F(PlayerTest, VolumeIsInDecibels) {
  Wave wave = stereo16({10000, -20000});
  Player player = Player::create(wave);
  player.setVolume(-6);  // -600 hundredths of a decibel
  player.play(true);
  const double factor = std::pow(10.0, -0.3);
  Samples out = pull(1);
  EXPECT_NEAR(out[0], 10000 * factor, 0.5);
  EXPECT_NEAR(out[1], -20000 * factor, 0.5);
  player.setVolume(-100);
  EXPECT_EQ(pull(1), Samples({0, 0}));
  player.setVolume(-101);  // out of range: left as it was
  EXPECT_EQ(pull(1), Samples({0, 0}));
  player.setVolume(0);
  EXPECT_EQ(pull(1), Samples({10000, -20000}));
}

TEST_F(PlayerTest, StoppedIsSilentPlayRestartsFromTheStartAndALoopWraps) {
  Wave wave = stereo16({1, 1, 2, 2, 3, 3});
  Player player = Player::create(wave);
  EXPECT_EQ(pull(2), Samples({0, 0, 0, 0}));
  player.play(false);
  pull(2);
  EXPECT_EQ(player.position(), 8);
  player.play(false);
  EXPECT_EQ(pull(1), Samples({1, 1}));
  player.stop();
  EXPECT_EQ(player.position(), 0);
  EXPECT_EQ(pull(2), Samples({0, 0, 0, 0}));
  player.play(true);
  EXPECT_EQ(pull(7), Samples({1, 1, 2, 2, 3, 3, 1, 1, 2, 2, 3, 3, 1, 1}));
  EXPECT_TRUE(player.isPlaying());
  EXPECT_EQ(player.position(), 4);
}

TEST_F(PlayerTest, EightBitMonoIsConvertedOnMixing) {
  Wave eightBit = waveOf(WaveBytes(1, 44100, 8).chunk("data", {128, 129, 0}));
  Player player = Player::create(eightBit);
  player.play(false);
  EXPECT_EQ(pull(3), Samples({0, 0, 256, 256, -32768, -32768}));
}

TEST_F(PlayerTest, PlayersOfOneWaveShareItAndSumWithClipping) {
  Wave wave = stereo16({20000, -20000});
  Player first = Player::create(wave);
  Player second = Player::create(wave);
  first.play(true);
  second.play(true);
  EXPECT_EQ(pull(1), Samples({32767, -32768}));
  wave.release();  // the players keep the samples
  second.release();
  EXPECT_EQ(pull(1), Samples({20000, -20000}));
}

TEST_F(PlayerTest, APlayerOverAFailedWaveDoesNothing) {
  Wave broken = waveOf(WaveBytes(1, 44100, 16));
  ASSERT_TRUE(broken.isError());
  Player player = Player::create(broken);
  player.play(true);
  EXPECT_FALSE(player.isPlaying());
  EXPECT_EQ(pull(1), Samples({0, 0}));
  EXPECT_TRUE(player.write(0, nullptr, 0));  // size 0: true even when not streaming
}

// Without an audio device nothing pulls the mixer: a sound played, even a
// loop, ends at once instead of playing for ever.
TEST_F(PlayerTest, WithoutAnAudioDeviceASoundEndsAsItStarts) {
  Engine::Sound::Manager::destroy();
  backend->fakeAudioOutput.audible = false;
  Engine::Sound::Manager::create();
  Wave wave = stereo16({1, 1});
  Player player = Player::create(wave);
  player.play(true);
  EXPECT_FALSE(player.isPlaying());
}

using PlayerDeathTest = PlayerTest;

TEST_F(PlayerDeathTest, MisuseHalts) {
  EXPECT_DEATH(Player::create(Wave()), "wave.isReady\\(\\) && \"Player::Player\\(\\) : loading hasn't finished.\"");
  Wave wave = stereo16({1, 1});
  Player player = Player::create(wave);
  const std::uint8_t byte = 0;
  EXPECT_DEATH(player.write(0, &byte, 1), "mSize > 0 && \"Sound::Player::Impl::write : this isn't streaming player!\"");
  EXPECT_DEATH(Engine::Sound::Manager::create(), "!gManagerImpl");
}

constexpr int kFrame = 4;  // 16-bit stereo
constexpr int kRingFrames = 4096;
constexpr int kRing = kRingFrames * kFrame;
constexpr int kAhead = static_cast<int>(Player::Impl::kWriteAheadFrames);

class StreamingPlayerTest : public PlayerTest {
 protected:
  // Whether a one-frame write at each byte position is taken ('y') or refused ('n').
  static std::string writes(Player& player, std::initializer_list<int> positions) {
    const std::uint8_t bytes[kFrame] = {};
    std::string taken;
    for (const int at : positions) {
      taken += player.write(at, bytes, kFrame) ? 'y' : 'n';
    }
    return taken;
  }
};

TEST_F(StreamingPlayerTest, StartsSilentIn8And16Bits) {
  // Heard as silence only if the 8-bit ring holds 128 and the 16-bit ring 0.
  Player eight = Player::create(8, 4000, 44100, 1);
  Player sixteen = Player::create(16, 12000, 44100, 2);
  eight.play(false);
  sixteen.play(false);
  EXPECT_EQ(pull(3), Samples(6, 0));
  pull(4000);
  EXPECT_TRUE(eight.isPlaying());  // a streaming player always loops
}

TEST_F(StreamingPlayerTest, WritesAreRefusedStrictlyBetweenTheCursors) {
  Player player = Player::create(16, kRing, 44100, 2);
  player.play(false);
  pull(1000);
  const int play = 1000 * kFrame;
  const int write = (1000 + kAhead) * kFrame;
  // Taken at the play cursor itself, refused past it up to the write cursor.
  EXPECT_EQ(writes(player, {play, play + kFrame, write, play - kFrame, 0}), "ynyyy");
  EXPECT_FALSE(player.fillSilence(write - kFrame, kFrame));
}

TEST_F(StreamingPlayerTest, TheCursorTestHandlesTheWrap) {
  Player player = Player::create(16, kRing, 44100, 2);
  player.play(false);
  pull(kRingFrames - 100);
  const int play = (kRingFrames - 100) * kFrame;
  const int write = (kAhead - 100) * kFrame;  // wrapped past the end
  EXPECT_EQ(writes(player, {play + kFrame, kRing - kFrame, 0, write - kFrame, play, write, play - kFrame}), "nnnnyyy");
  player.stop();  // stopped: nothing is about to be played
  EXPECT_EQ(writes(player, {kFrame}), "y");
}

TEST_F(StreamingPlayerTest, SixteenBitSilenceOfAnOddSizeLeavesTheLastByte) {
  Player player = Player::create(16, kRing, 44100, 2);
  const std::uint8_t ones[kFrame] = {0xFF, 0xFF, 0xFF, 0xFF};
  ASSERT_TRUE(player.write(0, ones, kFrame));
  ASSERT_TRUE(player.fillSilence(0, 3));
  player.play(false);
  EXPECT_EQ(pull(1), Samples({0, -1}));  // byte 2 kept: 0xFFFF, not 0xFF00
}

using StreamingPlayerDeathTest = StreamingPlayerTest;

TEST_F(StreamingPlayerDeathTest, BadArgumentsHalt) {
  EXPECT_DEATH(Player::create(12, 100000, 44100, 2),
               "bits == 8 \\|\\| bits == 16 && \"Player::Player\\(\\) : bitsPerSample must be 8 or 16.\"");
  EXPECT_DEATH(Player::create(16, 11025, 44100, 2), "bufferSize is too small. at least 1/16s");
  Player fits = Player::create(16, 11026, 44100, 2);
  const std::uint8_t bytes[8] = {};
  EXPECT_DEATH(fits.write(11024, bytes, 4), "pos \\+ size <= mSize");
  EXPECT_DEATH(fits.write(-4, bytes, 4), "pos >= 0");
}

}  // namespace
