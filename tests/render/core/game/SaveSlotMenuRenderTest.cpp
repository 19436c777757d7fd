// The save-slot menu drawn offscreen over a few saves: the panel covers the
// screen from its top-left quarter corner; the screen is kept as an image.

#include <unistd.h>

#include <string>

#include "core/game/SaveSlot.h"
#include "core/game/SaveSlotMenu.h"
#include "file/FileSystem.h"
#include "file/nml/NmlDocument.h"
#include "render/InterfaceRender.h"

namespace RenderTest {
namespace {

// Saves written by hand, as the game writes them (the menu reads only the
// head, the play time, the headline and "clearCount").
const std::pair<i32, const char*> kSaves[] = {
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

// A scratch working directory (its "src" the sample data's), so that the
// saves stay out of the build tree.
class SaveSlotMenuRender : public InterfaceRender {
 protected:
  void SetUp() override {
    mDirectory = std::filesystem::temp_directory_path() / ("marrowdeep_slots_" + std::to_string(::getpid()));
    std::filesystem::remove_all(mDirectory);
    std::filesystem::create_directories(mDirectory);
    std::filesystem::create_directory_symlink(std::filesystem::path(MARROWDEEP_GAME_DIR) / "src", mDirectory / "src");
    InterfaceRender::SetUp();
  }
  void TearDown() override {
    Game::SaveSlotList::forgetCursor();
    InterfaceRender::TearDown();
    std::filesystem::remove_all(mDirectory);
  }
};

TEST_F(SaveSlotMenuRender, TheSaveMenuCoversTheScreen) {
  for (const auto& [slot, text] : kSaves) {
    Game::NmlDocument document;
    ASSERT_TRUE(document.parse(text, false)) << slot;
    ASSERT_TRUE(Game::SaveSlot::write(document, slot)) << slot;
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
    return hasLightPixel(image, fromX, top - 3, toX - 1, top - 18);
  };
  EXPECT_TRUE(rowHasText(0, -320 + 40, -320 + 160)) << "the date of slot 0";
  EXPECT_TRUE(rowHasText(1, -320 + 340, -320 + 360)) << "the clear mark of slot 1";
  EXPECT_TRUE(rowHasText(5, -320 + 340, -320 + 400)) << "the headline of slot 5";
  EXPECT_FALSE(rowHasText(3, -320 + 200, 300)) << "an invalid slot ends at its words";
  EXPECT_FALSE(rowHasText(2, -320 + 120, 300)) << "an empty slot ends at its dashes";
}

}  // namespace
}  // namespace RenderTest
