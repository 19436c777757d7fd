// A character's status sheet, a sale list of the sample bag and a battle
// status window drawn offscreen from the sample data; the screen is kept as
// an image of the build tree.

#include <cstdio>
#include <filesystem>
#include <vector>

#include "Engine/Graphics/ImageFile.h"
#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "core/config/Config.h"
#include "core/random/RandomGenerator.h"
#include "data/Bag.h"
#include "data/Unit.h"
#include "data/stats/Experience.h"
#include "data/unit/PlayerGhost.h"
#include "data/unit/StatusSheet.h"
#include "file/FileLoader.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/widget/ItemMenu.h"
#include "render/RenderSupport.h"
#include "resource/Database.h"
#include "resource/constance/Constance.h"

namespace RenderTest {
namespace {

using Engine::i32;
using Game::SceneRenderer;

constexpr i32 kWidth = 800;
constexpr i32 kHeight = 600;
constexpr u32 kBlack = 0xFF000000u;

// The renderer and the databases over the build's sample data.
class StatusSheetRender : public RenderFixture {
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
    Game::Constance::create();
    Game::Database::create();
    Game::Database::instance()->load();
    Game::RandomGenerator::create();
  }
  void TearDown() override {
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
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
  static void nextFrame() {
    renderer().renderQueue().clear();
    renderer().flush();
    Engine::Graphics::Manager::instance().endDraw();
    Engine::Graphics::Manager::instance().beginDraw();
    renderer().beginFrame();
  }
  static u32 at(const Image& image, i32 x, i32 y) {
    return image.at(static_cast<u32>(x + kWidth / 2), static_cast<u32>(kHeight / 2 - y));
  }
  static bool hasLightPixel(const Image& image, i32 x0, i32 y0, i32 x1, i32 y1) {
    for (i32 y = y1; y <= y0; ++y) {
      for (i32 x = x0; x <= x1; ++x) {
        const u32 pixel = at(image, x, y);
        if ((pixel & 0xFFu) > 0x90u && ((pixel >> 8) & 0xFFu) > 0x90u) {
          return true;
        }
      }
    }
    return false;
  }
  static void keep(const Image& image, const char* name) { ASSERT_TRUE(keepArtefact(image, name)); }

  std::filesystem::path mOldDirectory;
};

TEST_F(StatusSheetRender, SheetSaleListAndBattleWindow) {
  Game::Database& database = *Game::Database::instance();
  Game::PlayerGhost ghost;
  ghost.setUp(*database.findShell("Kessa"), Game::Experience::forLevel(99));
  Game::Bag bag;
  for (const char* name : {"薬草", "鉄の剣", "投げナイフ", "古びた鍵", "廃棄物"}) {
    bag.add(Game::Article::fromItem(database.findTool(name)), 2);
  }
  Game::ItemMenu menu;
  menu.buildForSale(bag);
  menu.placeCentered(-320.f, 40.f);
  Game::Unit unit(ghost);
  unit.life().fill();
  unit.clamp();
  float sheetWidth = 0.f;
  float sheetHeight = 0.f;
  ghost.measureSheet(&sheetWidth, &sheetHeight, Game::StatusSheet::kAllRows);
  const auto drawAll = [&] {
    ghost.drawSheet(-320.f, 240.f, true, true, Game::StatusSheet::kAllRows);
    menu.drawWithDetail(true);
    unit.drawStatusPanel(160.f, -180.f);
  };
  drawAll();
  nextFrame();
  drawAll();
  const Image image = finishFrame();
  keep(image, "status_sheet_item_menu.tga");
  // The sheet's table starts 64 units right of its corner; its translucent
  // white background lights the model's strip.
  EXPECT_TRUE(hasLightPixel(image, -256, 238, -256 + static_cast<i32>(sheetWidth) - 64, 240 - static_cast<i32>(sheetHeight)));
  EXPECT_NE(at(image, -300, 240 - static_cast<i32>(sheetHeight) / 2), kBlack) << "the background";
  // The list's title and rows, and the battle window's name.
  EXPECT_TRUE(hasLightPixel(image, -316, 36, -200, 0)) << "the sale list";
  EXPECT_TRUE(hasLightPixel(image, 164, -182, 260, -198)) << "the battle window";
  EXPECT_EQ(at(image, 0, -100), kBlack) << "nothing between them";
}

}  // namespace
}  // namespace RenderTest
