#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <utility>

#include "core/random/RandomGenerator.h"
#include "data/unit/Life.h"
#include "file/nml/NmlNode.h"
#include "tests/data/unit/BattleUnitFixture.h"

namespace {

using Game::Parameters;
using Game::Unit;
using Game::UnitPose;

class BattleUnit : public UnitTestSupport::BattleUnitTest {
 protected:
  static void seed(int s) { Game::RandomGenerator::instance()->setSeed(s); }
};

TEST_F(BattleUnit, AddingAStateKeepsAddsOrSetsByItsOverWrite) {
  struct Case {
    const char* state;
    int first, second, level;
  };
  // 毒 keeps (overWrite 0), 再生 sets (1), マジックバリア adds (2).
  for (const Case& c : {Case{"毒", 2, 5, 2}, Case{"再生", 2, 5, 5}, Case{"マジックバリア", 2, 5, 7},
                        Case{"毒", 3, -5, 0}}) {
    Unit& unit = makeUnit();
    const Game::StateData& s = state(c.state);
    const int index = database().stateIndex(c.state);
    unit.addState(s, c.first);
    unit.states().set(index, unit.states().level(index), 1);
    unit.addState(s, c.second);
    EXPECT_EQ(unit.stateLevel(c.state), c.level) << c.state << " " << c.second;
    // A kept or lowered state keeps its timer too; a set one restarts it.
    const bool restarted = c.second > 0 && s.overWrite() >= 1;
    EXPECT_EQ(unit.states().timer(index), restarted ? s.timer() : 1) << c.state;
  }
}

TEST_F(BattleUnit, EffectsActOnTheSidesAndTheLife) {
  Unit& unit = makeUnit();
  unit.applyState("結界", 1, false);
  EXPECT_EQ(std::vector<int>({battle.guards[0], battle.guards[1], unit.sideFieldMode()}), std::vector<int>({2, 2, 2}));
  unit.planAction(-1, art("斬る"), unit.place());
  unit.applyState("睡眠", 1, false);
  EXPECT_FALSE(unit.hasPlan());
  unit.applyState("気絶", 1, false);
  EXPECT_FALSE(unit.isAlive());
}

TEST_F(BattleUnit, AStealGoesToTheBagOrFails) {
  auto& ghost = makeGhost(true);
  Unit& unit = makeUnit(ghost);
  const Game::ToolData* item = database().addTool("薬草", "薬草");
  ghost.loot = item;
  unit.applyState("チェック", 1, false);
  unit.applyState("チェック", 1, false);
  ASSERT_EQ(battle.gained.size(), 1u);
  ASSERT_EQ(battle.messages.size(), 2u);
  EXPECT_EQ(battle.messages[0], "薬草をゲット！");
  EXPECT_EQ(battle.messages[1], "しっぱい！");
}

TEST_F(BattleUnit, PlacementTakesTheNearestFreeCellOfTheSide) {
  const auto cell = [](const Unit& u) { return std::make_pair(u.row(), u.column()); };
  const auto steps = [](const Unit& u, int row, int column) { return std::abs(u.row() - row) + std::abs(u.column() - column); };
  EXPECT_EQ(cell(makeUnit(false, 0, 2)), std::make_pair(0, 2));
  EXPECT_EQ(cell(makeUnit(true, 0, 2)), std::make_pair(0, 2));
  EXPECT_EQ(steps(makeUnit(false, 0, 2), 0, 2), 1);
  // A corner, out-of-range request: clamped, then the nearest free cell.
  EXPECT_EQ(cell(makeUnit(false, 9, 9)), std::make_pair(2, 4));
  Unit& next = makeUnit(false, 2, 4);
  EXPECT_TRUE(Unit::isValidCell(next.row(), next.column()) && steps(next, 2, 4) == 1);
  EXPECT_EQ(battle.poses.back(), UnitPose::kStand);
  Unit& outside = makeUnit(makeGhost(), false);
  outside.placeAt(1, 1);
  EXPECT_FALSE(outside.isPlaced());
}

TEST_F(BattleUnit, ChoosingATargetWithoutCandidatesGivesNone) {
  Unit& unit = makeUnit(true, 0, 0);
  unit.life().kill();
  Game::Place place;
  // The only unit is dead and nothing is in reach.
  EXPECT_FALSE(unit.chooseTargetPlace(art("斬る"), place));
  Unit& target = makeUnit(false, 1, 3);
  EXPECT_TRUE(unit.chooseTargetPlace(art("斬る"), place));
  EXPECT_EQ(std::vector<int>({place.side, place.row, place.column}), std::vector<int>({target.side(), 1, 3}));
}

TEST_F(BattleUnit, AnEnemyPrefersTheFrontRowOfTheOtherSide) {
  Unit& chooser = makeUnit(true, 0, 2);
  makeUnit(false, 0, 2);
  makeUnit(false, 2, 2);
  seed(99);
  int front = 0;
  for (int i = 0; i < 200; ++i) {
    Game::Place place;
    ASSERT_TRUE(chooser.chooseTargetPlace(art("斬る"), place));
    front += place.side == 0 && place.row == 0 ? 1 : 0;
  }
  // The chooser's own side is no candidate for an attack: 0.3 : 0.027.
  EXPECT_GT(front, 170);
  EXPECT_LT(front, 195);
  // An art with its own relation has both sides: the own side weighs rank 0,
  // 1 : 0.3 : 0.027, so about 151 of 200 land there.
  Game::NmlNode node;
  ASSERT_TRUE(node.parse("ability 斬る;relationExpression 1;", true));
  Game::Ability related;
  related.load(node);
  int own = 0;
  for (int i = 0; i < 200; ++i) {
    Game::Place place;
    ASSERT_TRUE(chooser.chooseTargetPlace(related, place));
    own += place.side == 1 ? 1 : 0;
  }
  EXPECT_GT(own, 135);
  EXPECT_LT(own, 167);
}

TEST_F(BattleUnit, PoisonAndRegenerationOverSeededTurns) {
  auto& ghost = makeGhost(false, 200, 100, 27);
  ghost.abilities().add(art("自動回復", 3));
  Unit& unit = makeUnit(ghost);
  unit.applyState("毒", 1, false);
  unit.applyState("再生", 2, false);
  unit.life().takeDamage(100);
  seed(1234);
  std::vector<int> seen;
  for (int turn = 0; turn < 8; ++turn) {
    const int poison = unit.poisonDamage();
    unit.life().takeDamage(poison);
    const int regeneration = unit.regeneration();
    unit.life().recoverHp(regeneration);
    unit.clamp();
    unit.endTurn();
    seen.insert(seen.end(), {poison, regeneration, unit.hp(), unit.lp(), unit.stateLevel("毒")});
  }
  // Per turn: poison, regeneration, HP, LP, poison level. The first turn by
  // hand: a = 1/3, f = a² / (a² + 0.25), trunc(√200 · 5 · f) = 21; regeneration
  // trunc(200 · 129 / 100 · 0.05) = 12. Poison lasts its 5 turns and then
  // vanishes at the seeded draw; damage past HP comes off LP.
  const std::vector<int> pinned = {21, 12, 91, 100, 1, 24, 12, 79, 100, 1, 27, 12, 64, 100, 1, 31, 12, 45, 100, 1,
                                   36, 12, 21, 100, 1, 41, 12, 12, 80,  0, 0,  12, 24, 80,  0, 0,  12, 36, 80,  0};
  EXPECT_EQ(seen, pinned);
  EXPECT_EQ(unit.turnCount(), 8);
}

TEST_F(BattleUnit, HugeAndZeroMaximaGiveSaneValues) {
  Unit& huge = makeUnit(makeGhost(false, 0x7fffffff, 1));
  huge.states().setLevelOf("毒", 0x7fffffff);
  huge.life().setHp(1);
  EXPECT_GT(huge.poisonDamage(), 1);
  Unit& empty = makeUnit(makeGhost(false, 0, 0));
  EXPECT_EQ(empty.getLifeRatio(), 0.f);
  EXPECT_EQ(empty.getLpRatio(), 0.f);
}

TEST_F(BattleUnit, ReactionsComeInTheirOrderAndOnlyToDamage) {
  Unit& attacker = makeUnit(true, 0, 1);
  auto& ghost = makeGhost();
  ghost.abilities().add(art("道連れ"));  // the first counter that fires is the only one
  ghost.abilities().add(art("返し刃"));
  Unit& unit = makeUnit(ghost, true, 0, 1);
  const Game::Ability blow = art("斬る");
  std::vector<Game::Reaction> out;
  unit.collectReactions({&attacker, &blow, nullptr, true, 0}, out);
  EXPECT_TRUE(out.empty()) << "no damage";
  battle.guards[0] = 2;
  unit.collectReactions({&attacker, &blow, nullptr, true, 199}, out);
  ASSERT_EQ(out.size(), 2u) << "a final attack needs a fatal blow";
  EXPECT_STREQ(out[0].art.name(), "結界発動");
  EXPECT_EQ(out[0].aim.side, 0) << "a support art aims at the unit";
  EXPECT_STREQ(out[1].art.name(), "返し刃");
  EXPECT_EQ(out[1].aim.side, 1);
  out.clear();
  unit.collectReactions({&attacker, &blow, nullptr, true, 200}, out);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_STREQ(out[1].art.name(), "道連れ");
  out.clear();
  Game::AttackBlock antiCounter = blow.attack();
  antiCounter.elements().set(15);
  unit.collectReactions({&attacker, &blow, &antiCounter, true, 5}, out);
  EXPECT_TRUE(out.empty());
  // A reflector answers in kind.
  battle.guards[0] = 0;
  auto& mirrorGhost = makeGhost();
  mirrorGhost.abilities().add(art("鏡返し"));
  makeUnit(mirrorGhost, true, 1, 1).collectReactions({&attacker, &blow, nullptr, true, 5}, out);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_STREQ(out[0].art.name(), "斬る");
}

TEST_F(BattleUnit, ANewFormStartsAfresh) {
  auto& ghost = makeGhost(true);
  Unit& changing = makeUnit(ghost);
  changing.applyState("毒", 2, false);
  ghost.changesForm = true;
  changing.onDefeated();
  EXPECT_EQ(changing.hp(), 100);
  EXPECT_EQ(changing.stateLevel("毒"), 0);
  EXPECT_EQ(battle.poses.back(), UnitPose::kAppear);
}

TEST_F(BattleUnit, AStateOutsideTheTableStopsNamingIt) {
  Unit& unit = makeUnit();
  const Game::StateData stray("迷子");
  EXPECT_DEATH(unit.applyState(stray, 1, false), "迷子");
  EXPECT_DEATH(unit.applyState("迷子", 1, false), "迷子");
}

}  // namespace
