#include <gtest/gtest.h>

#include <tuple>

#include "core/file/TileMapView.h"
#include "core/file/nml/NmlDocument.h"
#include "map/Map.h"
#include "presentation/resource/ResourceTestSupport.h"
#include "tests/map/MapTestSupport.h"

namespace Game {
namespace {

using MapTestSupport::Bytes;
using MapTestSupport::fmf;

constexpr int E = 255;  // an empty cell

class MapLayersTest : public ResourceTestSupport::ResourceTest {
 protected:
  void SetUp() override {
    ResourceTest::SetUp();
    fs().put("src/picture/map/chip/a.txt", "model{name main;}");
    fs().put("src/picture/map/object/o.txt", "model{name main;}");
    NmlDocument tiles;
    tiles.loadFromText("list.txt", "chip{x 0;y 0;file a;}chip{x 1;y 0;file a;}chip{x 3;y 2;file a;}");
    pictures.readTiles(tiles, "list.txt");
    NmlDocument objects;
    objects.loadFromText("list.txt", "object{number 1;file o;}object{number 17;file o;}object{number 35;file o;}");
    pictures.readObjects(objects, "list.txt");
  }

  // The specs of a one-cell map whose six layers hold these values.
  FloorCellSpec one(int bits, int chip, int slope, int height, int object, int event, int light) {
    bytes = fmf(1, 1, bits, {{chip}, {slope}, {height}, {object}, {event}, {light}});
    TileMapView view;
    EXPECT_EQ(view.read(bytes.data(), static_cast<int>(bytes.size()), Map::kLayerCount), nullptr);
    FloorSpecGrid specs = Map::readFmfLayers(view, pictures, "one.fmf");
    return specs.at(0, 0);
  }

  MapPictureSet pictures;
  Bytes bytes;
};

// Heights count in steps of two: the index, doubled; empty is ground level.
TEST_F(MapLayersTest, HeightsAreTheIndexDoubledAndSlopesReadSmoothAndPits) {
  const std::tuple<int, int, int> cases[] = {{8, E, 0}, {8, 3, 6}, {8, 0x12, 20}, {16, 0x0102, 20}, {16, 0, 0}};
  for (const auto& [bits, value, height] : cases) {
    EXPECT_EQ(one(bits, E, E, value, E, E, E).height, height) << bits << " " << value;
  }
  // Slopes read their smooth and pit marks.
  const std::tuple<int, int, int, bool, bool> slopes[] = {
      {8, E, 255, false, false}, {8, 0x05, 5, false, false}, {8, 0x10, 256, true, false},
      {8, 0x11, 257, false, true}, {16, 0x0206, 518, false, false}, {16, 0x0101, 257, false, true}};
  for (const auto& [bits, raw, slope, smooth, pit] : slopes) {
    const FloorCellSpec spec = one(bits, E, raw, E, E, E, E);
    EXPECT_EQ(std::tuple(spec.slope, spec.smooth, spec.pit), std::tuple(slope, smooth, pit)) << std::hex << raw;
  }
}

// Object number (raw >> 10) × 16 + low byte, turned by bits 8 and 9.
TEST_F(MapLayersTest, ObjectsChipsAndEventsAreFoundByTheirIndex) {
  const std::tuple<int, int, int, int> cases[] = {
      // bits, raw, number (0 none), rotation
      {8, 0x01, 1, 0}, {8, 0x11, 1, 1}, {8, 0x31, 1, 3}, {8, 0x41, 17, 0},
      {16, 0x0B03, 35, 3}, {16, 0x0402, 0, 0}, {8, E, 0, 0}};
  for (const auto& [bits, raw, number, rotation] : cases) {
    const FloorCellSpec spec = one(bits, E, E, E, raw, E, E);
    EXPECT_EQ(spec.object ? spec.object->number : 0, number) << std::hex << raw;
    EXPECT_EQ(spec.rotation, spec.object ? rotation : spec.rotation) << std::hex << raw;
  }
  // A number the list lacks, and any number against an empty list, is none.
  EXPECT_EQ(one(16, E, E, E, 0x0012, E, E).object, nullptr);
  MapPictureSet empty;
  bytes = fmf(1, 1, 8, {{E}, {E}, {E}, {0x01}, {E}, {E}});
  TileMapView view;
  ASSERT_EQ(view.read(bytes.data(), static_cast<int>(bytes.size()), Map::kLayerCount), nullptr);
  EXPECT_EQ(Map::readFmfLayers(view, empty, "none.fmf").at(0, 0).object, nullptr);
  // The chip is looked up by sheet column (low) and row (high); 8-bit files
  // keep the row in the high nibble. Events are indices, empty none.
  EXPECT_EQ(one(8, 0x01, E, E, E, E, E).chip, pictures.chipAt(1, 0));
  EXPECT_EQ(one(8, 0x23, E, E, E, E, E).chip, pictures.chipAt(3, 2));
  EXPECT_EQ(one(16, 0x0203, E, E, E, E, E).chip, pictures.chipAt(3, 2));
  EXPECT_EQ(one(16, 0x0302, E, E, E, E, E).chip, nullptr);  // none listed there: rock
  EXPECT_EQ(one(8, E, E, E, E, E, E).chip, nullptr);
  EXPECT_EQ(std::tuple(one(8, E, E, E, E, 0x12, E).eventId, one(8, E, E, E, E, 0, E).eventId,
                       one(8, E, E, E, E, E, E).eventId),
            std::tuple(2 + 8, 0, -1));
}

// Lights: low byte 0 or 1 (parameter × 0.5); high byte: kind in its upper
// bits, radius (n + 1) × 96 in its lowest two.
TEST_F(MapLayersTest, LightsTakeKindRadiusAndParameterAndRowsAreFlipped) {
  const std::tuple<int, int, int, float, float> cases[] = {
      {8, 0x10, 1, 192.f, 0.f},  {8, 0x01, 1, 96.f, 0.5f},   {16, 0x0301, 1, 384.f, 0.5f},
      {16, 0x0500, 2, 192.f, 0.f}, {16, 0x0800, 0, 0.f, 0.f}, {16, 0x0002, 0, 0.f, 0.f},
      {8, E, 0, 0.f, 0.f}};
  for (const auto& [bits, raw, kind, radius, parameter] : cases) {
    const FloorCellSpec spec = one(bits, E, E, E, E, E, raw);
    EXPECT_EQ(std::tuple(spec.lightKind, spec.lightRadius, spec.lightParameter), std::tuple(kind, radius, parameter))
        << std::hex << raw;
  }
  // The file's last row is y 0: rows are read from the bottom up.
  // 2 x 3: heights by file row 0, 1, 2.
  bytes = fmf(2, 3, 8, {{E, E, E, E, E, E}, {E, E, E, E, E, E}, {1, 2, 3, 4, 5, 6},
                        {E, E, E, E, E, E}, {E, E, E, E, E, E}, {E, E, E, E, E, E}});
  TileMapView view;
  ASSERT_EQ(view.read(bytes.data(), static_cast<int>(bytes.size()), Map::kLayerCount), nullptr);
  const FloorSpecGrid specs = Map::readFmfLayers(view, pictures, "rows.fmf");
  ASSERT_EQ(std::tuple(specs.width, specs.height), std::tuple(2, 3));
  EXPECT_EQ(std::tuple(specs.at(0, 0).height, specs.at(1, 0).height, specs.at(0, 2).height, specs.at(1, 1).height),
            std::tuple(5 * 2, 6 * 2, 1 * 2, 4 * 2));
}

TEST_F(MapLayersTest, AMissingOrRefusedTileMapOrEventStopsNamingTheFloorAndTheFault) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Map map(pictures);
  EXPECT_DEATH(map.loadFmf("src/data/map/lost"), "src/data/map/lost.fmf.*floor tile map missing or empty");
  fs().put("src/data/map/short.fmf", fmf(2, 2, 8, {{0, 0, 0, 0}}));
  EXPECT_DEATH(map.loadFmf("src/data/map/short"), "src/data/map/short.fmf.*floor tile map shorter than its layers");
  // So does a spec lookup of a missing event, naming floor and event.
  FloorSpecGrid specs = MapTestSupport::grid(3, 2, nullptr);
  specs.at(2, 0).eventId = 4;
  specs.at(1, 1).eventId = 4;
  specs.at(0, 1).eventId = 9;
  // x outer, y inner.
  EXPECT_EQ(std::tuple(&specs.specOfEvent(4), &specs.specOfEvent(9)), std::tuple(&specs.at(1, 1), &specs.at(0, 1)));
  EXPECT_DEATH(specs.specOfEvent(5), "test.fmf.*no cell carries event 5");
}

}  // namespace
}  // namespace Game
