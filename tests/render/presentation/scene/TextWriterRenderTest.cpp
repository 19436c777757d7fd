#include <algorithm>

#include "core/config/Config.h"
#include "presentation/scene/TextWriter.h"
#include "render/RenderSupport.h"

namespace RenderTest {
namespace {

using Engine::i32;
using Game::TextWriter;

constexpr u32 kBlack = 0xFF000000u;
constexpr i32 kScreenWidth = 320;
constexpr i32 kScreenHeight = 240;

// A virtual-screen rectangle (centre (0, 0), y up) in back-buffer pixels,
// widened to whole pixels.
struct PixelBox {
  int left, top, right, bottom;
  bool contains(u32 x, u32 y) const {
    return static_cast<int>(x) >= left && static_cast<int>(x) < right && static_cast<int>(y) >= top &&
           static_cast<int>(y) < bottom;
  }
};

PixelBox toPixels(i32 x, i32 y, i32 width, i32 height) {
  const auto floorDiv = [](i32 a, i32 b) { return a / b; };
  const auto ceilDiv = [](i32 a, i32 b) { return (a + b - 1) / b; };
  return {floorDiv((x + 400) * kScreenWidth, 800), floorDiv((300 - y) * kScreenHeight, 600),
          ceilDiv((x + width + 400) * kScreenWidth, 800), ceilDiv((300 - y + height) * kScreenHeight, 600)};
}

struct Ink {
  int inside = 0;
  int outside = 0;
  int right = -1;
};

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

  static Ink inkOf(const Image& image, const PixelBox& box) {
    Ink ink;
    for (u32 y = 0; y < image.height; ++y) {
      for (u32 x = 0; x < image.width; ++x) {
        if (image.at(x, y) == kBlack) continue;
        const bool inside = box.contains(x, y);
        (inside ? ink.inside : ink.outside) += 1;
        ink.right = inside ? std::max(ink.right, static_cast<int>(x)) : ink.right;
      }
    }
    return ink;
  }

  // Two lines in two fonts from an origin left of the centre.
  void printSample() {
    mWriter.setPosition(-300, 200);
    mWriter.setFont(2);
    mWriter.print("日本語ABC");
    mWriter.setFont(1);
    mWriter.setColor(0xFFFFFF80u);
    mWriter.print("ソ\nxyz");
  }

  Engine::Graphics::ManagerImpl* mManager = nullptr;
  TextWriter mWriter{kScreenWidth, kScreenHeight};
};

TEST_F(TextWriterRender, TextInksOnlyItsMeasuredBox) {
  printSample();
  i32 width = 0;
  i32 height = 0;
  mWriter.getExtent(&width, &height);
  ASSERT_EQ(width, 117);  // 9 bytes of font 2
  ASSERT_EQ(height, 26 + 40);
  mWriter.flush();
  const Image image = readBack();
  const Ink ink = inkOf(image, toPixels(-300, 200, width, height));
  EXPECT_EQ(ink.outside, 0);
  EXPECT_GT(ink.inside, 100);
  // The first line's last character reaches the box's right side.
  EXPECT_GT(ink.right, toPixels(-300, 200, width, height).right - 8);

  // The second print starts one font-2 line lower: nothing of it above.
  const Ink firstLine = inkOf(image, toPixels(-300, 200, width, 26));
  EXPECT_GT(firstLine.outside, 20);
}

TEST_F(TextWriterRender, NothingShowsPastHalfTheFade) {
  mWriter.setFadeLevel(128);
  printSample();
  mWriter.flush();
  EXPECT_EQ(inkOf(readBack(), PixelBox{0, 0, 0, 0}).outside, 0);
}

}  // namespace
}  // namespace RenderTest
