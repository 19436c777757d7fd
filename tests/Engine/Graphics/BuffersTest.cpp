#include <gtest/gtest.h>

#include "Graphics/src/BufferImpl.h"
#include "Graphics/src/ScreenMapping.h"
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

using Platform::DisplayMode;

// The smallest mode of the desktop's ratio that holds the request; else the nearest smaller one; the earlier
// mode on a tie; the desktop when no mode has its ratio. A refresh rate of 0 is not checked.
TEST(ChooseDisplayMode, TakesTheSmallestModeOfTheDesktopRatioThatHoldsTheRequest) {
  const std::vector<DisplayMode> wide = {{640, 400, 60},  {800, 600, 60},  {1024, 768, 60},
                                         {1280, 800, 60}, {1440, 900, 60}, {1680, 1050, 60}};
  struct Case {
    std::vector<DisplayMode> modes;
    DisplayMode desktop;
    u32 width, height;
    DisplayMode expected;
  };
  const Case cases[] = {
      {wide, {1680, 1050, 60}, 800, 600, {1280, 800, 0}},
      // |1152 - 1200| + |720 - 900| = 228 beats |1024 - 1200| + |640 - 900| = 436.
      {{{640, 400, 60}, {1024, 640, 60}, {1152, 720, 60}, {1024, 768, 60}}, {1680, 1050, 60}, 1200, 900,
       {1152, 720, 0}},
      {{{1280, 800, 60}, {1280, 800, 75}}, {1280, 800, 60}, 800, 600, {1280, 800, 60}},
      {{{640, 400, 50}, {640, 400, 60}}, {1280, 800, 60}, 800, 600, {640, 400, 50}},
      {{{800, 600, 60}, {1024, 768, 60}}, {1920, 1080, 60}, 800, 600, {1920, 1080, 0}},
      {{}, {}, 800, 600, {800, 600, 0}},
  };
  for (const Case& test : cases) {
    const DisplayMode chosen = chooseDisplayMode(test.modes, test.desktop, test.width, test.height);
    EXPECT_EQ(chosen.width, test.expected.width) << test.desktop.width << " " << test.width;
    EXPECT_EQ(chosen.height, test.expected.height) << test.desktop.width << " " << test.width;
    if (test.expected.refreshRate != 0) {
      EXPECT_EQ(chosen.refreshRate, test.expected.refreshRate);
    }
  }
}

TEST(PointerModifier, MapsTheLetterboxedScreenBackToLogicalPixels) {
  // Side bars of 160 pixels: window x 160 is logical 0, x 1120 is logical 800.
  const PointerModifier wide = pointerModifier(1280, 720, 800, 600);
  EXPECT_FLOAT_EQ((160.0f + wide.offsetX) * wide.scale, 0.0f);
  EXPECT_FLOAT_EQ((1120.0f + wide.offsetX) * wide.scale, 800.0f);
  EXPECT_FLOAT_EQ(wide.offsetY, 0.0f);
  // Bars of 100 pixels above and below.
  const PointerModifier tall = pointerModifier(800, 800, 800, 600);
  EXPECT_FLOAT_EQ(tall.offsetX, 0.0f);
  EXPECT_FLOAT_EQ((100.0f + tall.offsetY) * tall.scale, 0.0f);
  EXPECT_FLOAT_EQ((700.0f + tall.offsetY) * tall.scale, 600.0f);
}

}  // namespace
}  // namespace Engine::Graphics
