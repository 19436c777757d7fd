#include "data/stats/Experience.h"

#include <gtest/gtest.h>

namespace {

namespace Experience = Game::Experience;

TEST(ExperienceTest, LevelRequirements) {
  const int cases[][2] = {{0, 0}, {1, 0}, {2, 199}, {3, 543}, {10, 7852}, {99, 2229663}};
  for (const auto& c : cases) {
    EXPECT_EQ(Experience::forLevel(c[0]), c[1]) << "level " << c[0];
  }
}

TEST(ExperienceTest, MasterRequirements) {
  const int cases[][2] = {{0, 0}, {1, 172}, {2, 390}, {30, 29452}};
  for (const auto& c : cases) {
    EXPECT_EQ(Experience::forMasterLevel(c[0]), c[1]) << "master level " << c[0];
  }
}

TEST(ExperienceTest, LevelsFromExperience) {
  const int cases[][2] = {{-5, 1}, {0, 1}, {198, 1}, {199, 2}, {542, 2}, {543, 3}, {7852, 10},
                          {2229662, 98}, {2229663, 99}, {2147483647, 99}};
  for (const auto& c : cases) {
    EXPECT_EQ(Experience::levelOf(c[0]), c[1]) << "experience " << c[0];
  }
  for (int level = 1; level <= Experience::kMaxLevel; ++level) {
    EXPECT_EQ(Experience::levelOf(Experience::forLevel(level)), level);
  }
}

TEST(ExperienceTest, MasterLevelsFromExperience) {
  const int cases[][2] = {{0, 0}, {171, 0}, {172, 1}, {390, 2}, {29451, 29}, {29452, 30}, {9999999, 30}};
  for (const auto& c : cases) {
    EXPECT_EQ(Experience::masterLevelOf(c[0]), c[1]) << "master experience " << c[0];
  }
}

TEST(ExperienceTest, LevelFactorRunsFromZeroToOne) {
  EXPECT_EQ(Experience::levelFactor(1), 0.f);
  EXPECT_EQ(Experience::levelFactor(99), 1.f);
  EXPECT_EQ(Experience::levelFactor(50), 0.5f);
}

}  // namespace
