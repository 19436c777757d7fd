#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <utility>

#include "PlatformFake/FakeBackend.h"
#include "presentation/model/MeshTestSupport.h"
#include "presentation/model/ShapeFrame.h"
#include "presentation/model/ShapeRules.h"

namespace Game {
namespace {

using Engine::i32;
using Engine::Math::Vector3;
using MeshTest::build;
using PresentationTest::digits;

struct CountCase {
  const char* body;
  i32 vertices;
  i32 indices;
};

TEST(Shapes, VertexAndIndexCounts) {
  const MeshTest::LowDetail full(false);
  const CountCase cases[] = {
      // 14 segments, 15 rings of 6 points, 3 bands; an open tube: two points a ring, one band.
      {"type cylinder; size 64;", 90, 252}, {"type cylinder; size 64; parameter{ top false; bottom false; }", 30, 84},
      // L = 7 points, M = 14: 15 rings, 6 bands; the lower half from point 3: 4 points.
      {"type sphere; size 48;", 105, 504}, {"type sphere; size 48; parameter{ start 90; end 180; }", 60, 252},
      {"type sphere; size 48; parameter{ begin 90; start 0; }", 60, 252},
      {"type sphere; size 48; parameter{ start 180; }", 0, 0},
      // 9 segments; m = 10 profile points, the base's repeated point without a band.
      {"type bullet; size 30,30,100;", 10 * 10, 9 * 8 * 6},
      {"type polygon; parameter{}", 5, 9},
      {"type hole; size 64;", 15 * 4, 14 * 3 * 6}, {"type torus; size 64,64,16;", 15 * 8, 14 * 7 * 6},
      {"type cube; size 8;", 24, 36}, {"type cube; size 8; parameter{ top false; xMinor false; }", 16, 24},
      {"type dice; size 8; parameter{ size 32,32,32; }", 24, 36},
      {"type tree; size 8; parameter{ number 5; }", 20, 30},
      {"type rectPyramid; size 8;", 4 + 12, 6 + 12}, {"type rectPyramid; size 8; parameter{ bottom 0; }", 12, 12},
      {"type octahedron; size 8;", 24, 24}, {"type prism; size 8; parameter{ number 6; }", 6 * 12, 6 * 12},
      {"type prism; size 8; parameter{ number 4; top false; bottom false; }", 4 * 6, 4 * 6},
      {"type star; size 8;", 10 * 12, 10 * 12}, {"type gear; size 8; parameter{ z 6; }", 24 * 12, 24 * 12},
      // Per outline point: a side of 6 vertices, a top and a bottom of 3 each.
      {"type star; size 8; parameter{ top 1; bottom 0; }", 10 * 9, 10 * 9},
      {"type gear; size 8; parameter{ z 1; }", 4 * 12, 4 * 12},
      {"type bipyramid; size 8;", 10 * 6, 10 * 6}, {"type bipyramid; size 8; parameter{ bottom false; }", 30, 30},
      {"type triangle; parameter{ vertex 0,0,0; vertex 10,0,0; vertex 0,10,0; }", 3, 3},
      {"type triangle; parameter{ vertex 0,0,0; vertex 10,0,0; vertex 20,0,0; }", 0, 0},
      {"type solidOfRevolution; size 8; parameter{ vertex 0,100; vertex 100,0; vertex 0,-100; }", 8 * 3, 7 * 2 * 6},
      // Rotating 20: samples at 0, 15 and the last at 20.
      {"type doubleSpiral; size 8; parameter{ rotate 0; }", 2, 0},
      {"type doubleSpiral; size 8; parameter{ rotate 20; }", 6, 12},
  };
  for (const CountCase& c : cases) {
    const auto mesh = build(c.body);
    EXPECT_EQ(c.vertices, mesh->vertexCount()) << c.body;
    EXPECT_EQ(c.indices, mesh->indexCount()) << c.body;
    EXPECT_TRUE(MeshTest::isWellFormed(*mesh)) << c.body;
  }
}

// The texture is cut into one band per cone and one between them: with both
// cones and the whole texture (rect 0,0,1,1) each band is a third high. The
// first tip's top triangle takes the upper band, its bottom one the lowest.
TEST(Shapes, BipyramidConesTakeTheirBandsOfTheTexture) {
  const float third = 1.f / 3.f;
  const float expected[][2] = {{0.5f, 0.f},        {0.f, third}, {1.f, third},
                               {0.5f, 2.f * third}, {0.f, third}, {1.f, third}};
  const auto mesh = build("type bipyramid; size 8; rect 0,0,1,1;");
  ASSERT_EQ(60, mesh->vertexCount());
  for (int i = 0; i < 6; ++i) {
    EXPECT_NEAR(expected[i][0], mesh->vertex(i).uv.x, 1e-5f) << i;
    EXPECT_NEAR(expected[i][1], mesh->vertex(i).uv.y, 1e-5f) << i;
  }
  // Without the bottom cone the top one's band is half the texture.
  EXPECT_NEAR(0.5f, build("type bipyramid; size 8; rect 0,0,1,1; parameter{ bottom false; }")->vertex(1).uv.y, 1e-5f);
}

TEST(Shapes, SegmentRuleHalvesForLowDetailWithinItsBounds) {
  struct SegmentCase {
    float size;
    bool low;
    i32 segments;
  };
  const SegmentCase cases[] = {{100.f, false, 18}, {100.f, true, 9},   {8.f, true, 6},      {8.f, false, 7},
                               {0.f, false, 6},    {-1e9f, false, 6}, {1e9f, false, 128}, {2000.f, true, 128},
                               // (976 + 976) / 16 + 6 = 128 and (984 + 984) / 16 + 6 = 129, the first past the cap.
                               {976.f, false, 128}, {984.f, false, 128}};
  for (const SegmentCase& c : cases) {
    const MeshTest::LowDetail detail(c.low);
    ShapeFrame frame;
    frame.size.set(c.size, c.size, c.size);
    EXPECT_EQ(c.segments, ShapeRules::revolutionSegments(frame)) << c.size << (c.low ? " low" : "");
  }
}

// Proportion 100 narrows the bottom to a point, -100 the top.
TEST(Shapes, CylinderProportionMakesCones) {
  const MeshTest::LowDetail full(false);
  for (const float side : {-1.f, 1.f}) {
    const auto mesh = build(side < 0.f ? "type cylinder; size 64; parameter{ proportion 100; }"
                                       : "type cylinder; size 64; parameter{ proportion -100; }");
    for (i32 i = 0; i < mesh->vertexCount(); ++i) {
      const Vector3& p = mesh->vertex(i).position;
      if (p.z * side > 0.f) {
        EXPECT_EQ(0.f, std::hypot(p.x, p.y)) << side;
      }
    }
  }
}

// A total-side u runs across all sides; density 2 winds a pentagram.
TEST(Shapes, PrismTotalSideSpreadsUAndDensityWinds) {
  const auto mesh = build(
      "type prism; rect 16,0,64,32; size 8; parameter{ vertex 4; loopU totalSide; top false; bottom false; }");
  ASSERT_EQ(24, mesh->vertexCount());
  for (i32 side = 0; side < 4; ++side) {
    EXPECT_EQ(16.f + static_cast<float>(side) * 16.f, mesh->vertex(side * 6).uv.x) << side;
    EXPECT_EQ(16.f + static_cast<float>(side + 1) * 16.f, mesh->vertex(side * 6 + 2).uv.x) << side;
  }
  const auto oneSide = build("type prism; rect 16,0,64,32; size 8; parameter{ vertex 4; top false; bottom false; }");
  EXPECT_EQ(80.f, oneSide->vertex(8).uv.x);
  const auto star = build("type prism; size 2; parameter{ vertex 5; density 2; top false; bottom false; }");
  ASSERT_EQ(30, star->vertexCount());
  // The first side runs from angle 0 to angle 144.
  EXPECT_NEAR(1.f, star->vertex(0).position.x, 1e-5f);
  EXPECT_NEAR(std::cos(144.0 * M_PI / 180.0), star->vertex(2).position.x, 1e-5);
}

TEST(Shapes, RockIsAHullOfTwentyUnitPointsTexturedByTexels) {
  const auto mesh = build("type rock; rect 64,64,32,32; size 2;");
  std::set<std::tuple<long, long, long>> points;
  for (i32 i = 0; i < mesh->vertexCount(); ++i) {
    const MeshVertex& v = mesh->vertex(i);
    EXPECT_NEAR(1.f, v.position.length(), 1e-5f);
    EXPECT_LE(v.uv.x, 1.f);
    EXPECT_LE(v.uv.y, 1.f);
    points.emplace(std::lround(v.position.x * 1e4), std::lround(v.position.y * 1e4), std::lround(v.position.z * 1e4));
  }
  EXPECT_EQ(20u, points.size());
  // A convex hull of 20 points in general position: 2 × 20 − 4 faces.
  EXPECT_EQ(36 * 3, mesh->indexCount());
}

TEST(Shapes, DiceReadsItsNetRows) {
  const auto mesh = build("type dice; size 32; parameter{ size 32,32,32; }");
  // Top: v 0..32; bottom: v 64..96; sides: v 32..64 from u = 32 k.
  EXPECT_EQ(32.f, mesh->vertex(2).uv.y);
  EXPECT_EQ(64.f, mesh->vertex(4).uv.y);
  EXPECT_EQ(96.f, mesh->vertex(6).uv.y);
  for (i32 k = 0; k < 4; ++k) {
    EXPECT_EQ(32.f * static_cast<float>(k), mesh->vertex(8 + 4 * k).uv.x);
    EXPECT_EQ(64.f, mesh->vertex(10 + 4 * k).uv.y);
  }
}

// A belt's next sample lies (time / 2) / (speed + 1) later, but no closer
// than time / samples.
TEST(Shapes, BeltStepsAreNoFinerThanTimeOverTheSamples) {
  const struct {
    float time;
    float step;
    i32 samples;
    float expected;
  } cases[] = {
      {2048.f, 2.f, 2048, 2.f},    {2048.f, 1.f, 2048, 1.f},  {2048.f, 0.5f, 2048, 1.f},
      {16.f, 0.25f, 32, 0.5f},     {16.f, 0.5f, 32, 0.5f},    {16.f, 0.75f, 32, 0.75f},
      {16.f, 0.f, 32, 0.5f},       {16.f, -1.f, 32, 0.5f},    {16.f, NAN, 32, 0.5f},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShapeRules::beltStep(c.time, c.step, c.samples), c.expected) << c.time << " " << c.step;
  }
}

// A curve moving along x from 0 to `end` over 16 frames, at `z`.
std::string line(int end, int z = 0) {
  return "curve{ x{ {value 0; delay 16;} {value " + std::to_string(end) + ";} } y{value 0;} z{value " +
         std::to_string(z) + ";} }";
}

// A belt's step is (16 / 2) / (speed + axis speed + acceleration² + 1) frames.
// 3 units a frame: steps of 2 frames, 9 samples, 16 triangles; the two-curve
// strip leaves out triangles of no area, the single-curve one keeps them.
// Centre 1 and axis 2 units a frame: 2 frames too. 255 units a frame: steps of
// 8 / 256, 513 pairs and 3072 index entries, which fit; 511 units a frame:
// 1025 pairs, whose 6144 index entries do not, so the belt is refused whole
// rather than sampled more coarsely.
TEST(Shapes, BeltCountsFollowItsSteps) {
  const struct {
    std::string parameters;
    i32 vertices, indices;
  } cases[] = {
      {line(48), 18, 48},
      {"width{value 0;} " + line(48), 18, 48},
      {line(48) + line(48), 18, 0},
      {line(16) + " axis{ x{value 0;} y{value 0;} z{ {value 1000; delay 16;} {value 1032;} } }", 18, 48},
      {line(4080), 1026, 3072},
      {line(8176), 0, 0},
      {line(8176) + line(8176, 9), 0, 0},
  };
  for (const auto& c : cases) {
    const auto mesh = build("type belt; parameter{ time 16; " + c.parameters + " }");
    EXPECT_EQ(std::pair(mesh->vertexCount(), mesh->indexCount()), std::pair(c.vertices, c.indices)) << c.parameters;
  }
  EXPECT_EQ(0, build("type belt; parameter{ time 0; " + line(48) + " }")->vertexCount()) << "no time, no length";
  // The last of the fitting pairs is the texture's bottom; the width child
  // sets the distance between the edges.
  EXPECT_EQ(1.f, build("type belt; parameter{ time 16; " + line(4080) + " }")->vertex(1025).uv.y);
  const auto wide = build("type belt; parameter{ time 16; width{value 20;} " + line(16) + " }");
  EXPECT_NEAR(20.f, wide->vertex(1).position.y - wide->vertex(0).position.y, 1e-4f);
  // Where the vertices run out first: 15 units a frame needs 21 samples of
  // 16 / 20 frames, 42 vertices, in a builder of 40; the same belt of 3 units
  // a frame fits a builder of just its 18 vertices.
  const MeshTest::ModelNode fast("type belt; parameter{ time 16; " + line(240) + " }");
  MeshBuilder small(40, 4096);
  EXPECT_FALSE(small.load(fast.node()));
  EXPECT_EQ(0, small.vertexCount());
  const MeshTest::ModelNode slow("type belt; parameter{ time 16; " + line(48) + " }");
  MeshBuilder exact(18, 48);
  EXPECT_TRUE(exact.load(slow.node()));
}

// The centre's acceleration counts squared: x = t² starts still with an
// acceleration of 2, so the first step is 8 / (0 + 2² + 0 + 1) = 1.6 frames.
TEST(Shapes, BeltStepsShortenWithTheSquaredAcceleration) {
  const auto mesh = build(
      "type belt; parameter{ time 16; curve{ x{ {value 0; delay 16;} {value 256;} point{time 0; velocity 0;} }"
      " y{value 0;} z{value 0;} } }");
  ASSERT_GE(mesh->vertexCount(), 4);
  EXPECT_NEAR(1.6f / 16.f, mesh->vertex(2).uv.y, 1e-6f);
}

// 3 units a frame along x: samples every 2 frames at x = 6k, v = 4 + 2k of
// rect 8,4,32,16. One curve with the axis still: across the path, velocity x
// up = (1, 0, 0) x (0, 0, 1) = (0, -1, 0), so the first edge lies 32 units
// toward -y at u = rect.x, the second toward +y at rect.x + width, facing up.
// Two curves 20 apart in z: edge j lies on curve j with u at rect.x + (1 - j)
// x width; both normals are velocity x (p0 - p1) = (3, 0, 0) x (0, 0, 20),
// toward -y.
TEST(Shapes, BeltEdgesLieAcrossThePathOrOnTheirCurves) {
  const auto single = build("type belt; rect 8,4,32,16; parameter{ time 16; " + line(48) + " }");
  const auto between = build("type belt; rect 8,4,32,16; parameter{ time 16; " + line(48, 10) + line(48, -10) + " }");
  const auto pair = [](const MeshBuilder& mesh, i32 k) {
    return MeshTest::describe(mesh.vertex(2 * k)) + " | " + MeshTest::describe(mesh.vertex(2 * k + 1));
  };
  ASSERT_EQ(18, single->vertexCount());
  ASSERT_EQ(18, between->vertexCount());
  for (i32 k = 0; k < 9; ++k) {
    const std::string x = digits(6.f * static_cast<float>(k));
    const std::string v = digits(4.f + 2.f * static_cast<float>(k));
    EXPECT_EQ(pair(*single, k), x + ",-32,0 uv 8," + v + " n 0,0,1 | " + x + ",32,0 uv 40," + v + " n 0,0,1");
    EXPECT_EQ(pair(*between, k), x + ",0,10 uv 40," + v + " n 0,-1,0 | " + x + ",0,-10 uv 8," + v + " n 0,-1,0");
  }
  for (i32 k = 0; k < 3; ++k) EXPECT_EQ(single->index(3 + k), 1 + k) << "the strip's second triangle";
}

// Transparency and colour curves give an edge's alpha and rgb, the second
// colour node the second curve's edge; what a node leaves out reads 0, and a
// belt without such nodes is opaque white.
TEST(Shapes, BeltEdgesTakeTheirColourNodes) {
  const struct {
    const char* body;
    Color first, second;
  } cases[] = {
      {"type belt; parameter{ time 10; transparency{} color{x{value 50;}}"
       " curve{ x{ {value 0; delay 10;} {value 100;} } y{value 0;} z{value 0;} } }",
       Color(0.f, 0.5f, 0.f, 0.f), Color(0.f, 0.5f, 0.f, 0.f)},
      {"type belt; parameter{ time 10; curve{ x{ {value 0; delay 10;} {value 100;} } y{value 0;} z{value 0;} } }",
       Color(1.f, 1.f, 1.f, 1.f), Color(1.f, 1.f, 1.f, 1.f)},
      {"type belt; parameter{ time 30; transparency{value 50;} color{all{value 100;}} color{all{value 0;}}"
       " curve{ x{value 0;} y{ {value 0; delay 30;} {value 300;} } z{value 10;} }"
       " curve{ x{value 0;} y{ {value 0; delay 30;} {value 300;} } z{value -10;} } }",
       Color(0.5f, 1.f, 1.f, 1.f), Color(0.5f, 0.f, 0.f, 0.f)},
  };
  for (const auto& c : cases) {
    const auto mesh = build(c.body);
    ASSERT_GE(mesh->vertexCount(), 2) << c.body;
    EXPECT_EQ(c.first, mesh->vertex(0).color) << c.body;
    EXPECT_EQ(c.second, mesh->vertex(1).color) << c.body;
  }
}

TEST(Shapes, BipyramidSharpnessIsWrittenAsAQuotient) {
  const auto mesh = build("type bipyramid; size 2; parameter{ vertex 4; sharp 3/2; bottom false; }");
  ASSERT_EQ(12, mesh->vertexCount());
  // The second triangle runs from the inner point at 90 degrees.
  EXPECT_NEAR(2.f / 3.f, mesh->vertex(4).position.y, 1e-5f);
}

TEST(Shapes, DoubleSpiralRibbonsTurnAboutTheAxis) {
  const auto mesh = build("type doubleSpiral; size 8; parameter{ rotate 90; }");
  ASSERT_EQ(14, mesh->vertexCount());
  const MeshVertex& last = mesh->vertex(12);
  EXPECT_NEAR(4.f, last.position.y, 1e-5f);
  EXPECT_NEAR(-4.f, last.position.z, 1e-5f);
  EXPECT_NEAR(-4.f, mesh->vertex(13).position.y, 1e-5f);
}

// Every closed solid, with its default or least keys and with others that
// change its make-up.
const char* const kClosedSolids[] = {
    "type cylinder; size 64;", "type cylinder; size 40,20,100; parameter{ proportion 100; }",
    "type cylinder; size 64; parameter{ proportion -50; }", "type sphere; size 48;", "type sphere; size 300,200,500;",
    "type cube; size 10,20,30;", "type dice; size 8,16,24; parameter{ size 32,32,32; }",
    "type octahedron; size 10,20,30;", "type rectPyramid; size 10,20,30;", "type torus; size 64,64,16;",
    "type prism; size 10,20,30;", "type prism; size 10; parameter{ number 3; proportion 50,100; }",
    "type gear; size 64,64,8; parameter{ z 12; }", "type bullet; size 30,30,100;", "type star; size 20,20,4;",
    "type star; size 20; parameter{ vertex 7; sharp 3; }", "type bipyramid; size 10,10,30;",
    "type solidOfRevolution; size 40; parameter{ vertex 0,100; vertex 50,50; vertex 100,0; vertex 0,-100; }",
    "type rock; size 30,20,10;",
};

TEST(ShapeSolidity, ClosedSolidsAreClosedAndFaceOutward) {
  for (const bool low : {false, true}) {
    const MeshTest::LowDetail detail(low);
    for (const char* body : kClosedSolids) {
      const auto mesh = build(body);
      EXPECT_TRUE(MeshTest::isWellFormed(*mesh)) << body;
      EXPECT_TRUE(MeshTest::isClosedOutward(*mesh)) << body << (low ? " (low detail)" : "");
    }
  }
}

TEST(ShapeSolidity, OpenVariantsAreNotClosed) {
  const char* const open[] = {"type cylinder; size 64; parameter{ top false; }", "type sphere; parameter{ end 90; }",
                              "type cube; parameter{ top false; }", "type bullet; parameter{ bottom false; }",
                              "type rectPyramid; parameter{ bottom 0; }", "type hole; size 64;"};
  for (const char* body : open) {
    EXPECT_FALSE(MeshTest::isClosedOutward(*build(body))) << body;
  }
}

// Every type with its least keys and with keys at their extremes: each is
// either built within the capacities or refused whole, never written past.
TEST(ShapeSolidity, ExtremeKeysStayWithinCapacity) {
  PlatformFake::ScopedFakeBackend backend;
  const std::string curve = "curve{ x{ {value 0; delay 7;} {value 9000;} } y{value 0;} z{value 0;} }";
  const std::string fastCurve = "curve{ x{ {value 0; delay 1;} {value 900000;} } y{value 0;} z{value 0;} }";
  const std::string bodies[] = {
      "", "type cylinder; size 100000; parameter{ proportion 100000; }",
      "type cylinder; size 0;", "type UFO;", "type UFO; size 100000;",
      "type sphere; size 100000; parameter{ start -100000; end 100000; }", "type sphere; size -50;",
      "type cube; size 0;", "type dice; parameter{ size 0,0,0; }", "type tree; parameter{ number 100000; }",
      "type tree; parameter{ number -3; }", "type octahedron; size 100000;", "type rectPyramid; size 0;",
      "type torus; size 0,0,10;", "type torus; size 100000;", "type hole; size 100000;",
      "type triangle; parameter{ vertex 0,0,0; vertex 0,0,0; vertex 0,0,0; }", "type prism; parameter{ number 0; }",
      "type prism; parameter{ number -5; }", "type prism; parameter{ number 100000; }",
      "type gear; parameter{ z 0; }", "type gear; parameter{ z 100000; }",
      "type bullet; size 100000;", "type star; parameter{ vertex 0; sharp 0; }",
      "type star; parameter{ vertex 100000; }", "type bipyramid; parameter{ vertex 1; sharp 0; }",
      "type bipyramid; parameter{ vertex 100000; }",
      "type solidOfRevolution; size 100000; parameter{ vertex 0,100; vertex 100,0; vertex 50,-50; vertex 0,-100; }",
      "type solidOfRevolution; parameter{ vertex 50,50; }", "type rock; size 0; parameter{ cut 100000; }",
      "type polygon; parameter{ vertex 0; }", "type polygon; parameter{ vertex 100000; }",
      "type belt; parameter{ time 0; " + curve + "}", "type belt; parameter{ time 100000; " + curve + "}",
      "type belt; parameter{ time 100000; " + fastCurve + fastCurve + "}",
      "type belt; parameter{ time 100000; " + curve + curve + curve + "}",
      "type belt; parameter{ time 10; curve{ all{value 5;} } axis{ all{value 5;} } }",
      "type doubleSpiral; size 0; parameter{ rotate 720; }",
      "type doubleSpiral; parameter{ rotate 10000000; }",
  };
  for (const std::string& body : bodies) {
    for (const bool low : {false, true}) {
      const MeshTest::LowDetail detail(low);
      const auto mesh = build(body);
      EXPECT_TRUE(MeshTest::isWellFormed(*mesh)) << body;
      // The same node as one of many parts of a full model.
      const auto crowded = build("type none; parts{ type prism; parameter{ number 300; } } parts{" + body + "}");
      EXPECT_TRUE(MeshTest::isWellFormed(*crowded)) << body;
    }
  }
}

}  // namespace
}  // namespace Game
