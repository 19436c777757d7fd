#include <string>

#include "render/RenderSupport.h"

namespace RenderTest {
namespace {

using Engine::Graphics::ManagerImpl;
using Engine::Graphics::ManagerSettings;

constexpr u32 kBlack = 0xFF000000u;
constexpr u32 kRed = 0xFFFF0000u;

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
  EXPECT_EQ(image.at(0, 0), kBlack);
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
  EXPECT_EQ(image.at(159, 360), kBlack);
  EXPECT_EQ(image.at(160, 360), kRed);
  EXPECT_EQ(image.at(1119, 360), kRed);
  EXPECT_EQ(image.at(1120, 360), kBlack);
  EXPECT_EQ(image.at(640, 0), kRed);
  EXPECT_EQ(image.at(640, 719), kRed);
  int x = -1, y = -1, width = -1, height = -1;
  manager.getViewport(&x, &y, &width, &height);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 600);
}

TEST_F(ManagerRender, IndexedDrawReadsColourBytesInTheirOrder) {
  ManagerImpl& manager = createManager(windowed(64, 64));
  manager.beginDraw();
  using Engine::Graphics::Vertex;
  Engine::Graphics::VertexBuffer vertices = Engine::Graphics::VertexBuffer::create(4);
  Vertex* vertex = vertices.lock();
  const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  for (const auto& corner : corners) {
    *vertex++ = Vertex{corner[0], corner[1], 0.5f, 1.0f, 0, 0, 1, 0xFF2080C0u, 0, 0};
  }
  vertices.unlock(vertex);
  Engine::Graphics::IndexBuffer indices = Engine::Graphics::IndexBuffer::create(6);
  Engine::u16* index = indices.lock();
  for (Engine::u16 i : {0, 1, 2, 0, 2, 3}) {
    *index++ = i;
  }
  indices.unlock(index);
  manager.setVertexBuffer(vertices);
  manager.setIndexBuffer(indices);
  manager.drawIndexed(0, 2, 0);
  const Image image = readBack();
  EXPECT_TRUE(colorNear(0xFF2080C0u, image.at(10, 10), 1));
  EXPECT_TRUE(colorNear(0xFF2080C0u, image.at(60, 60), 1));
}

TEST_F(ManagerRender, MultisampledBackBufferIsResolvedForTheScreenshot) {
  ManagerImpl& manager = createManager(windowed(128, 96, true));
  static std::string writtenName;
  static Image written;
  writtenName.clear();
  written = Image{};
  ManagerImpl::setImageWriter([](const char* name, u32 width, u32 height, u32 pitch, const void* pixels) {
    writtenName = name;
    written.width = width;
    written.height = height;
    const auto* first = static_cast<const u32*>(pixels);
    written.pixels.assign(first, first + std::size_t{pitch / 4} * height);
  });
  manager.beginDraw();
  drawQuad(makeQuad(-1.0f, -1.0f, 0.0f, 1.0f, 0.5f, kRed));
  manager.captureScreen("snapshot/ss00000.bmp");
  manager.endDraw();
  ManagerImpl::setImageWriter(nullptr);
  EXPECT_EQ(writtenName, "snapshot/ss00000.bmp");
  ASSERT_EQ(written.width, 128u);
  ASSERT_EQ(written.height, 96u);
  EXPECT_EQ(written.at(10, 10), kRed);
  EXPECT_EQ(written.at(100, 10), kBlack);
}

TEST_F(ManagerRender, FullScreenSwitchRebuildsTheBackBufferAtTheModeSize) {
  ManagerImpl& manager = createManager(windowed(320, 240), Platform::DisplayMode{640, 400, 60});
  manager.setFullScreen(true);
  EXPECT_FALSE(manager.isActive());
  manager.restore();
  EXPECT_TRUE(manager.isActive());
  manager.beginDraw();
  drawQuad(makeQuad(-1.0f, -1.0f, 1.0f, 1.0f, 0.5f, kRed));
  const Image image = readBack();
  ASSERT_EQ(image.width, 640u);
  ASSERT_EQ(image.height, 400u);
  // 320x240 scaled by 400/240 is 533 wide from x 53.
  EXPECT_EQ(image.at(52, 200), kBlack);
  EXPECT_EQ(image.at(53, 200), kRed);
  EXPECT_EQ(image.at(585, 200), kRed);
  EXPECT_EQ(image.at(586, 200), kBlack);
}

float clipX(float screenX, float width) { return screenX / width * 2.0f - 1.0f; }
float clipY(float screenY, float height) { return 1.0f - screenY / height * 2.0f; }

// Pixel centres lie on whole coordinates: a rectangle drawn half a pixel up
// and to the left, as 2D drawing does, covers exactly its pixels; row 0 of
// the read-back image is the top of the screen.
TEST_F(ManagerRender, PixelCentresLieOnWholeCoordinates) {
  ManagerImpl& manager = createManager(windowed(64, 64));
  manager.beginDraw();
  const float left = clipX(9.5f, 64), right = clipX(19.5f, 64);
  const float top = clipY(29.5f, 64), bottom = clipY(39.5f, 64);
  drawQuad(makeQuad(left, bottom, right, top, 0.5f, kRed));
  const Image image = readBack();
  EXPECT_EQ(image.at(9, 35), kBlack);
  EXPECT_EQ(image.at(10, 35), kRed);
  EXPECT_EQ(image.at(19, 35), kRed);
  EXPECT_EQ(image.at(20, 35), kBlack);
  EXPECT_EQ(image.at(15, 29), kBlack);
  EXPECT_EQ(image.at(15, 30), kRed);
  EXPECT_EQ(image.at(15, 39), kRed);
  EXPECT_EQ(image.at(15, 40), kBlack);
}

}  // namespace
}  // namespace RenderTest
