// Damaged and foreign save files: each lists as invalid, or loads whole into
// a game that saves and loads again unchanged. Nothing in them halts.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "Engine/FileIO/Compression.h"
#include "core/game/GameData.h"
#include "core/game/SaveSlot.h"
#include "core/game/SaveSlotList.h"
#include "file/FileSystem.h"
#include "file/SaveCodec.h"
#include "file/nml/NmlDocument.h"
#include "tests/core/game/GameFixture.h"

namespace {

using Engine::u8;
using Game::GameData;
using Game::NmlDocument;
using Game::String;
namespace SaveSlot = Game::SaveSlot;

constexpr int kSlot = 5;
constexpr int kCheckSlot = 6;

class SaveCorpusTest : public GameTestSupport::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    GameData game;
    game.playTime().set(123456);
    game.money() = 4321;
    game.variables().flagOn("door.open");
    game.addLog("入口;を通った");
    game.setHeadline("灰の坑道2階");
    NmlDocument document;
    SaveSlot::writeHead(document, game, {2024, 5, 6, 7, 8});
    String text;
    document.toString(text, false);
    mText = text.c_str();
    ASSERT_TRUE(SaveSlot::write(document, kSlot));
    mPacked = *fs().contents(SaveSlot::path(kSlot).c_str());
  }

  void putFile(const std::vector<u8>& bytes) { fs().put(SaveSlot::path(kSlot).c_str(), bytes); }
  // The text packed as a save's payload, with its terminating zero.
  void putPayload(const std::string& text) {
    ASSERT_TRUE(Game::FileSystem::writeFile(SaveSlot::path(kSlot).c_str(), text.c_str(),
                                            static_cast<Engine::i32>(text.size() + 1), true));
  }

  static std::string body(const GameData& game) {
    NmlDocument document;
    game.write(document);
    String text;
    document.toString(text, false);
    return text.c_str();
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
    EXPECT_TRUE(again);
    if (again) {
      EXPECT_EQ(body(*again), body(*game));
    }
    return true;
  }

  std::string replaced(const std::string& from, const std::string& to) const {
    std::string text = mText;
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
  }

  std::string mText;
  std::vector<u8> mPacked;
};

TEST_F(SaveCorpusTest, TheIntactFileLoads) {
  putFile(mPacked);
  EXPECT_TRUE(loadsConsistently());
}

TEST_F(SaveCorpusTest, EverySixteenthOfATruncatedFileIsInvalid) {
  for (int k = 0; k < 16; ++k) {
    SCOPED_TRACE(k);
    putFile(std::vector<u8>(mPacked.begin(), mPacked.begin() + static_cast<std::ptrdiff_t>(mPacked.size() * k / 16)));
    EXPECT_FALSE(loadsConsistently());
  }
}

TEST_F(SaveCorpusTest, BitFlipsAreRefusedOrLoadWhole) {
  for (std::size_t at = 0; at < mPacked.size(); ++at) {
    for (int bit : {0, 3, 7}) {
      SCOPED_TRACE(at);
      std::vector<u8> bytes = mPacked;
      bytes[at] = static_cast<u8>(bytes[at] ^ (1 << bit));
      putFile(bytes);
      loadsConsistently();
    }
  }
}

TEST_F(SaveCorpusTest, AWrongTrailerIsInvalid) {
  const std::string text = mText + '\0';
  for (int field = 0; field < Game::SaveCodec::kTrailerSize; ++field) {
    std::vector<u8> plain(text.begin(), text.end());
    u8 trailer[Game::SaveCodec::kTrailerSize];
    Game::SaveCodec::makeTrailer(trailer, plain.data(), static_cast<Engine::i32>(plain.size()));
    trailer[field] = static_cast<u8>(trailer[field] + 1);
    for (u8& byte : plain) {
      byte = static_cast<u8>(~byte);
    }
    plain.insert(plain.end(), trailer, trailer + Game::SaveCodec::kTrailerSize);
    std::vector<u8> file;
    Engine::FileIO::compress(file, nullptr, plain.data(), static_cast<Engine::u32>(plain.size()));
    putFile(file);
    EXPECT_FALSE(loadsConsistently()) << field;
  }
}

TEST_F(SaveCorpusTest, ValidPackingAroundDamagedText) {
  struct Case {
    std::string text;
    bool loads;
  };
  const std::vector<Case> cases = {
      {"", false},
      {"garbage without any shape", false},
      {mText.substr(0, mText.size() / 2), false},
      {mText + "}", false},
      {mText + "x{", false},
      {replaced("system{", "system{") + "junk{a 1;}extra 2;", true},
      {replaced("head{", "unknown{"), false},
      {replaced("flag{", "flags{"), false},
      {replaced("party{", "partie{"), false},
      {replaced("log{", "lg{"), false},
      {replaced("count 123456,0;", ""), false},
      {replaced("count 123456,0;", "count 123456;"), false},
      {replaced("count 123456,0;", "count -1,0;"), false},
      {replaced("count 123456,0;", "count 16777215,0;"), false},
      {replaced("count 123456,0;", "count 16777214,2147483647;"), true},
      {replaced("count 123456,0;", "count 99999999999,0;"), false},
      {replaced("money 4321;", "money 99999999999;"), false},
      {replaced("money 4321;", "money 2147483647;"), true},
      {replaced("money 4321;", "money -2147483648;"), true},
      {replaced("money 4321;", "money 12abc;"), false},
      {replaced("money 4321;", "money 1+2;"), false},
      {replaced("money 4321;", "money;"), false},
      {replaced("money 4321;", "unknownCount 2147483647;"), true},
      {replaced("battleCount 0;", "battleCount 2147483647;"), true},
      {replaced("floor 0;", "floor 2147483647;"), true},
      {replaced("currentItem 0;", "currentItem -5;"), true},
      {replaced("month 5;", "month 13;"), false},
      {replaced("year 2024;", "year 99999;"), false},
      {replaced("version 0;", "version 1;"), false},
      {replaced("minute 8;", ""), false},
      {replaced("boolean{", "boolean{stray 1,2;"), true},
      {replaced("clear 0;", "clear 1;"), true},
      {replaced("headline 灰の坑道2階;", ""), true},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    putPayload(cases[i].text);
    EXPECT_EQ(loadsConsistently(), cases[i].loads) << cases[i].text;
  }
}

// A zero byte inside the payload cuts the text: the file is damaged.
TEST_F(SaveCorpusTest, AZeroInsideThePayloadIsInvalid) {
  std::string text = mText + '\0' + "more";
  ASSERT_TRUE(Game::FileSystem::writeFile(SaveSlot::path(kSlot).c_str(), text.c_str(),
                                          static_cast<Engine::i32>(text.size() + 1), true));
  EXPECT_FALSE(loadsConsistently());
  ASSERT_TRUE(Game::FileSystem::writeFile(SaveSlot::path(kSlot).c_str(), mText.c_str(),
                                          static_cast<Engine::i32>(mText.size()), true));
  EXPECT_FALSE(loadsConsistently());
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
  putPayload(replaced("clear 0;", "clear 1;"));
  writeSeed("cleared_save", *fs().contents(SaveSlot::path(kSlot).c_str()));
  putPayload(replaced("money 4321;", "money 99999999999;"));
  writeSeed("huge_number", *fs().contents(SaveSlot::path(kSlot).c_str()));
  putPayload(mText.substr(0, mText.size() / 2));
  writeSeed("cut_text", *fs().contents(SaveSlot::path(kSlot).c_str()));
  writeSeed("truncated", std::vector<u8>(mPacked.begin(), mPacked.begin() + static_cast<std::ptrdiff_t>(mPacked.size() / 2)));
}

}  // namespace
