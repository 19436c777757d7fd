#include <gtest/gtest.h>

#include <string>

#include "core/config/Config.h"
#include "presentation/model/Model.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/resource/ResourceTestSupport.h"
#include "presentation/scene/SceneRenderer.h"

namespace Game {
namespace {

// Models drawn into the scene renderer's own queue.
class ModelQueueTest : public ResourceTestSupport::ResourceTest {
 protected:
  void SetUp() override {
    ResourceTest::SetUp();
    Config::instance().setDefaults();
    SceneRenderer::create(800, 600);
    // The camera's tweens come to rest on their defaults.
    for (int i = 0; i < 200; ++i) renderer().beginFrame();
  }
  void TearDown() override {
    mSet.clear();
    SceneRenderer::destroy();
    ResourceTest::TearDown();
  }

  static SceneRenderer& renderer() { return *SceneRenderer::instance(); }
  static RenderQueue& queue() { return renderer().renderQueue(); }

  ResourceSet mSet;
};

TEST_F(ModelQueueTest, BatchesAreQueuedInTheLayerOfTheirFinishedState) {
  fs().put("src/data/queued.txt",
           "model{name m;repeat 3,10;batch{name solid;rect 0,0,2,2;}"
           "batch{name glass;rect 0,0,2,2;materials{blendMode 1;}}}");
  mSet.load("src/data/queued.txt");
  mSet.findModel("m")->draw(RenderState(), 0.f);
  EXPECT_EQ(queue().count(RenderQueue::kOpaque), 3);
  EXPECT_EQ(queue().count(RenderQueue::kSeeThrough), 3);  // the material turns depth writing off
  queue().clear();
}

}  // namespace
}  // namespace Game
