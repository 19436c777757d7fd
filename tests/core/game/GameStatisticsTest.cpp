#include <cmath>

#include "field/FieldScene.h"
#include "tests/core/game/GameFixture.h"
#include "tests/core/game/GameHelpers.h"

namespace {

using Game::GameData;
using GameStatisticsTest = GameTestSupport::WithGame<GameTestSupport::GameTest>;

// Every statistic the code reads is declared by the sample data: none halts.
TEST_F(GameStatisticsTest, TheSampleDeclaresEveryVariableTheCodeReads) {
  game().addTotalFloorCount();
  game().addInvadeCount();
  game().addClearCount();
  game().addEscapeCount();
  game().addLoseCount();
  game().addWinCount();
  game().addBattleCount();
  game().addEncounter();
  game().resetEncounter();
  game().requestLoseEvent();
  EXPECT_TRUE(game().takeLoseEventRequest());
  EXPECT_FALSE(game().takeLoseEventRequest());
  game().floor() = game().stealth() = game().mapSeed() = game().battleResult() = game().answer() = 0;
  game().money() = 10;
  game().expendCurrentItem();
  game().setBGMName("field");
  EXPECT_TRUE(game().variables().isInheritable("clearCount"));
  for (int i = 0; i < database().siteCount(); ++i) EXPECT_FALSE(game().isSceneOpen(*database().siteAt(i)));
  EXPECT_EQ(game().totalFloorCount() + game().invadeCount() + game().clearCount() + game().loseCount() +
                game().winCount() + game().battleCount() + game().encounter(),
            6);
}

// The gain of a won battle lies in [1, 75] and shrinks below d = 0.
TEST_F(GameStatisticsTest, BattleProgressGainsShrinkWithTheBattlesStep) {
  for (int d : {3, 0, -1, -4}) {
    int most = 0;
    for (int i = 0; i < 400; ++i) {
      game().variables().integer("progress") = 0;
      game().addBattleProgress(d);
      const int gain = game().variables().getInteger("progress");
      ASSERT_GE(gain, 1);
      most = std::max(most, gain);
    }
    const int k = std::max(-d, 0);
    EXPECT_LE(most, static_cast<int>(100 * std::pow(0.75, k + 1) + 1)) << d;
  }
}

TEST_F(GameStatisticsTest, CountsStopAtTheLargestInteger) {
  game().variables().integer("battleCount") = 0x7FFFFFFF;
  game().addBattleCount();
  EXPECT_EQ(game().battleCount(), 0x7FFFFFFF);
}

TEST_F(GameStatisticsTest, FloorRecordsSetTheHeadlineAndReadWithinTheSitesFloors) {
  const Game::MapSiteData& mine = site("灰の坑道");
  game().floor() = 3;
  game().recordFloorReached(mine, 1);
  EXPECT_EQ(game().floorReached(mine), 4);
  EXPECT_STREQ(game().headline(), "灰の坑道3階");
  game().variables().integer("灰の坑道.到達階数") = 99;
  EXPECT_EQ(game().clampedFloorReached(mine), 4);
  game().variables().integer("灰の坑道.到達階数") = -3;
  EXPECT_EQ(game().clampedFloorReached(mine), 0);
}

// Two dungeons of 5 and 1 floors; the one shown counts at least the floor
// the field is on.
TEST_F(GameStatisticsTest, LevelEstimates) {
  game().variables().integer("灰の坑道.到達階数") = 4;
  game().variables().integer("沈黙の書庫.到達階数") = 1;
  EXPECT_FLOAT_EQ(game().averageFloorReached(), 2.5f);
  game().field()->changeScene(nullptr);  // off the floor, the change comes at once
  game().field()->changeScene(&site("沈黙の書庫"));
  game().floor() = 3;
  EXPECT_FLOAT_EQ(game().averageFloorReached(), 3.5f);
  game().addProgress(4000);
  EXPECT_FLOAT_EQ(game().progressLevel(), 0.4f);
  // The library's floor is drawn from a tile map: its level is the game's.
  EXPECT_FLOAT_EQ(game().currentLevel(), 0.4f);
  EXPECT_FLOAT_EQ(game().encounterLevel(), 0.3f);
  game().addClearCount();
  EXPECT_FLOAT_EQ(game().encounterLevel(), 0.4f);
  game().variables().integer("灰の坑道.到達階数") = 0;
  game().variables().integer("沈黙の書庫.到達階数") = 0;
  game().floor() = 0;
  EXPECT_FLOAT_EQ(game().progressLevel(), 0.0f);
  game().setField(nullptr);
  EXPECT_FLOAT_EQ(game().currentLevel(), 0.0f);
}

TEST_F(GameStatisticsTest, MaterialsBringGoodsOnSale) {
  EXPECT_FLOAT_EQ(GameData::materialChance(1), 1.0f / 401.0f);
  EXPECT_FLOAT_EQ(GameData::materialChance(10), 0.2f);
  EXPECT_FLOAT_EQ(GameData::materialChance(20), 0.5f);

  const Game::ToolData& herb = *database().findTool("薬草");
  const Game::ToolData& sword = *database().findTool("鋼の剣");
  EXPECT_TRUE(game().isOnSale(herb));  // no onSale variable: always
  game().addMaterial(herb);
  EXPECT_FALSE(game().variables().hasInteger("materials.薬草"));

  EXPECT_FALSE(game().isOnSale(sword));
  int added = 0;
  while (!game().isOnSale(sword) && added < 1000) {
    game().addMaterial(sword);
    ++added;
  }
  EXPECT_TRUE(game().isOnSale(sword));
  EXPECT_EQ(game().variables().getInteger("materials.鋼の剣"), added);
  ASSERT_EQ(game().messages().count(), 1);
  const auto* message = dynamic_cast<const Game::Widget::Text*>(game().messages().front()->item(0));
  ASSERT_NE(message, nullptr);
  EXPECT_STREQ(message->text.c_str(), "新しい品物が流通するようになった！");
  game().addMaterial(sword);
  EXPECT_EQ(game().variables().getInteger("materials.鋼の剣"), added);
}

TEST_F(GameStatisticsTest, UsingUpAnItemThatIsNotThereDoesNothing) {
  EXPECT_FALSE(game().expendTool(database().findTool("薬草")));
  game().variables().integer("currentItem") = 99;  // no such tool
  game().expendCurrentItem();
}

TEST_F(GameStatisticsTest, StatisticsLinesInScreenOrder) {
  game().money() = 1500;
  game().addLoseCount();
  std::vector<Game::String> lines;
  game().statisticsLines(0x7F, lines);
  std::vector<std::string> texts;
  for (const auto& line : lines) texts.emplace_back(line.c_str());
  const std::vector<std::string> expected = {
      "所持金　　    1500", "戦闘数　　       0", "勝利数　　       0", "全滅回数         1",
      "外出記録         0", "総踏破階数       0"};
  EXPECT_EQ(texts, expected);
  game().addClearCount();
  game().statisticsLines(GameData::kClearCount | GameData::kMoney, lines);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_STREQ(lines[1].c_str(), "クリア数　       1");
}

}  // namespace
