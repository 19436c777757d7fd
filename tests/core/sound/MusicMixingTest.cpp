#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "core/sound/MusicMixing.h"

namespace {

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
