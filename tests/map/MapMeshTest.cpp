#include "map/MapMesh.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "map/Map.h"
#include "tests/map/MapTestSupport.h"

namespace Game {
namespace {

using Engine::Math::Vector3;
using MapTestSupport::grid;

class MapMeshTest : public ::testing::Test {
 protected:
  void SetUp() override {
    walled.wall = &wall;
    wall.bottom = static_cast<int>(0x40102030u);
  }

  // The directions the walled cells' sides face (by their normals), one
  // entry a side.
  std::multiset<int> sideDirections(const FloorSpecGrid& specs) {
    map.build(specs);
    std::multiset<int> directions;
    for (const auto& piece : MapMesh::wallGroup(map, wall, 65536)) {
      EXPECT_EQ(piece->vertexCount() % 4, 0);
      for (int v = 0; v < piece->vertexCount(); v += 4) {
        const Vector3& n = piece->vertex(v).normal;
        directions.insert(n.y > 0.5f ? 0 : n.x > 0.5f ? 1 : n.y < -0.5f ? 2 : 3);
      }
    }
    return directions;
  }
  // A 3 x 3 floor of plain chips at height 2 with the walled chip in the
  // middle.
  FloorSpecGrid around() {
    FloorSpecGrid specs = grid(3, 3, &plain);
    for (FloorCellSpec& spec : specs.cells) {
      spec.height = 2;
    }
    specs.at(1, 1).chip = &walled;
    return specs;
  }

  MapTestSupport::BuildQueue buildQueue;
  WallPicture wall;
  ChipPicture walled;
  ChipPicture plain;
  MapPictureSet none;
  Map map{none};
};

// A side toward direction 1 ((2, 1)) shows when that neighbour is missing,
// rock, not present, floating, differs in pit, is water under dry ground, or
// lies lower at either end of the shared edge.
TEST_F(MapMeshTest, SidesFaceNeighboursThatDoNotHideThem) {
  ChipPicture floating;
  floating.floating = true;
  ChipPicture water;
  water.water = true;
  EXPECT_TRUE(sideDirections(around()).empty());

  struct Case {
    const char* what;
    void (*change)(FloorSpecGrid&, const ChipPicture&, const ChipPicture&);
    bool shows;
  };
  const Case cases[] = {
      {"lower", [](FloorSpecGrid& s, const ChipPicture&, const ChipPicture&) { s.at(2, 1).height = 1; }, true},
      {"higher", [](FloorSpecGrid& s, const ChipPicture&, const ChipPicture&) { s.at(2, 1).height = 3; }, false},
      {"rock", [](FloorSpecGrid& s, const ChipPicture&, const ChipPicture&) { s.at(2, 1).chip = nullptr; }, true},
      {"absent", [](FloorSpecGrid& s, const ChipPicture&, const ChipPicture&) { s.at(2, 1).chipPresent = false; },
       true},
      {"floating", [](FloorSpecGrid& s, const ChipPicture& f, const ChipPicture&) { s.at(2, 1).chip = &f; }, true},
      {"pit", [](FloorSpecGrid& s, const ChipPicture&, const ChipPicture&) { s.at(2, 1).pit = true; }, true},
      {"water", [](FloorSpecGrid& s, const ChipPicture&, const ChipPicture& w) { s.at(2, 1).chip = &w; }, true},
      // Slope 3 from height 2: height 3, the −x corners (0 and 3) at 40, above 20.
      {"ramp up", [](FloorSpecGrid& s, const ChipPicture&, const ChipPicture&) { s.at(2, 1).slope = 3; }, false},
      // Diagonal 512 from height −1: height 1, corner 0 at 30 (above 20) but
      // corner 3 at 10 (below 20).
      // Diagonal 514 from 0: height 2, corner 0 at 0 (below 20), corners 1
      // and 3 at 20, corner 2 at 40.
      {"near corner lower",
       [](FloorSpecGrid& s, const ChipPicture&, const ChipPicture&) {
         s.at(2, 1).slope = 514;
         s.at(2, 1).height = 0;
       },
       true},
      {"one end lower",
       [](FloorSpecGrid& s, const ChipPicture&, const ChipPicture&) {
         s.at(2, 1).slope = 512;
         s.at(2, 1).height = -1;
       },
       true},
  };
  for (const Case& c : cases) {
    FloorSpecGrid specs = around();
    c.change(specs, floating, water);
    EXPECT_EQ(sideDirections(specs), c.shows ? std::multiset<int>{1} : std::multiset<int>{}) << c.what;
  }

  // Water beside water hides the side; a pit beside a pit too.
  FloorSpecGrid both = around();
  walled.water = true;
  both.at(2, 1).chip = &water;
  EXPECT_TRUE(sideDirections(both).empty());
  walled.water = false;
  FloorSpecGrid pits = around();
  for (FloorCellSpec& spec : pits.cells) {
    spec.pit = true;
  }
  EXPECT_TRUE(sideDirections(pits).empty());

  // On the border the missing neighbours show sides: (0, 0) faces 2 and 3.
  FloorSpecGrid corner = around();
  corner.at(1, 1).chip = &plain;
  corner.at(0, 0).chip = &walled;
  EXPECT_EQ(sideDirections(corner), (std::multiset<int>{2, 3}));
}

// A side runs from the two upper corners down to −16 (48 below for a
// floating chip), textured 32 across and drop × 32 / 48 down.
TEST_F(MapMeshTest, SideQuadsHangFromTheCornersAndPitSidesFadeToWhite) {
  FloorSpecGrid specs = around();
  specs.at(2, 1).height = 0;
  map.build(specs);
  const auto pieces = MapMesh::wallGroup(map, wall, 65536);
  ASSERT_EQ(pieces.size(), 1u);
  const MeshBuilder& mesh = *pieces[0];
  ASSERT_EQ(std::tuple(mesh.vertexCount(), mesh.indexCount()), std::tuple(4, 6));
  // The cell's centre is (−24, −24). Facing +x: top-left is corner 2
  // (+24, −24 from it), top-right corner 1.
  const std::tuple<float, float, float, float, float> expected[] = {
      {0.f, -48.f, 20.f, 32.f, 0.f},
      {0.f, 0.f, 20.f, 64.f, 0.f},
      {0.f, 0.f, -16.f, 64.f, 36.f * 32.f / 48.f},
      {0.f, -48.f, -16.f, 32.f, 36.f * 32.f / 48.f}};
  for (int i = 0; i < 4; ++i) {
    const MeshVertex& v = mesh.vertex(i);
    EXPECT_EQ(std::tuple(v.position.x, v.position.y, v.position.z, v.uv.x, v.uv.y), expected[i]) << i;
    EXPECT_EQ(std::tuple(v.normal.x, v.normal.y, v.normal.z), std::tuple(1.f, 0.f, 0.f));
  }
  EXPECT_EQ(std::tuple(mesh.index(0), mesh.index(1), mesh.index(2), mesh.index(3), mesh.index(4), mesh.index(5)),
            std::tuple(0, 2, 1, 0, 3, 2));
  // Grey above, the wall's bottom colour below.
  EXPECT_EQ(std::tuple(mesh.vertex(0).color, mesh.vertex(1).color, mesh.vertex(2).color, mesh.vertex(3).color),
            std::tuple(Color(0xFF808080u), Color(0xFF808080u), Color(0x40102030u), Color(0x40102030u)));

  // A side under a ramp (slope 0 from 2: height 3, +y corners at 40, −y
  // at 20) drops 56 on its +y end and 36 on its −y end.
  FloorSpecGrid ramp = specs;
  ramp.at(1, 1).slope = 0;
  map.build(ramp);
  const auto sloped = MapMesh::wallGroup(map, wall, 65536);
  ASSERT_EQ(sloped.size(), 1u);
  // Sides toward +y (lower), +x and −x (lower at the +y end); the +x one second.
  ASSERT_EQ(sloped[0]->vertexCount(), 12);
  EXPECT_FLOAT_EQ(sloped[0]->vertex(6).uv.y, 56.f * 32.f / 48.f);
  EXPECT_FLOAT_EQ(sloped[0]->vertex(7).uv.y, 36.f * 32.f / 48.f);

  walled.floating = true;
  map.build(specs);
  const auto hanging = MapMesh::wallGroup(map, wall, 65536);
  EXPECT_FLOAT_EQ(hanging[0]->vertex(2).position.z, 20.f - 48.f);
  // A pit's side stands from z 1280 with the bottom colour above and white below.
  walled.floating = false;
  FloorSpecGrid pit = around();
  pit.at(1, 1).pit = true;
  EXPECT_EQ(sideDirections(pit), (std::multiset<int>{0, 1, 2, 3}));
  const auto pitPieces = MapMesh::wallGroup(map, wall, 65536);
  const MeshVertex& top = pitPieces[0]->vertex(0);
  const MeshVertex& bottom = pitPieces[0]->vertex(3);
  EXPECT_EQ(std::tuple(top.position.z, bottom.position.z, top.color, bottom.color),
            std::tuple(1280.f, -16.f, Color(0x40102030u), Color()));
}

TEST_F(MapMeshTest, CylinderChipsStandOnEightSidesUnderAFan) {
  walled.cylinder = true;
  FloorSpecGrid specs = around();
  specs.at(1, 1).height = 4;
  map.build(specs);
  const auto sides = MapMesh::wallGroup(map, wall, 65536);
  ASSERT_EQ(sides.size(), 1u);
  EXPECT_EQ(sides[0]->vertexCount(), 8 * 4);
  // About the centre (−24, −24).
  for (int i = 0; i < sides[0]->vertexCount(); ++i) {
    const MeshVertex& v = sides[0]->vertex(i);
    const float x = v.position.x + 24.f;
    const float y = v.position.y + 24.f;
    EXPECT_NEAR(x * x + y * y, 24.f * 24.f, 0.01f);
    EXPECT_TRUE(v.position.z == 40.f || v.position.z == -16.f);
    EXPECT_GT(v.normal.x * x + v.normal.y * y, 0.f);  // outward
  }
  const auto tops = MapMesh::chipGroup(map, walled, 65536);
  ASSERT_EQ(tops.size(), 1u);
  EXPECT_EQ(std::tuple(tops[0]->vertexCount(), tops[0]->indexCount()), std::tuple(9, 24));
  EXPECT_EQ(std::tuple(map.cellAt(1, 1)->topFirstIndex, map.cellAt(1, 1)->topTriangles), std::tuple(0, 8));
  for (int t = 0; t < 8; ++t) {
    EXPECT_EQ(tops[0]->index(t * 3), 0);
    Vector3 a = tops[0]->vertex(tops[0]->index(t * 3 + 1)).position;
    Vector3 b = tops[0]->vertex(tops[0]->index(t * 3 + 2)).position;
    a -= tops[0]->vertex(0).position;
    b -= tops[0]->vertex(0).position;
    EXPECT_GT(a.x * b.y - a.y * b.x, 0.f) << t;  // counter-clockwise seen from above, as quads are
  }
  EXPECT_EQ(std::tuple(tops[0]->vertex(3).color, tops[0]->vertex(3).normal.z), std::tuple(Color(), 1.f));
  // Texture 32 a cell about the cell's middle, (48, −16) for (1, 1): the
  // rim at 0 degrees is 24 along +x, at 90 degrees 24 along +y (v up).
  const auto uv = [&](int v) { return std::pair(tops[0]->vertex(v).uv.x, tops[0]->vertex(v).uv.y); };
  EXPECT_EQ(std::tuple(uv(0), uv(1)), std::tuple(std::pair(48.f, -16.f), std::pair(64.f, -16.f)));
  EXPECT_NEAR(uv(3).first, 48.f, 1e-4f);
  EXPECT_NEAR(uv(3).second, -32.f, 1e-4f);
}

// Top faces: every present, unpitted cell of the chip, in x-then-y order;
// texture 32 a cell; the cell learns its first index.
TEST_F(MapMeshTest, TopFacesOfAChipAndGroupsOverTheVertexLimitAreSplit) {
  FloorSpecGrid specs = grid(3, 2, &plain);
  specs.at(0, 1).pit = true;
  specs.at(1, 0).chipPresent = false;
  specs.at(2, 1).chip = &walled;
  map.build(specs);
  const auto pieces = MapMesh::chipGroup(map, plain, 65536);
  ASSERT_EQ(pieces.size(), 1u);
  const MeshBuilder& mesh = *pieces[0];
  ASSERT_EQ(std::tuple(mesh.vertexCount(), mesh.indexCount()), std::tuple(3 * 4, 3 * 6));
  EXPECT_EQ(std::tuple(map.cellAt(0, 0)->topFirstIndex, map.cellAt(1, 1)->topFirstIndex,
                       map.cellAt(2, 0)->topFirstIndex, map.cellAt(2, 0)->topTriangles, map.cellAt(0, 1)->topTriangles),
            std::tuple(0, 6, 12, 2, 0));
  // (1, 1), centred on (−24, 0): uv (32, −32) + (0, 0), (32, 0), (32, 32),
  // (0, 32); corners in order.
  const std::tuple<float, float, float, float> expected[] = {
      {-48.f, 24.f, 32.f, -32.f}, {0.f, 24.f, 64.f, -32.f}, {0.f, -24.f, 64.f, 0.f}, {-48.f, -24.f, 32.f, 0.f}};
  for (int i = 0; i < 4; ++i) {
    const MeshVertex& v = mesh.vertex(4 + i);
    EXPECT_EQ(std::tuple(v.position.x, v.position.y, v.uv.x, v.uv.y), expected[i]) << i;
    EXPECT_EQ(v.normal.z, 1.f);
    constexpr int kQuad[4] = {0, 2, 1, 0};
    EXPECT_EQ(mesh.index(6 + i), 4 + kQuad[i]);
  }
  EXPECT_TRUE(MapMesh::chipGroup(map, ChipPicture(), 65536).empty());
  EXPECT_TRUE(MapMesh::wallGroup(map, WallPicture(), 65536).empty());
  // Pieces never pass the vertex limit: a new one begins with the face that
  // would.
  map.build(grid(3, 3, &plain));
  const auto split = MapMesh::chipGroup(map, plain, 8);
  ASSERT_EQ(split.size(), 5u);
  int total = 0;
  for (const auto& piece : split) {
    EXPECT_LE(piece->vertexCount(), 8);
    EXPECT_FALSE(piece->overflowed());
    for (int i = 0; i < piece->indexCount(); ++i) {
      EXPECT_LT(piece->index(i), piece->vertexCount());
    }
    total += piece->vertexCount();
  }
  // The ninth face opens the fifth piece.
  EXPECT_EQ(std::tuple(total, map.cellAt(2, 2)->topFirstIndex, map.cellAt(2, 1)->topFirstIndex),
            std::tuple(9 * 4, 0, 6));

  // A fan of 9 vertices does not go into the 8 left after another.
  ChipPicture column;
  column.cylinder = true;
  map.build(grid(2, 1, &column));
  const auto fans = MapMesh::chipGroup(map, column, 17);
  ASSERT_EQ(fans.size(), 2u);
  for (const auto& piece : fans) {
    EXPECT_EQ(piece->vertexCount(), 9);
    EXPECT_FALSE(piece->overflowed());
  }
}

// A raised corner of dry ground leans away from higher cells around it;
// on water it stays as the face gives it.
TEST_F(MapMeshTest, TopNormalsFollowTheEdgesAndLeanAwayFromHigherNeighbours) {
  FloorSpecGrid specs = grid(2, 1, &plain);
  specs.at(1, 0).height = 3;
  map.build(specs);
  auto pieces = MapMesh::chipGroup(map, plain, 65536);
  // (0, 0) corner 3 is alone: raised; its neighbours around do not include
  // (1, 0). Corner 2 is shared with (1, 0), 30 up: not raised (−15).
  EXPECT_EQ(pieces[0]->vertex(2).normal.x, 0.f);
  // (1, 0) corner 3 is raised (+15) beside the lower (0, 0): no higher cell, upright.
  EXPECT_EQ(pieces[0]->vertex(7).normal.x, 0.f);
  specs.at(1, 0).height = 0;
  specs.at(0, 0).slope = 1;  // (0, 0): height 1, corners 1 and 2 at 20, 0 and 3 at 0
  specs.at(1, 0).height = 1;
  map.build(specs);
  pieces = MapMesh::chipGroup(map, plain, 65536);
  // (1, 0) corner 0 at 10 against (20 + 10) / 2: −5, level; corner 3 the same.
  // (0, 0) corner 1 at 20 against 15: raised, and (1, 0)'s centre (10) is not higher.
  const Vector3& n = pieces[0]->vertex(1).normal;
  EXPECT_LT(n.x, 0.f);  // the ramp's own slope faces −x
  EXPECT_NEAR(n.squareLength(), 1.f, 1e-5f);

  // A corner's normal comes from the edges to the corners beside it: with
  // corner 3 alone 20 up, corner 0 (−24, 24, 0) has edges (0, −48, 20) and
  // (48, 0, 0): normal (0, 960, 2304) / 2496. Corner 1, between two flat
  // edges, faces straight up.
  map.build(grid(1, 1, &plain));
  map.cellAt(0, 0)->corners[3] = 2;
  pieces = MapMesh::chipGroup(map, plain, 65536);
  const Vector3& edge = pieces[0]->vertex(0).normal;
  EXPECT_NEAR(edge.x, 0.f, 1e-6f);
  EXPECT_NEAR(edge.y, 960.f / 2496.f, 1e-6f);
  EXPECT_NEAR(edge.z, 2304.f / 2496.f, 1e-6f);
  const Vector3& flat = pieces[0]->vertex(1).normal;
  EXPECT_EQ(std::tuple(flat.x, flat.y, flat.z), std::tuple(0.f, 0.f, 1.f));
}

}  // namespace
}  // namespace Game
