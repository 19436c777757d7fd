#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/game/GameData.h"
#include "core/game/SaveSlot.h"
#include "core/game/SaveSlotList.h"
#include "field/FieldScene.h"
#include "file/FileLoader.h"
#include "file/SaveCodec.h"
#include "file/nml/NmlDocument.h"
#include "tests/core/game/GameFixture.h"

namespace {

using Game::GameData;
using Game::NmlDocument;
using Game::SaveSlotList;
using Game::String;
using Game::SaveCheck::SaveTime;
namespace SaveSlot = Game::SaveSlot;

constexpr SaveTime kMarch7{2024, 3, 7, 10, 5};

class SaveSlotTest : public GameTestSupport::GameTest {
 protected:
  void TearDown() override {
    SaveSlotList::forgetCursor();
    GameTest::TearDown();
  }

  static bool saveAt(const GameData& game, int slot, const SaveTime& time) {
    NmlDocument document;
    SaveSlot::writeHead(document, game, time);
    return SaveSlot::write(document, slot);
  }
  static std::string compact(const NmlDocument& document) {
    String text;
    document.toString(text, false);
    return text.c_str();
  }
  // The document a save of the game would write, without its head.
  static std::string body(const GameData& game) {
    NmlDocument document;
    game.write(document);
    return compact(document);
  }
};

TEST_F(SaveSlotTest, PathsAndMissingSlots) {
  EXPECT_STREQ(SaveSlot::path(0).c_str(), "savedata/0.sav");
  EXPECT_STREQ(SaveSlot::path(23).c_str(), "savedata/23.sav");
  EXPECT_FALSE(SaveSlot::anyExists());
  NmlDocument document;
  EXPECT_FALSE(SaveSlot::read(document, 4));
  EXPECT_EQ(SaveSlot::load(4), nullptr);
  GameData game;
  ASSERT_TRUE(SaveSlot::save(game, 23));
  EXPECT_TRUE(SaveSlot::anyExists());
  EXPECT_TRUE(SaveSlot::exists(23));
}

// The payload is the compact text and its terminating zero.
TEST_F(SaveSlotTest, TheFileIsThePackedCompactText) {
  GameData game;
  ASSERT_TRUE(saveAt(game, 1, kMarch7));
  const auto packed = fs().contents("savedata/1.sav");
  ASSERT_TRUE(packed);
  const int size = static_cast<int>(packed->size());
  std::vector<Engine::u8> payload(static_cast<std::size_t>(Game::SaveCodec::unpackCapacity(size)));
  const int n = Game::SaveCodec::unpack(payload.data(), static_cast<int>(payload.size()), packed->data(), size);
  ASSERT_GT(n, 0);
  EXPECT_EQ(payload[static_cast<std::size_t>(n - 1)], 0);
  const std::string text(reinterpret_cast<const char*>(payload.data()));
  EXPECT_EQ(static_cast<int>(text.size()), n - 1);
  EXPECT_EQ(text.rfind("head{year 2024;month 3;day 7;hour 10;minute 5;version 0;}system{count 0,0;", 0), 0u);
}

TEST_F(SaveSlotTest, ListLines) {
  GameData game;
  game.playTime().set(216000 * 3 + 3600 * 7);
  game.setHeadline("灰の坑道3階");
  NmlDocument document;
  SaveSlot::writeHead(document, game, kMarch7);
  EXPECT_STREQ(SaveSlotList::line(0, true, &document).c_str(), "0   2024/3/7    play    3時間07分 灰の坑道3階");
  EXPECT_STREQ(SaveSlotList::line(3, false, nullptr).c_str(), "3   ------");
  EXPECT_STREQ(SaveSlotList::line(12, true, nullptr).c_str(), "12  無効なファイル");

  game.addClearCount();
  game.setHeadline("");
  SaveSlot::writeHead(document, game, {2025, 12, 31, 23, 59});
  EXPECT_STREQ(SaveSlotList::line(9, true, &document).c_str(), "9   2025/12/31  play    3時間07分 ★");
}

// Same minute: the lower slot is the newest; the cursor remembers its slot.
TEST_F(SaveSlotTest, TheNewestSlotAndTheCursor) {
  GameData game;
  SaveSlotList list;
  list.build();
  EXPECT_EQ(list.newestSlot(), 0);
  ASSERT_TRUE(saveAt(game, 7, {2024, 3, 7, 10, 4}));
  ASSERT_TRUE(saveAt(game, 5, kMarch7));
  ASSERT_TRUE(saveAt(game, 2, kMarch7));
  fs().put("savedata/1.sav", "not a save");
  list.build();
  EXPECT_EQ(list.newestSlot(), 2);
  EXPECT_TRUE(list.row(7).valid);
  EXPECT_TRUE(list.row(1).exists);
  EXPECT_FALSE(list.row(1).valid);
  EXPECT_STREQ(list.row(1).text.c_str(), "1   無効なファイル");
  EXPECT_STREQ(list.row(0).text.c_str(), "0   ------");
  EXPECT_EQ(list.placeCursor(), 2);
  SaveSlotList::rememberCursor(7);
  EXPECT_EQ(list.placeCursor(), 7);
}

// Variables of every kind, play time with its wraps, headline and log come
// back; a second save differs only in its head.
TEST_F(SaveSlotTest, SaveThenLoadRoundTrips) {
  GameData game;
  game.playTime().set(Game::PlayTime::kWrap * 2 + 77);
  game.money() = -12;
  game.variables().integer("灰の坑道.到達階数") = 4;
  game.variables().createInteger("script.local", false, false);
  game.variables().integer("script.local") = 8;
  game.setBGMName("洞窟;{}");
  game.variables().flagOn("door.1");
  game.variables().flagOn("扉 の//旗");
  const char* texts[] = {"a;b", "{c}", "d}e{", "//f", " g h ", "表示 ソ能;", "x,y"};
  for (const char* text : texts) {
    game.addLog(text);
  }
  game.setHeadline("見出し;{}// 表");
  ASSERT_TRUE(saveAt(game, 3, kMarch7));

  std::unique_ptr<GameData> loaded(SaveSlot::load(3));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->playTime().low(), 77);
  EXPECT_EQ(loaded->playTime().high(), 2);
  EXPECT_EQ(loaded->money(), -12);
  EXPECT_EQ(loaded->variables().getInteger("灰の坑道.到達階数"), 4);
  EXPECT_EQ(loaded->variables().getInteger("script.local"), 8);
  EXPECT_STREQ(loaded->bgmName(), "洞窟;{}");
  EXPECT_TRUE(loaded->variables().isFlagOn("扉 の//旗"));
  EXPECT_EQ(loaded->variables().flagCount(), 2);
  EXPECT_STREQ(loaded->headline(), "見出し;{}// 表");
  ASSERT_EQ(loaded->log().size(), std::size(texts));
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    EXPECT_STREQ(loaded->log()[i].c_str(), texts[i]);
  }
  EXPECT_EQ(loaded->field()->resumes(), 1);
  EXPECT_EQ(body(*loaded), body(game));

  NmlDocument first;
  NmlDocument second;
  ASSERT_TRUE(SaveSlot::read(first, 3));
  ASSERT_TRUE(saveAt(*loaded, 4, {2030, 1, 2, 3, 4}));
  ASSERT_TRUE(SaveSlot::read(second, 4));
  const std::string a = compact(first);
  const std::string b = compact(second);
  EXPECT_EQ(a.substr(a.find("system{")), b.substr(b.find("system{")));
}

TEST_F(SaveSlotTest, TheHeadlineIsCutAtItsFirstComma) {
  GameData game;
  game.setHeadline("地下,三階,奥");
  game.variables().setString("BGM", "a,b");
  ASSERT_TRUE(saveAt(game, 0, kMarch7));
  std::unique_ptr<GameData> loaded(SaveSlot::load(0));
  ASSERT_TRUE(loaded);
  EXPECT_STREQ(loaded->headline(), "地下");
  EXPECT_STREQ(loaded->bgmName(), "a");
  SaveSlotList list;
  list.build();
  EXPECT_EQ(std::string(list.row(0).text.c_str()).substr(34), "地下");
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
  EXPECT_EQ(loaded->clearCount(), 3);
  EXPECT_EQ(loaded->variables().getInteger("clear"), 0);
  EXPECT_EQ(loaded->money(), 0);
  EXPECT_EQ(loaded->variables().flagCount(), 0);
  EXPECT_TRUE(loaded->log().empty());
  EXPECT_EQ(loaded->playTime().low(), 5000);
  // The roster starts its next cycle; nobody travels yet.
  EXPECT_EQ(loaded->party().rosterCount(), 1);
  EXPECT_EQ(loaded->party().members().count(), 0);
  ASSERT_TRUE(loaded->field());
  EXPECT_EQ(loaded->field()->currentSite(), database().findSite("オープニング"));
  EXPECT_EQ(loaded->field()->resumes(), 0);
}

// The file is replaced only once the new one is whole: a write refused, cut
// short or never put in place leaves the old save byte for byte, the caller
// is told and the log names the file. With the program's file manager, which
// stops on a load error, a failed save still never ends the game.
TEST_F(SaveSlotTest, AFailedSaveIsReportedAndKeepsTheOldSave) {
  Game::FileLoader::destroy();
  Engine::FileIO::ManagerImpl::destroy();
  Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, {});
  Game::FileLoader::create();

  GameData game;
  game.money() = 111;
  ASSERT_TRUE(saveAt(game, 2, kMarch7));
  const auto old = fs().contents("savedata/2.sav");
  ASSERT_TRUE(old);
  game.money() = 222;

  const std::string refused = "FileIO : can't open file! ( savedata/2.sav )\n";
  const std::string cutShort = "FileIO : write error! can't write entire file! ( savedata/2.sav )\n";
  struct Case {
    const char* name;
    void (*inject)(PlatformFake::FakeFileSystem&, bool on);
    const std::string& line;
  };
  const Case cases[] = {
      {"cannot open", [](PlatformFake::FakeFileSystem& f, bool on) { f.failOpenWrite(on); }, refused},
      {"disk full", [](PlatformFake::FakeFileSystem& f, bool on) { f.failWritesAfter(on ? 8 : SIZE_MAX); }, cutShort},
      {"not put in place", [](PlatformFake::FakeFileSystem& f, bool on) { f.failCommit(on); }, cutShort},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    debugLines().clear();
    c.inject(fs(), true);
    EXPECT_FALSE(SaveSlot::save(game, 2));
    c.inject(fs(), false);
    EXPECT_EQ(debugLines(), std::vector<std::string>{c.line});
    EXPECT_EQ(fs().contents("savedata/2.sav"), old);
    std::unique_ptr<GameData> loaded(SaveSlot::load(2));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->money(), 111);
  }
  EXPECT_TRUE(SaveSlot::save(game, 2));
}

TEST_F(SaveSlotTest, ANewGameStartsAtTheOpening) {
  GameData game;
  ASSERT_TRUE(game.field());
  EXPECT_EQ(game.field()->currentSite(), database().findSite("オープニング"));
  EXPECT_EQ(game.party().rosterCount(), 0);
  EXPECT_EQ(game.playTime().low(), 0);
}

}  // namespace
