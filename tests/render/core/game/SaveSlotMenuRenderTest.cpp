// The save-slot menu drawn offscreen over a few saves: the panel covers the
// screen from its top-left quarter corner, and the screen is kept as an
// image of the build tree.

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Engine/Graphics/ImageFile.h"
#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "core/config/Config.h"
#include "core/game/SaveSlot.h"
#include "core/game/SaveSlotMenu.h"
#include "file/FileLoader.h"
#include "file/FileSystem.h"
#include "file/nml/NmlDocument.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/scene/SceneRenderer.h"
#include "render/RenderSupport.h"

namespace RenderTest {
namespace {

using Engine::i32;
using Game::SceneRenderer;

constexpr i32 kWidth = 800;
constexpr i32 kHeight = 600;
constexpr u32 kBlack = 0xFF000000u;

// Saves written by hand, as the game writes them (the menu reads only the
// head, the play time, the headline and "clearCount").
struct Save {
  i32 slot;
  const char* text;
};
constexpr Save kSaves[] = {
    {0,
     "head{year 2024;month 3;day 7;hour 10;minute 5;version 0;}system{count 1274400,0;headline 灰の坑道3階;}"
     "flag{integer{clearCount 0;}}log{}party{}bag{}field{}"},
    {1,
     "head{year 2024;month 3;day 9;hour 21;minute 40;version 0;}system{count 110,3;headline 霧の森;}"
     "flag{integer{clearCount 2;}}log{}party{}bag{}field{}"},
    {5,
     "head{year 2025;month 12;day 31;hour 23;minute 59;version 0;}system{count 4000,0;headline オープニング,x;}"
     "flag{integer{}}log{}party{}bag{}field{}"},
};

// The renderer over the build's sample data, in a scratch working directory
// (its "src" the sample data's) so that the saves stay out of the build tree.
class SaveSlotMenuRender : public RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    mOldDirectory = std::filesystem::current_path();
    mScratch = std::filesystem::temp_directory_path() / ("marrowdeep_slots_" + std::to_string(::getpid()));
    std::filesystem::remove_all(mScratch);
    std::filesystem::create_directories(mScratch);
    std::filesystem::create_directory_symlink(std::filesystem::path(MARROWDEEP_GAME_DIR) / "src", mScratch / "src");
    std::filesystem::current_path(mScratch);
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
    Game::SaveSlotList::forgetCursor();
    Game::SystemResources::destroy();
    SceneRenderer::destroy();
    Game::FileLoader::destroy();
    Engine::FileIO::ManagerImpl::destroy();
    Engine::Threading::Manager::destroy();
    std::filesystem::current_path(mOldDirectory);
    std::filesystem::remove_all(mScratch);
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
  static void keep(const Image& image, const char* name) { ASSERT_TRUE(keepArtefact(image, name)); }

  std::filesystem::path mOldDirectory;
  std::filesystem::path mScratch;
};

TEST_F(SaveSlotMenuRender, TheSaveMenuCoversTheScreen) {
  for (const Save& save : kSaves) {
    Game::NmlDocument document;
    ASSERT_TRUE(document.parse(save.text, false)) << save.slot;
    ASSERT_TRUE(Game::SaveSlot::write(document, save.slot)) << save.slot;
  }
  ASSERT_TRUE(Game::FileSystem::writeFile("savedata/3.sav", "damaged", 7, false));
  Game::SaveSlotMenu menu(nullptr);
  ASSERT_TRUE(menu.list().row(5).valid);
  ASSERT_FALSE(menu.list().row(3).valid);
  ASSERT_EQ(menu.menu().cursor(), 5) << "the newest save";
  menu.draw();
  nextFrame();
  menu.draw();
  const Image image = finishFrame();
  keep(image, "save_slot_menu.tga");
  // The frame reaches the screen's edges; text shows in the rows of saves
  // and not in the empty part of a row.
  for (const i32 y : {200, 0, -200}) {
    EXPECT_NE(at(image, -318, y), kBlack) << y;
    EXPECT_NE(at(image, 318, y), kBlack) << y;
  }
  const auto rowHasText = [&](i32 slot, i32 fromX, i32 toX) {
    const i32 top = 240 - 20 * slot;
    for (i32 y = top - 18; y < top - 2; ++y) {
      for (i32 x = fromX; x < toX; ++x) {
        const u32 pixel = at(image, x, y);
        if ((pixel & 0xFFu) > 0x90u && ((pixel >> 8) & 0xFFu) > 0x90u) {
          return true;
        }
      }
    }
    return false;
  };
  EXPECT_TRUE(rowHasText(0, -320 + 40, -320 + 160)) << "the date of slot 0";
  EXPECT_TRUE(rowHasText(1, -320 + 340, -320 + 360)) << "the clear mark of slot 1";
  EXPECT_TRUE(rowHasText(5, -320 + 340, -320 + 400)) << "the headline of slot 5";
  EXPECT_FALSE(rowHasText(3, -320 + 200, 300)) << "an invalid slot ends at its words";
  EXPECT_FALSE(rowHasText(2, -320 + 120, 300)) << "an empty slot ends at its dashes";
}

}  // namespace
}  // namespace RenderTest
