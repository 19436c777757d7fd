#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "file/nml/NmlDocument.h"
#include "presentation/widget/MessageWindow.h"
#include "resource/Database.h"
#include "tests/script/ScriptFixture.h"

namespace {

using Engine::i32;
using Game::Script;
using ScriptTestSupport::ScriptTest;

constexpr const char* kOpeningFloor = "src/data/map/opening/hall.txt";

class SampleScriptsTest : public ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    GameTestSupport::putSampleFiles(fs(), "src/data/script");
  }

  // Runs the script to its end as its scene would, tapping decide every
  // fourth frame; the texts the talk window showed, in order.
  std::vector<std::string> runToEnd(i32* result) {
    std::vector<std::string> shown;
    *result = Script::kRunning;
    for (i32 i = 0; i < 2000 && *result == Script::kRunning; ++i) {
      *result = i % 4 == 0 ? frame({kDecide}) : frame();
      const Game::String& text = game().messageWindow().box().text();
      if (text.c_str() && *text.c_str() && (shown.empty() || shown.back() != text.c_str())) {
        shown.emplace_back(text.c_str());
      }
    }
    return shown;
  }
  std::vector<std::string> runOpening(i32* result) {
    Game::NmlDocument floor;
    floor.load(kOpeningFloor);
    EXPECT_EQ(floor.countChildren("start"), 1);
    mScript.load(*floor.findChild("start"), game(), kOpeningFloor);
    return runToEnd(result);
  }
  static void expectOpeningsParty(const Game::GameData& game) {
    ASSERT_EQ(game.party().members().count(), 1);
    EXPECT_STREQ(game.party().members().memberAt(0).getName(), "Kessa");
    EXPECT_EQ(game.party().rosterCount(), 1);
    EXPECT_EQ(game.bag().countItem(Game::Database::instance()->findTool("薬草")), 1);
    EXPECT_EQ(game.bag().count(), 1);
  }
  static void expectOpeningsRecords(const Game::GameData& game) {
    const Game::VariableTable& variables = game.variables();
    EXPECT_EQ(variables.getInteger("progress"), 1);
    EXPECT_EQ(variables.getInteger("invadeCount"), 1);
    EXPECT_EQ(variables.getInteger("灰の坑道.出現"), 1);
    EXPECT_EQ(variables.getInteger("沈黙の書庫.出現"), 0);
    EXPECT_TRUE(variables.isFlagOn("開幕"));
    EXPECT_STREQ(game.headline(), "始まりの広間");
  }
  static bool contains(const std::vector<std::string>& shown, const char* text) {
    for (const std::string& line : shown) {
      if (line.find(text) != std::string::npos) return true;
    }
    return false;
  }
};

// A new game's opening, decided through, leaves a party of the lead, a herb
// in the bag and the first records; saving and loading that game keeps them.
TEST_F(SampleScriptsTest, TheOpeningRunsToItsEndAndItsGameOutlivesASaveAndLoad) {
  game().variables().flagOn("休憩中");
  game().stealth() = 5;
  i32 result = Script::kRunning;
  const std::vector<std::string> shown = runOpening(&result);
  ASSERT_EQ(result, Script::kFinished);
  for (const char* line : {"ここが始まりの広間。", "奥の扉から坑道へ下りられる。", "行こう。"}) {
    EXPECT_TRUE(contains(shown, line)) << line;
  }
  EXPECT_FALSE(contains(shown, "もう少し休もう。"));  // decide answered yes
  EXPECT_EQ(integer("answer"), 0);
  // From the common floor script it ran.
  EXPECT_FALSE(game().variables().isFlagOn("休憩中"));
  EXPECT_EQ(integer("stealth"), 0);
  EXPECT_STREQ(game().bgmName(), "自宅");
  EXPECT_EQ(game().messages().count(), 0);
  EXPECT_EQ(game().messageWindow().queuedLines(), 0);
  expectOpeningsParty(game());
  expectOpeningsRecords(game());

  Game::NmlDocument saved;
  game().write(saved);
  mScript.clear();
  mVariables.reset();
  mGame.reset();
  Game::GameData loaded(saved);
  expectOpeningsParty(loaded);
  expectOpeningsRecords(loaded);
}

// Every sample script reads and resolves its names.
TEST_F(SampleScriptsTest, EverySampleScriptLoadsAndRuns) {
  const char* paths[] = {"src/data/script/continue.txt", "src/data/script/shop.txt",
                         "src/data/script/battle.txt", "src/data/map/common.txt",
                         "src/data/script/item/薬草.txt"};
  for (const char* path : paths) {
    SCOPED_TRACE(path);
    ASSERT_GT(mScript.loadFromPath(path, game()), 0);
    for (i32 i = 0; i < mScript.commandCount(); ++i) {
      EXPECT_NE(mScript.command(i), nullptr) << "command " << i;
    }
  }
  mScript.loadFromPath("src/data/script/item/薬草.txt", game());
  i32 result = Script::kRunning;
  runToEnd(&result);
  EXPECT_EQ(result, Script::kFinished);
}

}  // namespace
