#include <gtest/gtest.h>

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

// The map is built from the generator's cells; the stairs cell shows no
// floor of its own, only the stairs object of the configured direction.
TEST_F(MapGeneratedTest, TheMapTakesTheGeneratorsCellsAndTheStairsCellBearsTheStairs) {
  for (const auto& [text, name] : {std::pair{MapGeneratorSupport::kSample, "階段下り"},
                                   {MapGeneratorSupport::kLarge, "階段上り"}}) {
    auto floor = generate(text, 2);
    Map map(pictures);
    map.buildFromGenerator(*floor);
    ASSERT_EQ(std::pair(map.width(), map.height()), std::pair(floor->width(), floor->height()));
    i32 sx = -1;
    i32 sy = -1;
    ASSERT_TRUE(floor->findEvent(floor->config().stairsEvent, &sx, &sy));
    const Map::Cell* stairs = map.findEvent(floor->config().stairsEvent);
    ASSERT_NE(stairs, nullptr);
    EXPECT_EQ(std::pair(stairs->x, stairs->y), std::pair(sx, sy));
    EXPECT_FALSE(stairs->chipPresent);
    i32 objects = 0;
    for (i32 x = 0; x < floor->width(); ++x) {
      for (i32 y = 0; y < floor->height(); ++y) {
        const MapGenerator::Cell& cell = floor->cell(x, y);
        objects += cell.spec.object != nullptr;
        EXPECT_EQ(map.cellAt(x, y)->height, cell.spec.height);
        if (x != sx || y != sy) {
          EXPECT_TRUE(map.cellAt(x, y)->chipPresent);
          EXPECT_EQ(map.cellAt(x, y)->chip, cell.spec.chip);
        }
      }
    }
    EXPECT_EQ(floor->cell(sx, sy).spec.object, nullptr);
    ASSERT_EQ(map.objects().size(), static_cast<std::size_t>(objects + 1));
    MapObjectPicture& picture = const_cast<MapObjectPicture&>(*pictures.findObject(name));
    i32 stairsModels = 0;
    for (const Map::ObjectInstance& object : map.objects()) {
      if (object.model == picture.picture.find("main")) {
        ++stairsModels;
        EXPECT_FLOAT_EQ(object.transform.position.x, stairs->centre().x);
        EXPECT_FLOAT_EQ(object.transform.position.y, stairs->centre().y);
      }
    }
    EXPECT_EQ(stairsModels, 1) << name;
  }
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
