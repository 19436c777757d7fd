#include "core/config/Config.h"
#include "presentation/scene/TextWriter.h"
#include "render/RenderSupport.h"

namespace RenderTest {
namespace {

using Engine::i32;
using Game::TextWriter;

constexpr i32 kScreenWidth = 320;
constexpr i32 kScreenHeight = 240;

// A virtual-screen rectangle (centre (0, 0), y up) in back-buffer pixels, widened to whole pixels.
PixelBox toPixels(i32 x, i32 y, i32 width, i32 height) {
  const auto ceilDiv = [](i32 a, i32 b) { return (a + b - 1) / b; };
  return {(x + 400) * kScreenWidth / 800, (300 - y) * kScreenHeight / 600,
          ceilDiv((x + width + 400) * kScreenWidth, 800), ceilDiv((300 - y + height) * kScreenHeight, 600)};
}

class TextWriterRender : public RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    Game::Config::instance().setDefaults();
    mManager = &createManager({kScreenWidth, kScreenHeight, false, false, false});
    mManager->beginDraw();
    mWriter.enableOutput();
  }
  void TearDown() override {
    mManager->endDraw();
    mWriter.releaseOutput();
    RenderFixture::TearDown();
  }

  Engine::Graphics::ManagerImpl* mManager = nullptr;
  TextWriter mWriter{kScreenWidth, kScreenHeight};
};

// Two lines in two fonts from an origin left of the centre.
TEST_F(TextWriterRender, TextInksOnlyItsMeasuredBox) {
  mWriter.setPosition(-300, 200);
  mWriter.setFont(2);
  mWriter.print("日本語ABC");
  mWriter.setFont(1);
  mWriter.setColor(0xFFFFFF80u);
  mWriter.print("ソ\nxyz");
  i32 width = 0;
  i32 height = 0;
  mWriter.getExtent(&width, &height);
  ASSERT_EQ(width, 117);  // 9 bytes of font 2
  ASSERT_EQ(height, 26 + 40);
  mWriter.flush();
  const Image image = readBack();
  const PixelBox box = toPixels(-300, 200, width, height);
  const Ink all = inkOf(image);
  const Ink inside = inkOf(image, nullptr, box);
  EXPECT_EQ(inside.count, all.count) << "ink outside the box";
  EXPECT_GT(inside.count, 100);
  EXPECT_GT(inside.right, box.right - 8) << "the first line's last character reaches the box's right side";
  EXPECT_GT(all.count - inkOf(image, nullptr, toPixels(-300, 200, width, 26)).count, 20)
      << "the second print starts a line lower";
}

}  // namespace
}  // namespace RenderTest
