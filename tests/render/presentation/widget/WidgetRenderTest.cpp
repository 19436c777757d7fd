// The interface drawn offscreen from the sample system pictures: a frame
// covers exactly its rectangle, and a scrolled list menu is kept as an image
// of the build tree.

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Engine/Graphics/ImageFile.h"
#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "core/config/Config.h"
#include "file/FileLoader.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/ui/UiDraw.h"
#include "presentation/widget/ListMenu.h"
#include "render/RenderSupport.h"

namespace RenderTest {
namespace {

using Engine::i32;
using Game::SceneRenderer;

constexpr i32 kWidth = 800;
constexpr i32 kHeight = 600;
constexpr u32 kBlack = 0xFF000000u;

// The renderer over the build's sample data (the game's working directory).
class WidgetRender : public RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    mOldDirectory = std::filesystem::current_path();
    std::filesystem::current_path(MARROWDEEP_GAME_DIR);
    Game::Config::instance().setDefaults();
    createManager({kWidth, kHeight, false, false, false}).beginDraw();
    Engine::Threading::Manager::create(0);
    Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, Engine::FileIO::ManagerOptions{});
    Game::FileLoader::create();
    SceneRenderer::create(kWidth, kHeight);
    renderer().enableOutput();
    renderer().setFadeLevel(0);
    renderer().beginFrame();
    Game::SystemResources::create();
  }
  void TearDown() override {
    Game::SystemResources::destroy();
    SceneRenderer::destroy();
    Game::FileLoader::destroy();
    Engine::FileIO::ManagerImpl::destroy();
    Engine::Threading::Manager::destroy();
    std::filesystem::current_path(mOldDirectory);
    RenderFixture::TearDown();
  }
  static SceneRenderer& renderer() { return *SceneRenderer::instance(); }
  Image finishFrame() {
    renderer().flushLayers(true, true, true, true);
    renderer().drawFade();
    return readBack();
  }
  // A pixel of the interface space (centre (0, 0), y up), one to the screen.
  static u32 at(const Image& image, i32 x, i32 y) {
    return image.at(static_cast<u32>(x + kWidth / 2), static_cast<u32>(kHeight / 2 - y));
  }
  static void keep(const Image& image, const char* name) { ASSERT_TRUE(keepArtefact(image, name)); }

  std::filesystem::path mOldDirectory;
};

TEST_F(WidgetRender, AFrameCoversExactlyItsRectangle) {
  ASSERT_NE(Game::SystemResources::instance()->frame().getBatch(8), nullptr);
  const i32 left = -100;
  const i32 top = 50;
  Game::UiDraw::drawFrame(static_cast<float>(left), static_cast<float>(top), 200.f, 100.f, 0xFFFFFFFF, false);
  const Image image = finishFrame();
  // Probes on the last pixel inside and the first pixel outside each edge
  // (the rectangle spans pixels left..left+199 and top..top-99), at the
  // edge's middle and near both its ends.
  for (const i32 along : {-90, 0, 90}) {
    const i32 x = left + 100 + along;
    EXPECT_NE(at(image, x, top), kBlack) << along;
    EXPECT_EQ(at(image, x, top + 1), kBlack) << along;
    EXPECT_NE(at(image, x, top - 99), kBlack) << along;
    EXPECT_EQ(at(image, x, top - 100), kBlack) << along;
  }
  for (const i32 along : {-40, 0, 40}) {
    const i32 y = top - 50 + along;
    EXPECT_NE(at(image, left, y), kBlack) << along;
    EXPECT_EQ(at(image, left - 1, y), kBlack) << along;
    EXPECT_NE(at(image, left + 199, y), kBlack) << along;
    EXPECT_EQ(at(image, left + 200, y), kBlack) << along;
  }
  // The corners themselves.
  EXPECT_NE(at(image, left, top), kBlack);
  EXPECT_NE(at(image, left + 199, top - 99), kBlack);
  EXPECT_EQ(at(image, left - 1, top + 1), kBlack);
  EXPECT_EQ(at(image, left + 200, top - 100), kBlack);
  // The fill shows inside, darker than the border.
  EXPECT_NE(at(image, 0, 0), kBlack);
  keep(image, "frame.tga");
}

TEST_F(WidgetRender, AGaugeFillsItsFractionOverItsBackground) {
  constexpr u32 kRed = 0xFFFF0000u;
  constexpr u32 kBlue = 0xFF0000FFu;
  // Three bars 200 wide and 20 high from x = -100: a quarter filled, empty
  // over a background, empty without one.
  Game::UiDraw::drawPictureRect(0.25f, kRed, kBlue, -100.f, 100.f, 200.f, 20.f, 0.f);
  Game::UiDraw::drawPictureRect(0.f, kRed, kBlue, -100.f, 0.f, 200.f, 20.f, 0.f);
  Game::UiDraw::drawPictureRect(0.f, kRed, 0u, -100.f, -100.f, 200.f, 20.f, 0.f);
  const Image image = finishFrame();
  keep(image, "gauges.tga");
  const auto isRed = [](u32 c) { return ((c >> 16) & 0xFFu) > 0x80u && (c & 0xFFFFu) == 0u; };
  const auto isBlue = [](u32 c) { return (c & 0xFFu) > 0x80u && (c & 0xFFFF00u) == 0u; };
  EXPECT_TRUE(isRed(at(image, -90, 90))) << std::hex << at(image, -90, 90);
  EXPECT_TRUE(isRed(at(image, -55, 90)));
  EXPECT_TRUE(isBlue(at(image, -45, 90))) << "the fill ends at a quarter";
  EXPECT_TRUE(isBlue(at(image, 90, 90)));
  EXPECT_EQ(at(image, 110, 90), kBlack);
  EXPECT_TRUE(isBlue(at(image, -90, -10)));
  EXPECT_TRUE(isBlue(at(image, 90, -10)));
  for (const i32 x : {-90, 0, 90}) {
    EXPECT_EQ(at(image, x, -110), kBlack) << x;
  }
}

TEST_F(WidgetRender, AScrolledListMenuShowsItsScrollBar) {
  Game::ListMenu menu;
  menu.setTitle("Items", 1, 0xFFFFFF80);
  for (int i = 0; i < 12; ++i) {
    menu.addItem(("Entry " + std::to_string(i)).c_str(), i, 0xFFC0C0C0, 1);
  }
  menu.setVisibleRows(5);
  menu.growTo(200.f, menu.height());
  menu.placeCentered(-100.f, 100.f);
  menu.setCursorById(9);
  menu.draw(true);  // scrolls the cursor into view
  renderer().renderQueue().clear();
  renderer().flush();
  Engine::Graphics::Manager::instance().endDraw();
  Engine::Graphics::Manager::instance().beginDraw();
  renderer().beginFrame();
  menu.draw(true);
  const Image image = finishFrame();
  keep(image, "list_menu.tga");
  EXPECT_GT(menu.scroll(), 0.f);
  // The track runs down the right side; the thumb covers items 5 to 9 of
  // 12, from 5/12 to 10/12 of the track.
  const float barX = menu.contentLeft() + menu.width() + 4.f;
  const auto down = [&](float fraction) {
    return at(image, static_cast<i32>(barX), static_cast<i32>(menu.contentTop() - menu.height() * fraction));
  };
  const u32 track = down(0.1f);
  const u32 thumb = down(0.6f);
  EXPECT_NE(track, kBlack);
  EXPECT_TRUE(colorNear(0xFFFFFFFFu, thumb));
  EXPECT_LT(track & 0xFFu, 0xC0u);
  EXPECT_EQ(down(0.9f), track);
  EXPECT_EQ(at(image, static_cast<i32>(barX + 8.f), static_cast<i32>(menu.contentTop() - 50.f)), kBlack);
}

}  // namespace
}  // namespace RenderTest
