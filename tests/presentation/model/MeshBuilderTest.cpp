#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlatformFake/FakeBackend.h"
#include "presentation/model/MeshTestSupport.h"
#include "presentation/model/MinMaxTracker.h"
#include "presentation/model/PartTransform.h"
#include "presentation/model/PointLightSet.h"
#include "presentation/model/ShapeFrame.h"
#include "presentation/model/Shapes.h"

namespace Game {
namespace {

using Engine::i32;
using Engine::Math::Vector3;
using MeshTest::build;

// Vectors to within 1e-4.
void expectVector(const Vector3& expected, const Vector3& actual) {
  PresentationTest::expectNear(actual, expected, 1e-4f);
}

// Corners top-left, top-right, bottom-right, bottom-left seen from +z, the
// texture's top row on the top edge; exactly four vertices and six indices.
// Without keys the quad is a unit square over the whole texture.
TEST(MeshBuilder, QuadCornersTakeTheRectsCorners) {
  const std::string corners[] = {"-32,16,0 uv 8,4 n 0,0,1", "32,16,0 uv 72,4 n 0,0,1", "32,-16,0 uv 72,36 n 0,0,1",
                                 "-32,-16,0 uv 8,36 n 0,0,1"};
  const auto mesh = build("rect 8,4,64,32;");
  ASSERT_EQ(4, mesh->vertexCount());
  ASSERT_EQ(6, mesh->indexCount());
  EXPECT_EQ((std::vector<i32>{0, 2, 1, 0, 3, 2}), (std::vector<i32>{mesh->index(0), mesh->index(1), mesh->index(2),
                                                                   mesh->index(3), mesh->index(4), mesh->index(5)}));
  for (i32 i = 0; i < 4; ++i) EXPECT_EQ(MeshTest::describe(mesh->vertex(i)), corners[i]);
  EXPECT_EQ(Color(), mesh->vertex(3).color);
  const auto unit = build("");
  expectVector(Vector3(0.5f, -0.5f, 0.f), unit->vertex(2).position);
  EXPECT_EQ(1.f, unit->vertex(2).uv.y);
  MeshBuilder exact(4, 6);
  Shape::buildQuad(exact, ShapeFrame());
  EXPECT_EQ(4, exact.vertexCount());
  EXPECT_EQ(6, exact.indexCount());
}

// A size replaces the rect's; a sphere shows the depth: (64 + 32) / 2 = 48 tall.
TEST(MeshBuilder, FrameSizeAndTransformKeys) {
  EXPECT_NEAR(24.f, build("rect 0,0,64,32; type sphere;")->vertex(0).position.z, 1e-4f);
  expectVector(Vector3(5.f, -5.f, 0.f), build("rect 0,0,64,32; size 10;")->vertex(2).position);
  expectVector(Vector3(1.f, -1.f, 0.f), build("scale 200;")->vertex(2).position);
  expectVector(Vector3(1.f, -0.25f, 0.f), build("scale 200,50,100;")->vertex(2).position);
  expectVector(Vector3(10.5f, 19.5f, 3.f), build("position 10,20,3;")->vertex(2).position);
  // Rotating 90 degrees about x turns +z to -y.
  const auto turned = build("rotate 90,0,0;");
  expectVector(Vector3(0.f, -1.f, 0.f), turned->vertex(0).normal);
  const auto flipped = build("reverseNormal;");
  expectVector(Vector3(0.f, 0.f, -1.f), flipped->vertex(0).normal);
  EXPECT_EQ(2, flipped->index(1));
}

TEST(MeshBuilder, ColourMultipliesTheNodeAndItsParts) {
  const auto mesh = build("color 0x80ff0000; parts{}");
  ASSERT_EQ(8, mesh->vertexCount());
  for (i32 i = 0; i < 8; ++i) {
    EXPECT_EQ(Color(128.f / 255.f, 1.f, 0.f, 0.f), mesh->vertex(i).color);
  }
}

TEST(MeshBuilder, PartsAreTransformedByTheirOwnThenByTheNode) {
  const auto mesh = build("type none; rotate 0,0,90; parts{ position 10,0,0; rotate 90,0,0; }");
  ASSERT_EQ(4, mesh->vertexCount());
  // The part's quad stands facing -y around x = 10; the node turns it a
  // quarter about z: around y = 10, facing +x.
  expectVector(Vector3(1.f, 0.f, 0.f), mesh->vertex(0).normal);
  expectVector(Vector3(0.f, 9.5f, 0.5f), mesh->vertex(0).position);
}

TEST(MeshBuilder, AppendRenumbersThePartsTriangles) {
  MeshBuilder whole(16, 16);
  MeshBuilder part(8, 8);
  MeshTest::ModelNode quad("");
  whole.load(quad.node());
  part.load(quad.node());
  ASSERT_TRUE(whole.append(part));
  EXPECT_EQ(12, whole.indexCount());
  EXPECT_EQ(4 + 2, whole.index(7));
  MeshBuilder small(6, 6);
  small.load(quad.node());
  EXPECT_FALSE(small.append(part));
  EXPECT_EQ(4, small.vertexCount());
}

TEST(MeshBuilder, LinearGradationRunsFromLowestToHighest) {
  const auto mesh = build("type cylinder; size 64; gradation{ color1 0xff000000; color2 0xffffffff; vector 0,0,1; }");
  for (i32 i = 0; i < mesh->vertexCount(); ++i) {
    const MeshVertex& v = mesh->vertex(i);
    const float expected = v.position.z < 0.f ? 0.f : 1.f;
    EXPECT_NEAR(expected, v.color.red(), 1e-5f);
  }
}

TEST(MeshBuilder, GradationsWithoutSpreadAndRadialGradations) {
  // Every vertex of the quad has the same height, and the radial light sits
  // on a zero-size quad.
  const auto flat = build("gradation{ color1 0xff102030; color2 0xffffffff; vector 0,0,1; }");
  EXPECT_EQ(Color(0xff102030u), flat->vertex(0).color);
  const auto point = build("size 0; gradation{ color1 0xffffffff; color2 0xff000000; center 0,0,0; }");
  EXPECT_EQ(Color(1.f, 0.1f, 0.1f, 0.1f), point->vertex(0).color);
  const auto mesh = build("gradation{ color1 0xffffffff; color2 0x00402000; center 0,0,0; }");
  // All four corners are the farthest.
  EXPECT_EQ(Color(1.f, 0.1f + 0x40 / 255.f, 0.1f + 0x20 / 255.f, 0.1f), mesh->vertex(0).color);
}

TEST(MeshBuilder, MinMaxTrackerKeepsTheFirstTagOnTies) {
  MinMaxTracker range(100.f);
  range.add(3.f, 1);
  range.add(5.f, 2);
  range.add(5.f, 3);
  range.add(-1.f, 4);
  range.add(-1.f, 5);
  EXPECT_EQ(5.f, range.max());
  EXPECT_EQ(2, range.maxTag());
  EXPECT_EQ(-1.f, range.min());
  EXPECT_EQ(4, range.minTag());
}

TEST(PointLightSet, SubtractiveLightsOnlyDarken) {
  PointLightSet lights;
  Color c;
  lights.colorAt(c, Vector3(0.f, 0.f, 0.f), Color(0.f, 0.f, 0.f, 0.f));
  EXPECT_EQ(Color(), c);
  lights.addSubtractiveLight(Vector3(0.f, 0.f, 0.f), Color(0.f, 0.5f, 0.5f, 0.5f), Color(0.f, 0.f, 0.f, 0.f), 10.f,
                             0.5f);
  lights.colorAt(c, Vector3(2.f, 0.f, 0.f), Color(0.f, 0.f, 0.f, 0.f));
  EXPECT_EQ(Color(1.f, 0.5f, 0.5f, 0.5f), c);
  // Halfway between the inner radius 5 and the radius 10: a quarter off.
  lights.colorAt(c, Vector3(7.5f, 0.f, 0.f), Color(0.f, 0.8f, 0.f, 0.f));
  EXPECT_EQ(Color(1.f, 0.8f, 0.75f, 0.75f), c);
  lights.clear();
  lights.colorAt(c, Vector3(0.f, 0.f, 0.f), Color(0.f, 0.f, 0.f, 0.f));
  EXPECT_EQ(Color(), c);
}

TEST(MeshBuilder, NodesThatDoNotFitOrHaveNoTypeAreRefused) {
  PlatformFake::ScopedFakeBackend backend;
  auto& lines = backend->fakeDebugOutput.lines;
  // The first part fits; the second asks for 5000 sides.
  const auto mesh = build("type none; parts{} parts{ type polygon; parameter{ vertex 5000; } }");
  EXPECT_EQ(6, mesh->indexCount());
  EXPECT_FALSE(mesh->overflowed());
  ASSERT_EQ(1u, lines.size());
  EXPECT_NE(std::string::npos, lines[0].find("model.txt"));
  EXPECT_NE(std::string::npos, lines[0].find("root/model/parts"));

  MeshBuilder tiny(4, 6);
  MeshTest::ModelNode cylinder("type cylinder;");
  EXPECT_FALSE(tiny.load(cylinder.node(), "tiny.txt"));
  EXPECT_EQ(0, tiny.indexCount());
  EXPECT_NE(std::string::npos, lines.back().find("tiny.txt"));
  EXPECT_FALSE(tiny.load(cylinder.node(), ""));
  EXPECT_NE(std::string::npos, lines.back().find("MeshBuilder: (no file) : "));
  // A refused node takes its parts with it.
  EXPECT_EQ(0, build("type dice; parts{}")->vertexCount());
  // An unknown type (names are case-sensitive) builds nothing but keeps its parts.
  EXPECT_EQ(0, build("type Cylinder;")->vertexCount());
  EXPECT_EQ(4, build("type nothingLikeThis; parts{}")->vertexCount());
}

// Required parameters left out, negative counts and values that are not
// finite ("/" reads as 0/0, "1/0" as infinity) refuse the node by file, node
// and key; the parts before it stay. A count past 32 bits stops the start.
TEST(MeshBuilder, OutOfRangeAndNotFiniteKeysAreRefusedByName) {
  PlatformFake::ScopedFakeBackend backend;
  auto& lines = backend->fakeDebugOutput.lines;
  const struct {
    const char* body;
    const char* why;
  } cases[] = {
      {"type dice;", "needs the parameter"},
      {"type triangle; parameter{ vertex 0,0,0; }", "needs the parameter"},
      {"type belt; parameter{ time 10; }", "needs the parameter"},
      {"type belt; parameter{ curve{ all{value 0;} } }", "needs the parameter"},
      {"type gear; parameter{ z -1; }", "parameter \"z\" is out of range"},
      {"type prism; parameter{ number -5; }", "parameter \"number\" is out of range"},
      {"type bipyramid; parameter{ vertex -2; }", "parameter \"vertex\" is out of range"},
      {"type cube; rect /;", "key \"rect\" holds a value that is not a finite number"},
      {"type cube; rect 0,0,1/0,4;", "key \"rect\" holds a value that is not a finite number"},
      {"type cube; size /;", "key \"size\" holds a value that is not a finite number"},
      {"type cube; size 1,2,-1/0;", "key \"size\" holds a value that is not a finite number"},
      {"type cube; rotate /;", "key \"rotate\" holds a value that is not a finite number"},
      {"type cube; position 0,/,0;", "key \"position\" holds a value that is not a finite number"},
      {"type cube; scale /;", "key \"scale\" holds a value that is not a finite number"},
      {"type star; parameter{ sharp /; }", "parameter \"sharp\" is not a finite number"},
      {"type prism; parameter{ proportion 0,1/0; }", "parameter \"proportion\" is not a finite number"},
      {"type sphere; parameter{ end /; }", "parameter \"end\" is not a finite number"},
  };
  for (const auto& c : cases) {
    lines.clear();
    const auto mesh = build(std::string("type none; parts{} parts{ ") + c.body + " }");
    EXPECT_EQ(4, mesh->vertexCount()) << c.body;
    EXPECT_FALSE(mesh->overflowed()) << c.body;
    ASSERT_EQ(1u, lines.size()) << c.body;
    EXPECT_NE(std::string::npos, lines[0].find("model.txt")) << c.body;
    EXPECT_NE(std::string::npos, lines[0].find("root/model/parts")) << c.body;
    EXPECT_NE(std::string::npos, lines[0].find(c.why)) << c.body << ": " << lines[0];
  }
  EXPECT_DEATH(build("type gear; parameter{ z 3333333332; }"), "model.txt line 1: \"z\" item 1 \"3333333332\" does not fit");
}

// The largest counts whose outlines fit are not out of range: they are built
// or refused as not fitting, as before.
TEST(MeshBuilder, CountsAtTheOutlineLimitAreNotOutOfRange) {
  PlatformFake::ScopedFakeBackend backend;
  auto& lines = backend->fakeDebugOutput.lines;
  const i32 teeth = MeshBuilder::kModelCapacity / 4;
  for (const std::string& body : {"type gear; parameter{ z " + std::to_string(teeth + 1) + "; }",
                                 "type star; parameter{ vertex " + std::to_string(teeth * 2 + 1) + "; }"}) {
    lines.clear();
    build(body);
    ASSERT_EQ(1u, lines.size()) << body;
    EXPECT_NE(std::string::npos, lines[0].find("does not fit")) << body;
  }
  lines.clear();
  EXPECT_EQ(0, build("type gear; parameter{ z 0; }")->vertexCount());
  EXPECT_TRUE(lines.empty());
}

}  // namespace
}  // namespace Game
