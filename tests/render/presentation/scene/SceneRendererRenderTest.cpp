#include <algorithm>

#include "presentation/render/Color.h"
#include "render/InterfaceRender.h"

namespace RenderTest {
namespace {

using Game::BatchBuffers;
using Game::RenderState;

constexpr i32 kSceneWidth = 320;
constexpr i32 kSceneHeight = 240;
constexpr float kUnit = 2.f / 800.f;  // matrix units per world unit

// A virtual-screen rectangle (centre (0, 0), y up) in back-buffer pixels, widened to whole pixels.
PixelBox toPixels(i32 x, i32 y, i32 width, i32 height) {
  const auto ceilDiv = [](i32 a, i32 b) { return (a + b - 1) / b; };
  return {(x + 400) * kSceneWidth / 800, (300 - y) * kSceneHeight / 600, ceilDiv((x + width + 400) * kSceneWidth, 800),
          ceilDiv((300 - y + height) * kSceneHeight, 600)};
}

// A square of side 2 x half world units about the origin in the plane z = 0.
BatchBuffers square(float half, u32 color) {
  IndexedQuad quad = makeSquare(half * kUnit, color);
  BatchBuffers mesh;
  mesh.vertices = quad.vertices;
  mesh.indices = quad.indices;
  mesh.triangleCount = 2;
  return mesh;
}

RenderState frontEndState() {
  RenderState state;
  state.frontEnd = true;
  state.setCull(false, false);
  return state;
}

class SceneRendererRender : public InterfaceRender {
 protected:
  SceneRendererRender() : InterfaceRender(kSceneWidth, kSceneHeight) {}
};

TEST_F(SceneRendererRender, FillAndRectanglesCoverTheirParts) {
  renderer().fillScreen(Game::Color(1.f, 0.25f, 0.5f, 0.75f));
  renderer().drawRect(0, 0, 400, 300, kBlack, 0);  // black stays flat
  renderer().drawRect(600, 450, 200, 150, kBlack, 256);  // the bottom-right sixteenth, half deep
  const Image image = finishFrame();
  EXPECT_TRUE(colorNear(kBlack, image.at(kSceneWidth - 2, kSceneHeight - 2)));
  EXPECT_TRUE(colorNear(0xFF4080BFu, image.at(kSceneWidth * 3 / 4 - 2, kSceneHeight - 2)));
  EXPECT_TRUE(colorNear(kBlack, image.at(10, 10)));
  EXPECT_TRUE(colorNear(kBlack, image.at(kSceneWidth / 2 - 2, kSceneHeight / 2 - 2)));
  EXPECT_TRUE(colorNear(0xFF4080BFu, image.at(kSceneWidth / 2 + 2, kSceneHeight / 2 + 2)));
  EXPECT_TRUE(colorNear(0xFF4080BFu, image.at(kSceneWidth - 2, 10)));
  // A full fade drawn over all of it leaves a black frame.
  renderer().setFadeLevel(255);
  const Image faded = finishFrame();
  EXPECT_TRUE(std::all_of(faded.pixels.begin(), faded.pixels.end(), [](u32 p) { return p == kBlack; }));
}

// Lines are given in the 800 x 600 screen, from its centre or from its
// bottom-left corner; a 3D line joins the projections of its ends.
TEST_F(SceneRendererRender, LinesLandWhereTheirCoordinatesSay) {
  const struct {
    float x0, y0, x1, y1;
    bool centred;
    PixelBox box;  // (x + 400) x 0.4 and (300 - y) x 0.4, or x x 0.4 and 240 - y x 0.4
  } cases[] = {{-100.f, 50.f, 100.f, 50.f, true, {120, 100, 200, 101}},
               {100.f, 100.f, 300.f, 100.f, false, {40, 200, 120, 201}},
               {-200.f, -100.f, -200.f, 100.f, true, {80, 80, 81, 160}}};
  for (const auto& c : cases) {
    Engine::Graphics::Manager::instance().endDraw();
    Engine::Graphics::Manager::instance().beginDraw();
    renderer().setFadeLevel(0);
    renderer().drawLine2D(c.x0, c.y0, c.x1, c.y1, c.centred, kRed, kRed);
    const Ink ink = inkOf(finishFrame());
    EXPECT_NEAR(ink.left, c.box.left, 1) << c.x0 << "," << c.y0;
    EXPECT_NEAR(ink.right + 1, c.box.right, 1) << c.x0 << "," << c.y0;
    EXPECT_NEAR(ink.top, c.box.top, 1) << c.x0 << "," << c.y0;
    EXPECT_NEAR(ink.bottom + 1, c.box.bottom, 1) << c.x0 << "," << c.y0;
  }
}

// Inverted, drawn, inverted again: the mesh shows in its negative colours
// and the rest of the picture is itself again. The front-end box is centred:
// the square's 80 units of the box's 2 wide and 1.5 high are 32 pixels each way.
TEST_F(SceneRendererRender, TheNegativePassInvertsAKnownColourAtTheScreenCentre) {
  renderer().fillScreen(Game::Color(1.f, 0.25f, 0.5f, 0.75f));
  RenderState negative = frontEndState();
  negative.negative = true;
  renderer().renderQueue().add({}, square(40.f, 0xFF4080C0u), negative);
  const Image image = finishFrame();
  EXPECT_TRUE(colorNear(0xFF4080BFu, image.at(4, 4)));
  const Ink ink = inkOf(image, [](u32 p) { return colorNear(0xFFBF7F3Fu, p); });
  EXPECT_EQ(ink.right - ink.left + 1, 32);
  EXPECT_EQ(ink.bottom - ink.top + 1, 32);
  EXPECT_EQ(ink.left + ink.right + 1, kSceneWidth);
  EXPECT_EQ(ink.top + ink.bottom + 1, kSceneHeight);
}

// Two prints in two fonts from an origin left of the centre.
TEST_F(SceneRendererRender, TextInksOnlyItsMeasuredBox) {
  Game::TextWriter& writer = renderer().textWriter();
  writer.setPosition(-300, 200);
  writer.setFont(2);
  writer.print("日本語ABC");
  writer.setFont(1);
  writer.setColor(0xFFFFFF80u);
  writer.print("ソ\nxyz");
  i32 width = 0;
  i32 height = 0;
  writer.getExtent(&width, &height);
  ASSERT_EQ(width, 117);  // 9 bytes of font 2
  ASSERT_EQ(height, 26 + 40);
  const Image image = finishFrame();
  const PixelBox box = toPixels(-300, 200, width, height);
  const Ink all = inkOf(image);
  const Ink inside = inkOf(image, nullptr, box);
  EXPECT_EQ(inside.count, all.count) << "ink outside the box";
  EXPECT_GT(inside.count, 100);
  EXPECT_GT(inside.right, box.right - 8) << "the first line's last character reaches the box's right side";
  EXPECT_GT(all.count - inkOf(image, nullptr, toPixels(-300, 200, width, 26)).count, 20)
      << "the second print starts a line lower";
}

}  // namespace
}  // namespace RenderTest
