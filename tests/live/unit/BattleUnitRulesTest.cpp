// The battle unit's rules, each pinned by examples worked by hand: life,
// derived values, states and their ticks, turns, reactions and placement.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/random/RandomGenerator.h"
#include "live/article/Article.h"
#include "live/unit/Life.h"
#include "core/file/nml/NmlNode.h"
#include "tests/core/random/SeededDraws.h"
#include "tests/live/unit/BattleUnitFixture.h"

namespace {

using Engine::i32;
using Game::AmountSpec;
using Game::AttackBlock;
using Game::Parameters;
using Game::StatusBlock;
using Game::Unit;
using Game::UnitPose;
using RandomTestSupport::firstFloatDraw;
using RandomTestSupport::random;
using RandomTestSupport::seedsDrawing;
using UnitTestSupport::TestGhost;

// The names of the arts a unit answers a strike with, each with the side it
// aims at when asked.
std::vector<std::string> reactionNames(Unit& unit, const Game::StrikeReport& strike, bool sides = false) {
  std::vector<Game::Reaction> out;
  unit.collectReactions(strike, out);
  std::vector<std::string> names;
  for (const Game::Reaction& reaction : out) {
    names.emplace_back(reaction.art.name());
    if (sides) names.back() += " " + std::to_string(reaction.aim.side);
    EXPECT_EQ(reaction.actor, &unit);
  }
  return names;
}

class BattleUnitRules : public UnitTestSupport::BattleUnitTest {
 protected:
  // The boost timers held high, so that a tick draws only for the states.
  static void holdBoosts(Unit& unit) {
    for (i32 i = 0; i < Parameters::kCount; ++i) {
      unit.states().boostTimers()[i] = 50;
    }
  }
  // Shows each message as "value colour flag scale", a picture as "state index xcount".
  struct View : Game::UnitStuff::MessageView {
    void show(const Game::UnitStuff::Message& m) override {
      std::ostringstream out;
      if (m.kind == Game::UnitStuff::Message::Kind::kState) out << "state " << m.state << " x" << m.count;
      else out << m.value << " " << std::hex << m.color << std::dec << " " << int{m.flag} << " " << m.scale;
      shown.push_back(out.str());
    }
    std::vector<std::string> shown;
  } view;
  // A unit over a fresh ghost that holds the art at the level (none at 0).
  Unit& unitWith(const char* name, i32 level = 1) {
    TestGhost& ghost = makeGhost();
    if (name && level > 0) {
      ghost.abilities().add(art(name, level));
    }
    return makeUnit(ghost);
  }
  // 斬る with a relation of its own.
  static Game::Ability relatedBlow() {
    Game::NmlNode node;
    EXPECT_TRUE(node.parse("ability 斬る;relationExpression 1;", true));
    Game::Ability related;
    related.load(node);
    return related;
  }
};

TEST_F(BattleUnitRules, DamageComesOffHpThenLpDownToZero) {
  for (const auto& [hp, lpBefore, damage, hpAfter, lpAfter, taken] :
       {std::array{10, 50, 30, 0, 30, 30}, {10, 50, 10, 0, 50, 10}, {10, 50, 9, 1, 50, 9}, {10, 50, 0, 10, 50, 0},
        {10, 50, -5, 10, 50, 0}, {0, 5, 8, 0, 0, 8}}) {
    i32 lp = lpBefore;
    Game::Life life(lp);
    life.setHp(hp);
    life.takeDamage(damage);
    const i32 thisTurn = life.damageThisTurn();
    life.endTurn();
    EXPECT_EQ(std::tuple(life.hp(), lp, thisTurn, life.previousTurnDamage(), life.damageThisTurn()),
              std::tuple(hpAfter, lpAfter, taken, taken, 0))
        << hp << " " << damage;
  }
}

TEST_F(BattleUnitRules, HealingClampingAndDeath) {
  // HP heals only while LP is left; neither heals by a negative amount.
  for (const auto& [hp, lpBefore, heal, lpGain, hpAfter, lpAfter] :
       {std::array{5, 1, 10, 0, 15, 1}, {5, 0, 10, 0, 5, 0}, {5, 1, -3, -3, 5, 1}, {5, 1, 0, 4, 5, 5}}) {
    i32 lp = lpBefore;
    Game::Life life(lp);
    life.setHp(hp);
    life.recoverHp(heal);
    life.recoverLp(lpGain);
    EXPECT_EQ(std::pair(life.hp(), lp), std::pair(hpAfter, lpAfter)) << lpBefore << " " << heal;
  }
  // Into the maxima and not below 0; no LP leaves no HP.
  for (const auto& [hp, lpBefore, hpAfter, lpAfter] :
       {std::array{150, 120, 100, 80}, {-5, 10, 0, 10}, {50, 0, 0, 0}, {50, -3, 0, 0}, {100, 80, 100, 80}}) {
    i32 lp = lpBefore;
    Game::Life life(lp);
    life.setHp(hp);
    life.clamp(100, 80);
    EXPECT_EQ(std::pair(life.hp(), lp), std::pair(hpAfter, lpAfter)) << hp << " " << lpBefore;
  }
  i32 lp = 3;
  Game::Life life(lp);
  life.fill();
  EXPECT_EQ(life.hp(), 0x7fffffff);
  life.kill();
  EXPECT_EQ(std::make_pair(life.hp(), lp), std::make_pair(0, 0));
  EXPECT_FALSE(life.isAlive());
  lp = 1;
  EXPECT_TRUE(life.isAlive());
}

// Weapon W = 10: the last use under ファイナルストライク doubles it, then
// 薬漬け adds 10 a level, then the planned item its weapon performance.
TEST_F(BattleUnitRules, TheWeaponValueUnderStatesAndAbilities) {
  Game::Article last;
  last.set(database().findTool("槍"), 0.01f);
  const Game::Article fresh = Game::Article::fromItem(database().findTool("槍"));
  const Game::Article* none = nullptr;
  for (const auto& [drugs, finalStrike, held, planned, weapon] :
       {std::tuple{0, false, none, none, 10}, {2, false, none, none, 30}, {0, true, &last, none, 20},
        {1, true, &last, none, 30}, {0, true, &fresh, none, 10}, {0, false, &last, none, 10},
        {0, false, none, &fresh, 16}, {3, true, &last, &fresh, 56}}) {
    TestGhost& ghost = makeGhost();
    ghost.weaponValue = 10;
    ghost.equipment = held;
    ghost.equipmentSlot = 2;
    if (finalStrike) {
      ghost.abilities().add(art("ファイナルストライク"));
    }
    Unit& unit = makeUnit(ghost);
    unit.setWeaponSlot(2);
    unit.setStateLevel("薬漬け", drugs);
    if (planned) {
      unit.planAction(2, art("斬る"), unit.place(), planned);
    }
    unit.recompute();
    EXPECT_EQ(unit.status()[StatusBlock::kWeapon], weapon) << drugs << " " << finalStrike;
  }
}

TEST_F(BattleUnitRules, StatesBendTheBlocks) {
  TestGhost& ghost = makeGhost(false, 120, 80, 41);
  ghost.caps[Parameters::kAp1] = 9;
  ghost.defense.factors()[3] = 0.5f;
  Unit& unit = makeUnit(ghost);
  // Attack elements 9 (吸収), 14, 15 (反撃無効) and 16; defence factors 2 to 4.
  const auto blocks = [&] {
    const auto& e = unit.attack().elements();
    const auto& f = unit.defense().factors();
    return std::tuple(e.isSet(9), e.isSet(14), e.isSet(15), e.isSet(16), f[2], f[3], f[4]);
  };
  unit.recompute();
  EXPECT_EQ(blocks(), std::tuple(false, false, false, false, 1.f, 0.5f, 1.f));

  unit.setStateLevel("呪い", 1);
  unit.setStateLevel("カウンター無効付加", 1);
  unit.setStateLevel("吸収付加", 1);
  unit.setStateLevel("マジックバリア", 30);
  unit.recompute();
  // The curse halves the seven attributes only.
  EXPECT_EQ(std::vector<i32>({unit.maxHp(), unit.maxLp(), unit.parameters()[Parameters::kAp1],
                              unit.parameters()[Parameters::kStrength], unit.parameters()[Parameters::kPsyche]}),
            std::vector<i32>({120, 80, 9, 20, 20}));
  // The barrier of level 30 keeps 70% of spells (element 3) out of 50%.
  EXPECT_EQ(blocks(), std::tuple(true, false, true, false, 1.f, 0.35f, 1.f));
  // A dead unit loses its states at the next recomputation.
  unit.life().kill();
  const i32 before = unit.stateLevel("呪い");
  unit.recompute();
  EXPECT_EQ(std::pair(before, unit.stateLevel("呪い")), std::pair(1, 0));
}

// Attributes 20: Attack is 腕力. Boosts count everywhere, the formation's
// values only for a placed party unit, the synchro groups for any party unit.
TEST_F(BattleUnitRules, BoostsFormationAndSynchroAddToTheParameters) {
  battle.formation[Parameters::kStrength] = 3;
  battle.synchro[Parameters::kStrength] = 100;
  for (const auto& [enemy, row, inBattle, attack] :
       {std::tuple{false, 1, true, 128}, {false, -1, true, 125}, {true, 1, true, 25}, {false, -1, false, 25}}) {
    Unit& unit = makeUnit(makeGhost(enemy), inBattle, row, 2);
    unit.setBoost(Parameters::kStrength, 5);
    unit.recompute();
    EXPECT_EQ(unit.status()[StatusBlock::kAttack], attack) << enemy << " " << row << " " << inBattle;
  }
}

// Every status value stops at 0 but Psycho, which stops at −256.
TEST_F(BattleUnitRules, TheClampKeepsStatusFloorsAndLifeWithinTheMaxima) {
  for (const auto& [weapon, psyche, weaponAfter, psychoAfter] :
       {std::array{-5, -300, 0, -256}, {-5, -100, 0, -100}, {7, 30, 7, 30}}) {
    TestGhost& ghost = makeGhost();
    ghost.weaponValue = weapon;
    ghost.caps[Parameters::kPsyche] = psyche;
    Unit& unit = makeUnit(ghost);
    EXPECT_EQ(std::pair(unit.status()[StatusBlock::kWeapon], unit.status()[StatusBlock::kPsycho]),
              std::pair(weaponAfter, psychoAfter)) << weapon << " " << psyche;
    for (i32 i = 1; i < StatusBlock::kPsycho; ++i) {
      EXPECT_GE(unit.status()[i], 0) << i;
    }
  }
  TestGhost& ghost = makeGhost(false, 100, 80);
  Unit& unit = makeUnit(ghost);
  EXPECT_EQ(std::make_pair(unit.hp(), unit.lp()), std::make_pair(100, 80));
  unit.life().setHp(500);
  ghost.lpRef() = 500;
  unit.clamp();
  EXPECT_EQ(std::make_pair(unit.hp(), unit.lp()), std::make_pair(100, 80));
}

TEST_F(BattleUnitRules, TheBattleStartResetClearsCountersPlanAndStates) {
  Unit& unit = makeUnit();
  unit.planAction(3, art("溜め撃ち"), unit.place());
  unit.setHold(2);
  unit.endTurn();
  unit.setTurnMark(5);
  unit.setStateLevel("毒", 1);
  unit.setBoost(Parameters::kStrength, 4);
  unit.life().setHp(7);
  unit.resetForBattle();
  EXPECT_EQ(unit.hp(), 0x7fffffff);
  EXPECT_EQ(std::vector<i32>({unit.turnCount(), unit.weaponSlot(), unit.charge(), unit.hold(), unit.turnMark(),
                              unit.stateLevel("毒"), unit.boost(Parameters::kStrength)}),
            std::vector<i32>({0, -1, 0, 0, 0, 0, 0}));
  EXPECT_FALSE(unit.hasPlan());
}

TEST_F(BattleUnitRules, NamesRatiosAndQuestionsOfTheUnit) {
  TestGhost& ghost = makeGhost(true, 100, 100);
  ghost.defense.resist().set(database().stateIndex("毒"));
  Unit& unit = makeUnit(ghost);
  EXPECT_EQ(std::vector<bool>({unit.resists("毒"), unit.resists("睡眠"), unit.hasName("test"), unit.hasName("影")}),
            std::vector<bool>({true, false, true, false}));
  unit.setExtraName("影");
  EXPECT_EQ(std::vector<bool>({unit.hasName("影"), unit.hasName("test"), unit.hasName("光")}),
            std::vector<bool>({true, true, false}));
  unit.life().setHp(50);
  ghost.lpRef() = 25;
  EXPECT_EQ(std::pair(unit.getLifeRatio(), unit.getLpRatio()), std::pair(0.375f, 0.25f));
  battle.guards[1] = 2;
  EXPECT_EQ(std::pair(unit.sideFieldMode(), makeUnit(makeGhost(true), false).sideFieldMode()), std::pair(2, 0));
  const i32 level = unit.level();
  ghost.levelValue = 7;
  EXPECT_EQ(std::pair(level, unit.level()), std::pair(1, 7));
}

TEST_F(BattleUnitRules, EffectsOfStateRecords) {
  Unit& unit = makeUnit(true);
  battle.energies[1] = 10;
  // The energies and guard modes of sides 0 and 1 after each state in turn:
  // 結界 of amount 2 guards the own side only, of amount 0 neither.
  std::vector<std::vector<i32>> sides;
  for (const auto& [name, amount] :
       {std::pair{"呪力チャージ", 4}, {"呪力破壊", 6}, {"EclipseSidestep", 1}, {"結界", 2}, {"結界", 0}}) {
    unit.applyState(name, amount, false);
    sides.push_back({battle.energies[0], battle.energies[1], battle.guards[0], battle.guards[1]});
  }
  EXPECT_EQ(sides,
            (std::vector<std::vector<i32>>{{0, 14, 0, 0}, {0, 8, 0, 0}, {0, 8, 0, 1}, {0, 8, 0, 2}, {0, 8, 0, 2}}));
  battle.guardSides.clear();
  unit.applyState("結界", 1, false);
  EXPECT_EQ(std::vector<i32>({battle.guards[0], battle.guards[1], unit.sideFieldMode()}), std::vector<i32>({2, 2, 2}));
  EXPECT_EQ(battle.guardSides, std::vector<i32>({1, 0})) << "the own side, then the other";

  for (const auto& [name, level, keeps] : {std::tuple{"睡眠", 0, true}, {"スタン", 1, false}, {"睡眠", 1, false}}) {
    unit.planAction(-1, art("斬る"), unit.place());
    unit.applyState(name, level, false);
    EXPECT_EQ(unit.hasPlan(), keeps) << name << " " << level;
  }

  unit.applyState("毒", 2, false);
  unit.applyState("再生", 3, false);
  unit.setBoost(Parameters::kStrength, 5);
  unit.states().boostTimers()[Parameters::kStrength] = 2;
  unit.applyState("ディスペル", 1, false);
  const i32 poison = database().stateIndex("毒");
  EXPECT_EQ(std::vector<i32>({unit.stateLevel("毒"), unit.states().timer(poison), unit.stateLevel("再生"),
                              unit.boost(Parameters::kStrength), unit.states().boostTimers()[Parameters::kStrength]}),
            std::vector<i32>({0, 0, 0, 0, 0}));

  unit.life().setHp(10);
  unit.ghost().lpRef() = 50;
  unit.applyState("ＬＰ回復", 7, false);
  EXPECT_EQ(unit.lp(), 57);
  unit.applyState("気絶", 1, false);
  EXPECT_FALSE(unit.isAlive());
}

TEST_F(BattleUnitRules, RefreshClearsHarmfulLevelsAndKeepsTheRest) {
  Unit& unit = makeUnit();
  unit.applyState("毒", 2, false);
  unit.applyState("再生", 2, false);
  unit.applyState("リフレッシュ", 1, false);
  // 毒's timer stays.
  EXPECT_EQ(std::vector<i32>({unit.stateLevel("毒"), unit.states().timer(database().stateIndex("毒")),
                              unit.stateLevel("再生")}),
            std::vector<i32>({0, 5, 2}));
  unit.applyState("再生", 0, false);
  EXPECT_EQ(unit.stateLevel("再生"), 0) << "amount 0 sets a level that overwrites";
}

// Resisted: a harmful state the defence resists or any harmful state on a
// dead unit, and only when asked to check.
TEST_F(BattleUnitRules, ResistanceAppliesToHarmfulStatesWhenChecked) {
  for (const auto& [name, resisting, dead, check, level] :
       {std::tuple{"毒", true, false, true, 0}, {"毒", true, false, false, 2}, {"毒", false, false, true, 2},
        {"毒", false, true, true, 0}, {"再生", false, true, true, 2}, {"再生", true, false, true, 2}}) {
    TestGhost& ghost = makeGhost();
    if (resisting) {
      ghost.defense.resist().set(database().stateIndex(name));
    }
    Unit& unit = makeUnit(ghost);
    if (dead) {
      unit.life().kill();
    }
    unit.applyState(name, 2, check);
    EXPECT_EQ(unit.stateLevel(name), level) << name << resisting << dead << check;
  }
}

TEST_F(BattleUnitRules, AnalysisShowsLifeUpToTenThousand) {
  for (const auto& [hp, lp, line] :
       {std::tuple{100, 75, "HP 175 / 12000"}, {4000, 6000, "HP 10000 / 12000"}, {4001, 6000, "HP ????? / ?????"}}) {
    battle.messages.clear();
    TestGhost& ghost = makeGhost(true, 6000, 6000);
    Unit& unit = makeUnit(ghost);
    unit.life().setHp(hp);
    ghost.lpRef() = lp;
    const i32 centred = battle.cameraCentred;
    unit.applyState("分析", 1, false);
    EXPECT_EQ(battle.messages, (std::vector<std::string>{"test", line, "resistances"}));
    EXPECT_EQ(battle.cameraCentred, centred + 1);
  }
}

TEST_F(BattleUnitRules, OutsideABattleTheSideEffectsDoNothing) {
  Unit& unit = makeUnit(makeGhost(), false);
  for (const char* name : {"呪力チャージ", "呪力破壊", "結界", "EclipseSidestep", "チェック", "分析"}) {
    unit.applyState(name, 1, false);
  }
  EXPECT_EQ(std::tuple(battle.energies[0], battle.guards[0], battle.messages.size(), battle.cameraCentred),
            std::tuple(0, 0, 0u, 0));
}

// A parameter state moves its parameter by 8 a level; a boost that starts
// from 0 runs 4 turns, one already running keeps its time.
TEST_F(BattleUnitRules, ParameterStatesBoostAndTime) {
  Unit& unit = makeUnit();
  unit.applyState("腕力アップ", 2, false);
  unit.states().boostTimers()[Parameters::kStrength] = 2;
  unit.applyState("腕力アップ", 1, false);
  unit.applyState("鈍足", 3, false);
  // Boost and time of 腕力, 敏捷 and 器用さ; 腕力アップ has no level of its own.
  const auto& timers = unit.states().boostTimers();
  EXPECT_EQ(std::vector<i32>({unit.boost(Parameters::kStrength), timers[Parameters::kStrength],
                              unit.boost(Parameters::kAgility), timers[Parameters::kAgility],
                              unit.boost(Parameters::kDexterity), timers[Parameters::kDexterity],
                              unit.stateLevel("腕力アップ")}),
            std::vector<i32>({24, 2, -24, 4, 0, 0, 0}));
}

// A boost whose time is up becomes 8 of 10 and vanishes at a draw below 30;
// 毒 vanishes at 30%: once its timer is below 0, at a draw below 30.
TEST_F(BattleUnitRules, BoostsAndStatesVanishAfterTheirTimeByTheDraw) {
  const i32 poison = database().stateIndex("毒");
  for (const auto& [draw, vanishes] : {std::pair{29, true}, {30, false}}) {
    const i32 seed = seedsDrawing({draw})[0];
    random().setSeed(seed);
    Unit& unit = makeUnit();
    unit.setBoost(Parameters::kHp, 10);
    unit.states().boostTimers()[Parameters::kHp] = 1;
    unit.endTurn();
    EXPECT_EQ(std::pair(unit.boost(Parameters::kHp), unit.states().boostTimers()[Parameters::kHp]),
              std::pair(vanishes ? 0 : 8, 0)) << draw;
    random().setSeed(seed);
    Unit& poisoned = makeUnit();
    holdBoosts(poisoned);
    poisoned.states().set(poison, 2, 0);
    poisoned.endTurn();
    EXPECT_EQ(std::pair(poisoned.stateLevel("毒"), poisoned.states().timer(poison)),
              vanishes ? std::pair(0, 0) : std::pair(2, -1)) << draw;
  }
  Unit& unit = makeUnit();
  unit.setBoost(Parameters::kHp, 10);
  unit.states().boostTimers()[Parameters::kHp] = 2;
  unit.endTurn();
  EXPECT_EQ(std::pair(unit.boost(Parameters::kHp), unit.states().boostTimers()[Parameters::kHp]), std::pair(10, 1))
      << "one turn left";
  // Timer 0 still holds; a state not held keeps no time.
  Unit& delayed = makeUnit();
  delayed.states().set(database().stateIndex("ディレイ"), 1, 1);
  delayed.endTurn();
  EXPECT_EQ(std::vector<i32>({delayed.stateLevel("ディレイ"), delayed.states().timer(database().stateIndex("ディレイ")),
                              delayed.states().timer(database().stateIndex("恐怖"))}),
            std::vector<i32>({1, 0, 0}));
}

TEST_F(BattleUnitRules, TheTurnEndKeepsAChargingPlanAndCountsTheTurn) {
  Unit& unit = makeUnit();
  unit.planAction(-1, art("斬る"), unit.place());
  unit.setTurnMark(3);
  unit.life().takeDamage(12);
  // Plan kept, turn mark, turn count, damage of the turn before.
  const auto turn = [&] {
    return std::vector<i32>({unit.hasPlan(), unit.turnMark(), unit.turnCount(), unit.previousTurnDamage()});
  };
  unit.endTurn();
  EXPECT_EQ(turn(), std::vector<i32>({1, 0, 1, 12})) << "charge 1 left";
  unit.setCharge(0);
  unit.endTurn();
  EXPECT_EQ(turn(), std::vector<i32>({0, 0, 2, 0}));
}

// Poison: a = 1 − life ratio, f = a² / (a² + 0.25),
// max(1, trunc(√(level × max HP) × 5 × f)).
TEST_F(BattleUnitRules, PoisonByLevelMaximumAndLife) {
  // 1/3 lost: f = 4/13, √200 · 5 · f = 21.8; 3/4 lost: f = 9/13, √400 · 5 · f = 69.2.
  for (const auto& [level, maxHp, hp, lp, damage] : {std::array{1, 200, 100, 100, 21}, {4, 100, 0, 50, 69},
                                                      {3, 100, 100, 100, 1}, {0, 100, 10, 10, 0}, {2, 100, 0, 0, 0}}) {
    Unit& unit = makeUnit(makeGhost(false, maxHp, 100));
    unit.setStateLevel("毒", level);
    unit.life().setHp(hp);
    unit.ghost().lpRef() = lp;
    EXPECT_EQ(unit.poisonDamage(), damage) << level << " " << hp << " " << lp;
  }
}

// Attributes 0 give Resist 0: trunc(max HP × rate), rate = (自動回復 +
// 再生) / 100, at least 1 while the rate is not 0, at most 999.
TEST_F(BattleUnitRules, RegenerationByRateWithinOneAnd999) {
  for (const auto& [maxHp, automatic, level, alive, amount] :
       {std::tuple{200, 3, 2, true, 10}, {200, 0, 0, true, 0}, {10, 0, 1, true, 1}, {50000, 0, 5, true, 999},
        {99900, 1, 0, true, 999}, {200, 3, 2, false, 0}}) {
    TestGhost& ghost = makeGhost(false, maxHp, 100, 0);
    if (automatic > 0) {
      ghost.abilities().add(art("自動回復", automatic));
    }
    Unit& unit = makeUnit(ghost);
    unit.setStateLevel("再生", level);
    if (!alive) {
      unit.life().kill();
    }
    EXPECT_EQ(unit.regeneration(), amount) << maxHp << " " << automatic << " " << level;
  }
  // Resist 29 (attributes 27): 200 × 129 / 100 × 0.05 = 12.9.
  TestGhost& ghost = makeGhost(false, 200, 100, 27);
  Unit& unit = makeUnit(ghost);
  unit.setStateLevel("再生", 5);
  EXPECT_EQ(std::pair(unit.status()[StatusBlock::kResist], unit.regeneration()), std::pair(29, 12));
}

// A zero is never queued; the numbers show at once, then each delayed number
// or state picture 70 frames after the last message. Of the unit's state
// messages ＬＰ回復 is a delayed number, any other state its picture, one at
// least.
TEST_F(BattleUnitRules, MessagesShowNumbersAtOnceAndTheRestSeventyFramesApart) {
  Unit& unit = makeUnit();
  Game::UnitStuff::MessageManager& messages = unit.messages();
  messages.queueDamage(0, 0);
  EXPECT_TRUE(messages.isEmpty()) << "a zero is not shown";
  messages.queueDamage(-1, 0xFFFFFFFFu, 2, 1.5f);
  messages.queueDamage(3, 0);
  messages.queueDelayedDamage(0, 0xFF80FF80u);
  unit.queueStateMessage(state("ＬＰ回復"), 5);
  unit.queueStateMessage(state("毒"), 0);
  unit.queueStateMessage(state("毒"), 3);
  messages.update(view);
  EXPECT_EQ(view.shown, (std::vector<std::string>{"-1 ffffffff 2 1.5", "3 0 0 1"})) << "the numbers at once";
  EXPECT_EQ(messages.wait(), 70);
  for (std::size_t shown = 3; shown <= 5; ++shown) {
    for (int frame = 0; frame < 69; ++frame) {
      messages.update(view);
    }
    EXPECT_EQ(view.shown.size(), shown - 1);
    messages.update(view);
    ASSERT_EQ(view.shown.size(), shown) << "the zero delayed number was never queued";
  }
  // 毒 is state 0.
  EXPECT_EQ(std::vector<std::string>(view.shown.begin() + 2, view.shown.end()),
            (std::vector<std::string>{"5 ff80ffff 0 1", "state 0 x1", "state 0 x3"}));
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(BattleUnitRules, AutomaticAbilitiesPutTheirStatesOnAndStunByTheirLevel) {
  TestGhost& ghost = makeGhost();
  for (const char* name : {"自動発狂", "自動サーマル", "自動シールド"}) {
    ghost.abilities().add(art(name));
  }
  Unit& unit = makeUnit(ghost);
  unit.autoAbilities();
  EXPECT_EQ(std::vector<i32>({unit.stateLevel("発狂"), unit.stateLevel("サーマルバリア"), unit.stateLevel("シールド")}),
            std::vector<i32>({1, 1, 1}));
  TestGhost& resisting = makeGhost();
  resisting.abilities().add(art("自動発狂"));
  resisting.defense.resist().set(database().stateIndex("発狂"));
  Unit& calm = makeUnit(resisting);
  calm.autoAbilities();
  EXPECT_EQ(calm.stateLevel("発狂"), 0);
  // 自動スタン of level n stuns at a draw below n, with the state's picture.
  for (const auto& [level, draw, stuns] : {std::tuple{50, 49, true}, {50, 50, false}, {1, 0, true}, {1, 1, false}}) {
    random().setSeed(seedsDrawing({draw})[0]);
    Unit& stunned = unitWith("自動スタン", level);
    stunned.planAction(-1, art("斬る"), stunned.place());
    stunned.autoAbilities();
    EXPECT_EQ(std::pair(stunned.hasPlan(), stunned.messages().isEmpty()), std::pair(!stuns, !stuns))
        << level << " " << draw;
  }
}

TEST_F(BattleUnitRules, RevivalRestoresAndCountsDown) {
  Unit& unit = makeUnit(makeGhost(false, 90, 40));
  unit.applyState("リヴァイヴァ", 2, false);
  unit.planAction(4, art("溜め撃ち"), unit.place());
  unit.setHold(3);
  unit.onDefeated();
  EXPECT_EQ(std::vector<i32>({unit.hp(), unit.lp(), unit.stateLevel("リヴァイヴァ"), unit.weaponSlot(), unit.charge(),
                              unit.hold()}),
            std::vector<i32>({90, 1, 1, -1, 0, 0}));
  EXPECT_FALSE(unit.hasPlan());
  unit.messages().update(view);
  EXPECT_EQ(view.shown, std::vector<std::string>{"91 ff80ff80 0 1"});
  EXPECT_EQ(battle.poses, (std::vector<UnitPose>{UnitPose::kRevive}));
  unit.onDefeated();
  unit.onDefeated();
  EXPECT_FALSE(unit.isAlive());
}

// Key (Speed + 1) × (1 − r²), r the draw; the plan's art adds its speed
// (斬る: 30); a delay takes 256.
TEST_F(BattleUnitRules, TheOrderKeyFromSpeedAndTheDraw) {
  // Seed 3 draws r = 0.830763 first: 1 − r² = 0.309832.
  for (const auto& [speed, planned, delayed, key] :
       {std::tuple{20, false, false, 6.50648f}, {0, false, false, 0.309832f}, {99, false, false, 30.9832f},
        {20, true, false, 36.5065f}, {0, true, true, -225.690f}, {99, false, true, -225.017f}}) {
    Unit& unit = makeUnit(makeGhost(false, 100, 100, speed));
    if (planned) unit.planAction(-1, art("斬る"), unit.place());
    unit.setStateLevel("ディレイ", delayed ? 1 : 0);
    random().setSeed(3);
    EXPECT_NEAR(unit.orderKey(), key, 1e-3f) << speed << planned << delayed;
  }
}

// 1 + 行動回数増加, + ゴーストキャスター for spells.
TEST_F(BattleUnitRules, ActionsPerTurn) {
  Unit& unit = unitWith("行動回数増加", 2);
  unit.setStateLevel("ゴーストキャスター", 3);
  EXPECT_EQ(std::pair(unit.actionCount(art("斬る")), unit.actionCount(art("火球"))), std::pair(3, 6));
  unit.planAction(3, art("斬る"), unit.place());
  EXPECT_EQ(unit.plan().size(), 3u) << "one step an action";
  EXPECT_EQ(makeUnit().actionCount(art("火球")), 1);
}

TEST_F(BattleUnitRules, PlanningSetsSlotAndChargeOnce) {
  Unit& unit = makeUnit();
  EXPECT_EQ(unit.planAction(3, art("溜め撃ち"), unit.place()), 0);
  EXPECT_EQ(unit.charge(), 3);
  unit.planAction(5, art("斬る"), unit.place());
  EXPECT_EQ(std::tuple(unit.weaponSlot(), unit.charge(), unit.plan().size()), std::tuple(3, 3, 2u));
  Unit& timeless = makeUnit();
  timeless.setStateLevel("世界", 1);
  timeless.planAction(1, art("溜め撃ち"), timeless.place());
  EXPECT_EQ(std::pair(timeless.charge(), timeless.weaponSlot()), std::pair(0, 1))
      << "no charge while time is stopped by the unit";
}

// 突き: energy 2, AP tier 2; 火球: a spell of energy 3, AP tier 1.
TEST_F(BattleUnitRules, WhatAnArtCostsAndWhoCanPay) {
  Unit& unit = makeUnit();
  const auto costs = [&] {
    return std::vector<i32>({unit.energyCost(art("火球")), unit.apTier(art("火球")), unit.energyCost(art("突き")),
                             unit.apTier(art("突き"))});
  };
  EXPECT_EQ(costs(), std::vector<i32>({3, 1, 2, 2}));
  unit.setStateLevel("ElementalCrystalRing", 1);
  EXPECT_EQ(costs(), std::vector<i32>({0, 0, 2, 2}));

  for (const auto& [energy, ap, checkEnergy, pays] :
       {std::tuple{2, std::array{0, 1, 0}, true, true}, {1, {0, 1, 0}, true, false}, {1, {0, 1, 0}, false, true},
        {2, {1, 0, 1}, true, false}, {9, {0, 2, 0}, true, true}}) {
    TestGhost& ghost = makeGhost();
    ghost.ap = ap;
    Unit& payer = makeUnit(ghost);
    battle.energies[0] = energy;
    EXPECT_EQ(payer.canPay(art("突き"), checkEnergy), pays) << energy << " " << ap[1];
  }
  battle.energies[1] = 0;
  EXPECT_TRUE(makeUnit(true).canPay(art("突き"), true)) << "enemies always pay";
  TestGhost& ghost = makeGhost();
  ghost.ap = {0, 1, 0};
  EXPECT_TRUE(makeUnit(ghost, false).canPay(art("突き"), true)) << "no side energy outside a battle";
}

TEST_F(BattleUnitRules, WhoCanUseWhichArt) {
  TestGhost& ghost = makeGhost();
  ghost.ap = {1, 1, 1};
  Unit& unit = makeUnit(ghost);
  battle.energies[0] = 10;
  EXPECT_FALSE(unit.canUse(Game::Ability(), true));
  // 禁じ手's condition fails; madness stops spells only; passives need no
  // action; 封印 refuses an energy cost from level 1, an AP tier from level 2.
  for (const auto& [name, level, used, usable] :
       {std::tuple{"発狂", 0, "突き", true}, {"発狂", 0, "禁じ手", false}, {"発狂", 1, "突き", true},
        {"発狂", 1, "火球", false}, {"麻痺", 1, "斬る", false}, {"麻痺", 1, "自動回復", true},
        {"封印", 5, "溜め撃ち", true}, {"封印", 1, "奥義", true}, {"封印", 2, "奥義", false},
        {"封印", 0, "気弾", true}, {"封印", 1, "気弾", false}}) {
    unit.setStateLevel(name, level);
    EXPECT_EQ(unit.canUse(art(used), true), usable) << name << level << " " << used;
    unit.setStateLevel(name, 0);
  }
  unit.setStateLevel("ElementalCrystalRing", 1);
  unit.setStateLevel("封印", 1);
  EXPECT_TRUE(unit.canUse(art("火球"), true)) << "a spell free under the ring";
}

TEST_F(BattleUnitRules, WhoCanAct) {
  // Dead, planned, hold, a state held, time stopped, an ability held.
  const char* no = nullptr;
  for (const auto& [dead, planned, hold, held, stopped, ability, acts] :
       {std::tuple{false, false, 0, no, false, no, true}, {true, false, 0, no, false, no, false},
        {false, false, 1, no, false, no, false}, {false, true, 1, no, false, no, true},
        {false, false, 0, "麻痺", false, no, false}, {false, false, 0, "睡眠", false, no, false},
        {false, false, 0, no, true, no, false}, {false, false, 0, "世界", true, no, true},
        {false, false, 0, no, true, "入門", true}, {false, false, 0, "恐怖", false, no, true}}) {
    Unit& unit = unitWith(ability);
    if (planned) {
      unit.planAction(-1, art("斬る"), unit.place());
    }
    unit.setHold(hold);
    if (held) {
      unit.setStateLevel(held, 1);
    }
    if (dead) {
      unit.life().kill();
    }
    battle.timeStopped = stopped;
    EXPECT_EQ(unit.canAct(), acts) << dead << planned << hold << (held ? held : "") << stopped;
  }
}

// ていねいに扱う of level 1 spares the weapon at a draw above 0.6.
TEST_F(BattleUnitRules, CarefulHandlingSparesTheWeaponByTheDraw) {
  for (i32 seed = 1; seed <= 20; ++seed) {
    const float draw = firstFloatDraw(seed);
    Unit& unit = unitWith("ていねいに扱う");
    unit.setWeaponSlot(1);
    unit.wearEquipment();
    EXPECT_EQ(ghostOf(unit).usedSlots, draw > 0.6f ? std::vector<i32>{} : std::vector<i32>{1}) << draw;
  }
  TestGhost& plain = makeGhost();
  Unit& unit = makeUnit(plain);
  unit.setWeaponSlot(2);
  unit.wearEquipment();
  EXPECT_EQ(plain.usedSlots, std::vector<i32>{2});
}

// 1 − 0.9^L: 0, 0.1, 0.19.
TEST_F(BattleUnitRules, AbilityFactors) {
  for (const auto& [level, factor] : {std::pair{0, 0.f}, std::pair{1, 0.1f}, std::pair{2, 0.19f}}) {
    EXPECT_NEAR(unitWith("エース", level).abilityFactor("エース"), factor, 1e-6f) << level;
  }
}

// The state reactions in their order; the first one that fires is the only.
TEST_F(BattleUnitRules, StateReactionsInOrder) {
  const std::pair<std::vector<const char*>, std::vector<std::string>> cases[] = {
      {{"氷バリア"}, {"氷バリア冷防御"}},  // 氷バリア発動's condition fails
      {{"分身", "シールド"}, {"分身"}},
      {{"シールド", "サーマルバリア"}, {"シールド発動"}},
      {{"サーマルバリア"}, {"サーマル冷熱防御"}},
      {{"GlintBlade", "CrimsonFocus"}, {"パリィ"}},
      {{"FloatingBellSplash"}, {"FloatingBellSplash"}},
      {{"CrimsonFocus"}, {"Stillmere"}},
      {{}, {}},
  };
  Unit& attacker = makeUnit(true, 0, 1);
  const Game::Ability blow = art("斬る");
  for (const auto& [states, reactions] : cases) {
    Unit& unit = makeUnit(false, 1, 1);
    for (const char* name : states) {
      unit.setStateLevel(name, 1);
    }
    EXPECT_EQ(reactionNames(unit, {&attacker, &blow, nullptr, true, 5}), reactions)
        << (states.empty() ? "" : states[0]);
  }
}

TEST_F(BattleUnitRules, GuardModesPlannedCountersAndMisses) {
  Unit& attacker = makeUnit(true, 0, 1);
  const Game::Ability blow = art("斬る");
  const auto names = [&](Unit& unit, bool hit, i32 damage) {
    return reactionNames(unit, {&attacker, &blow, nullptr, hit, damage});
  };
  Unit& unit = makeUnit(false, 1, 1);
  battle.guards[0] = 1;
  EXPECT_EQ(names(unit, true, 5), std::vector<std::string>{"EclipseSidestep"});
  EXPECT_TRUE(names(unit, false, 5).empty()) << "a miss";
  EXPECT_TRUE(names(unit, true, 0).empty()) << "no damage";
  battle.guards[0] = 0;
  // A counter stance answers once its charge is spent; a plain plan never.
  unit.planAction(-1, art("身構え"), attacker.place());
  EXPECT_TRUE(names(unit, true, 5).empty()) << "still charging";
  unit.setCharge(0);
  EXPECT_EQ(names(unit, true, 5), std::vector<std::string>{"身構え"});
  Unit& plain = makeUnit(false, 2, 1);
  plain.planAction(-1, art("斬る"), attacker.place());
  plain.setCharge(0);
  EXPECT_TRUE(names(plain, true, 5).empty());
}

// 世界 of level 3 repeats the art twice; 薬漬け above 2 brings 副作用; a
// follow-up art joins an action of its own type.
TEST_F(BattleUnitRules, FollowUps) {
  const std::tuple<i32, i32, const char*, std::vector<std::string>> cases[] = {
      {3, 0, "斬る", {"斬る", "斬る", "追い打ち"}}, {1, 0, "斬る", {"追い打ち"}}, {0, 3, "斬る", {"副作用", "追い打ち"}},
      {0, 2, "結界発動", {"癒しの追撃"}},
  };
  for (const auto& [world, drugs, done, follow] : cases) {
    TestGhost& ghost = makeGhost();
    ghost.abilities().add(art("追い打ち"));
    ghost.abilities().add(art("癒しの追撃"));
    Unit& unit = makeUnit(ghost);
    unit.setStateLevel("世界", world);
    unit.setStateLevel("薬漬け", drugs);
    std::vector<Game::Ability> out;
    unit.followUps(art(done), out);
    std::vector<std::string> names;
    for (const Game::Ability& a : out) {
      names.emplace_back(a.name());
    }
    EXPECT_EQ(names, follow) << world << " " << drugs << " " << done;
  }
}

TEST_F(BattleUnitRules, PlacementPosesAndOccupiedCells) {
  Unit& sleeper = makeUnit();
  sleeper.setStateLevel("睡眠", 1);
  sleeper.placeAt(1, 1);
  EXPECT_EQ(battle.poses.back(), UnitPose::kDown);
  Unit& enemy = makeUnit(true);
  enemy.placeAt(1, 1);
  EXPECT_EQ(std::tuple(enemy.row(), enemy.column(), battle.poses.back()), std::tuple(1, 1, UnitPose::kStand))
      << "the other side does not block";
  Unit& dead = makeUnit();
  dead.life().kill();
  dead.placeAt(-4, -4);
  EXPECT_EQ(std::tuple(dead.row(), dead.column(), battle.poses.back()), std::tuple(0, 0, UnitPose::kDown));
  // A cell of the side already taken sends the unit one step on; a cell past
  // the grid is clamped first; outside a battle nothing is placed.
  Unit& next = makeUnit(false, 1, 1);
  EXPECT_EQ(std::abs(next.row() - 1) + std::abs(next.column() - 1), 1);
  Unit& corner = makeUnit(false, 9, 9);
  EXPECT_EQ(std::make_pair(corner.row(), corner.column()), std::make_pair(2, 4));
  Unit& outside = makeUnit(makeGhost(), false);
  outside.placeAt(1, 1);
  EXPECT_FALSE(outside.isPlaced());
  // Every cell of the side taken: the clamped cell itself.
  for (i32 i = 0; i < Unit::kRows * Unit::kColumns; ++i) {
    makeUnit(true, i / Unit::kColumns, i % Unit::kColumns);
  }
  Unit& late = makeUnit(true);
  late.placeAt(2, 3);
  EXPECT_EQ(std::make_pair(late.row(), late.column()), std::make_pair(2, 3));
}

// A party unit takes the first candidate its art is for (an attack the other
// side, a support art its own, a self-range art itself, an art with its own
// relation any); targets whose
// condition fails make the battle's reach the candidates.
TEST_F(BattleUnitRules, APartyUnitAimsAtTheFirstCandidate) {
  makeUnit(false, 1, 1);
  Unit& chooser = makeUnit(false, 0, 0);
  Unit& foe = makeUnit(true, 1, 3);
  makeUnit(true, 0, 2);
  Game::Place place;
  for (const auto& [name, wanted] : {std::pair("斬る", std::vector<i32>{1, 1, 3}),
                                     std::pair("手当て", std::vector<i32>{0, 1, 1}),
                                     std::pair("結界発動", std::vector<i32>{0, 0, 0})}) {
    ASSERT_TRUE(chooser.chooseTargetPlace(art(name), place));
    EXPECT_EQ(std::vector<i32>({place.side, place.row, place.column}), wanted) << name;
  }
  // An attack with a relation of its own is left to it: the first unit.
  const Game::Ability related = relatedBlow();
  ASSERT_TRUE(chooser.chooseTargetPlace(related, place));
  EXPECT_EQ(std::vector<i32>({place.side, place.row, place.column}), std::vector<i32>({0, 1, 1}));
  // Nobody alive: what the art reaches.
  for (Unit* unit : battle.units) {
    unit->life().kill();
  }
  EXPECT_FALSE(chooser.chooseTargetPlace(art("斬る"), place));
  battle.reachable = {&foe};
  EXPECT_TRUE(chooser.chooseTargetPlace(art("斬る"), place) && place.row == 1);
  EXPECT_FALSE(makeUnit(makeGhost(), false).chooseTargetPlace(art("斬る"), place));
}

// An enemy picks a group by 0.3^(row weight) and a unit in it by
// 0.8^(column weight); the row weight is row + 1 + 狙われにくい, at most 4.
// Its own side is no candidate for an attack; for an art with a relation of
// its own it is, at row weight 0.
TEST_F(BattleUnitRules, AnEnemyWeighsRowsAndColumns) {
  struct Target {
    i32 side, row, column, hiding;
  };
  // Two targets, whether the art has a relation of its own, the share of the first.
  const std::tuple<Target, Target, bool, double> cases[] = {
      {{0, 0, 0, 0}, {0, 1, 0, 0}, false, 0.3 / (0.3 + 0.09)},         // rows 0 and 1
      {{0, 0, 0, 0}, {0, 0, 4, 0}, false, 1.0 / (1.0 + 0.4096)},       // columns 0 and 4 away
      {{0, 0, 0, 5}, {0, 2, 0, 0}, false, 0.0081 / (0.0081 + 0.027)},  // hidden to weight 4
      {{0, 0, 0, 0}, {0, 0, 1, 0}, false, 1.0 / 1.8},                  // column 1 away
      {{0, -1, -1, 0}, {0, 0, 0, 0}, false, 1.0 / 1.3},                // off the grid: weight 0
      {{1, 0, 2, 0}, {0, 0, 2, 0}, false, 0.0},                        // its own side
      {{1, 0, 2, 0}, {0, 0, 2, 0}, true, 1.0 / 1.3},                   // its own side, related
  };
  const Game::Ability related = relatedBlow();
  random().setSeed(77);
  for (const auto& [aimed, other, withRelation, share] : cases) {
    battle.units.clear();
    Unit& chooser = makeUnit(makeGhost(true), true, 0, 0);
    battle.units.clear();
    for (const Target* wanted : {&aimed, &other}) {
      TestGhost& ghost = makeGhost(wanted->side == 1);
      if (wanted->hiding > 0) {
        ghost.abilities().add(art("狙われにくい", wanted->hiding));
      }
      makeUnit(ghost).setCell(wanted->row, wanted->column);
    }
    const int draws = 4000;
    int first = 0;
    for (int i = 0; i < draws; ++i) {
      Game::Place place;
      ASSERT_TRUE(chooser.chooseTargetPlace(withRelation ? related : art("斬る"), place));
      first += place.side == aimed.side && place.row == aimed.row && place.column == aimed.column ? 1 : 0;
    }
    EXPECT_NEAR(static_cast<double>(first) / draws, share, 0.03) << aimed.side << aimed.row << other.row;
  }
}

TEST_F(BattleUnitRules, StateSetEdges) {
  const Game::StateSet fresh;
  ASSERT_EQ(fresh.count(), database().states().count());
  for (i32 i = 0; i < fresh.count(); ++i) {
    EXPECT_EQ(std::make_pair(fresh.level(i), fresh.timer(i)), std::make_pair(0, 0)) << i;
  }
  Unit& unit = makeUnit();
  Game::StateSet& states = unit.states();
  const i32 last = states.count() - 1;
  states.set(last, 4, 2);
  states.set(-1, 9, 9);
  states.set(states.count(), 9, 9);
  EXPECT_EQ(std::vector<i32>({states.level(last), states.timer(last), states.level(-1), states.timer(-1),
                              states.level(states.count()), states.timer(states.count()), states.level(0)}),
            std::vector<i32>({4, 2, 0, 0, 0, 0, 0}));
  EXPECT_EQ(states.levelOf("無い状態"), 0);
  states.setLevelOf("無い状態", 3);
  states.set(0, 2, 6);
  states.setLevelOf(state("毒").name(), 5);
  EXPECT_EQ(std::pair(states.level(0), states.timer(0)), std::pair(5, 6)) << "a new level keeps the timer";
  states.boosts()[0] = 3;
  states.clearStates();
  EXPECT_EQ(std::pair(states.level(0), states.boosts()[0]), std::pair(0, 3));
  states.clearAll();
  EXPECT_EQ(states.boosts()[0], 0);

  const auto held = [&] { return std::pair(unit.holdsBadState(), unit.holdsGoodState()); };
  EXPECT_EQ(held(), std::pair(false, false));
  unit.setStateLevel("再生", 1);
  EXPECT_EQ(held(), std::pair(false, true));
  unit.setStateLevel("毒", 1);
  unit.setStateLevel("再生", 0);
  EXPECT_EQ(held(), std::pair(true, false));
}

TEST_F(BattleUnitRules, AddingAStateKeepsAddsOrSetsByItsOverWrite) {
  // 毒 keeps (overWrite 0), 再生 sets (1), マジックバリア adds (2); a kept or
  // lowered state keeps its timer (1 here), a set or raised one restarts it
  // (再生 5 turns, マジックバリア 3).
  for (const auto& [name, first, second, level, timer] : {std::tuple{"毒", 2, 5, 2, 1}, {"再生", 2, 5, 5, 5},
                                                           {"マジックバリア", 2, 5, 7, 3}, {"毒", 3, -5, 0, 1}}) {
    Unit& unit = makeUnit();
    const int index = database().stateIndex(name);
    unit.addState(state(name), first);
    unit.states().set(index, unit.states().level(index), 1);
    unit.addState(state(name), second);
    EXPECT_EQ(std::make_pair(unit.stateLevel(name), unit.states().timer(index)), std::make_pair(level, timer))
        << name << " " << second;
  }
}

TEST_F(BattleUnitRules, AStealGoesToTheBagOrFails) {
  auto& ghost = makeGhost(true);
  Unit& unit = makeUnit(ghost);
  ghost.loot = database().addTool("薬草", "薬草");
  unit.applyState("チェック", 1, false);
  unit.applyState("チェック", 1, false);
  EXPECT_EQ(battle.gained, std::vector<std::string>{"薬草"});
  EXPECT_EQ(battle.messages, (std::vector<std::string>{"薬草をゲット！", "しっぱい！"}));
}

TEST_F(BattleUnitRules, HugeAndZeroMaximaGiveSaneValues) {
  Unit& huge = makeUnit(makeGhost(false, 0x7fffffff, 1));
  huge.states().setLevelOf("毒", 0x7fffffff);
  huge.life().setHp(1);
  EXPECT_GT(huge.poisonDamage(), 1);
  Unit& empty = makeUnit(makeGhost(false, 0, 0));
  EXPECT_EQ(std::pair(empty.getLifeRatio(), empty.getLpRatio()), std::pair(0.f, 0.f));
}

TEST_F(BattleUnitRules, ReactionsComeInTheirOrderAndOnlyToDamage) {
  Unit& attacker = makeUnit(true, 0, 1);
  auto& ghost = makeGhost();
  ghost.abilities().add(art("道連れ"));  // the first counter that fires is the only one
  ghost.abilities().add(art("返し刃"));
  Unit& unit = makeUnit(ghost, true, 0, 1);
  const Game::Ability blow = art("斬る");
  EXPECT_TRUE(reactionNames(unit, {&attacker, &blow, nullptr, true, 0}).empty()) << "no damage";
  battle.guards[0] = 2;
  // A support art aims at the unit; a final attack needs a fatal blow.
  EXPECT_EQ(reactionNames(unit, {&attacker, &blow, nullptr, true, 199}, true),
            (std::vector<std::string>{"結界発動 0", "返し刃 1"}));
  EXPECT_EQ(reactionNames(unit, {&attacker, &blow, nullptr, true, 200}),
            (std::vector<std::string>{"結界発動", "道連れ"}));
  Game::AttackBlock antiCounter = blow.attack();
  antiCounter.elements().set(15);
  EXPECT_TRUE(reactionNames(unit, {&attacker, &blow, &antiCounter, true, 5}).empty());
  // A reflector answers in kind.
  battle.guards[0] = 0;
  auto& mirrorGhost = makeGhost();
  mirrorGhost.abilities().add(art("鏡返し"));
  EXPECT_EQ(reactionNames(makeUnit(mirrorGhost, true, 1, 1), {&attacker, &blow, nullptr, true, 5}),
            std::vector<std::string>{"斬る"});
}

TEST_F(BattleUnitRules, ANewFormStartsAfresh) {
  auto& ghost = makeGhost(true);
  Unit& changing = makeUnit(ghost);
  changing.applyState("毒", 2, false);
  ghost.changesForm = true;
  changing.onDefeated();
  EXPECT_EQ(std::tuple(changing.hp(), changing.stateLevel("毒"), battle.poses.back()),
            std::tuple(100, 0, UnitPose::kAppear));
}

TEST_F(BattleUnitRules, AStateOutsideTheTableStopsNamingIt) {
  Unit& unit = makeUnit();
  const Game::StateData stray("迷子");
  EXPECT_DEATH(unit.applyState(stray, 1, false), "迷子");
  EXPECT_DEATH(unit.applyState("迷子", 1, false), "迷子");
}

// The rules that look arts and states up by name, run against the sample
// data: the follow-up of an overdose.
class SampleReactions : public UnitTestSupport::BattleUnitWorld {
 protected:
  void SetUp() override {
    BattleUnitWorld::SetUp();
    loadSamples();
  }
  Unit& member() { return makeUnit(false, 0, 2); }
};

// The sample's 副作用 follows only a blow with medicine.
TEST_F(SampleReactions, AnOverdosedUnitsSideEffectNeedsMedicine) {
  Unit& unit = member();
  unit.applyState("薬漬け", 3, false);
  std::vector<Game::Ability> out;
  unit.followUps(art("斬り払い"), out);
  EXPECT_TRUE(out.empty());
}

class AmountCompute : public UnitTestSupport::BattleUnitTest {
 protected:
  // Attacker: every attribute 40, weapon 20. Target: Defense 20, Magic
  // Defense 40 (M = 20), type defence 10 against 斬撃.
  Unit& attacker(int slashSupport = 0, int waterSupport = 0) {
    auto& ghost = makeGhost(false, 100, 100, 40);
    ghost.weaponValue = 20;
    for (const auto& [name, level] : {std::pair{"斬撃サポート", slashSupport}, std::pair{"水サポート", waterSupport}}) {
      if (level) ghost.abilities().add(art(name, level));
    }
    return makeUnit(ghost, true, 0, 2);
  }
  Unit& target(float physicalFactor = 1.f) {
    auto& ghost = makeGhost(true, 500, 300, 20);
    ghost.caps[Parameters::kIntellect] = 40;
    ghost.caps[Parameters::kSpirit] = 40;
    ghost.defense.setTypeDefense(0, 10);
    ghost.defense.factors()[1] = physicalFactor;
    return makeUnit(ghost, true, 0, 2);
  }
  // A spec of a constant amount without spread.
  static AmountSpec constant(int amount) {
    AmountSpec spec;
    spec.constance = amount;
    spec.random = 0.f;
    return spec;
  }
  static AttackBlock flags(const std::vector<int>& types, const std::vector<int>& elements) {
    AttackBlock block;
    for (int t : types) block.types().set(t);
    for (int e : elements) block.elements().set(e);
    return block;
  }
  // The amount of one compute, -1 - amount on a miss; aimed at the target itself
  // unless a place is given.
  static int amount(const AmountSpec& spec, int type, int range, const Unit& from, const Unit& to,
                    const AttackBlock& attack = {}, int area = 1, const Game::Place* at = nullptr) {
    bool hit = true;
    int out = -2;
    spec.compute(hit, out, type, range, from, attack, to, false, area, at ? *at : to.place());
    return hit ? out : -1 - out;
  }
};

TEST_F(AmountCompute, StatusTermOverAttributesDefencesAndSupports) {
  struct Case {
    const char* what;
    std::vector<int> types, elements;
    float physicalFactor;
    int slash, water, type;
    bool guarded;
    int amount;
  };
  // X = (20·0.5 + 40·0.5 + 30) · 90 / 70; v = (X − Dt) · 35 / 2; -1 a miss of 0.
  const Case cases[] = {
      {"no flags", {}, {}, 1.f, 0, 0, 0, false, 1350},
      {"slash meets type defence", {0}, {}, 1.f, 0, 0, 0, false, 1175},
      {"the lower of two types (0)", {0, 1}, {}, 1.f, 0, 0, 0, false, 1350},
      {"slash support 20", {0}, {}, 1.f, 20, 0, 0, false, 1410},
      {"support without its type", {1}, {}, 1.f, 20, 0, 0, false, 1350},
      {"physical factor 0.7", {0}, {1}, 0.7f, 0, 0, 0, false, 822},
      {"immune", {0}, {1}, 0.f, 0, 0, 0, false, -1},
      {"water support 15", {}, {5}, 1.f, 0, 15, 0, false, 1552},
      {"guarded attack", {0}, {}, 1.f, 0, 0, 0, true, 587},
      {"support art ignores defences", {0}, {}, 1.f, 0, 0, 1, true, 1890},
      {"all at once", {0}, {1, 5}, 0.7f, 20, 15, 0, true, 567},
  };
  AmountSpec spec;
  spec.statusIndex = Game::StatusBlock::kAttack;
  spec.statusPower = 30;
  spec.random = 0.f;
  for (const Case& c : cases) {
    Unit& from = attacker(c.slash, c.water);
    Unit& to = target(c.physicalFactor);
    if (c.guarded) {
      to.setStateLevel("防御", 1);
    }
    EXPECT_EQ(amount(spec, c.type, 2, from, to, flags(c.types, c.elements)), c.amount) << c.what;
  }
}

TEST_F(AmountCompute, MeleeFromAStackedCellHalvesAndACircleFallsOffWithDistance) {
  Unit& from = attacker();
  Unit& to = target();
  EXPECT_EQ(amount(constant(31), 0, 1, from, to), 31);
  battle.stacked.insert({0, 0, 2});
  EXPECT_EQ(amount(constant(31), 0, 1, from, to), 15);
  // Circle: one cell away halves, √2 away leaves 0.5^1.414.
  const Game::Place near{1, 1, 2};
  const Game::Place diagonal{1, 1, 3};
  EXPECT_EQ(amount(constant(31), 0, 2, from, to, {}, 5, &near), 15);
  EXPECT_EQ(amount(constant(31), 0, 2, from, to, {}, 5, &diagonal), 11);
  EXPECT_EQ(amount(constant(-5), 0, 2, from, to), 0);
}

TEST_F(AmountCompute, ChargeUpAndBerserkRaisePhysicalAttacks) {
  Unit& from = attacker();
  Unit& to = target();
  from.setStateLevel("チャージアップ", 50);
  from.setStateLevel("発狂", 1);
  EXPECT_EQ(amount(constant(100), 1, 2, from, to), 100);
  EXPECT_EQ(amount(constant(100), 1, 2, from, to, flags({}, {1})), 195);
}

TEST_F(AmountCompute, AnAdditionLevelAddsItsAmountOnlyOnAHit) {
  Unit& from = attacker();
  Unit& to = target();
  Game::AttackSpec entry;
  entry.level = 2;
  EXPECT_EQ(entry.amountAgainst(from, to, false, to.place()), 2);
  entry.amount = constant(5);
  EXPECT_EQ(entry.amountAgainst(from, to, false, to.place()), 7);
}

}  // namespace
