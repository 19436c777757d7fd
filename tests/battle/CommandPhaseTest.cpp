#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "battle/Battle.h"
#include "battle/CommandMenu.h"
#include "battle/CommandPhase.h"
#include "core/random/RandomGenerator.h"
#include "live/Bag.h"
#include "live/Unit.h"
#include "live/article/Article.h"
#include "live/unit/PlayerGhost.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/widget/Widget.h"
#include "records/Database.h"
#include "records/database/ToolData.h"
#include "tests/Services.h"
#include "tests/battle/BattleFixture.h"
#include "tests/presentation/widget/MenuRows.h"

namespace {

using Engine::i32;
using Game::Battle;
using Game::BattleSettings;
using Game::CommandMenu;
using Game::BattleStuff::Command;
using WidgetTest::menuRows;

using BattleTestSupport::At;

std::string cellText(const Game::Place& place) {
  return std::to_string(place.side) + "," + std::to_string(place.row) + "," + std::to_string(place.column);
}

std::string nameOf(const Game::Ability& art) { return art.isValid() ? art.name() : "-"; }

std::string nameOf(const Game::Article& item) { return item.isEmpty() ? "" : item.item()->name(); }

// A battle of sample party members against slimes, its Command phase driven
// by scripted keys.
class CommandPhaseTest : public BattleTestSupport::BattleGameTest {
 protected:
  void TearDown() override {
    mCommand.reset();
    BattleGameTest::TearDown();
  }

  Game::PlayerGhost& addMember(const At& at) { return BattleGameTest::addMember(at.row, at.column, at.shell); }
  Battle& openBattle(i32 kind = BattleSettings::kEven, bool escape = true) {
    BattleSettings settings;
    settings.kind = kind;
    settings.escapeAllowed = escape;
    return makeBattle(settings, 0);
  }
  // The Command phase with its opening over and its first list taking input.
  Command& makeCommand() {
    battle().refresh();
    mCommand = std::make_unique<Command>(battle());
    mDone = false;
    for (i32 i = 0; i < 60; ++i) EXPECT_EQ(mCommand->update(), 0) << "the opening";
    if (mCommand->menuCount() > 0) idle(9);
    return *mCommand;
  }
  // One frame of the phase with the keys held; nothing once it is done.
  void frame(std::initializer_list<Platform::Key> held = {}) {
    step(held);
    mDone = mDone || mCommand->update() == 1;
  }
  void idle(int frames) {
    for (int i = 0; i < frames && !mDone; ++i) frame();
  }
  // A key pressed on one frame, released for seven: a menu takes input once
  // it has been shown eight frames.
  void press(Platform::Key key) {
    frame({key});
    idle(7);
  }
  CommandMenu& current() const { return mCommand->menu(mCommand->current()); }
  void turnTo(i32 panel) {
    for (int i = 0; i < CommandMenu::kPanels && current().panelIndex() != panel; ++i) {
      frame({Platform::Key::Right});
      frame();
    }
    idle(8);
  }
  // Space-separated steps: X decide, Z cancel, v down, > right, pN turn to
  // panel N,
  // $N the party's pool. A warning that shows after a step is noted once.
  void run(const std::string& keys) {
    std::istringstream steps(keys);
    std::string token;
    while (steps >> token && !mDone) {
      switch (token[0]) {
        case 'X': press(kDecide); break;
        case 'Z': press(kCancel); break;
        case 'v': press(Platform::Key::Down); break;
        case '>': press(Platform::Key::Right); break;
        case 'p': turnTo(std::stoi(token.substr(1))); break;
        case '$': battle().side(0).setPool(std::stoi(token.substr(1))); break;
        default: ADD_FAILURE() << "no step " << token;
      }
      if (!mDone && current().warningCount() > 0) mWarnings.push_back("!" + menuRows(*current().warning(0))[0]);
    }
  }
  // A member's plan: art/chosen/item, slot and target, the remembered panel
  // and row; "~" and the menu's own choice with its open menus while
  // nothing is planned.
  static std::string memberLine(CommandMenu& menu) {
    const Game::Unit& unit = menu.unit();
    std::ostringstream out;
    if (unit.hasPlan()) {
      const Game::PlannedAction& plan = unit.plan().front();
      out << nameOf(plan.art) << "/" << nameOf(plan.chosen) << "/" << nameOf(plan.item) << " s" << unit.weaponSlot()
          << " @" << cellText(plan.target) << (plan.flags == Command::kPays ? "" : " unpaid");
    } else {
      out << "~" << nameOf(menu.art()) << "/" << nameOf(menu.chosenArt()) << "/" << nameOf(menu.item()) << " s"
          << menu.weaponSlot() << " @" << cellText(menu.target()) << (menu.itemMenu() ? " [I]" : "")
          << (menu.targetMenu() ? " [T]" : "")
          << (menu.isPanelMode() ? " [P" + std::to_string(menu.panelIndex()) + "]" : "");
    }
    out << " m" << unit.ghost().getLastCommand() << "." << unit.lastCommandRow();
    return out.str();
  }
  std::vector<std::string> outcome() {
    std::vector<std::string> out;
    for (i32 m = 0; m < mCommand->menuCount(); ++m) out.push_back(memberLine(mCommand->menu(m)));
    out.insert(out.end(), mWarnings.begin(), mWarnings.end());
    std::ostringstream status;
    if (mDone) {
      status << (battle().isDecided() ? "escaped" : "done");
    } else {
      status << "at " << mCommand->current() << " cost " << mCommand->pendingCost();
    }
    out.push_back(status.str());
    return out;
  }

  std::unique_ptr<Command> mCommand;
  std::vector<std::string> mWarnings;
  bool mDone = false;
};

// Scripted keys through the real menus, each press eight frames after the
// last, and what the members end with.
struct KeyScript {
  const char* name;
  std::vector<At> members;
  std::vector<At> enemies;
  const char* keys;
  std::vector<std::string> outcome;
  // An art every member learns first.
  const char* learnt = nullptr;
  // The uses left on every member's first weapon; -1 leaves it new.
  i32 weaponUses = -1;
};

const std::string kUnpayable = std::string("!") + CommandMenu::kUnpayableWarning;
const std::string kPartyCost = std::string("!") + CommandMenu::kPartyCostWarning;
const std::string kBreaks = std::string("!") + CommandMenu::kBreakAlarm;
const std::string kBroken = std::string("!") + CommandMenu::kBrokenAlarm;
const At kKessa0{0, 2};
const At kKessa1{1, 2};
const At kMio0{0, 2, "灯りのミオ"};
const At kMio1{1, 2, "灯りのミオ"};

const KeyScript kKeyScripts[] = {
    // "コマンド", the art, the target: the first candidate in unit order.
    {"TwoMembersCutTheFirstEnemyAdded", {kKessa0, kKessa1}, {{0, 3}, {0, 1}}, "X X X X X X",
     {"斬り払い/斬り払い/ s0 @1,0,3 m0.0", "斬り払い/斬り払い/ s0 @1,0,3 m0.0", "done"}},
    // Guard aims at the guard; escape ends the battle with no commit.
    {"EscapeEndsTheBattleAfterAnotherChose", {kKessa0, kKessa1}, {{0, 0}}, "v X X v v X X",
     {"~身を守る/身を守る/ s-1 @0,0,2 m0.0", "~逃げる/逃げる/ s-1 @0,1,2 m0.0", "escaped"}},
    // Cancel on the first member does nothing; on the second it reopens the
    // first without its target.
    {"CancelStepsBackWithoutTheTarget", {kKessa0, kKessa1}, {{0, 0}}, "Z v X X Z",
     {"~身を守る/身を守る/ s-1 @-1,-1,-1 m0.0", "~-/-/ s-1 @-1,-1,-1 m0.0", "at 0 cost 0"}},
    // 火花 takes 4: a pool of 3 cannot pay it; 7 pays each but not both.
    {"AnUnpayableArtAndThePartysShortfallAreWarned", {kMio0, kMio1}, {{0, 0}}, "$3 X X X X $7 X X",
     {"~火花/火花/ s0 @1,0,0 [P0] m0.0", "~火花/火花/ s0 @-1,-1,-1 [T] [P0] m0.0", kUnpayable, kPartyCost, "at 1 cost 4"}},
    {"APoolOfExactlyBothCostsWarnsOfNothing", {kMio0, kMio1}, {{0, 0}}, "$8 X X X X X",
     {"~火花/火花/ s0 @1,0,0 [P0] m0.0", "~火花/火花/ s0 @-1,-1,-1 [T] [P0] m0.0", "at 1 cost 4"}},
    // With one panel (Rinna's staff) the side key turns to it again and
    // moves no row.
    {"ASideKeyOnTheOnlyPanelMovesNoRow", {{0, 2, "水守りのリンナ"}}, {{0, 0}}, "X > X X",
     {"水つぶて/水つぶて/ s0 @1,0,0 m0.0", "done"}},
    {"AFreeArtWarnsOfNothingWhateverOthersPend", {kMio0, kKessa1}, {{0, 0}}, "$10 X X X $3 X X",
     {"~火花/火花/ s0 @1,0,0 [P0] m0.0", "~斬り払い/斬り払い/ s0 @-1,-1,-1 [T] [P0] m0.0", "at 1 cost 4"}},
    // "投げる道具" on the bare-hands panel opens the bag's throwable items
    // (the knife, not the herb); the knife throws with its own art.
    {"AKnifeIsThrownFromTheBag", {kKessa0}, {{0, 2}}, "X p8 v X X X",
     {"ナイフ投げ/投げる道具/投げナイフ s-1 @1,0,2 m8.1", "done"}},
    {"CancelClosesTheItemMenu", {kKessa0}, {{0, 2}}, "X p8 v X Z", {"~-/-/ s-1 @-1,-1,-1 [P8] m8.1", "at 0 cost 0"}},
    // A weapon on its last use warns that it breaks after the battle; a
    // spent one (broken in this battle) that it strikes weaker, and its art
    // is still chosen.
    {"AWeaponsLastUseIsWarned", {kKessa0}, {{0, 2}}, "X X X X",
     {"斬り払い/斬り払い/ s0 @1,0,2 m0.0", kBreaks, "done"}, nullptr, 1},
    {"ASpentWeaponIsWarnedAndStillStrikes", {kKessa0}, {{0, 2}}, "X X X X",
     {"斬り払い/斬り払い/ s0 @1,0,2 m0.0", kBroken, "done"}, nullptr, 0},
};

void PrintTo(const KeyScript& script, std::ostream* out) { *out << script.name; }

class CommandKeyScriptTest : public CommandPhaseTest, public ::testing::WithParamInterface<KeyScript> {};

TEST_P(CommandKeyScriptTest, GivesPinnedPlans) {
  const KeyScript& script = GetParam();
  for (const At& member : script.members) {
    Game::PlayerGhost& ghost = addMember(member);
    if (script.learnt) ghost.abilities().add(Game::Ability::fromName(script.learnt));
    if (script.weaponUses >= 0) {
      Game::Article& weapon = ghost.slot(0);
      weapon.set(weapon.item(), 0.f);  // one use
      if (script.weaponUses == 0) weapon.useOne();
    }
  }
  game().bag().add(Game::Article::fromItem(Game::Database::instance()->findTool("薬草")), 1);
  game().bag().add(Game::Article::fromItem(Game::Database::instance()->findTool("投げナイフ")), 2);
  openBattle();
  for (const At& cell : script.enemies) foe(cell.row, cell.column);
  makeCommand();
  run(script.keys);
  EXPECT_EQ(outcome(), script.outcome);
}

INSTANTIATE_TEST_SUITE_P(Scripts, CommandKeyScriptTest, ::testing::ValuesIn(kKeyScripts),
                         [](const ::testing::TestParamInfo<KeyScript>& row) { return row.param.name; });

// Struck first, the party gives no command and a random part of the enemies
// plans (k of 4 left out, k drawn from 0..3); striking first, none plans.
// With nobody to command, the commit follows the 60 frames of the opening
// and appends the cast.
TEST_F(CommandPhaseTest, TheKindDecidesWhoChooses) {
  // The kind; the party's menus, the fewest and most enemies planning.
  for (const auto& [kind, menus, fewest, most] :
       {std::tuple{BattleSettings::kForestall, 1, 0, 0}, {BattleSettings::kForestalled, 0, 1, 4},
        {BattleSettings::kEven, 1, 4, 4}}) {
    SCOPED_TRACE(kind);
    addMember(kKessa0);
    openBattle(kind);
    EXPECT_EQ(makeCommand().menuCount(), menus);
    game().party().members().clear();
    std::vector<i32> planned;
    for (i32 seed = 1; seed <= 12; ++seed) {
      Game::RandomGenerator::instance()->setSeed(seed);
      openBattle(kind);
      for (i32 c = 0; c < 4; ++c) foe(0, c);
      makeCommand();
      const i32 phases = battle().phaseCount();
      frame();
      ASSERT_TRUE(mDone);
      ASSERT_EQ(battle().phaseCount(), phases + 1);
      planned.push_back(0);
      for (i32 i = 0; i < battle().unitCount(); ++i) planned.back() += battle().unitAt(i)->hasPlan();
    }
    const auto [least, highest] = std::minmax_element(planned.begin(), planned.end());
    EXPECT_EQ(std::pair(*least, *highest), std::pair(fewest, most));
  }
  // Without a party in reach the slime guards, on itself, paying as it goes.
  const Game::Unit& slime = *battle().unitAt(0);
  EXPECT_EQ(std::tuple(slime.plan().front().flags, slime.weaponSlot(), cellText(slime.plan().front().target)),
            std::tuple(Command::kPays, 0, cellText(slime.place())));
  // An enemy still charging keeps its plan: nothing is added to it.
  openBattle();
  Game::Unit& charging = foe(0, 0);
  charging.planAction(0, Game::Ability::fromName("薙ぎ払い"), charging.place());
  makeCommand();
  frame();
  EXPECT_EQ(charging.plan().size(), 1u);
}

// "コマンド", guard (or do nothing without the skill), escape only with its
// skill and greyed where escape is not allowed.
TEST_F(CommandPhaseTest, TheMainListFollowsTheSkills) {
  Game::PlayerGhost& kessa = addMember(kKessa0);
  openBattle(BattleSettings::kEven, false);
  Command& command = makeCommand();
  EXPECT_EQ(menuRows(command.menu(0).mainList().list()),
            (std::vector<std::string>{"コマンド", "身を守る              ", "逃げる"}));
  EXPECT_FALSE(command.menu(0).mainList().list().isSelectable(2));
  kessa.abilities().clear();
  openBattle();
  const std::vector<std::string> rows = menuRows(makeCommand().menu(0).mainList().list());
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], "コマンド");
  EXPECT_NE(rows[1].find("何もしない"), std::string::npos);
}

// Candidates selectable, stealthy ones greyed unless all are; other enemies
// greyed only when the first candidate is an enemy; none cancels.
TEST_F(CommandPhaseTest, TargetRowsGreyStealthAndEnemiesOutOfReach) {
  addMember(kKessa0);
  openBattle();
  Game::Unit& kessa = *battle().unitAt(0);
  const Game::Ability cut = Game::Ability::fromName("斬り払い");
  EXPECT_EQ(Game::TargetMenu(battle(), kessa, cut).update(0), 2) << "no candidate";
  Game::Unit& front = foe(0, 2);
  foe(2, 2);
  Game::Unit& hidden = foe(0, 4);
  const Game::Ability stealth = Game::Ability::fromName("ステルス");
  hidden.ghost().abilities().add(stealth);
  battle().refresh();
  const auto selectable = [&](const Game::Ability& art) {
    Game::TargetMenu menu(battle(), kessa, art);
    std::string out;
    for (i32 i = 0; i < menu.list().itemCount(); ++i) out += menu.list().isSelectable(i) ? "o" : "x";
    return out + " " + std::to_string(menu.candidates().size());
  };
  // Kessa is no candidate and no enemy: no row of hers.
  EXPECT_EQ(selectable(cut), "oxx 2");
  EXPECT_EQ(selectable(Game::Ability::fromName("身を守る")), "o 1") << "at the party: no enemy rows";
  front.ghost().abilities().add(stealth);
  battle().refresh();
  EXPECT_EQ(selectable(cut), "oxo 2") << "all stealthy";
}

// The plan keeps its own copy of a thrown item: the bag may change under it.
TEST_F(CommandPhaseTest, AThrownItemIsThePlansOwnCopy) {
  addMember(kKessa0);
  const Game::ToolData* knife = Game::Database::instance()->findTool("投げナイフ");
  game().bag().add(Game::Article::fromItem(knife), 2);
  openBattle();
  Game::Unit& kessa = *battle().unitAt(0);
  kessa.planAction(-1, knife->throwArt().at(0), Game::Ability::fromName("投げる道具"), Game::Place{1, 0, 2},
                   &game().bag().at(0)->article);
  game().bag().clear();
  EXPECT_EQ(kessa.plan().front().item.item(), knife);
}

// Two grey rows a group while Kessa and ミオ fight together; none without
// ミオ.
TEST_F(CommandPhaseTest, TheSynchroPanelListsTheActiveGroups) {
  addMember(kKessa0);
  openBattle();
  battle().refresh();
  EXPECT_EQ(battle().synchroPanel().itemCount(), 0);
  addMember(kMio1);
  openBattle();
  battle().refresh();
  const Game::ListMenu& panel = battle().synchroPanel();
  EXPECT_EQ(menuRows(panel), (std::vector<std::string>{"灯と刃", "ケッサとミオが並ぶと息が合う"}));
  EXPECT_FALSE(panel.isSelectable(0));
  const auto* help = dynamic_cast<const Game::Widget::Text*>(panel.item(1));
  ASSERT_TRUE(help);
  EXPECT_EQ(std::make_pair(help->font, help->color), std::make_pair(0, 0xFFC0C0C0u));
  EXPECT_FLOAT_EQ(panel.contentLeft(), 320.f - panel.width()) << "its right edge on the screen's";
}

// The side keys turn the panels, skipping those that do not exist and
// wrapping round the nine; cancel leaves the panels for the main list.
TEST_F(CommandPhaseTest, PanelKeysSkipMissingPanelsAndWrap) {
  Game::PlayerGhost& kessa = addMember(kKessa0);
  // A second sword in weapon slot 1; the armour in its slot gives no panel
  // without arts.
  Game::Article previous;
  kessa.swapEquipment(previous, *kessa.getEquipment(0), 1);
  openBattle();
  foe(0, 2);
  CommandMenu& menu = makeCommand().menu(0);
  std::vector<i32> shown;
  for (i32 p = 0; p < CommandMenu::kPanels; ++p) {
    if (menu.hasPanel(p)) shown.push_back(p);
  }
  ASSERT_EQ(shown, (std::vector<i32>{0, 1, 8})) << "the swords, bare hands";
  std::vector<std::string> bare;
  for (i32 i = 0; i < menu.panel(8).abilityCount(); ++i) bare.push_back(nameOf(menu.panel(8).ability(i)));
  EXPECT_EQ(bare, (std::vector<std::string>{"返し刃", "投げる道具"})) << "no passives";
  press(kDecide);
  std::vector<i32> visited;
  for (const Platform::Key key : {Platform::Key::Right, Platform::Key::Right, Platform::Key::Right,
                                  Platform::Key::Right, Platform::Key::Left, Platform::Key::Left, Platform::Key::Left}) {
    frame({key});
    frame();
    visited.push_back(menu.panelIndex());
  }
  EXPECT_EQ(visited, (std::vector<i32>{1, 8, 0, 1, 0, 8, 1}));
  idle(8);
  run("Z");
  EXPECT_FALSE(menu.isPanelMode());
  EXPECT_FALSE(menu.choose(Game::Ability::fromName("身を守る技能"))) << "a passive";
  // Without the sword the first panel is missing: the next one shows.
  kessa.clearEquipment(0);
  openBattle();
  makeCommand();
  press(kDecide);
  EXPECT_EQ(current().panelIndex(), 1);
}

// The panel and row chosen open the next turn's menu; a remembered panel
// that does not exist gives way to the first.
TEST_F(CommandPhaseTest, TheChosenPanelAndRowAreRemembered) {
  Game::PlayerGhost& kessa = addMember(kKessa0);
  kessa.abilities().add(Game::Ability::fromName("薙ぎ払い"));  // a second row for the sword
  openBattle();
  foe(0, 2);
  makeCommand();
  run("X v X X");
  battle().unitAt(0)->clearPlan();
  EXPECT_EQ(makeCommand().menu(0).panel(0).selectedId(), 1);
  for (const auto& [remembered, opened] : {std::pair{8, 8}, std::pair{5, 0}, std::pair{9, 0}, std::pair{-1, 0}}) {
    kessa.setLastCommand(remembered);
    EXPECT_EQ(makeCommand().menu(0).panelIndex(), opened);
  }
}

// Each character alone, its battle run from the opening: no panel lists an
// art twice, and its first attack is paid from the pool the battle starts
// with, 0 (Mio's 火花 takes 4: her sand and Rinna's water are free).
TEST_F(CommandPhaseTest, EachCharacterListsAnArtOnceAndAttacksFromTheFirstTurn) {
  std::vector<std::string> attacks;
  for (const char* shell : {"Kessa", "灯りのミオ", "盾のトヴァン", "水守りのリンナ"}) {
    game().party().members().clear();
    Game::PlayerGhost& ghost = addMember({0, 2, shell});
    openBattle();
    foe(0, 2);
    BattleGameTest::run(200);
    std::string attack = "-";
    for (i32 slot = CommandMenu::kPanels - 1; slot >= 0; --slot) {
      Game::AbilityList arts;
      ghost.abilitiesForSlot(arts, slot, &battle());
      std::set<std::string> names;
      for (i32 i = arts.count() - 1; i >= 0; --i) {
        EXPECT_TRUE(names.insert(nameOf(arts.at(i))).second) << shell << " " << slot;
        if (arts.at(i).type() == 0 && !arts.at(i).isPassive() && unit(0).canPay(arts.at(i), true)) attack = nameOf(arts.at(i));
      }
    }
    attacks.push_back(std::string(shell) + " " + attack + " " + std::to_string(battle().side(0).pool()));
  }
  EXPECT_EQ(attacks, (std::vector<std::string>{"Kessa 斬り払い 0", "灯りのミオ 目潰し 0", "盾のトヴァン 突き通し 0",
                                               "水守りのリンナ 水つぶて 0"}));
}

// The party's windows stand in a row from x = -320, 128 apart, at y = -180,
// the commanded one raised to -164; the fallen and the enemies have none.
TEST_F(CommandPhaseTest, TheLineUpRaisesTheCommandedMember) {
  addMember(kKessa0);
  addMember(kMio1);
  openBattle();
  foe(0, 0);
  const auto place = [&](i32 i) {
    const Game::UnitEntry::WindowPlace* window = battle().entry(i).window();
    return window ? std::make_pair(window->x, window->y) : std::make_pair(0.f, 0.f);
  };
  battle().lineUpParty(battle().unitAt(1), 0);
  EXPECT_EQ(std::tuple(place(0), place(1), battle().entry(2).window()),
            std::tuple(std::pair(-320.f, -180.f), std::pair(-192.f, -164.f), nullptr));
  battle().unitAt(0)->applyState("気絶", 1, false);
  battle().lineUpParty(battle().unitAt(1), 0);
  EXPECT_EQ(std::tuple(battle().entry(0).window(), place(1)), std::tuple(nullptr, std::pair(-320.f, -164.f)));
}

// The commit: the first and the last unit get their automatic states, and
// every charge comes a turn nearer.
TEST_F(CommandPhaseTest, TheCommitAppliesAutomaticStatesAndCountsChargesDown) {
  Game::PlayerGhost& kessa = addMember(kKessa0);
  Game::PlayerGhost& mio = addMember(kMio1);
  kessa.abilities().add(Game::Ability::fromName("自動シールド"));
  mio.abilities().add(Game::Ability::fromName("自動シールド"));
  openBattle(BattleSettings::kForestall);
  const Game::Unit& idle = foe(0, 0);
  battle().refresh();
  const Game::Ability sweep = Game::Ability::fromName("薙ぎ払い");
  for (i32 i = 0; i < 2; ++i) battle().unitAt(i)->planAction(0, sweep, battle().unitAt(i)->place());
  ASSERT_EQ(battle().unitAt(0)->charge(), 2);
  ASSERT_EQ(makeCommand().menuCount(), 0) << "a unit with a plan takes no command";
  frame();
  for (i32 i = 0; i < 2; ++i) {
    EXPECT_TRUE(battle().unitAt(i)->holds("シールド"));
    EXPECT_EQ(battle().unitAt(i)->charge(), 1);
  }
  EXPECT_EQ(idle.charge(), 0) << "nothing to count down";
}

// A highlighted unit glows bright for sixteen frames, then dim, and is plain
// again once no longer named.
TEST_F(CommandPhaseTest, AHighlightedUnitGlowsWhileNamed) {
  addMember(kKessa0);
  openBattle();
  battle().update();
  Game::Unit& kessa = *battle().unitAt(0);
  Game::SceneNode* node = kessa.node();
  ASSERT_NE(node, nullptr);
  std::vector<float> glow;
  for (int i = 0; i < 16; ++i) {
    battle().highlight(kessa);
    EXPECT_TRUE(battle().isHighlighted(kessa));
    battle().update();
    if (i == 0 || i == 15) glow.push_back(node->ambient.z.value());
  }
  battle().update();
  glow.push_back(node->ambient.z.value());
  EXPECT_EQ(glow, (std::vector<float>{0.55f, 0.7f, 1.f}));
}

}  // namespace
