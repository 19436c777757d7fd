// The title tune as the build makes it, decoded by libvorbisfile.

#include <cstdlib>
#include <fstream>
#include <iterator>

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

}  // namespace
