#include "map/Map.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/map/MapBuildQueue.h"
#include "presentation/resource/ResourceTestSupport.h"
#include "tests/map/MapTestSupport.h"

namespace Game {
namespace {

using Engine::Math::Vector3;
using MapTestSupport::grid;

// Object pictures read from the fake file system (an absent one is empty).
class MapTest : public ResourceTestSupport::ResourceTest {
 protected:
  // The map built from specs.
  Map& built(const FloorSpecGrid& specs) {
    map.build(specs);
    return map;
  }
  const Map::Cell& cell(int x, int y) { return *map.cellAt(x, y); }
  static std::tuple<float, float, float> xyz(const Vector3& v) { return {v.x, v.y, v.z}; }
  std::tuple<int, int, int, int> corners(int x, int y) {
    const int* c = cell(x, y).corners;
    return {c[0], c[1], c[2], c[3]};
  }

  MapTestSupport::BuildQueue buildQueue;
  MapTestSupport::Pictures pictures;
  MapPictureSet none;
  Map map{none};
};

// Ramps (on a cell of height 4): height raised by step = s / 4 + 1, the
// corners toward s % 4 up by step, the others down by it. Diagonal ramps:
// t = ((s & 255) / 4) × 2 + 2 added to the height, corner s % 4 up by t and
// the opposite one down by it.
TEST_F(MapTest, RampsAndSmoothCellsShapeTheirCorners) {
  const std::tuple<int, int, std::tuple<int, int, int, int>> cases[] = {
      {0, 1, {1, 1, -1, -1}},        {1, 1, {-1, 1, 1, -1}},  {2, 1, {-1, -1, 1, 1}},
      {3, 1, {1, -1, -1, 1}},        {5, 2, {-2, 2, 2, -2}},  {254, 64, {-64, -64, 64, 64}},
      {512, 2, {2, 0, -2, 0}},       {518, 4, {-4, 0, 4, 0}}, {513, 2, {0, 2, 0, -2}},
      {767, 128, {0, -128, 0, 128}}, {511, 0, {0, 0, 0, 0}},  {768, 0, {0, 0, 0, 0}},
      {255, 0, {0, 0, 0, 0}},        {256, 0, {0, 0, 0, 0}},  {257, 0, {0, 0, 0, 0}}};
  const ChipPicture& floor = pictures.chip();
  for (const auto& [slope, raise, expected] : cases) {
    FloorSpecGrid specs = grid(1, 1, &floor);
    specs.at(0, 0).height = 4;
    specs.at(0, 0).slope = slope;
    built(specs);
    EXPECT_EQ(std::tuple(cell(0, 0).height, corners(0, 0)), std::tuple(4 + raise, expected)) << slope;
  }
  // A smooth cell inside the map follows its neighbours at +x, +x −y and −y;
  // one on the border stays flat.
  const ChipPicture& flat = pictures.chip();
  FloorSpecGrid specs = grid(3, 3, &flat);
  const int heights[3][3] = {{2, 4, 6}, {8, 10, 12}, {14, 16, 18}};  // [x][y]
  for (int x = 0; x < 3; ++x) {
    for (int y = 0; y < 3; ++y) {
      specs.at(x, y).height = heights[x][y];
      specs.at(x, y).smooth = true;
      specs.at(x, y).slope = FloorCellSpec::kSmooth;
    }
  }
  built(specs);
  // (2, 1) − 10, (2, 0) − 10, (1, 0) − 10.
  EXPECT_EQ(corners(1, 1), std::tuple(0, 16 - 10, 14 - 10, 8 - 10));
  for (const auto& [x, y] : {std::pair(0, 0), std::pair(0, 1), std::pair(2, 2), std::pair(1, 2), std::pair(1, 0),
                             std::pair(2, 1), std::pair(0, 2), std::pair(2, 0)}) {
    EXPECT_EQ(corners(x, y), std::tuple(0, 0, 0, 0)) << x << "," << y;
  }
  // Smoothing replaces a ramp's corners, on the height the ramp raised (1).
  FloorSpecGrid ramp = grid(3, 3, &flat);
  ramp.at(1, 1).smooth = true;
  ramp.at(1, 1).slope = 0;
  built(ramp);
  EXPECT_EQ(corners(1, 1), std::tuple(0, -1, -1, -1));
}

// Passable: not a pit, (stepped on, or dry chip), not a section, not blocked.
TEST_F(MapTest, PassabilityAndChipFlags) {
  const ChipPicture& dry = pictures.chip();
  ChipPicture& water = pictures.chip();
  water.water = true;
  ChipPicture& section = pictures.chip();
  section.section = true;
  struct Case {
    const ChipPicture* chip;
    bool pit, step, blocked, passable;
  };
  const Case cases[] = {
      {&dry, false, false, false, true},      {&dry, true, false, false, false},
      {&dry, true, true, false, false},       {&water, false, false, false, false},
      {&water, false, true, false, true},     {&section, false, true, false, false},
      {&dry, false, true, true, false},       {nullptr, false, false, false, false},
      {nullptr, false, true, false, true},
  };
  for (const Case& c : cases) {
    built(grid(1, 1, c.chip));
    Map::Cell& target = *map.cellAt(0, 0);
    target.pit = c.pit;
    target.walkableOverride = c.step;
    target.blockedByObject = c.blocked;
    EXPECT_EQ(target.isPassable(), c.passable) << (&c - cases);
  }
  // Chip flags are off without a chip or while it is not present.
  ChipPicture& all = pictures.chip(&pictures.wall(7));
  all.section = all.water = all.cylinder = all.floating = true;
  FloorSpecGrid specs = grid(3, 1, &all);
  specs.at(1, 0).chipPresent = false;
  specs.at(2, 0).chip = nullptr;
  built(specs);
  EXPECT_TRUE(cell(0, 0).isSection() && cell(0, 0).isWater() && cell(0, 0).isCylinder() && cell(0, 0).isFloating());
  for (int x : {1, 2}) {
    EXPECT_FALSE(cell(x, 0).isSection() || cell(x, 0).isWater() || cell(x, 0).isCylinder() ||
                 cell(x, 0).isFloating());
  }
  EXPECT_EQ(std::tuple(cell(0, 0).wall(), cell(2, 0).wall()), std::tuple(&pictures.walls.back(), nullptr));
}

// A 4 x 2 map: origin (−96, −48); centres 48 apart at height × 10.
TEST_F(MapTest, CentresCornersAndCylinders) {
  const ChipPicture& floor = pictures.chip();
  FloorSpecGrid specs = grid(4, 2, &floor);
  specs.at(2, 1).height = 3;
  specs.at(3, 0).pit = true;
  specs.at(0, 0).chip = nullptr;
  built(specs);
  EXPECT_EQ(xyz(map.origin()), std::tuple(-96.f, -48.f, 0.f));
  EXPECT_EQ(xyz(cell(2, 1).centre()), std::tuple(0.f, 0.f, 30.f));
  const std::tuple<int, float, float, float> cornersOf21[] = {
      {0, -24.f, 24.f, 30.f}, {1, 24.f, 24.f, 30.f}, {2, 24.f, -24.f, 30.f}, {3, -24.f, -24.f, 30.f},
      {5, 24.f, 24.f, 30.f},  {-1, -24.f, -24.f, 30.f}};
  for (const auto& [corner, x, y, z] : cornersOf21) {
    EXPECT_EQ(xyz(cell(2, 1).cornerPosition(corner)), std::tuple(x, y, z)) << corner;
  }
  EXPECT_FLOAT_EQ(cell(3, 0).cornerPosition(0).z, 1280.f);  // a pit
  EXPECT_FLOAT_EQ(cell(0, 0).cornerPosition(0).z, -1.f);    // rock
  EXPECT_EQ(std::tuple(map.cellAt(4, 0), map.cellAt(0, 2), map.cellAt(-1, 0), map.cellAt(0, -1)),
            std::tuple(nullptr, nullptr, nullptr, nullptr));
  EXPECT_NE(map.cellAt(3, 1), nullptr);
  // Cylinder corners are reported and their sides hang from the centre.
  ChipPicture& column = pictures.chip();
  column.cylinder = true;
  ChipPicture& floating = pictures.chip();
  floating.floating = true;
  FloorSpecGrid cylinders = grid(2, 1, &column);
  cylinders.at(0, 0).height = 2;
  cylinders.at(1, 0).chip = &floating;
  cylinders.at(1, 0).height = 5;
  cylinders.at(1, 0).slope = 1;  // corners −1, +1, +1, −1 around height 6
  built(cylinders);
  bool cylinder = false;
  EXPECT_FLOAT_EQ(cell(0, 0).cornerPosition(1, &cylinder).z, -1.f);
  EXPECT_TRUE(cylinder);
  EXPECT_FLOAT_EQ(cell(1, 0).cornerPosition(1, &cylinder).z, 70.f);
  EXPECT_FALSE(cylinder);
  EXPECT_EQ(xyz(cell(0, 0).lowerPoint(1)), std::tuple(-48.f, -24.f, -16.f));  // the centre, at −16
  EXPECT_FLOAT_EQ(cell(1, 0).lowerPoint(1).z, 70.f - 48.f);
  EXPECT_FLOAT_EQ(cell(1, 0).lowerPoint(0).z, 50.f - 48.f);
}

// The cells around corner c: from the base cell, k moves (0, +1), (+1, +1),
// (+1, 0), (0, 0); the shared corner is (k + 2) % 4 in each.
TEST_F(MapTest, NeighboursAroundACornerAndObjectFootprintsTurnWithTheObject) {
  const ChipPicture& floor = pictures.chip();
  built(grid(3, 3, &floor));
  const std::tuple<int, int, int, int, int> cases[] = {
      // corner, k, x, y of the cell around (1, 1), shared corner
      {0, 0, 0, 2, 2}, {0, 1, 1, 2, 3}, {0, 2, 1, 1, 0}, {0, 3, 0, 1, 1},
      {1, 0, 1, 2, 2}, {1, 1, 2, 2, 3}, {1, 2, 2, 1, 0}, {1, 3, 1, 1, 1},
      {2, 0, 1, 1, 2}, {2, 1, 2, 1, 3}, {2, 2, 2, 0, 0}, {2, 3, 1, 0, 1},
      {3, 0, 0, 1, 2}, {3, 1, 1, 1, 3}, {3, 2, 1, 0, 0}, {3, 3, 0, 0, 1},
      {6, 5, 2, 1, 3}, {-1, -4, 0, 1, 2}};
  for (const auto& [corner, k, x, y, shared] : cases) {
    int sharedCorner = -1;
    const Map::Cell* around = map.neighbour(cell(1, 1), corner, k, &sharedCorner);
    ASSERT_NE(around, nullptr) << corner << " " << k;
    EXPECT_EQ(std::tuple(around->x, around->y, sharedCorner), std::tuple(x, y, shared)) << corner << " " << k;
    // The shared corner is the same point.
    const Vector3 a = cell(1, 1).cornerPosition(corner);
    const Vector3 b = around->cornerPosition(sharedCorner);
    EXPECT_EQ(std::tuple(a.x, a.y), std::tuple(b.x, b.y)) << corner << " " << k;
  }
  EXPECT_EQ(
      std::tuple(map.neighbour(cell(0, 0), 3, 0), map.neighbour(cell(2, 2), 1, 1), map.neighbour(cell(0, 0), 0, 1)),
      std::tuple(nullptr, nullptr, map.cellAt(0, 1)));
  // keepOut and step offsets turn (dx, dy) → (−dy, dx) a quarter turn.
  const ChipPicture& plainChip = pictures.chip();
  MapObjectPicture object("src/picture/map/object/none.txt");
  object.keepOut = {{1, 0}};
  object.step = {{0, 2}};
  const std::tuple<int, int, int, int, int> turns[] = {
      // rotation, blocked x, y, stepped x, y (from (2, 2))
      {0, 3, 2, 2, 4}, {1, 2, 3, 0, 2}, {2, 1, 2, 2, 0}, {3, 2, 1, 4, 2}};
  for (const auto& [rotation, bx, by, sx, sy] : turns) {
    built(grid(5, 5, &plainChip));
    map.placeObject(2, 2, object, rotation);
    for (int x = 0; x < 5; ++x) {
      for (int y = 0; y < 5; ++y) {
        EXPECT_EQ(cell(x, y).blockedByObject, x == bx && y == by) << rotation << " " << x << "," << y;
        EXPECT_EQ(cell(x, y).walkableOverride, x == sx && y == sy) << rotation << " " << x << "," << y;
      }
    }
    ASSERT_EQ(map.objects().size(), 1u);
    EXPECT_FLOAT_EQ(map.objects()[0].transform.rotation.z, 90.f * static_cast<float>(rotation));
    const Vector3 at = map.objects()[0].transform.position;
    EXPECT_EQ(std::tuple(at.x, at.y), std::tuple(-120.f + 96.f, -120.f + 96.f));
  }
  // Offsets off the map are left out.
  object.keepOut = {{9, 0}, {-9, 0}};
  built(grid(5, 5, &plainChip));
  map.placeObject(0, 0, object, 0);
  map.placeObject(7, 0, object, 0);  // off the map: nothing
  EXPECT_EQ(map.objects().size(), 1u);
}

// The mean over the cells that exist; raised when own z − mean > −4 (0 for
// a section chip).
TEST_F(MapTest, AverageCornerHeightAndRaisedCorners) {
  const ChipPicture& floor = pictures.chip();
  ChipPicture& section = pictures.chip();
  section.section = true;
  FloorSpecGrid specs = grid(2, 2, &floor);
  specs.at(0, 0).height = 1;   // z 10
  specs.at(1, 0).height = 2;   // z 20
  specs.at(0, 1).height = 4;   // z 40
  specs.at(1, 1).height = 6;   // z 60
  built(specs);
  // Corners 1, 3 and 0 of (0, 0): the middle point, (10 + 20 + 40 + 60) / 4; the cell alone; (0, 0) and
  // (0, 1), (10 + 40) / 2.
  const auto average = [&](int corner) { return map.averageCornerZ(cell(0, 0), corner); };
  EXPECT_EQ(std::tuple(average(1), average(3), average(0)), std::tuple(32.5f, 10.f, 25.f));
  // Own z − mean: −22.5, −15, 0, +27.5, +7.5.
  EXPECT_EQ(std::tuple(map.isCornerRaised(cell(0, 0), 1), map.isCornerRaised(cell(0, 0), 0),
                       map.isCornerRaised(cell(0, 0), 3), map.isCornerRaised(cell(1, 1), 3),
                       map.isCornerRaised(cell(0, 1), 2)),
            std::tuple(false, false, true, true, true));

  // −4 exactly is not raised; −3 is; a section needs more than 0.
  FloorSpecGrid close = grid(2, 1, &floor);
  close.at(1, 0).height = 1;  // the shared edge: (0 + 10) / 2 = 5 → 0 − 5 = −5
  built(close);
  EXPECT_FALSE(map.isCornerRaised(cell(0, 0), 1));
  close.at(0, 0).slope = 3;  // height 1; corners 1 and 2 at z 0
  close.at(1, 0).height = 0;
  close.at(1, 0).slope = 0;  // height 1; corner 0 at z 20, corner 3 at z 0
  built(close);
  // (0, 0) corner 1: z 0; mean with (1, 0) corner 0 (z 20): 10 → −10.
  EXPECT_FALSE(map.isCornerRaised(cell(0, 0), 1));
  // (0, 0) corner 2: z 0; mean with (1, 0) corner 3 (z 0): 0 → raised.
  EXPECT_TRUE(map.isCornerRaised(cell(0, 0), 2));
  FloorSpecGrid walls = grid(2, 1, &section);
  built(walls);
  EXPECT_FALSE(map.isCornerRaised(cell(0, 0), 1));  // 0 is not above 0
}

// Edge colours: white when raised; grey 0xFF808080 on a level corner of a
// plain chip; on a section: white beside a plain chip, else the wall's bottom
// colour, opaque black without a wall.
TEST_F(MapTest, EdgeColours) {
  const ChipPicture& floor = pictures.chip();
  const WallPicture& wall = pictures.wall(static_cast<int>(0xFF123456u));
  ChipPicture& section = pictures.chip(&wall);
  section.section = true;
  ChipPicture& bare = pictures.chip();
  bare.section = true;
  FloorSpecGrid specs = grid(3, 3, &section);
  specs.at(0, 0).chip = &floor;
  specs.at(0, 1).height = 3;
  specs.at(1, 1).height = 3;
  specs.at(2, 2).chip = &bare;
  built(specs);
  // (0, 0) corner 1: 0 against the mean (0 + 0 + 30 + 30) / 4 = 15: level, plain: grey.
  EXPECT_EQ(map.edgeColor(cell(0, 0), 1), Color(0xFF808080u));
  // Corner 3 lies alone: 0 − 0 > −4, raised: white.
  EXPECT_EQ(map.edgeColor(cell(0, 0), 3), Color());
  // (1, 0) corner 3: level, beside the plain chip (0, 0): white.
  EXPECT_EQ(map.edgeColor(cell(1, 0), 3), Color());
  // (1, 2) corner 1: level among sections: the wall's bottom colour.
  EXPECT_EQ(map.edgeColor(cell(1, 2), 1), Color(0xFF123456u));
  // (2, 2) corner 1: the same, but its chip has no wall.
  EXPECT_EQ(map.edgeColor(cell(2, 2), 1), Color(0xFF000000u));
  // Corner 3 at z 20 against (0 + 20 + 0 + 30) / 4 = 12.5: a raised section is white.
  map.cellAt(2, 2)->height = 2;
  EXPECT_EQ(map.edgeColor(cell(2, 2), 3), Color());
  map.cellAt(2, 2)->height = 1;  // 10 against 10: level
  EXPECT_EQ(map.edgeColor(cell(2, 2), 3), Color(0xFF000000u));
}

// Lights of kind 1 brighten from a 0.1 base; kind 2 darken a white base;
// the inner part is full, the fade linear to the radius.
TEST_F(MapTest, LightsAreBakedFromTheSpecsBuildingJoinsTheQueueAndResettingEmpties) {
  const ChipPicture& floor = pictures.chip();
  FloorSpecGrid specs = grid(5, 1, &floor);
  built(specs);
  EXPECT_EQ(map.lightAt(Vector3(0.f, 0.f, 0.f), 0.f), Color());  // no lights: white
  specs.at(0, 0).lightKind = FloorCellSpec::kSubtractingLight;
  specs.at(0, 0).lightRadius = 96.f;
  specs.at(0, 0).lightParameter = 0.5f;
  built(specs);
  // Cell (0, 0) is centred on (−120, −24); within 48 all light is taken.
  EXPECT_EQ(map.lightAt(Vector3(-120.f, -24.f, 0.f), 0.f), Color(1.f, 0.f, 0.f, 0.f));
  EXPECT_EQ(map.lightAt(Vector3(-120.f, -24.f, 0.f), 0.2f), Color(1.f, 0.2f, 0.2f, 0.2f));
  // Halfway through the fade (72 away): half taken.
  EXPECT_EQ(map.lightAt(Vector3(-48.f, -24.f, 0.f), 0.f), Color(1.f, 0.5f, 0.5f, 0.5f));
  EXPECT_EQ(map.lightAt(Vector3(0.f, -24.f, 0.f), 0.f), Color());
  specs.at(4, 0).lightKind = FloorCellSpec::kAddingLight;
  specs.at(4, 0).lightRadius = 96.f;
  specs.at(4, 0).lightParameter = 0.f;
  built(specs);
  // At the light (72, −24): 0.1 + 1; 48 away: 0.1 + 0.5; out of reach: 0.1.
  EXPECT_EQ(std::tuple(map.lightAt(Vector3(72.f, -24.f, 0.f), 0.f), map.lightAt(Vector3(24.f, -24.f, 0.f), 0.f),
                       map.lightAt(Vector3(0.f, 100.f, 0.f), 0.f)),
            std::tuple(Color(), Color(1.f, 0.6f, 0.6f, 0.6f), Color(1.f, 0.1f, 0.1f, 0.1f)));
  // Building joins the queue and resetting empties.
  const ChipPicture& ground = pictures.chip();
  FloorSpecGrid events = grid(2, 2, &ground);
  events.at(1, 0).eventId = 3;
  events.at(0, 1).eventId = 3;
  events.at(1, 1).eventId = 8;
  built(events);
  EXPECT_TRUE(MapBuildQueue::instance()->contains(&map));
  // x outer: event 3's first cell is (0, 1).
  EXPECT_EQ(std::tuple(map.findEvent(3), map.findEvent(8), map.findEvent(4)),
            std::tuple(map.cellAt(0, 1), map.cellAt(1, 1), nullptr));
  EXPECT_EQ(cell(1, 1).map, &map);
  map.reset();
  EXPECT_EQ(map.cellAt(0, 0), nullptr);
  EXPECT_EQ(std::tuple(map.width(), map.height(), map.nextChip(), map.nextWall()), std::tuple(0, 0, 0, 0));
  {
    Map gone(none);
    gone.build(events);
    EXPECT_TRUE(MapBuildQueue::instance()->contains(&gone));
  }
  EXPECT_EQ(MapBuildQueue::instance()->count(), 1);
}

}  // namespace
}  // namespace Game
