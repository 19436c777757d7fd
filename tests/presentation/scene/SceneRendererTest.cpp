#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/Graphics/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"
#include "core/config/Config.h"
#include "presentation/scene/SceneRenderer.h"

namespace {

using Engine::i32;
using Engine::Math::Vector3;
using Game::BatchBuffers;
using Game::RenderQueue;
using Game::RenderState;
using Game::SceneRenderer;

// A mesh of `triangles` triangles over three vertices.
BatchBuffers makeMesh(i32 triangles) {
  BatchBuffers mesh;
  mesh.vertices = Engine::Graphics::VertexBuffer::create(3);
  mesh.indices = Engine::Graphics::IndexBuffer::create(static_cast<Engine::u32>(triangles * 3));
  mesh.triangleCount = triangles;
  return mesh;
}

// The renderer on the recording device.
class SceneRendererTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Engine::Graphics::Manager::create(800, 600, false, true, false);
    Game::Config::instance().setDefaults();
    SceneRenderer::create(800, 600);
    renderer().enableOutput();
  }
  void TearDown() override {
    SceneRenderer::destroy();
    Engine::Graphics::Manager::destroy();
  }

  static SceneRenderer& renderer() { return *SceneRenderer::instance(); }
  static RenderQueue& queue() { return renderer().renderQueue(); }
  // The triangle counts of the indexed draws recorded since the last call.
  std::vector<std::string> indexedDraws() {
    std::vector<std::string> counts;
    for (const std::string& call : device().takeCalls()) {
      if (call.rfind("drawIndexed", 0) == 0) {
        counts.push_back(call.substr(call.rfind(' ') + 1));
      }
    }
    return counts;
  }
  PlatformFake::FakeGraphicsDevice& device() { return mBackend->fakeGraphicsDevice; }

  PlatformFake::ScopedFakeBackend mBackend;
};

// Nine levels a step while more than eight away, then one at a time.
TEST_F(SceneRendererTest, TheFadeWalksToItsTarget) {
  struct Case {
    i32 from, to, steps;
  };
  for (const Case c : {Case{255, 0, 31}, Case{0, 255, 31}, Case{10, 0, 2}, Case{120, 128, 8}, Case{64, 64, 0}}) {
    renderer().setFadeLevel(c.from);
    renderer().setFadeTarget(c.to);
    i32 steps = 0;
    while (renderer().fadeLevel() != c.to && steps < 1000) {
      renderer().beginFrame();
      ++steps;
    }
    EXPECT_EQ(steps, c.steps) << c.from << " to " << c.to;
  }
  renderer().setFadeLevel(255);
  renderer().setFadeTarget(0);
  renderer().beginFrame();
  EXPECT_EQ(renderer().fadeLevel(), 246);
}

TEST_F(SceneRendererTest, StartsBlackAndClearsByItself) {
  EXPECT_EQ(renderer().fadeLevel(), 255);
  EXPECT_EQ(renderer().fadeTarget(), 0);
}

// Looked at every frame the view is fully on the point after ten frames; it
// takes twenty more to come back to the anchor.
TEST_F(SceneRendererTest, AFollowWeightReachesOneInTenFramesAndFallsBackInTwenty) {
  Game::Camera& camera = renderer().camera();
  const Vector3 point(400.f, 0.f, 0.f);
  for (i32 frame = 1; frame <= 10; ++frame) {
    camera.lookAt(point);
    renderer().beginFrame();
    if (frame < 10) {
      EXPECT_LT(camera.followWeight(), 1.f) << frame;
    }
  }
  EXPECT_EQ(camera.followWeight(), 1.f);
  // Fully followed, the view looks at the followed point as it glides over.
  EXPECT_GT(camera.followTarget.value().x, 0.f);
  EXPECT_FLOAT_EQ(camera.target().x, camera.followTarget.value().x / 400.f);
  for (i32 frame = 1; frame <= 20; ++frame) {
    renderer().beginFrame();
    if (frame < 20) {
      EXPECT_GT(camera.followWeight(), 0.f) << frame;
    }
  }
  EXPECT_EQ(camera.followWeight(), 0.f);
  EXPECT_EQ(camera.target().x, 0.f);
}

// The look-at point is pushed by the shake, which swings over and shrinks by
// a fifth every third frame until it is within one unit.
TEST_F(SceneRendererTest, ShakeFlipsEveryThirdFrame) {
  Game::Camera& camera = renderer().camera();
  camera.setShake(20.f);
  const float expected[] = {20.f, -16.f, -16.f, -16.f, 12.8f, 12.8f, 12.8f, -10.24f};
  for (const float offset : expected) {
    renderer().beginFrame();
    EXPECT_NEAR(camera.target().z * 400.f, offset, 1e-3f);
  }
  for (i32 frame = 0; frame < 60; ++frame) {
    renderer().beginFrame();
  }
  EXPECT_EQ(camera.target().z, 0.f);
  EXPECT_LE(camera.shakeOffset().squareLength(), 1.f);
}

TEST_F(SceneRendererTest, TheCameraEasesToItsSettings) {
  Game::Camera& camera = renderer().camera();
  renderer().beginFrame();
  // Heading 0, pitch 30, 30000 units away: the eye above the +x side.
  EXPECT_NEAR(camera.distance(), 30000.f, 1e-2f);
  EXPECT_NEAR(camera.eye().z, 30000.f * 0.5f / 400.f, 1e-3f);
  camera.setDistance(2.f);
  camera.setHeading(180.f);  // heading 90: the eye above the +y side
  for (i32 frame = 0; frame < 30; ++frame) {
    renderer().beginFrame();
  }
  EXPECT_NEAR(camera.distance(), 1200.f, 1e-2f);
  EXPECT_NEAR(camera.eye().x, 0.f, 1e-4f);
  EXPECT_NEAR(camera.eye().y, 1200.f * 0.8660254f / 400.f, 1e-4f);
  Vector3 onScreen;
  renderer().project(&onScreen, Vector3(0.f, 0.f, 0.f));
  EXPECT_NEAR(onScreen.x, 0.f, 1e-3f);
  EXPECT_NEAR(onScreen.y, 0.f, 1e-3f);
  // Above the anchor is up on the screen.
  renderer().project(&onScreen, Vector3(0.f, 0.f, 10.f));
  EXPECT_GT(onScreen.y, 0.f);
}

TEST_F(SceneRendererTest, LightsAreTheirDistancesAndThePointLightEasesToItsRange) {
  Game::SceneLights& lights = renderer().lights();
  std::array<float, 4> intensities = lights.deviceIntensities();
  EXPECT_NEAR(intensities[0], 37.5f, 1e-4f);               // white, |(-12.5, -25, 25)|
  EXPECT_NEAR(intensities[1], 28.6410332f * 0.8f, 1e-4f);  // warm, |(6.25, 12.5, -25)| x 0.8
  renderer().pointLight().setRange(1.f);
  renderer().beginFrame();
  intensities = lights.deviceIntensities();
  EXPECT_FLOAT_EQ(intensities[3], 0.32f);  // smoothed range 1 stays 1
  renderer().beginFrame();                 // nobody asked: the range fades
  EXPECT_FLOAT_EQ(lights.deviceIntensities()[3], 0.32f * 0.95f);
  // The camera light stands 64 units beyond the target, seen from the eye.
  const Game::Camera& camera = renderer().camera();
  Vector3 beyond;
  beyond.setSub(lights.record(Game::SceneLights::kCamera).position, camera.target());
  EXPECT_NEAR(beyond.length(), 64.f, 1e-3f);
  Vector3 view;
  view.setSub(camera.target(), camera.eye());
  EXPECT_GT(view.dot(beyond), 0.f);
}

TEST_F(SceneRendererTest, EachStateGoesToItsLayer) {
  struct Case {
    bool background, frontEnd, depthWrite;
    RenderQueue::Layer layer;
  };
  for (const Case c : {Case{true, true, true, RenderQueue::kBackground}, Case{false, true, true, RenderQueue::kFrontEnd},
                       Case{false, false, true, RenderQueue::kOpaque},
                       Case{false, false, false, RenderQueue::kSeeThrough}}) {
    RenderState state;
    state.background = c.background;
    state.frontEnd = c.frontEnd;
    state.depthWrite = c.depthWrite;
    EXPECT_EQ(RenderQueue::layerOf(state), c.layer);
  }
}

// Layers in their order, each in the order queued.
TEST_F(SceneRendererTest, LayersFlushInOrderAndEntriesInInsertionOrder) {
  RenderState frontEnd;
  frontEnd.frontEnd = true;
  RenderState background;
  background.background = true;
  RenderState seeThrough;
  seeThrough.setBlendMode(1);
  const RenderState opaque;
  queue().add({}, makeMesh(1), frontEnd);
  queue().add({}, makeMesh(2), seeThrough);
  queue().add({}, makeMesh(3), opaque);
  queue().add({}, makeMesh(4), background);
  queue().add({}, makeMesh(5), opaque);
  device().takeCalls();
  renderer().flushLayers(true, true, true, true);
  EXPECT_EQ(indexedDraws(), (std::vector<std::string>{"4", "3", "5", "2", "1"}));
  EXPECT_EQ(renderer().triangleCount(), 15);
  renderer().flushLayers(true, true, true, true);
  EXPECT_TRUE(indexedDraws().empty());
}

TEST_F(SceneRendererTest, UnflaggedLayersWait) {
  RenderState background;
  background.background = true;
  queue().add({}, makeMesh(1), background);
  queue().add({}, makeMesh(2), RenderState());
  device().takeCalls();
  renderer().flushLayers(false, true, false, false);
  EXPECT_EQ(indexedDraws(), (std::vector<std::string>{"2"}));
  EXPECT_EQ(queue().count(RenderQueue::kBackground), 1);
  renderer().flush();
  EXPECT_EQ(indexedDraws(), (std::vector<std::string>{"1"}));
}

TEST_F(SceneRendererTest, The4097thEntryOfALayerIsDropped) {
  const BatchBuffers mesh = makeMesh(1);
  const RenderState opaque;
  for (i32 i = 0; i < RenderQueue::kLayerCapacity; ++i) {
    ASSERT_TRUE(queue().add({}, mesh, opaque));
  }
  EXPECT_FALSE(queue().add({}, mesh, opaque));
  EXPECT_EQ(queue().count(RenderQueue::kOpaque), 4096);
  RenderState seeThrough;
  seeThrough.depthWrite = false;
  EXPECT_TRUE(queue().add({}, mesh, seeThrough));  // other layers have room
  device().takeCalls();
  renderer().flush();
  EXPECT_EQ(indexedDraws().size(), 4097u);
  EXPECT_TRUE(queue().add({}, mesh, opaque));  // the next frame starts empty
}

// A fast-forwarded step's draws are consumed without drawing.
TEST_F(SceneRendererTest, HiddenStepsConsumeTheQueueWithoutDrawing) {
  renderer().setHidden(true);
  renderer().beginFrame();
  queue().add({}, makeMesh(2), RenderState());
  device().takeCalls();
  renderer().flushLayers(true, true, true, true);
  renderer().drawFade();
  EXPECT_TRUE(indexedDraws().empty());
  EXPECT_EQ(queue().count(RenderQueue::kOpaque), 0);
  EXPECT_EQ(renderer().drawnFades(), 0);
  renderer().setHidden(false);
  renderer().flush();
  EXPECT_TRUE(indexedDraws().empty());
}

// A draw's index range is cut at the mesh's end.
TEST_F(SceneRendererTest, TheDrawnRangeStaysInsideTheMesh) {
  struct Case {
    i32 count;
    Engine::u32 firstIndex;
    i32 drawn;
  };
  for (const Case c : {Case{-1, 0, 10}, Case{4, 0, 4}, Case{8, 9, 7}, Case{-1, 27, 1}, Case{-1, 33, 0}}) {
    RenderState state;
    state.primitiveCount = c.count;
    state.firstIndex = c.firstIndex;
    EXPECT_EQ(RenderQueue::drawnTriangles(state, 10), c.drawn) << c.count << " from " << c.firstIndex;
  }
  RenderState pastTheEnd;
  pastTheEnd.firstIndex = 33;
  queue().add({}, makeMesh(10), pastTheEnd);
  device().takeCalls();
  renderer().flush();
  EXPECT_TRUE(indexedDraws().empty());
}

TEST_F(SceneRendererTest, ANegativeDrawIsWrappedInTwoInvertingPasses) {
  RenderState negative;
  negative.negative = true;
  queue().add({}, makeMesh(3), negative);
  device().takeCalls();
  renderer().flush();
  EXPECT_EQ(indexedDraws(), (std::vector<std::string>{"2", "3", "2"}));
}

TEST_F(SceneRendererTest, TheFadeDrawsOnlyWhileNotClear) {
  renderer().setFadeLevel(0);
  device().takeCalls();
  renderer().drawFade();
  EXPECT_TRUE(device().callsStartingWith("draw").empty());
  renderer().setFadeLevel(100);
  renderer().drawFade();
  EXPECT_EQ(device().callsStartingWith("draw").size(), 1u);
}

// Without a graphics device (logic tests of scenes) steps still run.
TEST(SceneRendererWithoutDevice, StepsRunAndTheQueueEmpties) {
  SceneRenderer::create(640, 480);
  SceneRenderer& renderer = *SceneRenderer::instance();
  EXPECT_FALSE(renderer.hasOutput());
  renderer.renderQueue().add({}, BatchBuffers(), RenderState());
  renderer.beginFrame();
  renderer.flushLayers(true, true, true, true);
  renderer.drawRect(0, 0, 10, 10, 0xFFFFFFFFu, 0);
  renderer.drawFade();
  EXPECT_EQ(renderer.renderQueue().count(RenderQueue::kOpaque), 0);
  EXPECT_EQ(renderer.fadeLevel(), 246);
  SceneRenderer::destroy();
}

// A mesh whose texture is still loading is skipped for the frame.
class SceneRendererLoadingTest : public SceneRendererTest {
 protected:
  void SetUp() override {
    SceneRendererTest::SetUp();
    Engine::FileIO::ManagerOptions options;
    options.startLoader = false;
    options.abortOnError = false;
    Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, options);
  }
  void TearDown() override {
    SceneRendererTest::TearDown();
    Engine::FileIO::ManagerImpl::destroy();
  }
};

TEST_F(SceneRendererLoadingTest, DrawsWhoseTextureIsLoadingAreDropped) {
  mBackend->fakeFileSystem.put("data/later.bmp", "BM");
  const Engine::Graphics::Texture texture = Engine::Graphics::Texture::create("data/later.bmp");
  queue().add(texture, makeMesh(1), RenderState());
  device().takeCalls();
  renderer().flush();
  EXPECT_TRUE(indexedDraws().empty());
  while (Engine::FileIO::ManagerImpl::instance()->serveRound()) {
  }
  queue().add(texture, makeMesh(1), RenderState());
  renderer().flush();
  EXPECT_EQ(indexedDraws().size(), 1u);
}

}  // namespace
