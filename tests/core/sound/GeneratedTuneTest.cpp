// The title tune as the build makes it, decoded by libvorbisfile.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/sound/MusicMixing.h"
#include "tests/core/sound/MusicFixture.h"

namespace {

using SoundTest::Samples;

std::vector<std::uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class GeneratedTuneTest : public SoundTest::MusicFixture {};

// The output (44.1 kHz, twice the tune's rate) holds the tune's frame m at
// output frame 2m. After the cross-fade the tune goes on from its loop point
// plus the blended stretch, with no gap and no step beyond the tune's own.
TEST_F(GeneratedTuneTest, TheTitleTuneLoopsAtItsLoopPointWithoutAGapOrAJump) {
  const std::vector<std::uint8_t> bytes = readFile(MARROWDEEP_GAME_DIR "/bgm/title.ogg");
  ASSERT_FALSE(bytes.empty());
  backend->fakeFileSystem.put("bgm/title.ogg", bytes);
  const std::unique_ptr<Platform::VorbisDecoder> decoder = Platform::createVorbisFileDecoder();
  const std::unique_ptr<Platform::VorbisStream> probe = decoder->open(bytes.data(), bytes.size());
  ASSERT_TRUE(probe);
  ASSERT_EQ(probe->rate(), 22050);
  ASSERT_EQ(probe->channels(), 2);
  const std::size_t total = static_cast<std::size_t>(probe->pcmTotal());
  const std::size_t loopStart = 22050;     // loop 1
  const std::size_t crossFrames = 880 / 4;  // 0.01 s, in whole 4-byte steps

  startBgm("タイトル{ file title; loop 1; }", decoder.get());
  startTune("タイトル");
  const Samples heard = play(2 * (total + total - loopStart) + 4096);

  auto left = [&](std::size_t tuneFrame) { return heard[4 * tuneFrame]; };
  int bodyStep = 0;
  for (std::size_t m = loopStart + 1; m < total - crossFrames; ++m) {
    bodyStep = std::max(bodyStep, std::abs(left(m) - left(m - 1)));
  }
  int zeroRun = 0;
  for (std::size_t m = loopStart; m < 2 * total - loopStart; ++m) {
    ASSERT_LE(std::abs(left(m) - left(m - 1)), bodyStep + bodyStep / 8) << "tune frame " << m;
    zeroRun = left(m) == 0 ? zeroRun + 1 : 0;
    ASSERT_LT(zeroRun, 3) << "tune frame " << m;
  }
  for (std::size_t j = 0; j < 10000; ++j) {
    ASSERT_NEAR(left(total + j), left(loopStart + crossFrames + j), 8) << "frame " << j << " after the splice";
  }
}

using Game::MusicMixing::attenuation;
using Game::MusicMixing::spliceLoop;

TEST(MusicMixingTest, VolumeLaw) {
  EXPECT_EQ(attenuation(30, 0.5), -35);  // 15 steps: -35.35...
  EXPECT_EQ(attenuation(100, 1.0), 0);   // -0.097...
  EXPECT_EQ(attenuation(50, 1.0), -3);
  EXPECT_EQ(attenuation(0, 1.0), -100);
  EXPECT_EQ(attenuation(-99, 1.0), -100);  // the player's volume before the settings are applied
}

std::vector<std::int16_t> splice(std::vector<std::int16_t> samples, int loopSample, int crossSamples) {
  std::vector<std::uint8_t> bytes(samples.size() * 2);
  std::memcpy(bytes.data(), samples.data(), bytes.size());
  const int length = spliceLoop(bytes.data(), static_cast<int>(bytes.size()), loopSample * 2, crossSamples * 2);
  std::vector<std::int16_t> out(static_cast<std::size_t>(length) / 2);
  std::memcpy(out.data(), bytes.data(), out.size() * 2);
  return out;
}

TEST(MusicMixingTest, TheEndFadesIntoTheLoopStartWhichIsThenCutOut) {
  EXPECT_EQ(splice({100, 100, 100, 100, 0, 0, 0, 0, 7, 7}, 4, 4), (std::vector<std::int16_t>{100, 75, 50, 25, 7, 7}));
  EXPECT_EQ(splice({-100, -100, 40, 40}, 2, 2), (std::vector<std::int16_t>{-100, -30}));  // toward zero
  // Never more than what lies on either side of the loop offset.
  EXPECT_EQ(splice({100, 100, 100, 0, 5}, 3, 4), (std::vector<std::int16_t>{100, 100, 52}));
  EXPECT_EQ(splice({1, 2, 3, 4}, 2, 0), (std::vector<std::int16_t>{1, 2, 3, 4}));
}

}  // namespace
