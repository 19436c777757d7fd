#include "presentation/scene/RenderQueue.h"

#include <gtest/gtest.h>

#include "Engine/Graphics/Manager.h"
#include "Graphics/src/BufferImpl.h"
#include "PlatformFake/FakeBackend.h"

namespace Game {
namespace {

using Engine::i32;

class RenderQueueTest : public ::testing::Test {
 protected:
  void SetUp() override { Engine::Graphics::Manager::create(800, 600, false, true, false); }
  void TearDown() override { Engine::Graphics::Manager::destroy(); }

  static BatchBuffers mesh(i32 triangles) {
    BatchBuffers buffers;
    buffers.vertices = Engine::Graphics::VertexBuffer::create(3);
    buffers.indices = Engine::Graphics::IndexBuffer::create(static_cast<Engine::u32>(triangles * 3));
    buffers.triangleCount = triangles;
    return buffers;
  }
  static i32 holders(const BatchBuffers& buffers) { return buffers.vertices.impl()->referenceCount(); }

  PlatformFake::ScopedFakeBackend backend;
};

// One draw in each layer: clearing empties all four and lets go of the mesh,
// which only its owner holds again.
TEST_F(RenderQueueTest, ClearEmptiesEveryLayerAndLetsGoOfTheMeshes) {
  const BatchBuffers buffers = mesh(2);
  RenderQueue queue;
  RenderState background;
  background.background = true;
  RenderState frontEnd;
  frontEnd.frontEnd = true;
  RenderState seeThrough;
  seeThrough.depthWrite = false;
  for (const RenderState& state : {background, RenderState(), seeThrough, frontEnd}) {
    EXPECT_TRUE(queue.add({}, buffers, state));
  }
  EXPECT_EQ(holders(buffers), 5);
  queue.clear();
  for (const RenderQueue::Layer layer :
       {RenderQueue::kBackground, RenderQueue::kOpaque, RenderQueue::kSeeThrough, RenderQueue::kFrontEnd}) {
    EXPECT_EQ(queue.count(layer), 0) << layer;
  }
  EXPECT_EQ(holders(buffers), 1);
}

// Flushing empties the flagged layers only, letting go of their meshes, in
// a hidden step as well (which draws, and binds, nothing).
TEST_F(RenderQueueTest, AFlushEmptiesTheLayersItDraws) {
  const BatchBuffers buffers = mesh(2);
  RenderQueue queue;
  RenderState background;
  background.background = true;
  RenderState seeThrough;
  seeThrough.depthWrite = false;
  for (const RenderState& state : {background, RenderState(), seeThrough}) {
    queue.add({}, buffers, state);
  }
  DrawView view;
  view.hidden = true;
  EXPECT_EQ(queue.flushLayers(view, true, false, true, false), 0);
  EXPECT_EQ(queue.count(RenderQueue::kBackground), 0);
  EXPECT_EQ(queue.count(RenderQueue::kOpaque), 1);
  EXPECT_EQ(queue.count(RenderQueue::kSeeThrough), 0);
  EXPECT_EQ(holders(buffers), 2);
}

TEST_F(RenderQueueTest, ReleasedBuffersHaveNoTriangles) {
  BatchBuffers buffers = mesh(4);
  buffers.release();
  EXPECT_FALSE(buffers.exists());
  EXPECT_EQ(buffers.triangleCount, 0);
}

}  // namespace
}  // namespace Game
