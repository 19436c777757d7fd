#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "Engine/Graphics/Manager.h"
#include "Framework/src/DebugTextLayer.h"
#include "PlatformFake/FakeBackend.h"

namespace {

using Placed = std::vector<std::tuple<std::string, int, int, Engine::u32>>;

Placed placed(const std::vector<Engine::DebugTextLine>& lines) {
  Placed out;
  for (const auto& line : lines) out.emplace_back(line.text, line.x, line.y, line.color);
  return out;
}

TEST(DebugTextLayerTest, LinesArePlacedInCellsAndTheLayerResets) {
  Engine::DebugTextLayer layer;
  layer.setCursor(2, 1);
  layer.setColor(0xFF00FF00);
  layer.stream() << "first\n\nthird\nfourth";
  // The empty line is skipped but still advances.
  EXPECT_EQ(placed(layer.flush()),
            (Placed{{"first", 16, 16, 0xFF00FF00}, {"third", 16, 48, 0xFF00FF00}, {"fourth", 16, 64, 0xFF00FF00}}));
  layer.stream() << "again";
  EXPECT_EQ(placed(layer.flush()), (Placed{{"again", 0, 0, 0xFFFFFFFF}}));
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
