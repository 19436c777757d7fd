#include <gtest/gtest.h>

#include <string>

#include "core/math/MathHelper.h"
#include "presentation/model/Polygon.h"
#include "core/file/nml/NmlNode.h"

namespace {

using Engine::Math::Vector3;
using namespace Game::MathHelper;

void expectNear(const Vector3& v, float x, float y, float z) {
  EXPECT_NEAR(v.x, x, 1e-5f);
  EXPECT_NEAR(v.y, y, 1e-5f);
  EXPECT_NEAR(v.z, z, 1e-5f);
}

TEST(GeometryTest, PlanesAndPolygons) {
  Vector3 normal;
  EXPECT_TRUE(planeNormal(&normal, Vector3(0.f), Vector3(2.f, 0.f, 0.f), Vector3(0.f, 3.f, 0.f)));
  expectNear(normal, 0.f, 0.f, 1.f);
  EXPECT_FALSE(planeNormal(&normal, Vector3(0.f), Vector3(1.f), Vector3(2.f)));
  EXPECT_GT(planeSide(Vector3(0.f, 0.f, 5.f), Vector3(0.f), Vector3(1.f, 0.f, 0.f), Vector3(0.f, 1.f, 0.f)), 0.f);
  EXPECT_LT(planeSide(Vector3(0.f, 0.f, -5.f), Vector3(0.f), Vector3(1.f, 0.f, 0.f), Vector3(0.f, 1.f, 0.f)), 0.f);

  Game::Polygon polygon;
  EXPECT_FALSE(polygonNormal(&normal, polygon));
  for (int i = 0; i < 40; ++i) {  // more corners than the first room holds
    polygon.add(Vector3(static_cast<float>(i), 0.f, static_cast<float>(i % 2)));
  }
  EXPECT_EQ(polygon.count(), 40);
  polygon.scale(2.f);
  expectNear(polygon.corner(39), 78.f, 0.f, 2.f);
  Vector3 a;
  Vector3 b;
  polygon.edge(39, &a, &b);  // the last edge closes the loop
  expectNear(a, 78.f, 0.f, 2.f);
  expectNear(b, 0.f, 0.f, 0.f);
  const Game::Polygon copy = polygon;
  EXPECT_EQ(copy.count(), 40);
  expectNear(copy.corner(20), 40.f, 0.f, 0.f);
}

Game::Polygon loadPolygon(const char* text) {
  Game::NmlNode node;
  EXPECT_TRUE(node.parse(text, true));
  Game::Polygon polygon;
  polygon.load(node);
  return polygon;
}

TEST(GeometryTest, PolygonsLoadFromRectsRegularShapesAndVertices) {
  Game::Polygon rect = loadPolygon("rect{size 4,2;}position 1,1,1;");
  ASSERT_EQ(rect.count(), 4);
  expectNear(rect.corner(0), -1.f, 2.f, 1.f);
  expectNear(rect.corner(2), 3.f, 0.f, 1.f);

  Game::Polygon regular = loadPolygon("polygon{number 4;size 4,2;}");
  ASSERT_EQ(regular.count(), 4);
  expectNear(regular.corner(0), 2.f, 0.f, 0.f);
  expectNear(regular.corner(1), 0.f, 1.f, 0.f);

  // Later shapes replace earlier ones; more than 16 vertices all stay.
  std::string vertices = "rect{size 2,2;}";
  for (int i = 0; i < 20; ++i) {
    vertices += "vertex " + std::to_string(i) + ",0,1;";
  }
  Game::Polygon listed = loadPolygon(vertices.c_str());
  ASSERT_EQ(listed.count(), 20);
  expectNear(listed.corner(19), 19.f, 0.f, 1.f);

  EXPECT_EQ(loadPolygon("polygon{number -3;size 1,1;}").count(), 0);
  EXPECT_EQ(loadPolygon("polygon{number 99999999;size 1,1;}").count(), 0);
  EXPECT_EQ(loadPolygon("position 1,2,3;").count(), 0);
}

}  // namespace
