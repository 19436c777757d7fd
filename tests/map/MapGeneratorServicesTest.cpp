#include <gtest/gtest.h>

#include <string>

#include "live/article/Article.h"
#include "map/MapGenerator.h"
#include "map/MapGeneratorSupport.h"
#include "tests/Services.h"

namespace Game {
namespace {

using Engine::i32;

using WithDatabase = TestServices::Test<TestServices::kDatabase, MapGeneratorSupport::GeneratorTest>;

class MapGeneratorServicesTest : public WithDatabase {
 protected:
  void SetUp() override {
    WithDatabase::SetUp();
    herb = Database::instance()->addTool("薬草", "薬草");
  }

  static TreasureEntry entry(float probability, float depth) {
    TreasureEntry treasure;
    treasure.probability = probability;
    treasure.depth = depth;
    return treasure;
  }

  const ToolData* herb = nullptr;
};

// An entry's level is (F − 1) × k + 1; its weight probability × 0.75^|level − n|, level 3 on five floors.
TEST_F(MapGeneratorServicesTest, EntryLevelsWeightsAndFloorLevels) {
  const std::tuple<float, i32, float> cases[] = {
      {0.f, 1, 1.f}, {0.f, 5, 1.f}, {0.f, 40, 1.f}, {0.5f, 5, 3.f}, {1.f, 5, 5.f}, {0.25f, 9, 3.f}, {0.2f, 1, 1.f}};
  for (const auto& [depth, floors, level] : cases) {
    EXPECT_FLOAT_EQ(MapGenerator::entryLevel(depth, floors), level) << depth << " " << floors;
  }
  const std::pair<i32, float> weights[] = {{3, 8.f}, {4, 6.f}, {2, 6.f}, {1, 4.5f}, {5, 4.5f}};
  for (const auto& [floor, weight] : weights) {
    EXPECT_FLOAT_EQ(MapGenerator::treasureWeight(entry(8.f, 0.5f), floor, 5), weight) << floor;
  }
  // (1 − t) × top + t × bottom, t = n / F; ranks read in percent.
  auto floor = generate(std::string(MapGeneratorSupport::kTiny) + "enemy{rank 10,60;}", 1);
  const std::pair<i32, float> ranks[] = {{0, 0.1f}, {2, 0.3f}, {5, 0.6f}, {1, 0.2f}};
  for (const auto& [n, level] : ranks) {
    EXPECT_FLOAT_EQ(floor->floorLevel(n, 5), level) << n;
  }
  EXPECT_FLOAT_EQ(floor->floorLevel(3, 0), 0.1f);
}

// Below its level an entry's factors shrink: 1 + 0.17 d (not below 0) and
// 1 + 0.1 d (not below 0.1); then [0.5, 1) and [0.7, 1) of them, drawn in
// that order.
TEST_F(MapGeneratorServicesTest, ContentFactorsAndTheEntrysArticle) {
  auto floor = generate(MapGeneratorSupport::kTiny, 1);
  const std::tuple<float, i32, i32, float, float> cases[] = {
      // depth, floor, floors, a, b
      {0.5f, 3, 5, 1.f, 1.f},     {0.5f, 5, 5, 1.f, 1.f},    {0.5f, 1, 5, 0.66f, 0.8f},
      {0.5f, 2, 5, 0.83f, 0.9f},  {1.f, 1, 11, 0.f, 0.1f},   {1.f, 5, 11, 0.f, 0.4f},
  };
  for (const auto& [depth, n, floors, a, b] : cases) {
    RandomGenerator copy(1234);
    random.setSeed(1234);
    const float useDraw = copy.getFloat(0.5f);
    const float conditionDraw = copy.getFloat(0.3f);
    float uses = 0.f;
    float condition = 0.f;
    floor->contentFactors(entry(1.f, depth), n, floors, &uses, &condition);
    EXPECT_NEAR(uses, a * (useDraw + 0.5f), 1e-5f) << depth << " " << n;
    EXPECT_NEAR(condition, b * (conditionDraw + 0.7f), 1e-5f) << depth << " " << n;
  }
  // The contents are the entry's article.
  auto tiny = generate(MapGeneratorSupport::kTiny, 1);
  TreasureEntry tool = entry(1.f, 0.f);
  tool.tool = herb;
  random.setSeed(9);
  const Article article = tiny->makeContents(tool, 1, 5);
  EXPECT_EQ(article.item(), herb);
  // Condition in [70, 100] percent on the entry's own tiny.
  EXPECT_TRUE(article.condition() >= 70 && article.condition() <= 100) << article.condition();
  // A money entry holds no article and draws nothing.
  random.setSeed(9);
  EXPECT_TRUE(tiny->makeContents(entry(1.f, 0.f), 1, 5).isEmpty());
  RandomGenerator fresh(9);
  EXPECT_EQ(random.getInt(1000000), fresh.getInt(1000000));
}

// Treasure entries are kept while their expression holds; special floors are found by number.
TEST_F(MapGeneratorServicesTest, TreasureEntriesAndSpecialFloors) {
  auto floor = generate(std::string(MapGeneratorSupport::kTiny) +
                            "treasure{probability 1;}treasure{probability 2;expression 0;}"
                            "treasure{probability 3;expression 2-1;}"
                            "specialFloor{number 2;file b2s;startPosition 3;}specialFloor{number 4;file b4;}",
                        1);
  const auto entries = floor->treasureEntries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(std::tuple(entries[0]->probability, entries[1]->probability), std::tuple(1.f, 3.f));
  ASSERT_TRUE(floor->findSpecialFloor(2) && floor->findSpecialFloor(4));
  EXPECT_EQ(std::tuple(floor->findSpecialFloor(2)->file, floor->findSpecialFloor(2)->startPosition,
                       floor->findSpecialFloor(4)->file, floor->findSpecialFloor(3)),
            std::tuple("b2s", 3, "b4", nullptr));
}

}  // namespace
}  // namespace Game
