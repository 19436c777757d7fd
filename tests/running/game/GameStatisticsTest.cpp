// What a running game shows besides its scenes: the message windows with
// the acquisition notice, the record lines and the variable dump.

#include <limits>
#include <tuple>

#include "running/game/VariableDumpMenu.h"
#include "records/database/ToolData.h"
#include "tests/presentation/widget/MenuRows.h"
#include "tests/running/game/GameFixture.h"
#include "tests/running/game/GameHelpers.h"
#include "tests/running/game/KeyedGameFixture.h"

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
  // Using up an item that is not there does nothing.
  EXPECT_FALSE(game().expendTool(database().findTool("薬草")));
  game().variables().integer("currentItem") = 99;  // no such tool
  game().expendCurrentItem();
  game().setBGMName("field");
  EXPECT_TRUE(game().variables().isInheritable("clearCount"));
  for (int i = 0; i < database().siteCount(); ++i) {
    EXPECT_FALSE(game().isSceneOpen(*database().siteAt(i)));
  }
  EXPECT_EQ(game().totalFloorCount() + game().invadeCount() + game().clearCount() + game().loseCount() +
                game().winCount() + game().battleCount() + game().encounter(),
            6);
}

// The gain of a won battle is 1 + 100 * 0.75^(k+1) * r^3 with k = max(-d, 0):
// at most 75, 57 at d = -1, 24 at d = -4; 400 draws come within 10% of it.
TEST_F(GameStatisticsTest, BattleProgressGainsShrinkWithTheStepAndCountsAndProgressStayInRange) {
  const std::tuple<int, int, int> cases[] = {{3, 68, 75}, {0, 68, 75}, {-1, 51, 57}, {-4, 22, 24}};
  for (const auto& [d, least, most] : cases) {
    int largest = 0;
    for (int i = 0; i < 400; ++i) {
      game().variables().integer("progress") = 0;
      game().addBattleProgress(d);
      const int gain = game().variables().getInteger("progress");
      ASSERT_GE(gain, 1);
      largest = std::max(largest, gain);
    }
    EXPECT_TRUE(largest >= least && largest <= most) << d << ": " << largest;
  }
  // Counts stop at the largest integer; progress stays within 0 to 10000.
  game().variables().integer("battleCount") = 0x7FFFFFFF;
  game().addBattleCount();
  EXPECT_EQ(game().battleCount(), 0x7FFFFFFF);
  for (const auto& [before, delta, after] : {std::tuple{0, 20000, 10000}, {3, -5, 0}, {9990, 0x7FFFFFFF, 10000},
                                             {10, -0x7FFFFFFF - 1, 0}, {10, 5, 15}}) {
    game().variables().integer("progress") = before;
    game().addProgress(delta);
    EXPECT_EQ(game().variables().getInteger("progress"), after) << before << " " << delta;
  }
}

TEST_F(GameStatisticsTest, FloorRecordsAndLevelEstimates) {
  const Game::MapSiteData& mine = site("灰の坑道");
  game().floor() = 3;
  game().recordFloorReached(mine, 1);
  EXPECT_EQ(std::tuple(game().floorReached(mine), std::string(game().headline())), std::tuple(4, "灰の坑道3階"));
  // A record only rises, and stops at the largest floor.
  constexpr int kMax = std::numeric_limits<int>::max();
  for (const auto& [floor, record, delta, after] : {std::tuple{4, 6, 0, 6}, {7, 6, 0, 7}, {kMax, 0, 9, kMax}}) {
    game().floor() = floor;
    game().variables().integer("灰の坑道.到達階数") = record;
    game().recordFloorReached(mine, delta);
    EXPECT_EQ(game().floorReached(mine), after) << floor << " " << record;
  }
  game().variables().integer("灰の坑道.到達階数") = 99;
  EXPECT_EQ(game().clampedFloorReached(mine), 4);
  game().variables().integer("灰の坑道.到達階数") = -3;
  EXPECT_EQ(game().clampedFloorReached(mine), 0);
  // Two dungeons of 5 and 1 floors; the one shown counts at least the floor
  // the field is on.
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

TEST_F(GameStatisticsTest, MaterialsBringGoodsOnSaleAndTheStatisticsLinesFollowTheMask) {
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
  EXPECT_EQ(std::tuple(game().isOnSale(sword), game().variables().getInteger("materials.鋼の剣")),
            std::tuple(true, added));
  ASSERT_EQ(game().messages().count(), 1);
  const auto* message = dynamic_cast<const Game::Widget::Text*>(game().messages().front()->item(0));
  ASSERT_NE(message, nullptr);
  EXPECT_STREQ(message->text.c_str(), "新しい品物が流通するようになった！");
  game().addMaterial(sword);
  EXPECT_EQ(game().variables().getInteger("materials.鋼の剣"), added);
  // The statistics lines the mask asks for, in screen order (the smoke
  // golden camp.png shows the camp's six).
  game().addClearCount();
  std::vector<Game::String> lines;
  game().statisticsLines(GameData::kClearCount | GameData::kMoney, lines);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_STREQ(lines[1].c_str(), "クリア数　       1");
}

using Engine::i32;

class GameMessagesTest : public GameTestSupport::WithGame<GameTestSupport::KeyedGameTest> {
 protected:
  static std::vector<std::string> rows(const Game::ListMenu& menu) { return WidgetTest::menuRows(menu); }
  // Steps until the queue is empty; the number of steps, or -1 past limit.
  int stepsUntilNoMessage(std::initializer_list<Platform::Key> held, int limit) {
    for (int i = 1; i <= limit; ++i) {
      step(held);
      if (game().updateMessages()) {
        return i;
      }
    }
    return -1;
  }
};

// Gains reach the game as their window is posted: money on "money", items
// into the bag; the notice is then empty and its heading gone.
TEST_F(GameMessagesTest, TheNoticeBecomesOneWindowAndDeliversTheGainsUpToTheLargestAmount) {
  const Game::ToolData* herb = database().findTool("薬草");
  ASSERT_NE(herb, nullptr);
  game().money() = 30;
  Game::AcquisitionNotice& notice = game().notice();
  notice.setSource("宝箱を開けた");
  notice.addMoney(120);
  notice.addItem(herb);
  notice.addItem(nullptr);
  notice.addItem(herb);
  EXPECT_EQ(game().money(), 30) << "nothing reaches the game before the window";

  EXPECT_FALSE(game().updateMessages());
  ASSERT_EQ(game().messages().count(), 1);
  const std::vector<std::string> expected = {"宝箱を開けた", "120円", herb->displayName(), herb->displayName()};
  EXPECT_EQ(std::tuple(rows(*game().messages().front()), game().money(), game().bag().countItem(herb)),
            std::tuple(expected, 150, 2));

  // The next gains come without the old heading.
  notice.addMoney(5);
  EXPECT_FALSE(game().updateMessages());
  ASSERT_EQ(game().messages().count(), 2);
  EXPECT_EQ(rows(*game().messages().back()), std::vector<std::string>{"5円"});
  // Held decide takes the first window at once, the next when it repeats.
  EXPECT_EQ(stepsUntilNoMessage({kDecide}, 100), Game::KeyInput::kRepeatDelay + 1);
  // Money never wraps, in the notice or in the game.
  constexpr i32 kMax = std::numeric_limits<i32>::max();
  game().notice().addMoney(kMax - 1);
  game().notice().addMoney(kMax);
  EXPECT_EQ(game().notice().money(), kMax);
  game().money() = 10;
  game().updateMessages();
  EXPECT_EQ(game().money(), kMax);
}

// Nothing gained shows nothing; messages show in the order they came, each until decide.
TEST_F(GameMessagesTest, QueuedMessagesGoOneDecideAtATime) {
  game().pushMessage("一つ目");
  game().notice().addMoney(7);
  EXPECT_FALSE(game().updateMessages());
  ASSERT_EQ(game().messages().count(), 2);
  EXPECT_EQ(rows(*game().messages().front()), std::vector<std::string>{"一つ目"});
  step({kDecide});
  EXPECT_FALSE(game().updateMessages());
  EXPECT_EQ(rows(*game().messages().front()), std::vector<std::string>{"7円"});
  step({});
  EXPECT_FALSE(game().updateMessages());
  step({kDecide});
  EXPECT_FALSE(game().updateMessages()) << "the press that closes the last is spent on it";
  game().notice().setSource("宝箱を開けた");
  EXPECT_TRUE(game().updateMessages());
}

// Choosing an integer row toggles its inheritable mark; other rows do
// nothing; cancel closes.
TEST_F(GameMessagesTest, TheDumpTogglesInheritableMarks) {
  Game::VariableTable& variables = game().variables();
  Game::VariableDumpMenu dump(variables);
  const Game::ListMenu& menu = dump.menu();
  const auto frame = [&](std::initializer_list<Platform::Key> held) {
    step(held);
    dump.draw();
    return dump.update();
  };
  ASSERT_GT(menu.itemCount(), Game::VariableDumpMenu::kVisibleRows);
  EXPECT_EQ(std::pair(menu.contentLeft(), menu.contentTop()), std::pair(-320.f, 240.f));  // the screen's top left
  EXPECT_EQ(rows(menu)[0], "-str----------------------");
  for (i32 i = 0; i <= Game::ListMenu::kInputDelay; ++i) {
    EXPECT_EQ(frame({}), 0);
  }
  while (menu.item(menu.cursor())->id != 1) {  // the first integer, "progress"
    frame({Platform::Key::Down});
    frame({});
  }
  const i32 row = menu.cursor();
  ASSERT_FALSE(variables.isInheritable("progress"));
  EXPECT_EQ(frame({kDecide}), 0);
  const std::string text = rows(menu)[static_cast<std::size_t>(row)];
  EXPECT_EQ(std::tuple(variables.isInheritable("progress"), menu.cursor(), text.substr(text.size() - 12)),
            std::tuple(true, row, " inheritable"));
  frame({});
  EXPECT_EQ(frame({kCancel}), 2);
}

}  // namespace
