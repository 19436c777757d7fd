#include "render/RenderSupport.h"

namespace RenderTest {
namespace {

using Engine::Graphics::ManagerImpl;
using Engine::Graphics::ManagerSettings;

ManagerSettings windowed(u32 width, u32 height, bool antiAlias = false) {
  return ManagerSettings{width, height, false, false, antiAlias};
}

class ManagerRender : public RenderFixture {};

TEST_F(ManagerRender, ClearedFrameReadsBackAsTheClearColour) {
  ManagerImpl& manager = createManager(windowed(320, 240));
  manager.beginDraw();
  Image image = readBack();
  ASSERT_EQ(image.width, 320u);
  ASSERT_EQ(image.height, 240u);
  EXPECT_EQ(image.at(319, 239), kBlack);
  // A colour clear shows each channel where it belongs.
  device().clear(0xFF336699u, 1.0f, 0);
  image = readBack();
  EXPECT_EQ(image.at(0, 0), 0xFF336699u);
  EXPECT_EQ(image.at(319, 239), 0xFF336699u);
  manager.endDraw();
  EXPECT_EQ(manager.frameId(), 1u);
}

TEST_F(ManagerRender, LogicalScreenIsLetterboxedIntoAWiderBackBuffer) {
  ManagerSettings settings{800, 600, true, false, false};
  ManagerImpl& manager = createManager(settings, Platform::DisplayMode{1280, 720, 60});
  manager.beginDraw();
  drawQuad(makeQuad(-1.0f, -1.0f, 1.0f, 1.0f, 0.5f, kRed));
  const Image image = readBack();
  ASSERT_EQ(image.width, 1280u);
  ASSERT_EQ(image.height, 720u);
  // Black bars of 160 columns at the sides; the logical screen full height.
  EXPECT_EQ((std::vector<u32>{image.at(159, 360), image.at(160, 360), image.at(1119, 360), image.at(1120, 360),
                              image.at(640, 0), image.at(640, 719)}),
            (std::vector<u32>{kBlack, kRed, kRed, kBlack, kRed, kRed}));
  int viewport[4] = {-1, -1, -1, -1};  // the logical one
  manager.getViewport(&viewport[0], &viewport[1], &viewport[2], &viewport[3]);
  EXPECT_EQ(std::vector<int>(viewport, viewport + 4), (std::vector<int>{0, 0, 800, 600}));
}

TEST_F(ManagerRender, MultisampledBackBufferIsResolvedForTheScreenshot) {
  ManagerImpl& manager = createManager(windowed(128, 96, true));
  static Image written;
  ManagerImpl::setImageWriter([](const char*, u32 width, u32 height, u32 pitch, const void* pixels) {
    const auto* first = static_cast<const u32*>(pixels);
    written = Image{width, height, std::vector<u32>(first, first + std::size_t{pitch / 4} * height)};
  });
  manager.beginDraw();
  drawQuad(makeQuad(-1.0f, -1.0f, 0.0f, 1.0f, 0.5f, kRed));
  manager.captureScreen("snapshot/ss00000.bmp");
  manager.endDraw();
  ManagerImpl::setImageWriter(nullptr);
  ASSERT_EQ(written.width, 128u);
  ASSERT_EQ(written.height, 96u);
  EXPECT_EQ(written.at(10, 10), kRed);
  EXPECT_EQ(written.at(100, 10), kBlack);
}

float clipX(float screenX, float width) { return screenX / width * 2.0f - 1.0f; }
float clipY(float screenY, float height) { return 1.0f - screenY / height * 2.0f; }

// A rectangle drawn half a pixel up and to the left, as 2D drawing does, covers exactly its pixels; row 0 of the
// read-back image is the top of the screen.
TEST_F(ManagerRender, PixelCentresLieOnWholeCoordinates) {
  ManagerImpl& manager = createManager(windowed(64, 64));
  manager.beginDraw();
  const float left = clipX(9.5f, 64), right = clipX(19.5f, 64);
  const float top = clipY(29.5f, 64), bottom = clipY(39.5f, 64);
  drawQuad(makeQuad(left, bottom, right, top, 0.5f, kRed));
  const Image image = readBack();
  for (const u32 edge : {9u, 19u}) {
    EXPECT_EQ(image.at(edge, 35), edge == 9 ? kBlack : kRed);
    EXPECT_EQ(image.at(edge + 1, 35), edge == 9 ? kRed : kBlack);
    EXPECT_EQ(image.at(15, edge + 20), edge == 9 ? kBlack : kRed);
    EXPECT_EQ(image.at(15, edge + 21), edge == 9 ? kRed : kBlack);
  }
}

}  // namespace
}  // namespace RenderTest
