#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Sound/src/WaveReader.h"
#include "Engine/Sound/WaveBytes.h"

namespace {

using Engine::Sound::readWave;
using Engine::Sound::WaveContents;
using SoundTest::WaveBytes;

TEST(WaveReaderTest, FormatAndSamplesAfterAnyChunksClippedToWholeFrames) {
  WaveBytes canonical(2, 22050, 16);
  canonical.data16({1, -1, 300, -300});
  WaveContents contents;
  ASSERT_EQ(readWave(canonical.bytes.data(), canonical.bytes.size(), contents), nullptr);
  EXPECT_EQ(contents.format.channels, 2);
  EXPECT_EQ(contents.format.rate, 22050);
  EXPECT_EQ(contents.format.bitsPerSample, 16);
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

}  // namespace
