#include <gtest/gtest.h>

#include "Graphics/src/BufferImpl.h"
#include "GraphicsFixture.h"

namespace Engine::Graphics {
namespace {

using GraphicsBuffers = GraphicsFixture;

TEST_F(GraphicsBuffers, UnlockUploadsTheCopyAndClearsThePointer) {
  VertexBuffer vertices = VertexBuffer::create(3);
  EXPECT_EQ(device().callsStartingWith("createVertexBuffer").back(), "createVertexBuffer 120");
  Vertex* vertex = vertices.lock();
  vertex->color = 0xFF102030u;
  vertices.unlock(vertex);
  EXPECT_EQ(vertex, nullptr);
  auto* buffer = static_cast<PlatformFake::FakeGraphicsBuffer*>(vertices.impl()->buffer());
  EXPECT_EQ(buffer->uploads, 1);
  EXPECT_EQ(buffer->data[28], 0x30);  // blue first
  IndexBuffer indices = IndexBuffer::create(6);
  EXPECT_EQ(device().callsStartingWith("createIndexBuffer").back(), "createIndexBuffer 24");
  u16* index = indices.lock();
  index[1] = 7;
  indices.unlock(index);
  EXPECT_EQ(static_cast<PlatformFake::FakeGraphicsBuffer*>(indices.impl()->buffer())->data[2], 7);
}

TEST_F(GraphicsBuffers, BoundBufferOutlivesItsLastHandleAndIsBoundOnce) {
  Manager manager = Manager::instance();
  VertexBuffer vertices = VertexBuffer::create(4);
  VertexBuffer::Impl* impl = vertices.impl();
  manager.setVertexBuffer(vertices);
  vertices.release();
  EXPECT_EQ(impl->referenceCount(), 1);  // the manager's own reference
  IndexBuffer indices = IndexBuffer::create(6);
  device().takeCalls();
  manager.setIndexBuffer(indices);
  manager.setIndexBuffer(indices);
  EXPECT_EQ(device().takeCalls(), std::vector<std::string>{"setIndexBuffer"});
  manager.drawIndexed(0, 2, 0);  // still drawable
  EXPECT_EQ(device().boundVertexBuffer, impl->buffer());
  EXPECT_EQ(device().takeCalls().back(), "drawIndexed TriangleList 4 0 2");
}

TEST_F(GraphicsBuffers, DrawWithoutABufferHalts) {
  Manager manager = Manager::instance();
  EXPECT_DEATH(manager.draw(0, 1, 0), "VertexBuffer is not set.");
  manager.setVertexBuffer(VertexBuffer::create(3));
  EXPECT_DEATH(manager.drawIndexed(0, 1, 0), "IndexBuffer is not set.");
}

}  // namespace
}  // namespace Engine::Graphics
