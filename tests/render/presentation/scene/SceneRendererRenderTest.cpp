#include <algorithm>
#include <vector>

#include "core/config/Config.h"
#include "presentation/render/Color.h"
#include "presentation/scene/SceneRenderer.h"
#include "render/RenderSupport.h"

namespace RenderTest {
namespace {

using Engine::i32;
using Engine::Graphics::Vertex;
using Game::BatchBuffers;
using Game::RenderState;
using Game::SceneRenderer;

constexpr u32 kBlack = 0xFF000000u;
constexpr u32 kRed = 0xFFFF0000u;
constexpr u32 kBlue = 0xFF0000FFu;
constexpr i32 kWidth = 320;
constexpr i32 kHeight = 240;
constexpr float kUnit = 2.f / 800.f;  // matrix units per world unit

// A square of side 2 x half world units about the origin in the plane z = 0
// (x, y) or, flat, in the ground plane; one colour.
BatchBuffers square(float half, u32 color) {
  BatchBuffers mesh;
  mesh.vertices = Engine::Graphics::VertexBuffer::create(4);
  Vertex* v = mesh.vertices.lock();
  const float h = half * kUnit;
  const float corners[4][2] = {{-h, h}, {h, h}, {h, -h}, {-h, -h}};
  for (const auto& c : corners) {
    *v++ = Vertex{c[0], c[1], 0.f, 1.f, 0.f, 0.f, 1.f, color, 0.f, 0.f};
  }
  mesh.vertices.unlock(v);
  mesh.indices = Engine::Graphics::IndexBuffer::create(6);
  Engine::u16* index = mesh.indices.lock();
  for (Engine::u16 i : {0, 2, 1, 0, 3, 2}) {
    *index++ = i;
  }
  mesh.indices.unlock(index);
  mesh.triangleCount = 2;
  return mesh;
}

RenderState frontEndState() {
  RenderState state;
  state.frontEnd = true;
  state.setCull(false, false);
  return state;
}

class SceneRendererRender : public RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    Game::Config::instance().setDefaults();
    createManager({kWidth, kHeight, false, false, false}).beginDraw();
    SceneRenderer::create(kWidth, kHeight);
    renderer().enableOutput();
    renderer().setFadeLevel(0);
    renderer().beginFrame();
  }
  void TearDown() override {
    SceneRenderer::destroy();
    RenderFixture::TearDown();
  }
  static SceneRenderer& renderer() { return *SceneRenderer::instance(); }
  // The step's end as the application draws it.
  Image finishFrame() {
    renderer().flushLayers(true, true, true, true);
    renderer().drawFade();
    return readBack();
  }
};

// Backgrounds are drawn first whatever the order they were queued in.
TEST_F(SceneRendererRender, ABackgroundQueuedAfterOpaqueGeometryStaysBehindIt) {
  RenderState opaque;
  opaque.setCull(false, false);  // a ground square seen from above
  RenderState background = frontEndState();
  background.background = true;
  background.depthTest = false;
  background.depthWrite = false;
  background.transform.scale(1024.f, 1024.f, 1.f);
  renderer().renderQueue().add({}, square(100.f, kRed), opaque);
  renderer().renderQueue().add({}, square(0.5f, kBlue), background);
  const Image image = finishFrame();
  EXPECT_TRUE(colorNear(kRed, image.at(kWidth / 2, kHeight / 2)));
  EXPECT_TRUE(colorNear(kBlue, image.at(2, 2)));
  EXPECT_EQ(renderer().triangleCount(), 4);
}

// The front-end box is centred: a small square at (0, 0) inks a box about
// the screen's centre pixel.
TEST_F(SceneRendererRender, AFrontEndQuadAtTheOriginLandsAtTheScreenCentre) {
  renderer().renderQueue().add({}, square(20.f, kRed), frontEndState());
  const Image image = finishFrame();
  int left = kWidth, right = -1, top = kHeight, bottom = -1;
  for (u32 y = 0; y < image.height; ++y) {
    for (u32 x = 0; x < image.width; ++x) {
      if (image.at(x, y) != kBlack) {
        left = std::min(left, static_cast<int>(x));
        right = std::max(right, static_cast<int>(x));
        top = std::min(top, static_cast<int>(y));
        bottom = std::max(bottom, static_cast<int>(y));
      }
    }
  }
  // 40 of the box's 2 units wide and 1.5 high: 16 pixels each way.
  EXPECT_EQ(right - left + 1, 16);
  EXPECT_EQ(bottom - top + 1, 16);
  EXPECT_EQ(left + right + 1, kWidth);
  EXPECT_EQ(top + bottom + 1, kHeight);
}

TEST_F(SceneRendererRender, FullFadeGivesABlackFrame) {
  renderer().fillScreen(Game::Color(0xFFFFFFFFu));
  renderer().drawRect(0, 0, 400, 300, 0xFF00FF00u, 0);
  renderer().setFadeLevel(255);
  const Image image = finishFrame();
  EXPECT_TRUE(std::all_of(image.pixels.begin(), image.pixels.end(), [](u32 p) { return p == kBlack; }));
}

TEST_F(SceneRendererRender, FillAndRectanglesCoverTheirParts) {
  renderer().fillScreen(Game::Color(1.f, 0.25f, 0.5f, 0.75f));
  renderer().drawRect(0, 0, 400, 300, kBlack, 0);  // black stays flat
  const Image image = finishFrame();
  EXPECT_TRUE(colorNear(kBlack, image.at(10, 10)));
  EXPECT_TRUE(colorNear(kBlack, image.at(kWidth / 2 - 2, kHeight / 2 - 2)));
  EXPECT_TRUE(colorNear(0xFF4080BFu, image.at(kWidth / 2 + 2, kHeight / 2 + 2)));
  EXPECT_TRUE(colorNear(0xFF4080BFu, image.at(kWidth - 2, 10)));
}

// Inverted, drawn, inverted again: the mesh shows in its negative colours
// and the rest of the picture is itself again.
TEST_F(SceneRendererRender, TheNegativePassInvertsAKnownColour) {
  renderer().fillScreen(Game::Color(1.f, 0.25f, 0.5f, 0.75f));
  RenderState negative = frontEndState();
  negative.negative = true;
  renderer().renderQueue().add({}, square(40.f, 0xFF4080C0u), negative);
  const Image image = finishFrame();
  EXPECT_TRUE(colorNear(0xFFBF7F3Fu, image.at(kWidth / 2, kHeight / 2)));
  EXPECT_TRUE(colorNear(0xFF4080BFu, image.at(4, 4)));
}

// The frame's text is drawn after the meshes, under the fade; past half the
// fade it is not drawn at all.
TEST_F(SceneRendererRender, TextShowsWithTheFrameUntilHalfFaded) {
  const auto inked = [](const Image& image) {
    return std::count_if(image.pixels.begin(), image.pixels.end(), [](u32 p) { return p != kBlack; });
  };
  Game::TextWriter& writer = renderer().textWriter();
  Engine::Graphics::Manager manager = Engine::Graphics::Manager::instance();
  for (const i32 fade : {0, 127, 128}) {
    manager.endDraw();
    manager.beginDraw();
    renderer().setFadeLevel(fade);
    writer.setPosition(-100, 0);
    writer.print("ABC");
    const Image image = finishFrame();
    EXPECT_EQ(inked(image) > 0, fade < 128) << fade;
  }
}

}  // namespace
}  // namespace RenderTest
