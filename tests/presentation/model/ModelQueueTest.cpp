#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/config/Config.h"
#include "presentation/model/Model.h"
#include "presentation/render/Transform.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/resource/ResourceTestSupport.h"
#include "presentation/scene/SceneRenderer.h"

namespace Game {
namespace {

// Models drawn into the scene renderer's own queue and seen by its camera.
class ModelQueueTest : public ResourceTestSupport::ResourceTest {
 protected:
  void SetUp() override {
    ResourceTest::SetUp();
    Config::instance().setDefaults();
    SceneRenderer::create(800, 600);
    // The camera's tweens come to rest on their defaults.
    for (int i = 0; i < 200; ++i) {
      renderer().beginFrame();
    }
  }
  void TearDown() override {
    mSet.clear();
    SceneRenderer::destroy();
    ResourceTest::TearDown();
  }

  Model& load(const std::string& text) {
    fs().put("src/data/queued.txt", text);
    mSet.load("src/data/queued.txt");
    return *mSet.findModel("m");
  }
  static SceneRenderer& renderer() { return *SceneRenderer::instance(); }
  static RenderQueue& queue() { return renderer().renderQueue(); }

  ResourceSet mSet;
};

TEST_F(ModelQueueTest, BatchesAreQueuedInTheLayerOfTheirFinishedState) {
  Model& m = load(
      "model{name m;repeat 3,10;batch{name solid;rect 0,0,2,2;}"
      "batch{name glass;rect 0,0,2,2;materials{blendMode 1;}}}");
  RenderState state;
  ASSERT_TRUE(state.depthWrite);
  m.draw(state, 0.f);
  EXPECT_EQ(queue().count(RenderQueue::kOpaque), 3);
  EXPECT_EQ(queue().count(RenderQueue::kSeeThrough), 3);  // the material turns depth writing off
  queue().clear();
}

TEST_F(ModelQueueTest, TheCameraSeesADifferentCircuitFromEachSide) {
  std::string text = "model{name m;";
  for (int i = 0; i < 4; ++i) {
    text += "circuit{frame{batch{rect 0,0,2,2;}}}";
  }
  const Model& m = load(text + "}");
  std::set<long> seen;
  long previous = -1;
  for (float turn : {45.f, 135.f, 225.f, 315.f}) {
    RenderState state;
    Transform transform;
    transform.rotation.set(0.f, 0.f, turn);
    state.applyTransform(transform);
    const long index = m.pickCircuitFrame(state) - m.circuits().data();
    ASSERT_GE(index, 0);
    ASSERT_LT(index, 4);
    // A quarter turn of the model is a quarter of the circuits, always the same way.
    if (previous >= 0) {
      EXPECT_EQ((index - previous + 4) % 4, 1) << turn;
    }
    previous = index;
    seen.insert(index);
  }
  EXPECT_EQ(seen.size(), 4u);
}

}  // namespace
}  // namespace Game
