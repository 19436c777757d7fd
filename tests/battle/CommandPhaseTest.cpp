#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <algorithm>
#include <vector>

#include "battle/Battle.h"
#include "battle/CommandMenu.h"
#include "battle/CommandPhase.h"
#include "core/random/RandomGenerator.h"
#include "data/Bag.h"
#include "data/Unit.h"
#include "data/article/Article.h"
#include "data/unit/PlayerGhost.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/widget/Widget.h"
#include "resource/Database.h"
#include "resource/database/ToolData.h"
#include "tests/script/ScriptFixture.h"

namespace {

using Engine::i32;
using Game::Battle;
using Game::BattleSettings;
using Game::CommandMenu;
using Game::BattleStuff::Command;

// A battle of the sample party against sample enemies, with its Command
// phase driven by scripted keys.
class CommandPhaseTest : public ScriptTestSupport::ScriptTest {
 protected:
  static constexpr Platform::Key kRight = Platform::Key::Right;
  static constexpr Platform::Key kLeft = Platform::Key::Left;
  static constexpr Platform::Key kDown = Platform::Key::Down;

  void SetUp() override {
    ScriptTest::SetUp();
    fs().put(Battle::kScriptFile, std::string(""));
  }
  void TearDown() override {
    mCommand.reset();
    mBattle.reset();
    mMembers.clear();
    ScriptTest::TearDown();
  }

  Game::PlayerGhost& addMember(const char* shell, i32 row, i32 column) {
    mMembers.push_back(std::make_unique<Game::PlayerGhost>());
    Game::PlayerGhost& ghost = *mMembers.back();
    ghost.setUp(*Game::Database::instance()->findShell(shell), 0);
    Game::PartyMembers::Entry* entry = game().party().members().add(ghost);
    entry->row = row;
    entry->column = column;
    return ghost;
  }
  Battle& makeBattle(i32 kind = BattleSettings::kEven, bool escape = true) {
    BattleSettings settings;
    settings.kind = kind;
    settings.escapeAllowed = escape;
    mBattle = std::make_unique<Battle>(game(), settings);
    return *mBattle;
  }
  Game::Unit& addEnemy(i32 row, i32 column) {
    return *mBattle->addEnemy(*Game::Database::instance()->findEnemy("泥スライム"), row, column, 1.f, 0);
  }
  // The Command phase with its opening already over.
  Command& makeCommand() {
    mBattle->refresh();
    mCommand = std::make_unique<Command>(*mBattle);
    for (i32 i = 0; i < Command::kIntroFrames; ++i) EXPECT_EQ(mCommand->update(), 0);
    // The first list takes input once it has been shown a while.
    if (mCommand->menuCount() > 0) idle(9);
    return *mCommand;
  }
  // One frame of the phase with the keys held.
  i32 frame(std::initializer_list<Platform::Key> held = {}) {
    step(held);
    return mCommand->update();
  }
  // A key pressed on one frame and released for the next seven: a menu
  // takes input once it has been shown eight frames.
  i32 press(Platform::Key key) {
    i32 result = frame({key});
    for (int i = 0; i < 7 && result == 0; ++i) result = frame();
    return result;
  }
  static std::tuple<i32, i32, i32> cell(const Game::Place& place) {
    return {place.side, place.row, place.column};
  }
  void idle(int frames) {
    for (int i = 0; i < frames; ++i) frame();
  }
  // To the panel with the right key, then long enough for its list to take
  // input.
  void turnTo(i32 m, i32 panel) {
    for (int i = 0; i < 9 && mCommand->menu(m).panelIndex() != panel; ++i) {
      frame({kRight});
      frame();
    }
    idle(8);
  }
  static std::vector<std::string> rowTexts(const Game::ListMenu& list) {
    std::vector<std::string> out;
    for (i32 i = 0; i < list.itemCount(); ++i) {
      const auto* text = dynamic_cast<const Game::Widget::Text*>(list.item(i));
      out.emplace_back(text ? text->text.c_str() : "?");
    }
    return out;
  }
  static std::string warningText(const CommandMenu& menu, i32 i) {
    const auto* text = dynamic_cast<const Game::Widget::Text*>(menu.warning(i)->item(0));
    return text ? text->text.c_str() : "";
  }
  // The panel holding the art, -1 without one.
  static i32 panelOf(CommandMenu& menu, const char* art) {
    for (i32 p = 0; p < CommandMenu::kPanels; ++p) {
      for (i32 i = 0; menu.hasPanel(p) && i < menu.panel(p).abilityCount(); ++i) {
        if (std::strcmp(menu.panel(p).ability(i).name(), art) == 0) return p;
      }
    }
    return -1;
  }

  std::unique_ptr<Battle> mBattle;
  std::unique_ptr<Command> mCommand;
  std::vector<std::unique_ptr<Game::PlayerGhost>> mMembers;
};

// Struck first, the party gives no command; a random part of the enemies
// plans. Striking first, no enemy plans.
TEST_F(CommandPhaseTest, KindsDecideWhoChooses) {
  addMember("Kessa", 0, 2);
  for (const i32 kind : {BattleSettings::kEven, BattleSettings::kForestall, BattleSettings::kForestalled}) {
    std::vector<i32> planned;
    for (i32 seed = 1; seed <= 12; ++seed) {
      Game::RandomGenerator::instance()->setSeed(seed);
      makeBattle(kind);
      for (i32 c = 0; c < 4; ++c) addEnemy(0, c);
      Command& command = makeCommand();
      EXPECT_EQ(command.menuCount(), kind == BattleSettings::kForestalled ? 0 : 1);
      if (command.menuCount() > 0) continue;
      EXPECT_EQ(command.update(), 1);
      i32 n = 0;
      for (i32 i = 1; i < mBattle->unitCount(); ++i) n += mBattle->unitAt(i)->hasPlan() ? 1 : 0;
      planned.push_back(n);
      mCommand.reset();
    }
    if (kind == BattleSettings::kForestalled) {
      // k of the 4 drawn from 0..3 are left out: 1 to 4 plan, and not always all.
      EXPECT_GE(*std::min_element(planned.begin(), planned.end()), 1);
      EXPECT_LT(*std::min_element(planned.begin(), planned.end()), 4);
      EXPECT_EQ(*std::max_element(planned.begin(), planned.end()), 4);
    }
  }
}

TEST_F(CommandPhaseTest, StrikingFirstTheEnemiesPlanNothingAndEvenTheyAllDo) {
  makeBattle(BattleSettings::kForestall);
  addEnemy(0, 0);
  addEnemy(0, 1);
  Command& first = makeCommand();
  EXPECT_EQ(first.update(), 1);
  EXPECT_FALSE(mBattle->unitAt(0)->hasPlan());
  EXPECT_FALSE(mBattle->unitAt(1)->hasPlan());
  mBattle->setKind(BattleSettings::kEven);
  Command& second = makeCommand();
  EXPECT_EQ(second.update(), 1);
  EXPECT_TRUE(mBattle->unitAt(0)->hasPlan());
  EXPECT_TRUE(mBattle->unitAt(1)->hasPlan());
  EXPECT_EQ(mBattle->unitAt(0)->plan().front().flags, Game::BattleStuff::Command::kPays);
  EXPECT_EQ(mBattle->unitAt(0)->weaponSlot(), 0);
  // Without a party in reach the slime can only guard, on itself.
  EXPECT_EQ(cell(mBattle->unitAt(0)->plan().front().target), cell(mBattle->unitAt(0)->place()));
}

// The opening: 60 frames, then the commit with nobody to command appends
// the cast.
TEST_F(CommandPhaseTest, TheOpeningLastsSixtyFramesThenTheCastFollows) {
  makeBattle();
  mBattle->refresh();
  Command command(*mBattle);
  const i32 phases = mBattle->phaseCount();
  for (i32 i = 0; i < 60; ++i) ASSERT_EQ(command.update(), 0) << i;
  EXPECT_EQ(command.update(), 1);
  EXPECT_EQ(mBattle->phaseCount(), phases + 1);
}

// The main list: "コマンド", guard (or do nothing without the skill), escape
// only with its skill and greyed where escape is not allowed.
TEST_F(CommandPhaseTest, TheMainListFollowsTheSkills) {
  Game::PlayerGhost& kessa = addMember("Kessa", 0, 2);
  makeBattle(BattleSettings::kEven, false);
  Command& command = makeCommand();
  EXPECT_EQ(rowTexts(command.menu(0).mainList().list()),
            (std::vector<std::string>{"コマンド", "身を守る              ", "逃げる"}));
  EXPECT_FALSE(command.menu(0).mainList().list().isSelectable(2));
  kessa.abilities().clear();
  makeBattle();
  Command& bare = makeCommand();
  const std::vector<std::string> rows = rowTexts(bare.menu(0).mainList().list());
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], "コマンド");
  EXPECT_NE(rows[1].find("何もしない"), std::string::npos);
}

// X on "コマンド", X on the art, X on the target, presses 8 frames apart, for
// each member: the plans hold the slot, the arts and the targets.
TEST_F(CommandPhaseTest, ScriptedKeysThroughTheMenusGivePinnedPlans) {
  addMember("Kessa", 0, 2);
  addMember("Kessa", 1, 2);
  makeBattle();
  addEnemy(0, 3);
  addEnemy(0, 1);
  Command& command = makeCommand();
  ASSERT_EQ(command.menuCount(), 2);
  const i32 slot = panelOf(command.menu(0), "斬り払い");
  ASSERT_GE(slot, 0);
  for (i32 m = 0; m < 2; ++m) {
    // Bring the panel of the art up first.
    EXPECT_EQ(press(kDecide), 0);
    turnTo(m, slot);
    EXPECT_EQ(press(kDecide), 0);
    ASSERT_NE(command.menu(m).targetMenu(), nullptr);
    EXPECT_EQ(press(kDecide), m == 1 ? 1 : 0);
  }
  for (i32 m = 0; m < 2; ++m) {
    const Game::Unit& unit = *mBattle->unitAt(m);
    ASSERT_EQ(unit.plan().size(), 1u) << m;
    const Game::PlannedAction& plan = unit.plan().front();
    EXPECT_STREQ(plan.art.name(), "斬り払い");
    EXPECT_STREQ(plan.chosen.name(), "斬り払い");
    EXPECT_EQ(unit.weaponSlot(), slot);
    // The first candidate in unit-list order: the enemy added first.
    EXPECT_EQ(cell(plan.target), std::make_tuple(1, 0, 3));
    EXPECT_TRUE(plan.item.isEmpty());
    EXPECT_EQ(plan.flags, Game::BattleStuff::Command::kPays);
  }
  EXPECT_EQ(mBattle->unitAt(0)->ghost().getLastCommand(), slot);
}

// Escape ends the battle at once, even after another member chose.
TEST_F(CommandPhaseTest, EscapeEndsTheBattleAtOnce) {
  addMember("Kessa", 0, 2);
  addMember("Kessa", 1, 2);
  makeBattle();
  addEnemy(0, 0);
  Command& command = makeCommand();
  press(kDown);
  press(kDecide);
  EXPECT_EQ(press(kDecide), 0);  // guard, on itself
  EXPECT_EQ(command.current(), 1);
  press(kDown);
  press(kDown);
  press(kDecide);
  EXPECT_EQ(press(kDecide), 1);
  EXPECT_TRUE(mBattle->isDecided());
  EXPECT_FALSE(mBattle->unitAt(0)->hasPlan()) << "no commit";
}

// Cancel on the first member changes nothing; on the second it reopens the
// first without its target.
TEST_F(CommandPhaseTest, CancelStepsBackOneMemberWithoutItsTarget) {
  addMember("Kessa", 0, 2);
  addMember("Kessa", 1, 2);
  makeBattle();
  addEnemy(0, 0);
  Command& command = makeCommand();
  EXPECT_EQ(press(kCancel), 0);
  EXPECT_EQ(command.current(), 0);
  press(kDown);
  press(kDecide);
  press(kDecide);
  ASSERT_EQ(command.current(), 1);
  EXPECT_EQ(cell(command.menu(0).target()), std::make_tuple(0, 0, 2));
  press(kCancel);
  EXPECT_EQ(command.current(), 0);
  EXPECT_EQ(cell(command.menu(0).target()), std::make_tuple(-1, -1, -1));
  EXPECT_EQ(command.menu(0).targetMenu(), nullptr);
}

// An art the pool cannot pay is chosen after its warning; two arts the pool
// pays one by one but not together bring the party's warning.
TEST_F(CommandPhaseTest, CostWarnings) {
  addMember("灯りのミオ", 0, 2);
  addMember("灯りのミオ", 1, 2);
  makeBattle();
  addEnemy(0, 0);
  Command& command = makeCommand();
  const i32 slot = panelOf(command.menu(0), "火花");
  ASSERT_GE(slot, 0);
  const auto chooseSpark = [&](i32 m) {
    press(kDecide);
    turnTo(m, slot);
    for (i32 i = 0; std::strcmp(command.menu(m).panel(slot).selectedAbility().name(), "火花") != 0 && i < 9; ++i) {
      press(kDown);
    }
    press(kDecide);
  };
  mBattle->side(0).setPool(3);
  chooseSpark(0);
  ASSERT_EQ(command.menu(0).warningCount(), 1);
  EXPECT_EQ(warningText(command.menu(0), 0), CommandMenu::kUnpayableWarning);
  press(kDecide);  // read
  EXPECT_EQ(command.menu(0).warningCount(), 0);
  EXPECT_STREQ(command.menu(0).art().name(), "火花");
  EXPECT_NE(command.menu(0).targetMenu(), nullptr);
  press(kDecide);
  ASSERT_EQ(command.current(), 1);
  EXPECT_EQ(command.pendingCost(), 4);

  mBattle->side(0).setPool(7);
  chooseSpark(1);
  ASSERT_EQ(command.menu(1).warningCount(), 1);
  EXPECT_EQ(warningText(command.menu(1), 0), CommandMenu::kPartyCostWarning);
}

// Rows: candidates selectable, stealthy ones greyed unless all are; other
// enemies greyed only when the first candidate is an enemy.
TEST_F(CommandPhaseTest, TargetRowsGreyStealthAndEnemiesOutOfReach) {
  addMember("Kessa", 0, 2);
  makeBattle();
  Game::Unit& front = addEnemy(0, 2);
  Game::Unit& back = addEnemy(2, 2);
  Game::Unit& hidden = addEnemy(0, 4);
  const Game::Ability stealth = Game::Ability::fromName("ステルス");
  hidden.ghost().abilities().add(stealth);
  mBattle->refresh();
  Game::Unit& kessa = *mBattle->unitAt(0);
  const Game::Ability cut = Game::Ability::fromName("斬り払い");
  {
    Game::TargetMenu menu(*mBattle, kessa, cut);
    EXPECT_EQ(menu.candidates(), (std::vector<Game::Unit*>{&front, &hidden}));
    const Game::ListMenu& list = menu.list();
    // Kessa is no candidate and no enemy: no row.
    ASSERT_EQ(list.itemCount(), 3);
    EXPECT_TRUE(list.isSelectable(0));
    EXPECT_FALSE(list.isSelectable(1)) << "out of reach";
    EXPECT_FALSE(list.isSelectable(2)) << "stealthy";
  }
  front.ghost().abilities().add(stealth);
  mBattle->refresh();
  {
    Game::TargetMenu menu(*mBattle, kessa, cut);
    EXPECT_TRUE(menu.list().isSelectable(0));
    EXPECT_TRUE(menu.list().isSelectable(2)) << "all stealthy";
  }
  {
    // A support art aims at the party: no enemy rows.
    Game::TargetMenu menu(*mBattle, kessa, Game::Ability::fromName("身を守る"));
    EXPECT_EQ(menu.candidates(), (std::vector<Game::Unit*>{&kessa}));
    EXPECT_EQ(menu.list().itemCount(), 1);
  }
  (void)back;
}

TEST_F(CommandPhaseTest, NoCandidateCancelsTheTargetMenu) {
  addMember("Kessa", 0, 2);
  makeBattle();
  Game::TargetMenu menu(*mBattle, *mBattle->unitAt(0), Game::Ability::fromName("斬り払い"));
  EXPECT_TRUE(menu.candidates().empty());
  EXPECT_EQ(menu.update(0), 2);
}

// A thrown item is the plan's own copy; the bag may change under it.
TEST_F(CommandPhaseTest, AThrownItemIsThePlansOwnCopy) {
  addMember("Kessa", 0, 2);
  const Game::ToolData* knife = Game::Database::instance()->findTool("投げナイフ");
  ASSERT_NE(knife, nullptr);
  ASSERT_GT(knife->throwArt().count(), 0);
  game().bag().add(Game::Article::fromItem(knife), 2);
  makeBattle();
  addEnemy(0, 2);
  Game::Unit& kessa = *mBattle->unitAt(0);
  kessa.planAction(-1, knife->throwArt().at(0), Game::Ability::fromName("投げる道具"), Game::Place{1, 0, 2},
                   &game().bag().at(0)->article);
  game().bag().clear();
  ASSERT_EQ(kessa.plan().size(), 1u);
  EXPECT_EQ(kessa.plan().front().item.item(), knife);
  EXPECT_STREQ(kessa.plan().front().chosen.name(), "投げる道具");
}

// Two grey rows a group while Kessa and ミオ fight together; none without
// ミオ.
TEST_F(CommandPhaseTest, TheSynchroPanelListsTheActiveGroups) {
  addMember("Kessa", 0, 2);
  makeBattle();
  mBattle->refresh();
  EXPECT_EQ(mBattle->synchroPanel().itemCount(), 0);
  addMember("灯りのミオ", 1, 2);
  makeBattle();
  mBattle->refresh();
  EXPECT_EQ(rowTexts(mBattle->synchroPanel()), (std::vector<std::string>{"灯と刃", "ケッサとミオが並ぶと息が合う"}));
  EXPECT_FALSE(mBattle->synchroPanel().isSelectable(0));
}

// The side keys turn the panels, skipping those that do not exist and
// wrapping round the nine; cancel leaves the panels for the main list.
TEST_F(CommandPhaseTest, PanelKeysSkipMissingPanelsAndWrap) {
  addMember("Kessa", 0, 2);
  makeBattle();
  addEnemy(0, 2);
  Command& command = makeCommand();
  CommandMenu& menu = command.menu(0);
  // Kessa: the sword (0), the armour (1) and bare hands (8).
  std::vector<i32> shown;
  for (i32 p = 0; p < CommandMenu::kPanels; ++p) {
    if (menu.hasPanel(p)) shown.push_back(p);
  }
  ASSERT_EQ(shown, (std::vector<i32>{0, 1, 8}));
  press(kDecide);
  ASSERT_TRUE(menu.isPanelMode());
  std::vector<i32> visited;
  for (int i = 0; i < 4; ++i) {
    frame({kRight});
    frame();
    visited.push_back(menu.panelIndex());
  }
  EXPECT_EQ(visited, (std::vector<i32>{1, 8, 0, 1}));
  visited.clear();
  for (int i = 0; i < 3; ++i) {
    frame({kLeft});
    frame();
    visited.push_back(menu.panelIndex());
  }
  EXPECT_EQ(visited, (std::vector<i32>{0, 8, 1}));
  idle(8);
  EXPECT_EQ(press(kCancel), 0);
  EXPECT_FALSE(menu.isPanelMode());
  // Cancel on the main list of the only member goes nowhere.
  EXPECT_EQ(press(kCancel), 0);
  EXPECT_EQ(command.current(), 0);
}

// The panel and row chosen are remembered: the next turn's menu opens there.
TEST_F(CommandPhaseTest, TheChosenPanelAndRowAreRemembered) {
  Game::PlayerGhost& kessa = addMember("Kessa", 0, 2);
  makeBattle();
  addEnemy(0, 2);
  Command& command = makeCommand();
  press(kDecide);
  press(kDown);
  EXPECT_EQ(press(kDecide), 0);
  EXPECT_EQ(kessa.getLastCommand(), 0);
  EXPECT_EQ(mBattle->unitAt(0)->lastCommandRow(), 1);
  press(kDecide);
  ASSERT_EQ(mBattle->unitAt(0)->plan().size(), 1u);
  mBattle->unitAt(0)->clearPlan();
  Command& next = makeCommand();
  EXPECT_EQ(next.menu(0).panelIndex(), 0);
  EXPECT_EQ(next.menu(0).panel(0).selectedId(), 1);
  mBattle->unitAt(0)->clearPlan();
  kessa.setLastCommand(8);
  EXPECT_EQ(makeCommand().menu(0).panelIndex(), 8);
  // A remembered panel that does not exist gives way to the first.
  kessa.setLastCommand(5);
  EXPECT_EQ(makeCommand().menu(0).panelIndex(), 0);
  (void)command;
}

// The commit: the first and the last unit get their automatic states, and
// every charge comes a turn nearer.
TEST_F(CommandPhaseTest, TheCommitAppliesAutomaticStatesAndCountsChargesDown) {
  Game::PlayerGhost& kessa = addMember("Kessa", 0, 2);
  Game::PlayerGhost& mio = addMember("灯りのミオ", 1, 2);
  kessa.abilities().add(Game::Ability::fromName("自動シールド"));
  mio.abilities().add(Game::Ability::fromName("自動シールド"));
  makeBattle();
  mBattle->refresh();
  Game::Unit& first = *mBattle->unitAt(0);
  Game::Unit& second = *mBattle->unitAt(1);
  const Game::Ability sweep = Game::Ability::fromName("薙ぎ払い");
  first.planAction(0, sweep, first.place());
  second.planAction(0, sweep, second.place());
  ASSERT_EQ(first.charge(), 2);
  Command& command = makeCommand();
  ASSERT_EQ(command.menuCount(), 0) << "a unit with a plan takes no command";
  EXPECT_EQ(command.update(), 1);
  EXPECT_TRUE(first.holds("シールド"));
  EXPECT_TRUE(second.holds("シールド"));
  EXPECT_EQ(first.charge(), 1);
  EXPECT_EQ(second.charge(), 1);
}

// A highlighted unit glows on the next frame and is plain again once no
// longer named.
TEST_F(CommandPhaseTest, AHighlightedUnitGlowsForAFrame) {
  addMember("Kessa", 0, 2);
  makeBattle();
  mBattle->update();
  Game::Unit& kessa = *mBattle->unitAt(0);
  Game::SceneNode* node = kessa.node();
  ASSERT_NE(node, nullptr);
  mBattle->highlight(kessa);
  EXPECT_TRUE(mBattle->isHighlighted(kessa));
  mBattle->update();
  EXPECT_FLOAT_EQ(node->ambient.z.value(), 0.55f) << "bright in the first sixteen frames";
  for (int i = 0; i < 14; ++i) {
    mBattle->highlight(kessa);
    mBattle->update();
  }
  mBattle->highlight(kessa);
  mBattle->update();
  EXPECT_FLOAT_EQ(node->ambient.z.value(), 0.7f) << "dim from frame sixteen";
  mBattle->update();
  EXPECT_FLOAT_EQ(node->ambient.z.value(), 1.f);
}

// "投げる道具" opens the bag's throwable items; the one chosen throws with its
// own art, as the plan's own copy, and the bag's herb (no battle art) is not
// offered.
TEST_F(CommandPhaseTest, AThrownItemIsChosenFromTheBag) {
  addMember("Kessa", 0, 2);
  const Game::ToolData* knife = Game::Database::instance()->findTool("投げナイフ");
  game().bag().add(Game::Article::fromItem(Game::Database::instance()->findTool("薬草")), 1);
  game().bag().add(Game::Article::fromItem(knife), 2);
  makeBattle();
  addEnemy(0, 2);
  Command& command = makeCommand();
  CommandMenu& menu = command.menu(0);
  ASSERT_TRUE(menu.choose(Game::Ability::fromName("投げる道具")));
  ASSERT_NE(menu.itemMenu(), nullptr);
  EXPECT_EQ(menu.itemMenu()->list().itemCount(), 1) << "only the knife";
  idle(8);
  EXPECT_EQ(press(kDecide), 0);
  EXPECT_EQ(menu.itemMenu(), nullptr);
  ASSERT_NE(menu.targetMenu(), nullptr);
  EXPECT_EQ(press(kDecide), 1);
  const Game::PlannedAction& plan = mBattle->unitAt(0)->plan().front();
  EXPECT_EQ(plan.item.item(), knife);
  EXPECT_STREQ(plan.chosen.name(), "投げる道具");
  EXPECT_EQ(plan.art.art(), knife->throwArt().at(0).art());
  EXPECT_EQ(mBattle->unitAt(0)->weaponSlot(), -1);
  // Cancel in the item menu closes it.
  mBattle->unitAt(0)->clearPlan();
  Command& again = makeCommand();
  ASSERT_TRUE(again.menu(0).choose(Game::Ability::fromName("投げる道具")));
  idle(8);
  press(kCancel);
  EXPECT_EQ(again.menu(0).itemMenu(), nullptr);
  EXPECT_FALSE(again.menu(0).choose(Game::Ability::fromName("身を守る技能"))) << "a passive";
}

// A free art brings no party warning, whatever the others pend.
TEST_F(CommandPhaseTest, AFreeArtBringsNoPartyWarning) {
  addMember("灯りのミオ", 0, 2);
  addMember("Kessa", 1, 2);
  makeBattle();
  addEnemy(0, 0);
  Command& command = makeCommand();
  mBattle->side(0).setPool(10);
  ASSERT_TRUE(command.menu(0).choose(Game::Ability::fromName("火花の術")));
  idle(8);
  press(kDecide);
  ASSERT_EQ(command.current(), 1);
  mBattle->side(0).setPool(3);
  press(kDecide);
  press(kDecide);
  EXPECT_STREQ(command.menu(1).art().name(), "斬り払い");
  EXPECT_EQ(command.menu(1).warningCount(), 0);
}

// The party's warning comes only when the pool falls short: a pool of
// exactly both costs pays them.
TEST_F(CommandPhaseTest, APoolOfExactlyBothCostsBringsNoWarning) {
  addMember("灯りのミオ", 0, 2);
  addMember("灯りのミオ", 1, 2);
  makeBattle();
  addEnemy(0, 0);
  Command& command = makeCommand();
  mBattle->side(0).setPool(8);
  ASSERT_TRUE(command.menu(0).choose(Game::Ability::fromName("火花の術")));
  idle(8);
  press(kDecide);
  ASSERT_EQ(command.current(), 1);
  press(kDecide);
  press(kDecide);
  EXPECT_STREQ(command.menu(1).art().name(), "火花");
  EXPECT_EQ(command.menu(1).warningCount(), 0);
}

}  // namespace
