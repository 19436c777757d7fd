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

// The map takes the generator's cells with their objects in x-then-y order;
// the stairs cell shows no floor of its own, only the stairs object.
TEST_F(MapGeneratedTest, TheMapTakesTheGeneratorsCellsAndTheStairsCellBearsTheStairs) {
  auto floor = generate(MapGeneratorSupport::kSample, 2);
  Map map(pictures);
  map.buildFromGenerator(*floor);
  const Map::Cell* stairs = map.findEvent(2);
  ASSERT_NE(stairs, nullptr);
  std::size_t next = 0;
  for (i32 x = 0; x < floor->width(); ++x) {
    for (i32 y = 0; y < floor->height(); ++y) {
      const MapGenerator::Cell& cell = floor->cell(x, y);
      const Map::Cell& built = *map.cellAt(x, y);
      EXPECT_EQ(std::tuple(built.height, built.chip, built.eventId, built.chipPresent),
                std::tuple(cell.spec.height, cell.spec.chip, cell.eventId, &built != stairs));
      const MapObjectPicture* object = &built == stairs ? pictures.findObject("階段下り") : cell.spec.object;
      if (object) {
        ASSERT_LT(next, map.objects().size());
        const Map::ObjectInstance& placed = map.objects()[next++];
        EXPECT_EQ(placed.model, const_cast<MapObjectPicture*>(object)->picture.find("main")) << x << "," << y;
        EXPECT_FLOAT_EQ(placed.transform.rotation.z, 90.f * static_cast<float>(cell.rotation));
      }
    }
  }
  EXPECT_EQ(next, map.objects().size());
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
