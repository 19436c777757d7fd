#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "Engine/Sound/Player.h"
#include "Engine/Sound/WaveBytes.h"
#include "PlatformFake/FakeBackend.h"
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

using PlayerDeathTest = PlayerTest;

TEST_F(PlayerDeathTest, MisuseHalts) {
  EXPECT_DEATH(Player::create(Wave()), "wave.isReady\\(\\) && \"Player::Player\\(\\) : loading hasn't finished.\"");
  Wave wave = stereo16({1, 1});
  Player player = Player::create(wave);
  const std::uint8_t byte = 0;
  EXPECT_DEATH(player.write(0, &byte, 1), "mSize > 0 && \"Sound::Player::Impl::write : this isn't streaming player!\"");
  EXPECT_DEATH(Engine::Sound::Manager::create(), "!gManagerImpl");
}

}  // namespace
