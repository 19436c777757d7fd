#include "field/Container.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "running/game/GameData.h"
#include "live/Bag.h"
#include "presentation/widget/ListMenu.h"
#include "presentation/widget/Widget.h"
#include "records/Database.h"
#include "tests/field/FieldFixture.h"

namespace {

using Engine::i32;
using FieldTestSupport::FieldTest;
using Game::Field::Container;
using Game::Field::Symbol;

class ContainerTest : public FieldTest {
 protected:
  static const Game::ToolData* tool(const char* name) { return Game::Database::instance()->findTool(name); }
  Symbol& chest(const char* article, i32 money, i32 lock = 0, bool unique = false) {
    Symbol& s = place("chest", 2, 2);
    const Game::Article contents = article ? Game::Article::fromItem(tool(article)) : Game::Article();
    s.setParameter(std::make_unique<Container>(contents, money, unique, lock));
    return s;
  }
  Container& contentsOf(Symbol& s) { return static_cast<Container&>(*s.parameter()); }
  // A seed whose first draw of 100 is below 91 (broken) or not.
  void seedBreak(bool breaks) {
    for (i32 seed = 1;; ++seed) {
      Game::RandomGenerator probe(seed);
      if ((probe.getInt(100) < Container::kBreakChance) == breaks) {
        field->rng.setSeed(seed);
        return;
      }
    }
  }
};

// Lock level 2 against picking 2 opens at once; 3 offers the choices.
TEST_F(ContainerTest, ALockThePartyCanPickOpensAtOnceAndOneBeyondOffersTheChoices) {
  field->abilities.lockpicking = 2;
  Symbol& picked = chest("薬草", 0, 2);
  bool remove = false;
  EXPECT_TRUE(picked.touch(remove));
  EXPECT_EQ(field->lines, std::vector<std::string>({"-:鍵を開けた！", "Kessa笑:これは……　薬草ね！"}));
  EXPECT_EQ(std::tuple(remove, game().bag().countItem(tool("薬草")), picked.isContainer()), std::tuple(true, 1, true));
  field->lines.clear();
  Symbol& s = chest("薬草", 0, 3);
  remove = false;
  EXPECT_FALSE(s.touch(remove));
  EXPECT_FALSE(remove);
  EXPECT_EQ(field->lines, std::vector<std::string>({"-:鍵がかかっている Level 3"}));
  Game::ListMenu* menu = contentsOf(s).menu();
  ASSERT_NE(menu, nullptr);
  // No magic key in the bag.
  EXPECT_EQ(std::tuple(menu->itemCount(), menu->selectedId(0)), std::tuple(2, Container::kBreak));
  game().bag().add(Game::Article::fromItem(tool("魔法鍵")), 1);
  Symbol& keyed = chest(nullptr, 5, 3);
  keyed.touch(remove);
  menu = contentsOf(keyed).menu();
  ASSERT_EQ(menu->itemCount(), 3);
  EXPECT_EQ(std::tuple(menu->selectedId(0), std::string(static_cast<Game::Widget::Text*>(menu->item(0))->text.c_str())),
            std::tuple(Container::kMagicKey, "魔法鍵 残り1"));
}

TEST_F(ContainerTest, TheMenuIsAskedEveryTouchUntilAChoiceAndEachChoiceActs) {
  Symbol& s = chest("薬草", 0, 1);
  bool remove = false;
  s.touch(remove);
  for (int i = 0; i < 10; ++i) {
    step({});
    EXPECT_FALSE(s.touch(remove)) << i;
  }
  seedBreak(false);
  step({kDecide});
  EXPECT_TRUE(s.touch(remove)) << "ぶっこわす";
  EXPECT_EQ(std::tuple(remove, contentsOf(s).menu(), field->lines.back()),
            std::tuple(true, nullptr, "Kessa笑:これは……　薬草ね！"));
  // A magic key (two held) is spent to open an empty chest; a broken chest
  // gives nothing of its herb and 300; giving up leaves the chest.
  const struct {
    i32 choice;
    bool removed;
    std::vector<std::string> lines;
    i32 keys, herbs, money;
  } cases[] = {{Container::kMagicKey, true, {"-:鍵を開けた！", "Kessa泣:からっぽ！"}, 1, 0, 1000},
               {Container::kBreak, true, {"-:宝箱を破壊した！", "Kessa泣:中身まで壊れた！"}, 2, 0, 1000},
               {Container::kGiveUp, false, {}, 2, 0, 1000}};
  for (const auto& c : cases) {
    field->lines.clear();
    game().bag().clear();
    game().bag().add(Game::Article::fromItem(tool("魔法鍵")), 2);
    game().money() = 1000;
    seedBreak(true);
    Symbol& locked = c.choice == Container::kMagicKey ? chest(nullptr, 0, 9) : chest("薬草", 300, 9);
    bool taken = false;
    EXPECT_TRUE(contentsOf(locked).choose(c.choice, taken, locked)) << c.choice;
    EXPECT_EQ(std::tuple(taken, field->lines, game().bag().countItem(tool("魔法鍵")),
                         game().bag().countItem(tool("薬草")), game().money()),
              std::tuple(c.removed, c.lines, c.keys, c.herbs, c.money))
        << c.choice;
  }
}

// Against party money M: m < M / 10 is little, m ≤ 2M + 500 ordinary, more
// is a lot.
TEST_F(ContainerTest, MoneyLinesAtTheirThresholds) {
  const std::tuple<i32, i32, std::string> cases[] = {
      {1000, 99, "Kessa泣:たったの99円ね"},  {1000, 100, "Kessa:100円ね"},
      {1000, 2500, "Kessa:2500円ね"},        {1000, 2501, "Kessa笑:すごい！　2501円もある！"},
      {0, 500, "Kessa:500円ね"},             {0, 501, "Kessa笑:すごい！　501円もある！"},
      {19, 1, "Kessa:1円ね"},                {20, 1, "Kessa泣:たったの1円ね"},
      {29, 2, "Kessa:2円ね"},                {30, 2, "Kessa泣:たったの2円ね"},
      {2000000000, 5, "Kessa泣:たったの5円ね"},
  };
  for (const auto& [party, found, line] : cases) {
    field->lines.clear();
    game().money() = party;
    Symbol& s = chest(nullptr, found);
    bool remove = false;
    s.touch(remove);
    EXPECT_EQ(std::tuple(field->lines, game().money()), std::tuple(std::vector{line}, party + found))
        << party << " " << found;
  }
  // Money saturates in the purse.
  field->lines.clear();
  game().money() = INT32_MAX - 5;
  Symbol& s = chest("薬草", 10);
  bool remove = false;
  s.touch(remove);
  EXPECT_EQ(game().money(), INT32_MAX);
  EXPECT_EQ(field->lines.size(), 2u) << "the article's line, then the money's";
}

}  // namespace
