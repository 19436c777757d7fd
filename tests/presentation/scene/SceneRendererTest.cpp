#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "Engine/Graphics/Manager.h"
#include "Engine/Math/Functions.h"
#include "Graphics/src/BufferImpl.h"
#include "PlatformFake/FakeBackend.h"
#include "core/config/Config.h"
#include "presentation/scene/RenderQueue.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/Near.h"
#include "Services.h"

namespace {

using Engine::i32;
using Engine::Math::Vector3;
using Game::BatchBuffers;
using Game::RenderQueue;
using Game::RenderState;
using Game::SceneRenderer;
using PresentationTest::digits;
using Strings = std::vector<std::string>;

// A mesh of `triangles` triangles over three vertices.
BatchBuffers makeMesh(i32 triangles) {
  BatchBuffers mesh;
  mesh.vertices = Engine::Graphics::VertexBuffer::create(3);
  mesh.indices = Engine::Graphics::IndexBuffer::create(static_cast<Engine::u32>(triangles * 3));
  mesh.triangleCount = triangles;
  return mesh;
}

RenderState stateWith(bool background, bool frontEnd, bool depthWrite) {
  RenderState state;
  state.background = background;
  state.frontEnd = frontEnd;
  state.depthWrite = depthWrite;
  return state;
}

// The renderer on the recording device.
class SceneRendererTest : public TestServices::Test<TestServices::kGraphics | TestServices::kRenderer> {
 protected:
  void SetUp() override {
    Game::Config::instance().setDefaults();
    Test::SetUp();
    renderer().enableOutput();
  }

  static SceneRenderer& renderer() { return *SceneRenderer::instance(); }
  static Game::Camera& camera() { return renderer().camera(); }
  static RenderQueue& queue() { return renderer().renderQueue(); }
  static void frames(i32 n) { for (i32 i = 0; i < n; ++i) renderer().beginFrame(); }
  // The triangle counts of the indexed draws recorded since the last call.
  Strings indexedDraws() {
    Strings counts;
    for (const std::string& call : device().takeCalls()) {
      if (call.rfind("drawIndexed", 0) == 0) counts.push_back(call.substr(call.rfind(' ') + 1));
    }
    return counts;
  }
  // Queues meshes of these triangle counts and flushes every layer.
  Strings flushed(std::initializer_list<std::pair<i32, RenderState>> entries = {}) {
    for (const auto& [triangles, state] : entries) queue().add({}, makeMesh(triangles), state);
    device().takeCalls();
    renderer().flush();
    return indexedDraws();
  }
  PlatformFake::FakeGraphicsDevice& device() { return backend->fakeGraphicsDevice; }

  PlatformFake::ScopedFakeBackend backend;
};

// Nine levels a step while more than eight away, then one at a time.
TEST_F(SceneRendererTest, TheFadeWalksToItsTarget) {
  const struct {
    i32 from, to, steps;
  } cases[] = {{255, 0, 31}, {0, 255, 31}, {10, 0, 2}, {120, 128, 8}, {64, 64, 0}};
  for (const auto& c : cases) {
    renderer().setFadeLevel(c.from);
    renderer().setFadeTarget(c.to);
    i32 steps = 0;
    for (; renderer().fadeLevel() != c.to && steps < 1000; ++steps) renderer().beginFrame();
    EXPECT_EQ(steps, c.steps) << c.from << " to " << c.to;
  }
}

// Looked at every frame the view is fully on the point after ten frames; it
// takes twenty more to come back to the anchor.
TEST_F(SceneRendererTest, AFollowWeightReachesOneInTenFramesAndFallsBackInTwenty) {
  for (i32 frame = 1; frame <= 10; ++frame) {
    EXPECT_LT(camera().followWeight(), 1.f) << frame;
    camera().lookAt(Vector3(400.f, 0.f, 0.f));
    renderer().beginFrame();
  }
  // Fully followed, the view looks at the followed point as it glides over.
  EXPECT_GT(camera().followTarget.value().x, 0.f);
  EXPECT_FLOAT_EQ(camera().target().x, camera().followTarget.value().x / 400.f);
  frames(19);
  EXPECT_GT(camera().followWeight(), 0.f);
  frames(1);
  EXPECT_EQ(camera().followWeight(), 0.f);
  EXPECT_EQ(camera().target().x, 0.f);
}

// The look-at point is pushed by the shake, which swings over and shrinks by
// a fifth every third frame until it is within one unit.
TEST_F(SceneRendererTest, ShakeFlipsEveryThirdFrame) {
  camera().setShake(20.f);
  for (const float offset : {20.f, -16.f, -16.f, -16.f, 12.8f, 12.8f, 12.8f, -10.24f}) {
    renderer().beginFrame();
    EXPECT_NEAR(camera().target().z * 400.f, offset, 1e-3f);
  }
  frames(60);
  EXPECT_EQ(camera().target().z, 0.f);
  // A shake moves the view only while its squared length is over 1.
  for (const auto& [shake, offset] : {std::pair{1.f, 0.f}, {-1.f, 0.f}, {1.5f, 1.5f}, {-1.5f, -1.5f}}) {
    camera().setShake(shake);
    renderer().beginFrame();
    EXPECT_NEAR(camera().target().z * 400.f, offset, 1e-4f) << shake;
  }
}

// Seen level from heading 0 (the eye on +x, screen right toward +y), the
// view is 2 x 15000 tan 1 degree world units high at the anchor whatever the
// distance. At the default 30000 units, near 7.5 and far 750 matrix units,
// the anchor 75 away lies at depth 750 x 67.5 / (75 x 742.5) = 10/11.
TEST_F(SceneRendererTest, ProjectMapsTheViewOntoTheVirtualScreen) {
  camera().pitch.reset();
  camera().setPitch(0.f);
  renderer().beginFrame();
  const float half = 15000.f * Engine::Math::tan(1.f);
  const struct {
    Vector3 world;
    float x, y, z;
  } cases[] = {{{0.f, 0.f, 0.f}, 0.f, 0.f, 512.f * 10.f / 11.f},
               {{0.f, 0.f, half}, 0.f, 300.f, 512.f * 10.f / 11.f},
               {{0.f, 0.f, -half / 2.f}, 0.f, -150.f, 512.f * 10.f / 11.f},
               {{0.f, half * 4.f / 3.f, 0.f}, 400.f, 0.f, 512.f * 10.f / 11.f},
               {{0.f, -half * 2.f / 3.f, half / 4.f}, -200.f, 75.f, 512.f * 10.f / 11.f}};
  for (const auto& c : cases) {
    Vector3 onScreen;
    renderer().project(&onScreen, c.world);
    SCOPED_TRACE(std::to_string(c.world.y) + " " + std::to_string(c.world.z));
    PresentationTest::expectNear(onScreen, Vector3(c.x, c.y, c.z), 1e-2f);
  }
  Vector3 top;
  // An aspect scale below 1 narrows the lens (here by half) and above 1
  // squeezes the width (here to half).
  for (const auto& [scale, up, right] : {std::tuple{0.5f, "600", "400"}, {1.5f, "300", "800"}}) {
    renderer().setAspectScale(scale);
    renderer().beginFrame();
    Vector3 aside;
    renderer().project(&top, Vector3(0.f, 0.f, half));
    renderer().project(&aside, Vector3(0.f, half * 4.f / 3.f, 0.f));
    EXPECT_EQ(digits(top.y) + " " + digits(aside.x), std::string(up) + " " + right) << scale;
  }
  camera().inverseDistance.reset();
  camera().setDistance(2.f);
  renderer().beginFrame();
  renderer().project(&top, Vector3(0.f, 0.f, half));
  EXPECT_NEAR(top.y, 300.f, 1e-2f) << "1200 units away";
}

// Before its first step the camera rests at (500, 500, 0) looking at the
// origin, z up; a reset brings that back.
TEST_F(SceneRendererTest, TheCameraEasesToItsSettings) {
  const auto rest = [] {
    return std::vector<float>{camera().eye().x, camera().eye().y, camera().eye().z, camera().up().z,
                              camera().target().x};
  };
  EXPECT_EQ(rest(), std::vector<float>({1.25f, 1.25f, 0.f, 1.f, 0.f}));
  renderer().beginFrame();
  // Heading 0, pitch 30, 30000 units away: the eye above the +x side.
  EXPECT_NEAR(camera().distance(), 30000.f, 1e-2f);
  EXPECT_NEAR(camera().eye().z, 30000.f * 0.5f / 400.f, 1e-3f);
  camera().setDistance(2.f);
  camera().setHeading(180.f);  // heading 90: the eye above the +y side
  frames(30);
  EXPECT_NEAR(camera().distance(), 1200.f, 1e-2f);
  EXPECT_NEAR(camera().eye().x, 0.f, 1e-4f);
  EXPECT_NEAR(camera().eye().y, 1200.f * 0.8660254f / 400.f, 1e-4f);
  Vector3 onScreen;
  renderer().project(&onScreen, Vector3(0.f, 0.f, 0.f));
  EXPECT_NEAR(onScreen.x, 0.f, 1e-3f);
  renderer().project(&onScreen, Vector3(0.f, 0.f, 10.f));
  EXPECT_GT(onScreen.y, 0.f) << "above the anchor is up on the screen";
  camera().reset();
  EXPECT_EQ(rest(), std::vector<float>({1.25f, 1.25f, 0.f, 1.f, 0.f}));
}

TEST_F(SceneRendererTest, TheLightsReachTheirDeviceLightsAndThePointLightEasesToItsRange) {
  Game::SceneLights& lights = renderer().lights();
  EXPECT_NEAR(lights.deviceIntensities()[0], 37.5f, 1e-4f);               // white, |(-12.5, -25, 25)|
  EXPECT_NEAR(lights.deviceIntensities()[1], 28.6410332f * 0.8f, 1e-4f);  // warm, |(6.25, 12.5, -25)| x 0.8
  renderer().pointLight().setRange(1.f);
  renderer().beginFrame();
  EXPECT_FLOAT_EQ(lights.deviceIntensities()[3], 0.32f);  // smoothed range 1 stays 1
  renderer().beginFrame();                                // nobody asked: the range fades
  EXPECT_FLOAT_EQ(lights.deviceIntensities()[3], 0.32f * 0.95f);
  // The camera light stands 64 units beyond the target, seen from the eye.
  Vector3 beyond;
  beyond.setSub(lights.record(Game::SceneLights::kCamera).position, camera().target());
  EXPECT_NEAR(beyond.length(), 64.f, 1e-3f);
  Vector3 view;
  view.setSub(camera().target(), camera().eye());
  EXPECT_GT(view.dot(beyond), 0.f);
  // Records point, white, warm and camera go to device lights 3, 0, 1 and 2:
  // the x, y and z of the four device lights are pixel registers 1 to 3.
  renderer().pointLight().setPosition(Vector3(400.f, 800.f, 1200.f));
  renderer().beginFrame();
  ASSERT_EQ(flushed({{1, RenderState()}}).size(), 1u);
  const Vector3 camera = renderer().lights().record(Game::SceneLights::kCamera).position;
  const struct {
    i32 device;
    Vector3 position;
  } cases[] = {{3, {1.f, 2.f, 3.f}}, {0, {-12.5f, -25.f, 25.f}}, {1, {6.25f, 12.5f, -25.f}}, {2, camera}};
  const std::vector<float>& pixel = device().pixelConstants;
  ASSERT_GE(pixel.size(), 16u);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.device);
    PresentationTest::expectNear(Vector3(pixel[4 + c.device], pixel[8 + c.device], pixel[12 + c.device]), c.position,
                                 1e-5f);
  }
}

TEST_F(SceneRendererTest, The4097thEntryOfALayerIsDropped) {
  const BatchBuffers mesh = makeMesh(1);
  queue().add({}, mesh, RenderState());
  queue().clear();  // a dropped frame leaves the whole room
  for (i32 i = 0; i < RenderQueue::kLayerCapacity; ++i) ASSERT_TRUE(queue().add({}, mesh, RenderState()));
  EXPECT_FALSE(queue().add({}, mesh, RenderState()));
  EXPECT_TRUE(queue().add({}, mesh, stateWith(false, false, false)));  // other layers have room
  EXPECT_EQ(flushed().size(), 4097u);
  EXPECT_TRUE(queue().add({}, mesh, RenderState()));  // the next frame starts empty
}

// The fade draws only while not clear; a fast-forwarded step's draws are
// consumed without drawing.
TEST_F(SceneRendererTest, HiddenStepsConsumeTheQueueWithoutDrawing) {
  for (const i32 level : {0, 100}) {
    renderer().setFadeLevel(level);
    device().takeCalls();
    renderer().drawFade();
    EXPECT_EQ(device().callsStartingWith("draw").size(), level ? 1u : 0u) << level;
  }
  const i32 fades = renderer().drawnFades();
  renderer().setHidden(true);
  renderer().beginFrame();
  queue().add({}, makeMesh(2), RenderState());
  device().takeCalls();
  const i32 layerFlushes = renderer().drawnLayerFlushes();
  const i32 triangles = renderer().triangleCount();
  renderer().flushLayers(true, true, true, true);
  EXPECT_EQ(renderer().triangleCount(), triangles) << "nothing drawn, nothing counted";
  renderer().drawRect(0, 0, 100, 100, 0xFFFFFFFFu, 0);
  renderer().drawLine2D(0.f, 0.f, 100.f, 100.f, true, 0xFFFFFFFFu, 0xFFFFFFFFu);
  renderer().drawFade();
  EXPECT_TRUE(device().callsStartingWith("draw").empty());
  EXPECT_EQ(renderer().drawnFades(), fades);
  EXPECT_EQ(renderer().drawnLayerFlushes(), layerFlushes);
  renderer().setHidden(false);
  EXPECT_TRUE(flushed().empty());
  renderer().setFadeLevel(0);
  renderer().drawFade();
  EXPECT_TRUE(device().callsStartingWith("draw").empty()) << "nothing was kept from the hidden step";
}

// The 2D room: 1024 runs of one kind, 8192 vertices (six to a rectangle).
TEST_F(SceneRendererTest, TwoDimensionalDrawsHave1024RunsAnd8192Vertices) {
  renderer().setFadeLevel(0);
  for (i32 i = 0; i < 1025; ++i) {
    if (i % 2) {
      renderer().drawLine2D(0.f, 0.f, 10.f, 10.f, true, 0xFFFFFFFFu, 0xFFFFFFFFu);
    } else {
      renderer().drawRect(0, 0, 10, 10, 0xFF000000u, 0);
    }
  }
  device().takeCalls();
  renderer().drawFade();
  EXPECT_EQ(device().callsStartingWith("draw ").size(), 1024u);
  for (i32 i = 0; i < 1366; ++i) renderer().drawRect(0, 0, 10, 10, 0xFF000000u, 0);
  device().takeCalls();
  renderer().drawFade();
  EXPECT_EQ(device().callsStartingWith("draw "), Strings{"draw TriangleList 0 2730"});
}

// A draw's index range is cut at the mesh's end.
TEST_F(SceneRendererTest, TheDrawnRangeStaysInsideTheMeshAndTheFillIsTheScreenQuad) {
  const struct {
    i32 count;
    Engine::u32 firstIndex;
    i32 drawn;
  } cases[] = {{-1, 0, 10}, {4, 0, 4}, {8, 9, 7}, {-1, 33, 0}};
  for (const auto& c : cases) {
    RenderState state;
    state.primitiveCount = c.count;
    state.firstIndex = c.firstIndex;
    EXPECT_EQ(RenderQueue::drawnTriangles(state, 10), c.drawn) << c.count << " from " << c.firstIndex;
  }
  RenderState pastTheEnd;
  pastTheEnd.firstIndex = 33;
  EXPECT_TRUE(flushed({{10, pastTheEnd}}).empty());
  EXPECT_EQ(renderer().triangleCount(), 0);
  flushed({{10, RenderState()}});
  EXPECT_EQ(renderer().triangleCount(), 10);
  renderer().beginFrame();
  EXPECT_EQ(renderer().triangleCount(), 0) << "a shown step counts anew";
  // The fill is the screen quad drawn at once, two triangles counted with the
  // frame's; nothing in a hidden step.
  device().takeCalls();
  for (int step = 0; step < 2; ++step) {  // a shown step counts afresh
    renderer().beginFrame();
    renderer().fillScreen(Game::Color(0xFF102030u));
    EXPECT_EQ(indexedDraws(), Strings{"2"}) << step;
    EXPECT_EQ(renderer().triangleCount(), 2) << step;
  }
  renderer().setHidden(true);
  renderer().fillScreen(Game::Color(0xFF102030u));
  EXPECT_TRUE(indexedDraws().empty());
}

// A queue of its own beside the renderer's: how many hold a mesh's buffers.
using RenderQueueTest = SceneRendererTest;

i32 holders(const BatchBuffers& buffers) { return buffers.vertices.impl()->referenceCount(); }

// The four layers' counts.
std::vector<i32> counts(const RenderQueue& queue) {
  return {queue.count(RenderQueue::kBackground), queue.count(RenderQueue::kOpaque),
          queue.count(RenderQueue::kSeeThrough), queue.count(RenderQueue::kFrontEnd)};
}

// One draw in each layer: clearing empties all four and lets go of the mesh,
// which only its owner holds again; flushing empties the flagged layers only,
// letting go of their meshes, in a hidden step as well (which draws, and
// binds, nothing). Released buffers hold no triangles.
TEST_F(RenderQueueTest, AFlushEmptiesTheLayersItDrawsAndAClearEveryLayer) {
  const BatchBuffers buffers = makeMesh(2);
  RenderQueue queue;
  const auto fill = [&] {
    for (const RenderState& state :
         {stateWith(true, false, true), RenderState(), stateWith(false, false, false), stateWith(false, true, true)}) {
      EXPECT_TRUE(queue.add({}, buffers, state));
    }
  };
  fill();
  EXPECT_EQ(holders(buffers), 5);
  queue.clear();
  EXPECT_EQ(counts(queue), (std::vector<i32>{0, 0, 0, 0}));
  EXPECT_EQ(holders(buffers), 1);
  fill();
  Game::DrawView view;
  view.hidden = true;
  EXPECT_EQ(queue.flushLayers(view, true, false, true, false), 0);
  EXPECT_EQ(counts(queue), (std::vector<i32>{0, 1, 0, 1}));
  EXPECT_EQ(holders(buffers), 3);
  BatchBuffers released = makeMesh(4);
  released.release();
  EXPECT_FALSE(released.exists());
  EXPECT_EQ(released.triangleCount, 0);
}

}  // namespace
