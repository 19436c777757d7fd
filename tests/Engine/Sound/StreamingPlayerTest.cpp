#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "Engine/Sound/Player.h"
#include "PlatformFake/FakeBackend.h"
#include "Sound/src/PlayerImpl.h"

namespace {

using Engine::Sound::Player;
using Samples = std::vector<std::int16_t>;

constexpr int kFrame = 4;  // 16-bit stereo
constexpr int kRingFrames = 4096;
constexpr int kRing = kRingFrames * kFrame;
constexpr int kAhead = static_cast<int>(Player::Impl::kWriteAheadFrames);

class StreamingPlayerTest : public ::testing::Test {
 protected:
  StreamingPlayerTest() { Engine::Sound::Manager::create(); }
  ~StreamingPlayerTest() override { Engine::Sound::Manager::destroy(); }
  Samples pull(std::size_t frames) { return backend->fakeAudioOutput.pull(frames); }

  PlatformFake::ScopedFakeBackend backend;
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
  const std::uint8_t bytes[kFrame] = {};
  player.play(false);
  pull(1000);
  const int play = 1000 * kFrame;
  const int write = (1000 + kAhead) * kFrame;
  EXPECT_TRUE(player.write(play, bytes, kFrame));  // at the play cursor itself
  EXPECT_FALSE(player.write(play + kFrame, bytes, kFrame));
  EXPECT_FALSE(player.fillSilence(write - kFrame, kFrame));
  EXPECT_TRUE(player.write(write, bytes, kFrame));
  EXPECT_TRUE(player.write(play - kFrame, bytes, kFrame));
  EXPECT_TRUE(player.write(0, bytes, kFrame));
}

TEST_F(StreamingPlayerTest, TheCursorTestHandlesTheWrap) {
  Player player = Player::create(16, kRing, 44100, 2);
  const std::uint8_t bytes[kFrame] = {};
  player.play(false);
  pull(kRingFrames - 100);
  const int play = (kRingFrames - 100) * kFrame;
  const int write = (kAhead - 100) * kFrame;  // wrapped past the end
  EXPECT_FALSE(player.write(play + kFrame, bytes, kFrame));
  EXPECT_FALSE(player.write(kRing - kFrame, bytes, kFrame));
  EXPECT_FALSE(player.write(0, bytes, kFrame));
  EXPECT_FALSE(player.write(write - kFrame, bytes, kFrame));
  EXPECT_TRUE(player.write(play, bytes, kFrame));
  EXPECT_TRUE(player.write(write, bytes, kFrame));
  EXPECT_TRUE(player.write(play - kFrame, bytes, kFrame));
  player.stop();  // stopped: nothing is about to be played
  EXPECT_TRUE(player.write(kFrame, bytes, kFrame));
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
