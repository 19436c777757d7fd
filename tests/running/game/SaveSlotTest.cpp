#include <gtest/gtest.h>

#include <memory>

#include "running/game/SaveSlotList.h"
#include "running/game/SaveSlotMenu.h"
#include "field/FieldScene.h"
#include "Engine/FileIO/DiskFile.h"
#include "core/file/SaveCodec.h"
#include "tests/running/game/GameFixture.h"
#include "tests/running/game/GameHelpers.h"
#include "tests/running/game/KeyedGameFixture.h"

namespace {

using Game::GameData;
using Game::NmlDocument;
using Game::SaveSlotList;
using Game::SaveCheck::SaveTime;
namespace SaveSlot = Game::SaveSlot;

constexpr SaveTime kMarch7{2024, 3, 7, 10, 5};

using SaveSlotTest = GameTestSupport::GameTest;
using GameTestSupport::body;
using GameTestSupport::saveAt;

// The payload is the compact text and its terminating zero.
TEST_F(SaveSlotTest, TheFileIsThePackedCompactTextAndTheListLinesReadItsHead) {
  GameData game;
  EXPECT_EQ(std::tuple(SaveSlot::anyExists(), SaveSlot::load(23)), std::tuple(false, nullptr));
  ASSERT_TRUE(saveAt(game, 23, kMarch7));
  EXPECT_TRUE(SaveSlot::anyExists());
  const auto packed = fs().contents("savedata/23.sav");
  ASSERT_TRUE(packed);
  const int size = static_cast<int>(packed->size());
  std::vector<Engine::u8> payload(static_cast<std::size_t>(Game::SaveCodec::unpackCapacity(size)));
  const int n = Game::SaveCodec::unpack(payload.data(), static_cast<int>(payload.size()), packed->data(), size);
  ASSERT_GT(n, 0);
  const std::string text(reinterpret_cast<const char*>(payload.data()));
  EXPECT_EQ(std::tuple(payload[static_cast<std::size_t>(n - 1)], static_cast<int>(text.size())), std::tuple(0, n - 1));
  EXPECT_EQ(text.rfind("head{year 2024;month 3;day 7;hour 10;minute 5;version 0;}system{count 0,0;", 0), 0u);
  // The list lines read the head.
  GameData dated;
  dated.playTime().set(216000 * 3 + 3600 * 7);
  dated.setHeadline("灰の坑道3階");
  NmlDocument document;
  SaveSlot::writeHead(document, dated, kMarch7);
  EXPECT_EQ(std::tuple(std::string(SaveSlotList::line(0, true, &document).c_str()),
                       std::string(SaveSlotList::line(3, false, nullptr).c_str()),
                       std::string(SaveSlotList::line(12, true, nullptr).c_str())),
            std::tuple("0   2024/3/7    play    3時間07分 灰の坑道3階", "3   ------", "12  無効なファイル"));

  dated.addClearCount();
  dated.setHeadline("");
  SaveSlot::writeHead(document, dated, {2025, 12, 31, 23, 59});
  EXPECT_STREQ(SaveSlotList::line(9, true, &document).c_str(), "9   2025/12/31  play    3時間07分 ★");
}

// Variables of every kind, play time with its wraps, headline and log come
// back; a second save differs only in its head.
TEST_F(SaveSlotTest, SaveThenLoadRoundTrips) {
  GameData game;
  EXPECT_EQ(game.field()->currentSite(), database().findSite("オープニング"));
  game.playTime().set(Game::PlayTime::kWrap * 2 + 77);
  game.money() = -12;
  game.variables().integer("灰の坑道.到達階数") = 4;
  game.variables().createInteger("script.local", false, false);
  game.variables().integer("script.local") = 8;
  game.setBGMName("洞窟;{}");
  game.variables().flagOn("door.1");
  game.variables().flagOn("扉 の//旗");
  const char* texts[] = {"a;b", "{c}", "d}e{", "//f", " g h ", "表示 ソ能;", "x,y", "z"};
  for (const char* text : texts) {
    game.addLog(text);
  }
  game.addLog("");  // nothing to log
  game.addLog(nullptr);
  game.setHeadline("見出し;{}// 表");
  ASSERT_TRUE(saveAt(game, 3, kMarch7));

  std::unique_ptr<GameData> loaded(SaveSlot::load(3));
  ASSERT_TRUE(loaded);
  const Game::VariableTable& variables = loaded->variables();
  EXPECT_EQ(std::tuple(loaded->playTime().low(), loaded->playTime().high(), loaded->money(),
                       variables.getInteger("灰の坑道.到達階数"), variables.getInteger("script.local"),
                       std::string(loaded->bgmName()), variables.isFlagOn("扉 の//旗"), variables.flagCount(),
                       std::string(loaded->headline())),
            std::tuple(77, 2, -12, 4, 8, "洞窟;{}", true, 2, "見出し;{}// 表"));
  std::vector<std::string> log;
  for (const auto& line : loaded->log()) log.emplace_back(line.c_str());
  EXPECT_EQ(log, std::vector<std::string>(std::begin(texts), std::end(texts)));
  EXPECT_EQ(static_cast<Game::FieldScene*>(loaded->field())->resumes(), 1);
  EXPECT_EQ(body(*loaded), body(game));

  NmlDocument first;
  NmlDocument second;
  ASSERT_TRUE(SaveSlot::read(first, 3));
  ASSERT_TRUE(saveAt(*loaded, 4, {2030, 1, 2, 3, 4}));
  ASSERT_TRUE(SaveSlot::read(second, 4));
  const std::string a = GameTestSupport::compactText(first);
  const std::string b = GameTestSupport::compactText(second);
  EXPECT_EQ(a.substr(a.find("system{")), b.substr(b.find("system{")));
  ASSERT_TRUE(SaveSlot::save(game, 255) && SaveSlot::read(second, 255));  // from 255 unpacked
  EXPECT_EQ(fs().contents("savedata/255.sav")->at(5), 'y');  // plain and compact: "head{year"
  // The headline and the tune are cut at their first comma.
  game.setHeadline("地下,三階,奥");
  game.variables().setString("BGM", "a,b");
  ASSERT_TRUE(saveAt(game, 0, kMarch7));
  loaded.reset(SaveSlot::load(0));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(std::tuple(std::string(loaded->headline()), std::string(loaded->bgmName())), std::tuple("地下", "a"));
}

// A cleared game starts again at the opening: inheritable integers and the
// play time stay, the rest is new.
TEST_F(SaveSlotTest, AClearedGameLoadsIntoANewCycle) {
  GameData game;
  game.playTime().set(5000);
  game.variables().integer("clear") = 1;
  game.variables().integer("clearCount") = 2;
  game.money() = 900;
  game.variables().flagOn("boss");
  game.addLog("entry");
  game.setField(nullptr);
  game.party().recruit(*database().findShell("Kessa"));
  ASSERT_TRUE(saveAt(game, 6, kMarch7));
  std::unique_ptr<GameData> loaded(SaveSlot::load(6));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(std::tuple(loaded->clearCount(), loaded->variables().getInteger("clear"), loaded->money(),
                       loaded->variables().flagCount(), loaded->log().size(), loaded->playTime().low()),
            std::tuple(3, 0, 0, 0, 0u, 5000));
  // The roster starts its next cycle; nobody travels yet.
  EXPECT_EQ(std::tuple(loaded->party().rosterCount(), loaded->party().members().count()), std::tuple(1, 0));
  ASSERT_TRUE(loaded->field());
  EXPECT_EQ(std::tuple(loaded->field()->currentSite(), static_cast<Game::FieldScene*>(loaded->field())->resumes()),
            std::tuple(database().findSite("オープニング"), 0));
}

// The file is replaced only once the new one is whole: a write refused, cut
// short or never put in place leaves the old save byte for byte, the caller
// is told and the log names the file. A failed save never ends the game.
TEST_F(SaveSlotTest, AFailedSaveIsReportedAndKeepsTheOldSave) {
  GameData game;
  game.money() = 111;
  ASSERT_TRUE(saveAt(game, 2, kMarch7));
  const auto old = fs().contents("savedata/2.sav");
  ASSERT_TRUE(old);
  game.money() = 222;

  const std::string refused = "FileIO : can't open file! ( savedata/2.sav )\n";
  const std::string cutShort = "FileIO : write error! can't write entire file! ( savedata/2.sav )\n";
  // Kind 0 cannot open, 1 fills the disk, 2 is not put in place; -1 writes.
  const auto inject = [this](int kind) {
    fs().failOpenWrite(kind == 0);
    fs().failWritesAfter(kind == 1 ? 8 : SIZE_MAX);
    fs().failCommit(kind == 2);
  };
  for (const int kind : {0, 1, 2}) {
    SCOPED_TRACE(kind);
    debugLines().clear();
    inject(kind);
    EXPECT_FALSE(SaveSlot::save(game, 2));
    inject(-1);
    EXPECT_EQ(debugLines(), std::vector<std::string>{kind == 0 ? refused : cutShort});
    EXPECT_EQ(fs().contents("savedata/2.sav"), old);
    std::unique_ptr<GameData> loaded(SaveSlot::load(2));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->money(), 111);
  }
  EXPECT_TRUE(SaveSlot::save(game, 2));
  // Saves that cannot be read list as invalid and name themselves: one gone between the look and the read,
  // one over the read limit (one at it is read), a FIFO.
  fs().vanishOnRead("savedata/2.sav");
  fs().putUnopenable("savedata/5.sav");
  fs().put("savedata/3.sav", std::vector<Engine::u8>(Engine::FileIO::kDiskFileLimit + 1));
  fs().put("savedata/4.sav", std::vector<Engine::u8>(Engine::FileIO::kDiskFileLimit));
  debugLines().clear();
  SaveSlotList list;
  list.build();
  const std::string unreadable = ": the file cannot be read (gone, not a regular file, or over 16 MiB)\n";
  EXPECT_EQ(debugLines(), (std::vector<std::string>{"savedata/2.sav" + unreadable, "savedata/3.sav" + unreadable,
                                                     "savedata/4.sav: the text is cut or holds a zero byte\n",
                                                     "savedata/5.sav" + unreadable}));
  EXPECT_EQ(std::tuple(list.row(2).exists, list.row(2).valid, list.row(3).valid, list.row(5).exists),
            std::tuple(true, false, false, true));
}

using Engine::i32;
using Game::SaveSlotMenu;
using Platform::Key;

// The slot menu over the fake file system, one frame at a time.
class SaveSlotMenuTest : public GameTestSupport::KeyedGameTest {
 protected:
  // The cursor a menu of another test remembered is not this test's.
  void SetUp() override {
    KeyedGameTest::SetUp();
    SaveSlotList::forgetCursor();
  }
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

// The cursor starts on the newest save, the lower slot of a tie. A headline
// too long for the panel is cut, never inside a character.
TEST_F(SaveSlotMenuTest, TheCursorStartsOnTheNewestSaveAndALongHeadlineIsCut) {
  GameData game;
  ASSERT_TRUE(saveAt(game, 9, {2024, 3, 7, 10, 5}));
  ASSERT_TRUE(saveAt(game, 4, {2024, 3, 7, 10, 5}));
  ASSERT_TRUE(saveAt(game, 2, {2024, 3, 7, 10, 4}));
  fs().put("savedata/1.sav", "not a save");
  std::string headline;
  for (int i = 0; i < 40; ++i) headline += "坑";
  game.setHeadline(headline.c_str());
  ASSERT_TRUE(saveAt(game, 0, {2024, 3, 7, 10, 3}));
  SaveSlotMenu menu(nullptr);
  // The line formats: ListLines.
  EXPECT_EQ(std::tuple(menu.menu().itemCount(), menu.menu().cursor(), rowText(menu, 1)),
            std::tuple(SaveSlot::kCount, 4, "1   無効なファイル"));
  const std::string row = rowText(menu, 0);
  EXPECT_EQ(std::tuple(row.size(), row.substr(34)), std::tuple(64u, headline.substr(0, 30)));
  // Every slot menu of the run comes back to the remembered slot.
  SaveSlotList::rememberCursor(9);
  SaveSlotMenu again(&game);
  EXPECT_EQ(again.menu().cursor(), 9);
}

// Saving writes the slot, shows its new line and keeps the menu open on it.
TEST_F(SaveSlotMenuTest, SavingStaysOpenOnTheSavedSlot) {
  GameData game;
  game.setHeadline("灰の坑道3階");
  SaveSlotMenu menu(&game);
  open(menu);
  moveTo(menu, 3);
  EXPECT_EQ(frame(menu, {kDecide}), SaveSlotMenu::kRunning);
  EXPECT_EQ(std::tuple(SaveSlot::exists(3), rowText(menu, 3).find("灰の坑道3階") != std::string::npos,
                       menu.menu().cursor(), menu.takeGame()),
            std::tuple(true, true, 3, nullptr));
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
  EXPECT_EQ(std::tuple(std::string(loaded->headline()), menu.takeGame()), std::tuple("saved", nullptr));
}

}  // namespace
