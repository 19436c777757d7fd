// Damaged and foreign save files: each lists as invalid, or loads whole into
// a game that saves and loads again unchanged. Nothing in them halts.

#include <cstdlib>
#include <fstream>
#include <memory>

#include "running/game/SaveSlotList.h"
#include "core/file/FileSystem.h"
#include "tests/running/game/GameFixture.h"
#include "tests/running/game/GameHelpers.h"

namespace {

using Engine::u8;
using Game::GameData;
namespace SaveSlot = Game::SaveSlot;

constexpr int kSlot = 5;
constexpr int kCheckSlot = 6;

using GameTestSupport::body;

class SaveCorpusTest : public GameTestSupport::GameTest {
 protected:
  // A save with two members with their gear and arts, and a bag of fresh and
  // worn items.
  void SetUp() override {
    GameTest::SetUp();
    GameData game;
    game.playTime().set(123456);
    game.money() = 4321;
    game.variables().flagOn("door.open");
    game.addLog("入口;を通った");
    game.setHeadline("灰の坑道2階");
    game.party().recruit(*database().findShell("Kessa"))->ghost->gainExperience(nullptr, 900, 40);
    game.party().recruit(*database().findShell("灯りのミオ"))->ghost->useEquipment(0);
    game.bag().add(Game::Article::fromItem(database().findTool("薬草")), 3);
    Game::Article worn;
    worn.set(database().findTool("鉄の剣"), 0.5f, 0.5f);
    game.bag().add(worn, 1);
    mBody = body(game);
    Game::NmlDocument document;
    SaveSlot::writeHead(document, game, {2024, 5, 6, 7, 8});
    mText = GameTestSupport::compactText(document);
    ASSERT_TRUE(SaveSlot::write(document, kSlot));
    mPacked = *fs().contents(SaveSlot::path(kSlot).c_str());
  }

  void putFile(const std::vector<u8>& bytes) { fs().put(SaveSlot::path(kSlot).c_str(), bytes); }
  // The text packed as a save's payload, with or without a terminating zero.
  void putPayload(const std::string& text, bool terminated = true) {
    ASSERT_TRUE(Game::FileSystem::writeFile(SaveSlot::path(kSlot).c_str(), text.c_str(),
                                            static_cast<Engine::i32>(text.size() + (terminated ? 1 : 0)), true));
  }

  // Whether the slot loads; a game that loads must save and load again to
  // the same body. The list line agrees with the load.
  bool loadsConsistently() {
    Game::SaveSlotList list;
    list.build();
    std::unique_ptr<GameData> game(SaveSlot::load(kSlot));
    EXPECT_EQ(list.row(kSlot).valid, game != nullptr);
    if (!game) {
      EXPECT_STREQ(list.row(kSlot).text.c_str(), "5   無効なファイル");
      return false;
    }
    EXPECT_TRUE(SaveSlot::save(*game, kCheckSlot));
    std::unique_ptr<GameData> again(SaveSlot::load(kCheckSlot));
    EXPECT_TRUE(again && body(*again) == body(*game));
    return true;
  }

  std::string replaced(const std::string& from, const std::string& to) const {
    std::string text = mText;
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
  }

  std::string mText;
  std::string mBody;
  std::vector<u8> mPacked;
};

TEST_F(SaveCorpusTest, TheIntactFileLoadsWholeAndEverySixteenthOfItTruncatedIsInvalid) {
  putFile(mPacked);
  ASSERT_TRUE(loadsConsistently());
  EXPECT_EQ(body(*std::unique_ptr<GameData>(SaveSlot::load(kSlot))), mBody);
  // Every sixteenth of it truncated is invalid.
  for (int k = 0; k < 16; ++k) {
    SCOPED_TRACE(k);
    putFile(std::vector<u8>(mPacked.begin(), mPacked.begin() + static_cast<std::ptrdiff_t>(mPacked.size() * k / 16)));
    EXPECT_FALSE(loadsConsistently());
  }
}

// Damaged text in valid packing. The party's and the bag's nodes are checked
// by their own rules (SaveNodeCheck): a row of each shows a check refuses the
// load; the rest is the file's own frame and records.
TEST_F(SaveCorpusTest, DamagedTextInValidPacking) {
  struct Case {
    std::string text;
    bool loads, terminated = true;
  };
  const Case cases[] = {
      {replaced("name 剣のケッサ;", "name Nobody;"), false},
      {replaced("member 剣のケッサ,0,0;", "member Nobody,0,0;"), false},
      {replaced("member 剣のケッサ,0,0;", "member 剣のケッサ,9,-4;"), true},
      {replaced("member 剣のケッサ,0,0;", ""), true},
      {replaced("experience 900;", "experience 2147483647;"), true},
      {replaced("tool 薬草;", "tool 無い草;"), false},
      {replaced("number 3;", "number 2147483647;"), true},
      {"", false},
      {mText + "}", false},
      {replaced("party{", "}party{"), false},  // a stray '}' fails the whole file, not only its rest
      {mText + "x{", false},
      {mText + '\0' + "more", false},  // a zero inside cuts the text
      {mText, false, false},
      {mText + "junk{a 1;}extra 2;", true},
      {replaced("head{", "unknown{"), false},
      {replaced("flag{", "flags{"), false},
      {replaced("party{", "partie{"), false},
      {replaced("log{", "lg{"), false},
      {replaced("count 123456,0;", ""), false},
      {replaced("count 123456,0;", "count 123456;"), false},
      {replaced("count 123456,0;", "count -1,0;"), false},
      {replaced("count 123456,0;", "count 16777215,0;"), false},
      {replaced("count 123456,0;", "count 16777214,2147483647;"), true},
      {replaced("money 4321;", "money 99999999999;"), false},
      {replaced("money 4321;", "money 2147483647;"), true},
      {replaced("money 4321;", "money -2147483648;"), true},
      {replaced("money 4321;", "money 12abc;"), false},
      {replaced("money 4321;", "money;"), false},
      {replaced("money 4321;", "unknownCount 2147483647;"), true},
      {replaced("battleCount 0;", "battleCount 2147483647;"), true},
      {replaced("currentItem 0;", "currentItem -5;"), true},
      {replaced("month 5;", "month 13;"), false},
      {replaced("year 2024;", "year 99999;"), false},
      {replaced("version 0;", "version 1;"), false},
      {replaced("minute 8;", ""), false},
      {replaced("boolean{", "boolean{stray 1,2;"), true},
      {replaced("clear 0;", "clear 1;"), true},
      {replaced("headline 灰の坑道2階;", ""), true},
      // Names that become paths: five steps up from the floor or chara folder
      // reach a file beside the game's folder.
      {replaced("file hall;", "file ../../../../../outside;"), false},
      {replaced("symbol ;", "symbol ../../../../../outside;"), false},
      {replaced("symbol ;", "symbol 無い;"), false},
      {replaced("symbol ;", "symbol 管;"), false},  // a FIFO
      {replaced("symbol ;", "symbol 棚;"), false},  // a directory
      {replaced("symbol ;", "symbol ソ;"), true},  // 83 5C: a letter, not a '\'
  };
  fs().put("../outside.txt", "fmf hall; file ソ;");
  fs().put("src/picture/symbol/chara/ソ.txt", "file ソ;");
  fs().put("src/picture/symbol/ソ.txt", "");
  fs().putUnopenable("src/picture/symbol/chara/管.txt");
  fs().makeDirectories("src/picture/symbol/chara/棚.txt");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    putPayload(c.text, c.terminated);
    EXPECT_EQ(loadsConsistently(), c.loads);
  }
  for (const std::string& opened : fs().openedForReading()) {
    EXPECT_NE(opened.rfind("../", 0), 0u) << opened;
  }
}

TEST_F(SaveCorpusTest, BitFlipsAreRefusedOrLoadWhole) {
  for (std::size_t at = 0; at < mPacked.size(); ++at) {
    SCOPED_TRACE(at);
    for (int bit : {0, 3, 7}) {
      std::vector<u8> bytes = mPacked;
      bytes[at] = static_cast<u8>(bytes[at] ^ (1 << bit));
      putFile(bytes);
      loadsConsistently();
    }
  }
}

// With MARROWDEEP_WRITE_SAVE_SEEDS set to a directory, writes real saves
// there for the fuzz harness's corpus.
TEST_F(SaveCorpusTest, WritesSeedsWhenAsked) {
  const char* directory = std::getenv("MARROWDEEP_WRITE_SAVE_SEEDS");
  if (!directory) {
    GTEST_SKIP();
  }
  const auto writeSeed = [&](const std::string& name, const std::vector<u8>& bytes) {
    std::ofstream(std::string(directory) + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  };
  writeSeed("save", mPacked);
  writeSeed("truncated", std::vector<u8>(mPacked.begin(), mPacked.begin() + static_cast<std::ptrdiff_t>(mPacked.size() / 2)));
  const std::pair<const char*, std::string> payloads[] = {
      {"twice_a_member", replaced("member 剣のケッサ,0,0;", "member 剣のケッサ,0,0;member 剣のケッサ,1,1;")},
      {"cleared_save", replaced("clear 0;", "clear 1;")},
      {"huge_number", replaced("money 4321;", "money 99999999999;")},
      {"cut_text", mText.substr(0, mText.size() / 2)}};
  for (const auto& [name, text] : payloads) {
    putPayload(text);
    writeSeed(name, *fs().contents(SaveSlot::path(kSlot).c_str()));
  }
}

}  // namespace
