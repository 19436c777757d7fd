#include <gtest/gtest.h>

#include "core/playtime/PlayTime.h"

namespace {

TEST(PlayTimeTest, FormatShowsHoursAndMinutesOfTheLowCounter) {
  Game::PlayTime time;
  time.set(216000 * 3 + 3600 * 7);
  EXPECT_STREQ(time.format().c_str(), "   3時間07分");
  time.set(216000 * 77 + 3600 * 39 + 3599);  // the most mLow holds is 77:40
  EXPECT_STREQ(time.format().c_str(), "  77時間39分");
  time.set(0xFFFFFF * 2 + 3600);  // the wraps do not show
  EXPECT_EQ(time.high(), 2);
  EXPECT_STREQ(time.format().c_str(), "   0時間01分");
}

TEST(PlayTimeTest, TickWrapsTheLowCounterIntoTheHighOne) {
  Game::PlayTime time;
  time.set(0xFFFFFE);
  EXPECT_EQ(time.low(), 0xFFFFFE);
  EXPECT_EQ(time.high(), 0);
  time.tick();
  EXPECT_EQ(time.low(), 0);
  EXPECT_EQ(time.high(), 1);
  time.tick();
  EXPECT_EQ(time.low(), 1);
}

}  // namespace
