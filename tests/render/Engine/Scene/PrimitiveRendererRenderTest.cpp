#include "Engine/Scene/PrimitiveRenderer.h"
#include "render/RenderSupport.h"

namespace RenderTest {
namespace {

using Engine::Math::Vector2;
using Engine::Math::Vector3;
using Engine::Scene::PrimitiveRenderer;

class PrimitiveRendererRender : public RenderFixture {};

// Rectangles are in screen pixels from the top-left; a coloured one shades
// from white at its top edge to its colour at the bottom, a black one is flat;
// lines are in clip space.
TEST_F(PrimitiveRendererRender, RectanglesLandOnTheirPixelsWithTheirGradient) {
  Engine::Graphics::ManagerImpl& manager = createManager({320, 240, false, false, false});
  manager.beginDraw();
  PrimitiveRenderer renderer = PrimitiveRenderer::create(64, 4);
  renderer.addRectangle(Vector2(20, 20), Vector2(60, 120), 0xFFFF0000u, 0.0f);
  renderer.addRectangle(Vector2(100, 20), Vector2(140, 120), 0xFF000000u, 0.0f);
  renderer.addRectangle(Vector2(100, 20), Vector2(101, 120), 0xFF0000FFu, 0.0f);
  renderer.addLine(Vector3(-1.0f, -0.5f, 0.5f), Vector3(1.0f, -0.5f, 0.5f), 0xFF00FF00u, 0xFF00FF00u);
  renderer.draw();
  const Image image = readBack();
  EXPECT_TRUE(colorNear(0xFFFFFFFFu, image.at(40, 20), 8));
  EXPECT_TRUE(colorNear(0xFFFF8080u, image.at(40, 70), 8));
  EXPECT_TRUE(colorNear(0xFFFF0000u, image.at(40, 119), 8));
  EXPECT_EQ(image.at(19, 70) | image.at(60, 70) | image.at(40, 120), 0xFF000000u);
  EXPECT_TRUE(colorNear(0xFF0000FFu, image.at(100, 119), 8));
  EXPECT_EQ(image.at(101, 70), 0xFF000000u);
  EXPECT_EQ(image.at(200, 180), 0xFF00FF00u);  // the line, three quarters down
  manager.endDraw();
}

}  // namespace
}  // namespace RenderTest
