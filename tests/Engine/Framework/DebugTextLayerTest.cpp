#include <gtest/gtest.h>

#include "Engine/Graphics/Manager.h"
#include "Framework/src/DebugTextLayer.h"
#include "PlatformFake/FakeBackend.h"

namespace {

TEST(DebugTextLayerTest, LinesArePlacedInCellsAndTheLayerResets) {
  Engine::DebugTextLayer layer;
  layer.setCursor(2, 1);
  layer.setColor(0xFF00FF00);
  layer.stream() << "first\n\nthird\nfourth";
  const auto lines = layer.flush();
  ASSERT_EQ(lines.size(), 3u);  // the empty line is skipped but still advances
  EXPECT_EQ(lines[0].text, "first");
  EXPECT_EQ(lines[0].x, 16);
  EXPECT_EQ(lines[0].y, 16);
  EXPECT_EQ(lines[1].text, "third");
  EXPECT_EQ(lines[1].y, 48);
  EXPECT_EQ(lines[2].x, 16);
  EXPECT_EQ(lines[2].y, 64);
  EXPECT_EQ(lines[2].color, 0xFF00FF00u);

  layer.stream() << "again";
  const auto next = layer.flush();
  ASSERT_EQ(next.size(), 1u);
  EXPECT_EQ(next[0].x, 0);
  EXPECT_EQ(next[0].y, 0);
  EXPECT_EQ(next[0].color, 0xFFFFFFFFu);
}

// Every glyph of the built-in font is on its one page: one batch for the frame.
TEST(DebugTextLayerTest, LinesAreDrawnInOneBatchWithTheBuiltInFont) {
  PlatformFake::ScopedFakeBackend backend;
  Engine::Graphics::Manager::create(640, 480, false, true, false);
  {
    Engine::DebugTextLayer layer;
    layer.createRenderer();
    layer.stream() << "AB\n\xb1~";
    backend->fakeGraphicsDevice.takeCalls();
    layer.draw();
    EXPECT_EQ(backend->fakeGraphicsDevice.callsStartingWith("draw"), std::vector<std::string>{"draw TriangleList 0 8"});
  }
  Engine::Graphics::Manager::destroy();
}

}  // namespace
