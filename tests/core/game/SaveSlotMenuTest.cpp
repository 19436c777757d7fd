#include "core/game/SaveSlotMenu.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/core/game/KeyedGameFixture.h"
#include "tests/core/game/GameHelpers.h"

namespace {

using Engine::i32;
using Game::GameData;
using GameTestSupport::saveAt;
using Game::SaveSlotList;
using Game::SaveSlotMenu;
using Platform::Key;
namespace SaveSlot = Game::SaveSlot;

// The slot menu over the fake file system, one frame at a time.
class SaveSlotMenuTest : public GameTestSupport::KeyedGameTest {
 protected:
  void TearDown() override {
    SaveSlotList::forgetCursor();
    KeyedGameTest::TearDown();
  }

  // One frame as the screens run it: keys, draw, update.
  i32 frame(SaveSlotMenu& menu, std::initializer_list<Key> held = {}) {
    step(held);
    menu.draw();
    return menu.update();
  }
  // Past the list menu's input delay.
  void open(SaveSlotMenu& menu) { for (i32 i = 0; i <= Game::ListMenu::kInputDelay; ++i) frame(menu); }
  // Presses up or down (released in between) until the cursor is on the slot.
  void moveTo(SaveSlotMenu& menu, i32 slot) {
    for (i32 i = 0; i < SaveSlot::kCount && menu.menu().cursor() != slot; ++i) {
      frame(menu, {menu.menu().cursor() < slot ? Key::Down : Key::Up});
      frame(menu);
    }
    ASSERT_EQ(menu.menu().cursor(), slot);
  }
  static std::string rowText(const SaveSlotMenu& menu, i32 slot) {
    const auto* text = dynamic_cast<const Game::Widget::Text*>(menu.menu().item(slot));
    return text ? text->text.c_str() : "";
  }
};

// The cursor starts on the newest save, the lower slot of a tie.
TEST_F(SaveSlotMenuTest, TheCursorStartsOnTheNewestSave) {
  GameData game;
  ASSERT_TRUE(saveAt(game, 9, {2024, 3, 7, 10, 5}));
  ASSERT_TRUE(saveAt(game, 4, {2024, 3, 7, 10, 5}));
  ASSERT_TRUE(saveAt(game, 2, {2024, 3, 7, 10, 4}));
  fs().put("savedata/1.sav", "not a save");
  SaveSlotMenu menu(nullptr);
  EXPECT_EQ(menu.menu().itemCount(), SaveSlot::kCount);
  EXPECT_EQ(menu.menu().cursor(), 4);
  EXPECT_EQ(rowText(menu, 0), "0   ------");
  EXPECT_EQ(rowText(menu, 1), "1   無効なファイル");
  EXPECT_EQ(rowText(menu, 9).rfind("9   2024/3/7    play ", 0), 0u);
  // Every slot menu of the run comes back to the remembered slot.
  SaveSlotList::rememberCursor(9);
  SaveSlotMenu again(&game);
  EXPECT_EQ(again.menu().cursor(), 9);
}

// A headline too long for the panel is cut, never inside a character.
TEST_F(SaveSlotMenuTest, ALongHeadlineIsCutToThePanel) {
  GameData game;
  std::string headline;
  for (int i = 0; i < 40; ++i) headline += "坑";
  game.setHeadline(headline.c_str());
  ASSERT_TRUE(SaveSlot::save(game, 0));
  SaveSlotMenu menu(nullptr);
  const std::string row = rowText(menu, 0);
  EXPECT_EQ(row.size(), 64u);
  EXPECT_EQ(row.substr(34), headline.substr(0, 30));
}

// Saving writes the slot, shows its new line and keeps the menu open on it.
TEST_F(SaveSlotMenuTest, SavingStaysOpenOnTheSavedSlot) {
  GameData game;
  game.setHeadline("灰の坑道3階");
  SaveSlotMenu menu(&game);
  open(menu);
  moveTo(menu, 3);
  EXPECT_EQ(frame(menu, {kDecide}), SaveSlotMenu::kRunning);
  EXPECT_TRUE(SaveSlot::exists(3));
  EXPECT_NE(rowText(menu, 3).find("灰の坑道3階"), std::string::npos);
  EXPECT_EQ(menu.menu().cursor(), 3);
  EXPECT_EQ(menu.takeGame(), nullptr);
  // Saving again over it works the same; cancel closes.
  frame(menu);
  EXPECT_EQ(frame(menu, {kDecide}), SaveSlotMenu::kRunning);
  frame(menu);
  EXPECT_EQ(frame(menu, {kCancel}), SaveSlotMenu::kCancelled);
  SaveSlotMenu next(nullptr);
  EXPECT_EQ(next.menu().cursor(), 3);
}

// A save that cannot be written is told to the player; the old save stays,
// and once the message is gone the menu goes on.
TEST_F(SaveSlotMenuTest, AFailedSaveShowsAMessageAndKeepsTheOldSave) {
  GameData game;
  game.setHeadline("old");
  ASSERT_TRUE(SaveSlot::save(game, 0));
  game.setHeadline("new");
  SaveSlotMenu menu(&game);
  open(menu);
  ASSERT_EQ(menu.menu().cursor(), 0);
  fs().failCommit(true);
  EXPECT_EQ(frame(menu, {kDecide}), SaveSlotMenu::kRunning);
  fs().failCommit(false);
  EXPECT_TRUE(menu.isShowingMessage());
  EXPECT_NE(rowText(menu, 0).find("old"), std::string::npos);
  // Keys go to the message while it shows: cancel does not close the menu.
  frame(menu);
  EXPECT_EQ(frame(menu, {kCancel}), SaveSlotMenu::kRunning);
  frame(menu);
  frame(menu, {kDecide});
  EXPECT_FALSE(menu.isShowingMessage());
  frame(menu);
  EXPECT_EQ(frame(menu, {kDecide}), SaveSlotMenu::kRunning);
  EXPECT_NE(rowText(menu, 0).find("new"), std::string::npos);
}

// The load form takes only a valid save: an empty or invalid slot, or a
// file damaged after the list was read (then listed as it now is), does
// nothing, and the game read from a valid one is handed over once.
TEST_F(SaveSlotMenuTest, LoadingTakesOnlyAValidSave) {
  GameData game;
  game.setHeadline("saved");
  ASSERT_TRUE(saveAt(game, 2, {2024, 3, 7, 10, 5}));
  ASSERT_TRUE(saveAt(game, 3, {2024, 3, 7, 10, 4}));
  fs().put("savedata/1.sav", "not a save");
  SaveSlotMenu menu(nullptr);
  open(menu);
  ASSERT_EQ(menu.menu().cursor(), 2);
  const auto packed = fs().contents("savedata/3.sav");
  fs().put("savedata/3.sav", std::vector<Engine::u8>(packed->begin(), packed->begin() + static_cast<long>(packed->size() / 2)));
  for (i32 slot : {1, 0, 3}) {
    moveTo(menu, slot);
    EXPECT_EQ(frame(menu, {kDecide}), SaveSlotMenu::kRunning) << slot;
    EXPECT_EQ(menu.takeGame(), nullptr);
    frame(menu);
  }
  EXPECT_EQ(rowText(menu, 3), "3   無効なファイル");
  moveTo(menu, 2);
  EXPECT_EQ(frame(menu, {kDecide}), SaveSlotMenu::kDecided);
  std::unique_ptr<GameData> loaded(menu.takeGame());
  ASSERT_TRUE(loaded);
  EXPECT_STREQ(loaded->headline(), "saved");
  EXPECT_EQ(menu.takeGame(), nullptr);
}

}  // namespace
