#include <gtest/gtest.h>

#include <tuple>

#include "map/Map.h"
#include "map/MapGenerator.h"
#include "map/MapGeneratorSupport.h"
#include "tests/map/MapTestSupport.h"

namespace Game {
namespace {

using Engine::i32;

class MapGeneratedTest : public MapGeneratorSupport::GeneratorTest {
 protected:
  MapTestSupport::BuildQueue buildQueue;
};

// The map takes the generator's cells (the sample floor at seed 2, drawn in
// MapGeneratorGolden); the stairs cell (3, 4) shows no floor of its own, only
// the stairs object, which joins the pillars and torches.
TEST_F(MapGeneratedTest, TheMapTakesTheGeneratorsCellsAndTheStairsCellBearsTheStairs) {
  auto floor = generate(MapGeneratorSupport::kSample, 2);
  Map map(pictures);
  map.buildFromGenerator(*floor);
  const Map::Cell* stairs = map.findEvent(2);
  ASSERT_EQ(stairs, map.cellAt(3, 4));
  EXPECT_FALSE(stairs->chipPresent);
  const Map::Cell& wall = *map.cellAt(0, 0);
  EXPECT_EQ(std::tuple(wall.height, wall.chip, wall.chipPresent), std::tuple(4, pictures.findChip("壁"), true));
  // 12 objects on the picture ('o' and 'w') and the stairs.
  ASSERT_EQ(map.objects().size(), 13u);
  // x then y: the pillar at (1, 3), the torch at (2, 10), then the stairs.
  MapObjectPicture& stairsObject = *const_cast<MapObjectPicture*>(pictures.findObject("階段下り"));
  EXPECT_EQ(map.objects()[2].model, stairsObject.picture.find("main"));
}

TEST_F(MapGeneratedTest, AGridWithoutItsStairsStopsNamingTheFloor) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto floor = generate(MapGeneratorSupport::kTiny, 1);
  i32 x = 0;
  i32 y = 0;
  ASSERT_TRUE(floor->findEvent(2, &x, &y));
  floor->cell(x, y).eventId = -1;
  Map map(pictures);
  EXPECT_DEATH(map.buildFromGenerator(*floor), "b2.txt.*no cell carries event 2");
}

}  // namespace
}  // namespace Game
