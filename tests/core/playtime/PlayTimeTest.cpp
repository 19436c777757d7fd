#include <gtest/gtest.h>

#include <utility>

#include "core/playtime/PlayTime.h"
#include "core/file/nml/NmlNode.h"

namespace {

std::pair<int, int> counters(const Game::PlayTime& time) { return {time.low(), time.high()}; }

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
  time.tick();
  EXPECT_EQ(counters(time), std::make_pair(0, 1));
  time.tick();
  EXPECT_EQ(counters(time), std::make_pair(1, 1));
}

TEST(PlayTimeTest, WriteAndReadTheTwoCounters) {
  Game::PlayTime time;
  time.set(0xFFFFFF * 3 + 12345);
  Game::NmlNode node;
  time.write(node, "playTime");
  const Game::NmlAttribute* line = node.findAttribute("playTime");
  ASSERT_NE(line, nullptr);
  EXPECT_STREQ(line->item(0), "12345");
  EXPECT_STREQ(line->item(1), "3");
  Game::PlayTime back;
  back.read(*line);
  EXPECT_EQ(counters(back), std::make_pair(12345, 3));
}

TEST(PlayTimeTest, ADamagedLineLeavesTheCountersInRange) {
  Game::NmlNode node;
  ASSERT_TRUE(node.parse("a -5,2;b 33554435,1;c 7;", true));
  Game::PlayTime time;
  time.read(*node.findAttribute("a"));
  EXPECT_EQ(counters(time), std::make_pair(0, 2));
  time.read(*node.findAttribute("b"));  // two wraps past the range
  EXPECT_EQ(counters(time), std::make_pair(5, 3));
  time.read(*node.findAttribute("c"));  // a missing item reads 0
  EXPECT_EQ(counters(time), std::make_pair(7, 0));
}

}  // namespace
