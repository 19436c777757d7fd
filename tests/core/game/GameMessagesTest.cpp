// What a running game shows besides its scenes: the message windows with
// the acquisition notice, the record lines and the variable dump.

#include <limits>

#include "core/game/VariableDumpMenu.h"
#include "presentation/scene/SceneRenderer.h"
#include "resource/database/ToolData.h"
#include "tests/core/game/GameHelpers.h"
#include "tests/core/game/KeyedGameFixture.h"

namespace {

using Engine::i32;
using Game::GameData;

class GameMessagesTest : public GameTestSupport::WithGame<GameTestSupport::KeyedGameTest> {
 protected:
  // The texts of a list window's rows.
  static std::vector<std::string> rows(const Game::ListMenu& menu) {
    std::vector<std::string> texts;
    for (i32 i = 0; i < menu.itemCount(); ++i) {
      const auto* text = dynamic_cast<const Game::Widget::Text*>(menu.item(i));
      texts.emplace_back(text ? text->text.c_str() : "?");
    }
    return texts;
  }
  // Steps until the queue is empty; the number of steps, or -1 past limit.
  int stepsUntilNoMessage(std::initializer_list<Platform::Key> held, int limit) {
    for (int i = 1; i <= limit; ++i) {
      step(held);
      if (game().updateMessages()) return i;
    }
    return -1;
  }
};

// Gains reach the game as their window is posted: money on "money", items
// into the bag; the notice is then empty and its heading gone.
TEST_F(GameMessagesTest, TheNoticeBecomesOneWindowAndDeliversTheGains) {
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
  EXPECT_EQ(rows(*game().messages().front()), expected);
  EXPECT_EQ(game().money(), 150);
  EXPECT_EQ(game().bag().countItem(herb), 2);

  // The next gains come without the old heading.
  notice.addMoney(5);
  EXPECT_FALSE(game().updateMessages());
  ASSERT_EQ(game().messages().count(), 2);
  EXPECT_EQ(rows(*game().messages().back()), std::vector<std::string>{"5円"});
  // Held decide takes the first window at once, the next when it repeats.
  EXPECT_EQ(stepsUntilNoMessage({kDecide}, 100), Game::KeyInput::kRepeatDelay);
}

TEST_F(GameMessagesTest, NothingGainedShowsNothing) {
  game().notice().setSource("宝箱を開けた");
  EXPECT_TRUE(game().updateMessages());
  EXPECT_EQ(game().messages().count(), 0);
}

// Messages show in the order they came, each until decide.
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
  EXPECT_TRUE(game().updateMessages());
}

// Money never wraps, in the notice or in the game.
TEST_F(GameMessagesTest, MoneyStopsAtTheLargestAmount) {
  constexpr i32 kMax = std::numeric_limits<i32>::max();
  game().notice().addMoney(kMax - 1);
  game().notice().addMoney(kMax);
  EXPECT_EQ(game().notice().money(), kMax);
  game().money() = 10;
  game().updateMessages();
  EXPECT_EQ(game().money(), kMax);
}

TEST_F(GameMessagesTest, StatisticsAreWrittenInAFrameOfTheirSize) {
  float width = -1.f, height = -1.f;
  game().drawStatistics(0.f, 0.f, 0x7F, &width, &height);
  EXPECT_EQ(width, 0.f) << "nothing without a renderer";
  EXPECT_EQ(height, 0.f);

  Game::SceneRenderer::create(800, 600);
  game().money() = 1500;
  game().drawStatistics(-300.f, 200.f, GameData::kMoney | GameData::kWinCount, &width, &height);
  i32 cellsWidth = 0, cellsHeight = 0;
  Game::TextWriter::measureCells(&cellsWidth, &cellsHeight, 18, 2, 1);
  EXPECT_EQ(width, static_cast<float>(cellsWidth));
  EXPECT_EQ(height, static_cast<float>(cellsHeight));
  Game::TextWriter& writer = Game::SceneRenderer::instance()->textWriter();
  EXPECT_STREQ(writer.lastText().c_str(), "勝利数　　       0");
  EXPECT_EQ(writer.color(), 0xFFC0C0C0u);
  i32 x = 0, y = 0;
  writer.getOrigin(&x, &y);
  EXPECT_EQ(x, -300);
  EXPECT_EQ(y, 200);
  Game::SceneRenderer::destroy();
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
  EXPECT_EQ(menu.height(), 20.f * Game::VariableDumpMenu::kVisibleRows);
  EXPECT_EQ(menu.contentLeft(), -320.f);
  EXPECT_EQ(menu.contentTop(), 240.f);
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
  EXPECT_TRUE(variables.isInheritable("progress"));
  EXPECT_EQ(menu.cursor(), row);
  const std::string text = rows(menu)[static_cast<std::size_t>(row)];
  EXPECT_EQ(text.substr(text.size() - 12), " inheritable");
  frame({});
  EXPECT_EQ(frame({kCancel}), 2);
}

}  // namespace
