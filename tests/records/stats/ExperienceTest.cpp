#include "records/stats/Experience.h"

#include <gtest/gtest.h>

namespace {

namespace Experience = Game::Experience;

// Each level starts at its requirement: one point less is the level below.
TEST(ExperienceTest, LevelsAndTheirRequirements) {
  const int levels[][2] = {{0, 0}, {1, 0}, {2, 199}, {10, 7852}, {99, 2229663}};
  for (const auto& [level, experience] : levels) {
    EXPECT_EQ(Experience::forLevel(level), experience) << "level " << level;
  }
  for (int level = 2; level <= Experience::kMaxLevel; ++level) {
    EXPECT_EQ(Experience::levelOf(Experience::forLevel(level)), level);
    EXPECT_EQ(Experience::levelOf(Experience::forLevel(level) - 1), level - 1);
  }
  EXPECT_EQ(Experience::levelOf(-5), 1);
  EXPECT_EQ(Experience::levelOf(2147483647), 99);
  EXPECT_EQ(Experience::levelFactor(1), 0.f);
  EXPECT_EQ(Experience::levelFactor(50), 0.5f);
  EXPECT_EQ(Experience::levelFactor(99), 1.f);
}

TEST(ExperienceTest, MasterLevelsAndTheirRequirements) {
  const int levels[][2] = {{0, 0}, {1, 172}, {30, 29452}};
  for (const auto& [level, experience] : levels) {
    EXPECT_EQ(Experience::forMasterLevel(level), experience) << "master level " << level;
  }
  for (int level = 1; level <= Experience::kMaxMasterLevel; ++level) {
    EXPECT_EQ(Experience::masterLevelOf(Experience::forMasterLevel(level)), level);
    EXPECT_EQ(Experience::masterLevelOf(Experience::forMasterLevel(level) - 1), level - 1);
  }
  EXPECT_EQ(Experience::masterLevelOf(9999999), 30);
}

}  // namespace
