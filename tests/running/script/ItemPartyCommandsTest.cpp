#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "live/article/Article.h"
#include "records/stats/Experience.h"
#include "menu/Intermission.h"
#include "menu/Shop.h"
#include "presentation/widget/ListMenu.h"
#include "root/command/CampCommands.h"
#include "running/script/command/FlowCommands.h"
#include "tests/presentation/widget/MenuRows.h"
#include "tests/running/script/ScriptFixture.h"

namespace {

using Engine::i32;
using Game::Script;
using ScriptTestSupport::ScriptTest;
namespace ScriptStuff = Game::ScriptStuff;

class ItemPartyCommandsTest : public ScriptTest {
 protected:
  const Game::ToolData* tool(const char* name) { return database().findTool(name); }
  const Game::ShellData& shell(const char* name) { return *database().findShellExactly(name); }
  i32 bagCount(const char* name) { return game().bag().countItem(tool(name)); }
  Game::Party& party() { return game().party(); }
  std::vector<std::string> memberNames() {
    std::vector<std::string> names;
    for (i32 i = 0; i < party().members().count(); ++i) names.emplace_back(party().members().memberAt(i).getName());
    return names;
  }
  static std::vector<std::string> rows(const Game::ListMenu& menu) { return WidgetTest::menuRows(menu); }
  i32& variable(const char* name) { return game().variables().integer(name); }
  // Frames with the key tapped once the menus take input, until the script
  // is done; its result.
  i32 tapThrough(Platform::Key key, i32 frames = 60) {
    i32 result = Script::kRunning;
    for (i32 i = 0; i < frames && result == Script::kRunning; ++i) {
      result = i > Game::ListMenu::kInputDelay && i % 2 == 0 ? frame({key}) : frame();
    }
    return result;
  }
};

TEST_F(ItemPartyCommandsTest, GetToolReachesTheBagWhenItsNoticeIsShown) {
  load("getTool{ name 薬草; name 鉄の剣; } let{ name answer; value 7; }");
  EXPECT_EQ(stepScript(), Script::kRunning);  // yields after the gift
  EXPECT_EQ(bagCount("薬草"), 0);
  EXPECT_EQ(frame(), Script::kRunning);
  ASSERT_EQ(game().messages().count(), 1);
  EXPECT_EQ(rows(*game().messages().front()), (std::vector<std::string>{"アイテムゲット", "薬草", "鉄の剣"}));
  EXPECT_EQ(tapThrough(kDecide), Script::kFinished);
  EXPECT_EQ(std::tuple(bagCount("薬草"), bagCount("鉄の剣"), integer("answer")), std::tuple(1, 1, 7));
  // One without names leaves no title for the next notice.
  load("getTool{}");
  EXPECT_EQ(stepScript(), Script::kRunning);
  EXPECT_TRUE(game().notice().isEmpty());
  game().notice().addMoney(5);
  Game::ListMenu* window = game().notice().post(game().messages());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->itemCount(), 1);  // the amount alone, no heading
}

TEST_F(ItemPartyCommandsTest, ItemsComeAndGoFromTheBagThenTheEquipment) {
  party().recruit(shell("Kessa"));  // holds a 鉄の剣
  load("increaseTool{ name 薬草; } increaseTool{ name 薬草; } increaseTool{ name 鉄の剣; }"
       "expendTool{ name 鉄の剣; } expendTool{ name 鉄の剣; } expendTool{ name 鉄の剣; } expendTool{ name 薬草; }");
  EXPECT_EQ(stepScript(), Script::kFinished);
  EXPECT_EQ(std::tuple(bagCount("薬草"), bagCount("鉄の剣"), party().countEquipped(tool("鉄の剣"))), std::tuple(1, 0, 0));

  game().variables().integer("currentItem") = database().toolIndexOf(tool("薬草"));
  load("expendCurrentItem{} expendCurrentItem{}");
  EXPECT_EQ(stepScript(), Script::kFinished);
  EXPECT_EQ(bagCount("薬草"), 0);
  // Outside an item's use the variable is gone: nothing is used up.
  game().bag().add(Game::Article::fromItem(tool("薬草")), 1);
  game().variables().destroyInteger("currentItem");
  EXPECT_EQ(stepScript(), Script::kFinished);
  EXPECT_EQ(bagCount("薬草"), 1);
}

// The fine itself is the party's (PartyRulesTest): levels 10 and 20 owe 90,
// shown, and taken down to nothing.
TEST_F(ItemPartyCommandsTest, ContinuePenaltyTakesTheFineDownToNothing) {
  party().recruit(shell("灯りのミオ"))->ghost->gainExperience(nullptr, Game::Experience::forLevel(10), 0);
  party().recruit(shell("Kessa"))->ghost->gainExperience(nullptr, Game::Experience::forLevel(20), 0);
  game().money() = 50;
  load("continuePenalty{}");
  EXPECT_EQ(stepScript(), Script::kRunning);  // yields to show the fine
  ASSERT_EQ(game().messages().count(), 1);
  EXPECT_EQ(std::tuple(integer("money"), rows(*game().messages().front())),
            std::tuple(0, std::vector<std::string>{"罰金 90円"}));
}

TEST_F(ItemPartyCommandsTest, RecoverGivesLpThenApToTheMembersOnlyAndNextFloorCounts) {
  Game::PlayerGhost& member = *party().recruit(shell("Kessa"))->ghost;
  Game::PlayerGhost& resting = party().addGhost(shell("灯りのミオ"));
  member.lpRef() = 1;
  resting.lpRef() = 1;
  for (i32 tier = 0; tier < 3; ++tier) {
    while (member.getAp(tier) > 0) member.spendAp(tier);
  }
  load("recover{ LP 5; AP 2; } recover{}");
  EXPECT_EQ(stepScript(), Script::kFinished);
  EXPECT_EQ(std::tuple(member.lp(), resting.lp(), member.getAp(0)), std::tuple(6, 1, 2));
  // The next floor counts the floor and the total.
  game().floor() = 2;
  variable("totalFloorCount") = 10;
  load("nextFloor{} nextFloor{}");
  stepScript();
  EXPECT_EQ(std::tuple(integer("floor"), integer("totalFloorCount")), std::tuple(4, 12));
  game().floor() = 2147483647;
  variable("totalFloorCount") = 2147483647;
  stepScript();  // both saturate
  EXPECT_EQ(std::tuple(integer("floor"), integer("totalFloorCount")), std::tuple(2147483647, 2147483647));
}

// The records' own ranges: GameStatisticsTest.
TEST_F(ItemPartyCommandsTest, ProgressAndTheRecordsOfTheFieldsSite) {
  const Game::MapSiteData& mine = site("灰の坑道");
  ASSERT_TRUE(game().field());
  game().field()->changeScene(nullptr);  // off the floor, the change comes at once
  game().field()->changeScene(&mine);
  game().floor() = 4;
  variable("progress") = 316;
  load("setRecordFloor{ offset 2; } progress{ value 5; } fixSceneLevel{} openScene{ name 沈黙の書庫; }");
  stepScript();
  EXPECT_EQ(std::tuple(integer("灰の坑道.到達階数"), integer("灰の坑道.レベル"), integer("灰の坑道.固定"),
                       integer("沈黙の書庫.出現"), integer("灰の坑道.出現")),
            std::tuple(6, 321, 1, 1, 0));
  // Without a site on the field the site's records stay as they are.
  game().setField(nullptr);
  load("setRecordFloor{} fixSceneLevel{}");
  EXPECT_EQ(stepScript(), Script::kFinished);
  EXPECT_EQ(std::tuple(integer("灰の坑道.到達階数"), integer("灰の坑道.レベル")), std::tuple(6, 321));
}

TEST_F(ItemPartyCommandsTest, CharactersJoinLeaveAndStayInTheRoster) {
  load("addGhost{ name Kessa; } createGhost{ name 灯りのミオ; } addGhost{ name Kessa; }");
  stepScript();
  EXPECT_EQ(memberNames(), (std::vector<std::string>{"剣のケッサ"}));
  load("addGhost{ name 灯りのミオ; } removeGhost{ name nobody; } removeGhost{ name Kessa; }");
  stepScript();
  EXPECT_EQ(memberNames(), (std::vector<std::string>{"灯りのミオ"}));
  EXPECT_EQ(party().rosterCount(), 2);
}

TEST_F(ItemPartyCommandsTest, OrganizePartyKeepsTheLeadFirstAndOffersTheRoster) {
  party().addGhost(shell("灯りのミオ"));
  party().recruit(shell("Kessa"));
  // Without shell lines: the roster but the lead, here one to choose.
  load("organizeParty{}");
  EXPECT_EQ(tapThrough(kDecide, 150), Script::kFinished);
  EXPECT_EQ(memberNames(), (std::vector<std::string>{"剣のケッサ", "灯りのミオ"}));
  // A listed shell, the first line too, is offered though not in the
  // roster, and joins; the lead listed is still only the lead.
  party().clear();
  load("organizeParty{ shell 盾のトヴァン; shell Kessa; }");
  EXPECT_EQ(tapThrough(kDecide, 150), Script::kFinished);
  EXPECT_EQ(memberNames(), (std::vector<std::string>{"剣のケッサ", "盾のトヴァン"}));
}

TEST_F(ItemPartyCommandsTest, RemoveGhostMenuLetsAnyMemberButTheLeadGo) {
  party().recruit(shell("Kessa"));
  party().recruit(shell("灯りのミオ"));
  // A cancel leaves the party as it is.
  load("removeGhostMenu{}");
  EXPECT_EQ(tapThrough(kCancel), Script::kFinished);
  EXPECT_EQ(memberNames().size(), 2u);
  // Deciding the lead in the first row changes nothing and keeps the menu.
  load("removeGhostMenu{}");
  for (i32 i = 0; i <= Game::ListMenu::kInputDelay; ++i) frame();
  EXPECT_EQ(frame({kDecide}), Script::kRunning);
  EXPECT_EQ(memberNames().size(), 2u);
  frame();
  frame({Platform::Key::Down});
  frame();
  frame({kDecide});
  EXPECT_EQ(frame(), Script::kFinished);
  EXPECT_EQ(memberNames(), (std::vector<std::string>{"剣のケッサ"}));
}

TEST_F(ItemPartyCommandsTest, TheShopsAvailabilityBitAndTheCampMenuAreTheGames) {
  variable("onSale.鋼の剣") = 1;
  load("shop{ tool 鋼の剣,0; tool 鋼の剣; tool 薬草; tool 薬草,int(money)+1; }");
  EXPECT_EQ(stepScript(), Script::kRunning);
  const auto* command = static_cast<const ScriptStuff::ShopCommand*>(mScript.command(0));
  ASSERT_NE(command->shop(), nullptr);
  // In item order, the herbs first. The first sword's condition is 0,
  // though on sale; without an onSale variable the herb is always on sale.
  const std::vector<const Game::ToolData*>& goods = command->shop()->goods();
  ASSERT_EQ(goods.size(), 4u);
  EXPECT_EQ(std::vector(goods.begin(), goods.begin() + 2), std::vector(2, tool("薬草")));
  EXPECT_EQ(std::pair(std::ranges::count(goods, nullptr), std::ranges::count(goods, tool("鋼の剣"))), std::pair(1L, 1L));

  variable("onSale.鋼の剣") = 0;
  EXPECT_EQ(tapThrough(kCancel), Script::kFinished);
  EXPECT_EQ(command->shop(), nullptr);
  EXPECT_EQ(stepScript(), Script::kRunning);  // a fresh screen
  EXPECT_EQ(std::ranges::count(command->shop()->goods(), nullptr), 2);
  // The camp menu is the game's, and closeIntermission ends it.
  load("intermission{} let{ name answer; value 3; }");
  EXPECT_EQ(stepScript(), Script::kRunning);
  ASSERT_NE(game().intermission(), nullptr);
  // It saves as the field's site does: the opening's save file.
  EXPECT_EQ(static_cast<Game::Intermission*>(game().intermission())->saveMode(), Game::Intermission::kFileSave);
  // The game runs its own camp menu; the script goes on once it is gone.
  EXPECT_EQ(tapThrough(kCancel), Script::kFinished);
  EXPECT_EQ(std::tuple(game().intermission(), integer("answer")), std::tuple(nullptr, 3));
  // Without a camp menu there is nothing to close.
  load("closeIntermission{}");
  EXPECT_EQ(stepScript(), Script::kFinished);
  // From inside an open camp menu (an item's script) none opens over it.
  auto* open = new Game::Intermission(game(), Game::Intermission::kNoSave);
  game().setIntermission(open);
  load("intermission{} let{ name answer; value 4; }");
  EXPECT_EQ(stepScript(), Script::kFinished);
  EXPECT_EQ(std::tuple(game().intermission(), integer("answer")), std::tuple(open, 4));
  load("closeIntermission{}");
  EXPECT_EQ(stepScript(), Script::kFinished);
  game().update();
  EXPECT_EQ(game().intermission(), nullptr);
}

// Down, decide 値切る, then one press closes 値切った！ and no more: the shop
// stays on its lists, drawn beneath the message, also in an if and a run.
TEST_F(ItemPartyCommandsTest, ThePressThatClosesTheHaggledMessageLeavesTheShopOnItsLists) {
  party().recruit(shell("Kessa"));
  party().members().memberAt(0).abilities().add(Game::Ability(&database().findAbility("あきんど"), 1));
  party().collectFieldAbilities();
  fs().put("shop.txt", std::string("shop{}"));
  for (const char* text : {"shop{}", "if{ 1{ shop{} } }", "run{ path shop.txt; }"}) {
    load(text);
    for (i32 i = 0; i < 13; ++i) i == 8 ? frame({Platform::Key::Down}) : i == 10 || i == 12 ? frame({kDecide}) : frame();
    EXPECT_EQ(frame(), Script::kRunning) << text;
    const Script& inner = text[0] == 's'   ? mScript
                          : text[0] == 'i' ? static_cast<ScriptStuff::If*>(mScript.command(0))->branchScript(0)
                                           : *static_cast<ScriptStuff::Run*>(mScript.command(0))->script();
    const Game::Shop& shop = *static_cast<const ScriptStuff::ShopCommand*>(inner.command(0))->shop();
    EXPECT_EQ(std::tuple(game().messages().count(), shop.mainList().framesOpen(), shop.isHaggled()),
              std::tuple(0, 14, true)) << text;
  }
}

using ItemPartyCommandsDeathTest = ItemPartyCommandsTest;

TEST_F(ItemPartyCommandsDeathTest, UnknownNamesStopTheLoadNamingTheScript) {
  const auto loadFile = [this](const char* text) {
    mDocument.clear();
    mDocument.loadFromText("event.txt", text);
    mScript.load(mDocument, game(), "event.txt");
  };
  EXPECT_DEATH(loadFile("getTool{ name 薬草; name 無名; }"), "event.txt line 1, command 0 \\(getTool\\): unknown tool");
  EXPECT_DEATH(loadFile("let{ name a; value 1; }\n\nshop{ tool 無名; }"),
               "event.txt line 3, command 1 \\(shop\\): unknown tool");
  EXPECT_DEATH(load("addGhost{ name 無名; }"), "unknown shell");
  EXPECT_DEATH(load("openScene{ name 無名; }"), "unknown site");
  EXPECT_DEATH(load("progress{}"), "progress: no \"value\" line");
}

}  // namespace
