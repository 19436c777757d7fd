#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "battle/Battle.h"
#include "battle/EndPhases.h"
#include "battle/RaceGroup.h"
#include "core/game/GameData.h"
#include "core/random/RandomGenerator.h"
#include "data/Unit.h"
#include "data/party/PartyMembers.h"
#include "data/unit/PlayerGhost.h"
#include "field/FieldScene.h"
#include "file/nml/NmlDocument.h"
#include "resource/Database.h"
#include "resource/database/RaceData.h"
#include "script/scene/BattleCommands.h"
#include "tests/script/ScriptFixture.h"

namespace {

using Engine::i32;
using Game::Battle;
using Game::BattleSettings;
using Game::FloatingText;
using Game::RaceGroup::Cell;

// A battle script that decides nothing.
constexpr const char* kQuietScript = "let{ name answer; value 1; }";

class BattleEndTest : public ScriptTestSupport::ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    fs().put(Battle::kScriptFile, std::string(kQuietScript));
  }
  void TearDown() override {
    game().setBattle(nullptr);
    mMembers.clear();
    ScriptTest::TearDown();
  }

  // The battle, run by the game as its own, past its opening.
  Battle& makeBattle(BattleSettings settings = {}) {
    auto* battle = new Battle(game(), settings);
    game().setBattle(battle);
    run(1);
    return *battle;
  }
  Battle& battle() { return *static_cast<Battle*>(game().battle()); }
  Game::PlayerGhost& addMember(i32 row, i32 column) {
    mMembers.push_back(std::make_unique<Game::PlayerGhost>());
    Game::PlayerGhost& ghost = *mMembers.back();
    ghost.setUp(*Game::Database::instance()->findShell("Kessa"), 0);
    Game::PartyMembers::Entry* entry = game().party().members().add(ghost);
    entry->row = row;
    entry->column = column;
    return ghost;
  }
  const Game::EnemyData& enemy(const char* name) { return *Game::Database::instance()->findEnemy(name); }
  // Frames of the battle until it reports its end; -1 past the limit.
  int framesUntilEnd(int limit, std::initializer_list<Platform::Key> held = {}) {
    for (int n = 1; n <= limit; ++n) {
      step(held);
      if (battle().update()) return n;
    }
    return -1;
  }
  void run(int frames) {
    for (int n = 0; n < frames; ++n) {
      step({});
      battle().update();
    }
  }

  std::vector<std::unique_ptr<Game::PlayerGhost>> mMembers;
};

// --- Deciding the battle -------------------------------------------------

TEST_F(BattleEndTest, FinishSetsTheResultOnceAndOnlyForAKnownEnd) {
  struct Case {
    i32 result;
    i32 battleResult;
  };
  const Case cases[] = {{Battle::kWin, 1}, {Battle::kGameOver, -1}, {Battle::kBreak, 0}, {Battle::kEscape, 0}};
  for (const Case& c : cases) {
    Battle& fight = makeBattle();
    game().battleResult() = 7;
    fight.finish(-1);
    fight.finish(4);
    EXPECT_FALSE(fight.isDecided()) << c.result;
    EXPECT_EQ(game().battleResult(), 7);
    fight.finish(c.result);
    ASSERT_TRUE(fight.isDecided());
    EXPECT_EQ(game().battleResult(), c.battleResult) << c.result;
    EXPECT_EQ(fight.rankTracker().escaped(), c.result == Battle::kEscape);
    Game::BattleStuff::Over* first = fight.over();
    fight.finish(Battle::kWin);
    EXPECT_EQ(fight.over(), first);
    EXPECT_EQ(game().battleResult(), c.battleResult);
  }
}

TEST_F(BattleEndTest, OnlyABattleNoScriptStartedReportsItsRank) {
  const i32 before = integer("progress");
  BattleSettings scripted;
  scripted.fromScript = true;
  makeBattle(scripted).finish(Battle::kWin);
  EXPECT_EQ(integer("progress"), before);
  makeBattle().finish(Battle::kWin);
  EXPECT_GT(integer("progress"), before);
}

TEST_F(BattleEndTest, TheOverCommandMapsTheScriptsResults) {
  EXPECT_EQ(Game::ScriptStuff::OverCommand::battleResult(1), Battle::kWin);
  EXPECT_EQ(Game::ScriptStuff::OverCommand::battleResult(-1), Battle::kGameOver);
  EXPECT_EQ(Game::ScriptStuff::OverCommand::battleResult(0), Battle::kBreak);
  EXPECT_EQ(Game::ScriptStuff::OverCommand::battleResult(2), -1);
  EXPECT_EQ(Game::ScriptStuff::OverCommand::battleResult(-2), -1);
  Battle& fight = makeBattle();
  load("over{ result 2; }");
  EXPECT_EQ(stepScript(), Game::Script::kFinished);
  EXPECT_FALSE(fight.isDecided());
  load("over{ result 0; }");
  stepScript();
  EXPECT_EQ(game().battleResult(), 0);
  EXPECT_NE(dynamic_cast<Game::BattleStuff::Break*>(fight.over()), nullptr);
}

// --- End phases ------------------------------------------------------------

TEST(RewardTest, SurvivorsScaleTheExperience) {
  EXPECT_FLOAT_EQ(Game::rewardFactor(1), 2.0f);
  EXPECT_FLOAT_EQ(Game::rewardFactor(2), 1.75f);
  EXPECT_FLOAT_EQ(Game::rewardFactor(3), 1.5f);
  EXPECT_FLOAT_EQ(Game::rewardFactor(5), 1.0f);
  EXPECT_EQ(Game::scaleReward(7, 1.5f), 10);
  EXPECT_EQ(Game::scaleReward(7, 1.75f), 12);
  EXPECT_EQ(Game::scaleReward(std::numeric_limits<i32>::max(), 2.f), std::numeric_limits<i32>::max());
  EXPECT_EQ(Game::scaleReward(std::numeric_limits<i32>::min(), 2.f), std::numeric_limits<i32>::min());
}

TEST(RewardTest, SpoilsSumsStopAtTheIntRange) {
  Game::BattleSpoils spoils;
  spoils.addRewards(5, 7, 9);
  spoils.addRewards(1, 2, 3);
  EXPECT_EQ(spoils.money, 6);
  EXPECT_EQ(spoils.experience, 9);
  EXPECT_EQ(spoils.masterExperience, 12);
  const i32 top = std::numeric_limits<i32>::max();
  spoils.addRewards(top, top, top);
  EXPECT_EQ(spoils.money, top);
  EXPECT_EQ(spoils.experience, top);
  EXPECT_EQ(spoils.masterExperience, top);
}

TEST_F(BattleEndTest, AWinPaysTheSpoilsScaledByTheSurvivors) {
  struct Case {
    i32 survivors;
    i32 experience;
  };
  // 40 experience and 20 master experience: x 2.0, 1.5 and 1.0.
  const Case cases[] = {{1, 80}, {3, 60}, {5, 40}};
  for (const Case& c : cases) {
    mMembers.clear();
    game().party().members().clear();
    std::vector<Game::PlayerGhost*> ghosts;
    for (i32 i = 0; i < c.survivors; ++i) ghosts.push_back(&addMember(i % 3, i));
    const i32 before = ghosts[0]->experience();
    const i32 masterBefore = ghosts[0]->masterExperience();
    Battle& fight = makeBattle();
    fight.spoils().addRewards(30, 40, 20);
    fight.finish(Battle::kWin);
    step({});
    fight.update();
    EXPECT_EQ(ghosts[0]->experience() - before, c.experience) << c.survivors;
    EXPECT_EQ(ghosts.back()->masterExperience() - masterBefore, c.experience / 2) << c.survivors;
    EXPECT_EQ(integer("winCount"), 1 + (&c - cases)) << c.survivors;
    auto* win = dynamic_cast<Game::BattleStuff::Win*>(fight.over());
    ASSERT_TRUE(win);
    EXPECT_TRUE(win->rewardsGiven());
    EXPECT_EQ(static_cast<i32>(win->panels().size()), c.survivors);
  }
}

TEST_F(BattleEndTest, AFallenMemberGainsNothingAndTheEmptyRewardsQueueNoLines) {
  Game::PlayerGhost& standing = addMember(0, 0);
  Game::PlayerGhost& fallen = addMember(0, 1);
  Battle& fight = makeBattle();
  fight.unitAt(1)->life().kill();
  const i32 before = fallen.experience();
  fight.spoils().addRewards(0, 10, 0);
  fight.finish(Battle::kWin);
  step({});
  fight.update();
  EXPECT_EQ(fallen.experience(), before);
  EXPECT_EQ(standing.experience() - before, 20);
  // One window for the experience line; none for a master experience of 0.
  EXPECT_EQ(game().messages().count(), 1);
}

TEST_F(BattleEndTest, AWinShowsTheNoticeThePanelsThenFadesInSixty) {
  addMember(0, 0);
  Battle& fight = makeBattle();
  fight.spoils().addRewards(50, 0, 0);
  fight.spoils().items.push_back(Game::Database::instance()->findTool("薬草"));
  fight.finish(Battle::kWin);
  const i32 money = integer("money");
  // The notice waits for the player, then the panel.
  EXPECT_EQ(framesUntilEnd(80), -1);
  EXPECT_EQ(integer("money"), money + 50);
  auto* win = dynamic_cast<Game::BattleStuff::Win*>(fight.over());
  ASSERT_TRUE(win);
  EXPECT_EQ(win->panels().size(), 1u);
  int frames = 0;
  for (; frames < 400 && game().messages().count() + static_cast<int>(win->panels().size()) > 0; ++frames) {
    step({frames % 2 == 0 ? kDecide : Platform::Key::Up});
    fight.update();
  }
  ASSERT_LT(frames, 400);
  EXPECT_EQ(framesUntilEnd(100), 60);
}

TEST_F(BattleEndTest, BrokenEquipmentIsToldAndEachPieceAddsScrapToTheSpoils) {
  Game::PlayerGhost& ghost = addMember(0, 0);
  const Game::ToolData* key = Game::Database::instance()->findTool("魔法鍵");
  const Game::ToolData* scrap = Game::Database::instance()->findTool("廃棄物");
  ASSERT_TRUE(key && scrap);
  for (i32 slot : {2, 3}) {
    ghost.slot(slot).set(key);
    ghost.slot(slot).useOne();
  }
  Battle& fight = makeBattle();
  fight.finish(Battle::kWin);
  const i32 before = game().bag().countItem(scrap);
  run(1);
  ASSERT_TRUE(fight.over()->isStarted());
  EXPECT_EQ(fight.over()->brokenCount(), 2);
  EXPECT_TRUE(ghost.slot(2).isEmpty());
  // The notice goes into the bag as its window shows.
  EXPECT_EQ(game().bag().countItem(scrap), before + 2);
  // Two broken lines, the spoils' window, no experience line.
  EXPECT_EQ(game().messages().count(), 3);
}

TEST_F(BattleEndTest, AnEscapeShowsTheQueuedMessagesThenFadesInSixty) {
  addMember(0, 0);
  addMember(0, 1);
  Battle& fight = makeBattle();
  run(2);
  game().pushMessage("逃げた");
  fight.finish(Battle::kEscape);
  EXPECT_EQ(integer("escapeCount"), 1);
  EXPECT_FLOAT_EQ(fight.partyRecord().weight(), 0.04f);
  EXPECT_EQ(game().battleResult(), 0);
  EXPECT_EQ(framesUntilEnd(100), -1);
  // The frame the window closes is the first of the sixty.
  step({kDecide});
  EXPECT_FALSE(fight.update());
  EXPECT_EQ(framesUntilEnd(100), 59);
}

TEST_F(BattleEndTest, ABreakFadesInSixty) {
  Battle& fight = makeBattle();
  run(2);
  fight.finish(Battle::kBreak);
  EXPECT_EQ(framesUntilEnd(100), 60);
}

TEST_F(BattleEndTest, AGameOverWithoutPenaltyEndsAfter121FramesAndTheFieldGoesOn) {
  game().setField(new Game::FieldScene(game()));
  BattleSettings settings;
  settings.defeatMode = BattleSettings::kNoPenalty;
  Battle& fight = makeBattle(settings);
  run(2);
  fight.finish(Battle::kGameOver);
  EXPECT_EQ(framesUntilEnd(200), 122);
  EXPECT_EQ(integer("loseCount"), 1);
  EXPECT_EQ(integer("requestLoseEvent"), 0);
  game().update();
  EXPECT_EQ(game().battle(), nullptr);
  auto* field = static_cast<Game::FieldScene*>(game().field());
  EXPECT_EQ(field->resumes(), 1);
  EXPECT_EQ(field->continueRequests(), 0);
}

TEST_F(BattleEndTest, AGameOverThatEscapesAsksForTheContinueSceneAndTheLoseEvent) {
  auto* field = new Game::FieldScene(game());
  game().setField(field);
  Battle& fight = makeBattle();
  fight.finish(Battle::kGameOver);
  EXPECT_EQ(framesUntilEnd(200), 122);
  EXPECT_EQ(field->continueRequests(), 1);
  EXPECT_EQ(integer("requestLoseEvent"), 1);
}

TEST_F(BattleEndTest, WithoutAFieldAnEscapingGameOverOnlyRequestsTheLoseEvent) {
  Battle& fight = makeBattle();
  fight.finish(Battle::kGameOver);
  EXPECT_EQ(framesUntilEnd(200), 122);
  EXPECT_EQ(integer("requestLoseEvent"), 1);
}

// --- Defeats ---------------------------------------------------------------

TEST_F(BattleEndTest, AnEnemyWithTwoFormsLeavesItsEntryOnlyWithTheLast) {
  addMember(0, 0);
  Battle& fight = makeBattle();
  Game::Unit* soldier = fight.addEnemy(enemy("泥スライム"), 1, 2, 1.f, 0);
  ASSERT_TRUE(soldier);
  Game::UnitEntry& entry = *fight.entryOf(*soldier);
  Game::Unit& second = entry.transformInto(fight, "骨の騎士", 3);
  EXPECT_EQ(entry.formCount(), 2);
  second.life().kill();
  fight.removeDefeated();
  EXPECT_EQ(fight.unitCount(), 2);
  EXPECT_EQ(entry.formCount(), 1);
  EXPECT_EQ(&entry.current(), soldier);
  EXPECT_EQ(fight.defeats().ordinaryCount(), 1);
  soldier->life().kill();
  fight.removeDefeated();
  EXPECT_EQ(fight.unitCount(), 1);
  EXPECT_EQ(fight.defeats().ordinaryCount(), 2);
  EXPECT_GT(fight.spoils().experience, 0);
}

TEST_F(BattleEndTest, AFallenMemberStaysAndIsNotAnimated) {
  addMember(0, 0);
  Battle& fight = makeBattle();
  fight.unitAt(0)->life().kill();
  fight.removeDefeated();
  EXPECT_EQ(fight.unitCount(), 1);
  EXPECT_EQ(fight.defeats().ordinaryCount() + fight.defeats().bossCount(), 0);
}

TEST_F(BattleEndTest, RevivalKeepsAnEnemyInTheBattle) {
  Battle& fight = makeBattle();
  Game::Unit* slime = fight.addEnemy(enemy("泥スライム"), 1, 2, 1.f, 0);
  slime->setStateLevel("リヴァイヴァ", 1);
  slime->life().kill();
  fight.removeDefeated();
  EXPECT_EQ(fight.unitCount(), 1);
  EXPECT_TRUE(slime->isAlive());
}

TEST_F(BattleEndTest, TheAnimatorIdlesAfter16FramesForTheOrdinaryAnd181ForABoss) {
  Battle& fight = makeBattle();
  run(2);
  Game::Unit* slime = fight.addEnemy(enemy("泥スライム"), 0, 0, 1.f, 0);
  Game::Unit* knight = fight.addEnemy(enemy("骨の騎士"), 1, 2, 1.f, 0);
  Game::Unit* third = fight.addEnemy(enemy("泥スライム"), 2, 4, 1.f, 0);
  knight->setDefeatStyle(Game::Unit::kBossDefeat);
  third->setDefeatStyle(7);
  slime->life().kill();
  knight->life().kill();
  third->life().kill();
  fight.removeDefeated();
  EXPECT_EQ(fight.unitCount(), 0);
  Game::DefeatAnimator& defeats = fight.defeats();
  EXPECT_EQ(defeats.ordinaryCount(), 1);
  EXPECT_EQ(defeats.bossCount(), 1);
  int frames = 0;
  while (!defeats.update() && frames < 400) ++frames;
  EXPECT_EQ(frames, 16 + 181);
  EXPECT_EQ(defeats.frame(), 0);
}

// --- Race groups -----------------------------------------------------------

// How many draws a generator of the seed made: the next value tells.
int drawsMade(Game::RandomGenerator& used, i32 seed) {
  const i32 next = used.getInt(1 << 30);
  for (int n = 0; n < 40; ++n) {
    Game::RandomGenerator probe(seed);
    for (int k = 0; k < n; ++k) probe.getFloat(1.f);
    if (probe.getInt(1 << 30) == next) return n;
  }
  return -1;
}

TEST(RaceGroupTest, FollowersComeWithoutADrawWhileTheChanceIsAQuarterOrMore) {
  // 1, 0.75, 0.5625, 0.421875, 0.31640625: five sure followers; then draws.
  for (i32 seed = 1; seed <= 20; ++seed) {
    Game::RandomGenerator random(seed);
    const i32 followers = Game::RaceGroup::countFollowers(1.f, random);
    EXPECT_GE(followers, 5);
    // A draw for each follower after the fifth, and one that stopped them.
    EXPECT_EQ(drawsMade(random, seed), followers - 5 + 1) << seed;
  }
  // 0.25 is sure; 0.2499 is not.
  Game::RandomGenerator quarter(3);
  const i32 fromQuarter = Game::RaceGroup::countFollowers(0.25f, quarter);
  EXPECT_GE(fromQuarter, 1);
  EXPECT_EQ(drawsMade(quarter, 3), fromQuarter);
  Game::RandomGenerator below(3);
  const i32 fromBelow = Game::RaceGroup::countFollowers(0.2499f, below);
  EXPECT_EQ(drawsMade(below, 3), fromBelow + 1);
}

TEST(RaceGroupTest, AtMostFourteenFollowers) {
  Game::RandomGenerator random(1);
  EXPECT_EQ(Game::RaceGroup::countFollowers(1.0e9f, random), 14);
  EXPECT_EQ(drawsMade(random, 1), 0);
  Game::RandomGenerator none(1);
  EXPECT_EQ(Game::RaceGroup::countFollowers(0.f, none), 0);
}

TEST(RaceGroupTest, ALoneLeaderIsCentredOnTheMiddleCell) {
  for (i32 seed = 1; seed <= 10; ++seed) {
    Game::RandomGenerator random(seed);
    const std::vector<Cell> cells = Game::RaceGroup::placeGroup(0, true, random);
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0].row, 1);
    EXPECT_EQ(cells[0].column, 2);
  }
}

TEST(RaceGroupTest, AGroupIsCentredOnlyWhenAsked) {
  for (i32 seed = 1; seed <= 30; ++seed) {
    Game::RandomGenerator raw(seed);
    Game::RandomGenerator centred(seed);
    const std::vector<Cell> left = Game::RaceGroup::placeGroup(3, false, raw);
    const std::vector<Cell> middle = Game::RaceGroup::placeGroup(3, true, centred);
    ASSERT_EQ(left.size(), 4u);
    i32 minRow = 9, maxRow = -9, minColumn = 9, maxColumn = -9;
    for (const Cell& cell : left) {
      minRow = std::min(minRow, cell.row);
      maxRow = std::max(maxRow, cell.row);
      minColumn = std::min(minColumn, cell.column);
      maxColumn = std::max(maxColumn, cell.column);
    }
    const i32 rowShift = (2 - maxRow - minRow) / 2;
    const i32 columnShift = (4 - maxColumn - minColumn) / 2;
    for (std::size_t i = 0; i < left.size(); ++i) {
      EXPECT_EQ(middle[i].row, left[i].row + rowShift);
      EXPECT_EQ(middle[i].column, left[i].column + columnShift);
      EXPECT_TRUE(Game::Unit::isValidCell(middle[i].row, middle[i].column));
    }
  }
}

class RaceTableTest : public BattleEndTest {
 protected:
  Game::RaceData readRace(const char* text) {
    Game::NmlDocument document;
    document.loadFromText("race.txt", text);
    Game::RaceData race;
    race.read(*document.child(0));
    return race;
  }
};

TEST_F(RaceTableTest, ARaceTheRingDoesNotNameSpawnsFromItself) {
  const Game::RaceData race = readRace("race{ name 孤; member 泥スライム; member 骨の兵士; member 骨の騎士; }");
  Game::RandomGenerator random(5);
  struct Case {
    float level;
    i32 memberLevel;
    const char* leader;
  };
  const Case cases[] = {{0.f, 0, "泥スライム"}, {0.34f, 1, "骨の兵士"}, {0.66f, 1, "骨の兵士"},
                        {0.67f, 2, "骨の騎士"}, {1.f, 2, "骨の騎士"}, {-3.f, 0, "泥スライム"}};
  for (const Case& c : cases) {
    const Game::RaceGroup::Table table = Game::RaceGroup::tableFor(race, c.level, random);
    EXPECT_EQ(table.race, &race);
    EXPECT_EQ(table.memberLevel, c.memberLevel) << c.level;
    EXPECT_EQ(table.leader, &enemy(c.leader)) << c.level;
    EXPECT_FLOAT_EQ(table.followerChance, 0.5f);
    for (int n = 0; n < 20; ++n) {
      const Game::EnemyData* member = &Game::RaceGroup::drawMember(table, random);
      const auto& members = race.members();
      const auto at = std::find(members.begin(), members.end(), member) - members.begin();
      EXPECT_LE(at, c.memberLevel);
    }
  }
}

TEST_F(RaceTableTest, ARingRaceSpawnsFromItsRing) {
  const Game::RaceData& slimes = Game::Database::instance()->findRace("粘体");
  Game::RandomGenerator random(2);
  bool other = false;
  for (int n = 0; n < 30; ++n) {
    const Game::RaceGroup::Table table = Game::RaceGroup::tableFor(slimes, 0.f, random);
    other = other || table.race != &slimes;
  }
  EXPECT_TRUE(other);
}

using RaceTableDeathTest = RaceTableTest;

TEST_F(RaceTableDeathTest, ARaceWithoutMembersIsADataErrorNamingIt) {
  const Game::RaceData race = readRace("race{ name 空虚; }");
  Game::RandomGenerator random(1);
  EXPECT_DEATH(Game::RaceGroup::tableFor(race, 0.f, random), "空虚");
}

TEST_F(BattleEndTest, SpawningFillsTenPlacesBesideFiveMembers) {
  for (i32 i = 0; i < 5; ++i) addMember(i % 3, i);
  Battle& fight = makeBattle();
  const Game::RaceData& undead = Game::Database::instance()->findRace("不死");
  Game::Unit* leader = fight.spawnRace(undead, 0.f, 4, true, 2.f);
  ASSERT_TRUE(leader);
  EXPECT_EQ(leader->ghost().isEnemy(), true);
  EXPECT_GE(fight.unitCount(), 5 + 1 + 2);
  for (int n = 0; n < 6; ++n) fight.spawnRace(undead, 0.f, 0, true, 1.f);
  EXPECT_EQ(fight.unitCount(), 15);
  EXPECT_EQ(fight.spawnRace(undead, 0.f, 0, false, 1.f), nullptr);
  EXPECT_EQ(fight.rankTracker().highest(), 4);
}

TEST_F(BattleEndTest, ALoneSpawnIntoAnEmptyFieldStandsInTheMiddle) {
  Battle& fight = makeBattle();
  const Game::RaceData& undead = Game::Database::instance()->findRace("不死");
  Game::Unit* leader = fight.spawnRace(undead, 0.f, 0, false, 1.f);
  ASSERT_TRUE(leader);
  EXPECT_EQ(fight.unitCount(), 1);
  EXPECT_EQ(leader->row(), 1);
  EXPECT_EQ(leader->column(), 2);
}

// --- Notices and floating texts --------------------------------------------

TEST(FloatingTextTest, DriftsInStaysAndDriftsOut) {
  struct Case {
    i32 frame;
    float offset;
  };
  const Case cases[] = {{0, 900.f},  {1, 841.f},   {15, 225.f},  {29, 1.f},     {30, 0.f},
                        {128, 0.f},  {225, 0.f},   {226, 0.f},   {227, -1.f},   {236, -100.f},
                        {255, -841.f}};
  for (const Case& c : cases) {
    EXPECT_FLOAT_EQ(FloatingText::offset(c.frame, 256), c.offset) << c.frame;
  }
}

TEST(FloatingTextTest, TheDirectionChoosesTheAxisAndTheSide) {
  struct Case {
    i32 direction;
    float x;
    float y;
  };
  // After one step: frame 1, offset 841.
  const Case cases[] = {{0, 0.f, 252.f - 841.f}, {1, 0.f, 252.f + 841.f}, {2, -841.f, 252.f}, {3, 841.f, 252.f}};
  for (const Case& c : cases) {
    FloatingText text("x", 0, c.direction);
    EXPECT_FALSE(text.step());
    float x = 0.f, y = 0.f;
    text.position(x, y);
    EXPECT_FLOAT_EQ(x, c.x) << c.direction;
    EXPECT_FLOAT_EQ(y, c.y) << c.direction;
  }
  EXPECT_EQ(FloatingText("x", 1, 0).colour(), 0xFFFF8888u);
  EXPECT_EQ(FloatingText("x", 0, 0).colour(), 0xFF00FFFFu);
}

TEST(FloatingTextTest, GoneAt256Frames) {
  FloatingText text("x", 0, 1);
  int frames = 1;
  while (!text.step()) ++frames;
  EXPECT_EQ(frames, 256);
}

TEST_F(BattleEndTest, NoticesShowTogetherThenHoldSixtyOneFrames) {
  addMember(0, 0);
  Battle& fight = makeBattle();
  run(2);
  Game::BattleNoticeList& notices = fight.notices();
  EXPECT_TRUE(notices.update(fight));
  notices.add(fight.entry(0), "力が湧いた");
  notices.add(fight.entry(0), "技を覚えた");
  EXPECT_TRUE(notices.update(fight));
  const std::size_t texts = fight.floatingTexts().size();
  notices.start();
  int frames = 1;
  EXPECT_FALSE(notices.update(fight));
  EXPECT_EQ(fight.floatingTexts().size(), texts + 2);
  EXPECT_EQ(notices.count(), 0);
  while (!notices.update(fight)) ++frames;
  EXPECT_EQ(frames + 1, 61);
  EXPECT_FALSE(notices.isRunning());
  notices.start();
  EXPECT_TRUE(notices.update(fight));
  EXPECT_FALSE(notices.isRunning());
}

TEST_F(BattleEndTest, ARemovedEntryTakesItsNoticesAlong) {
  Battle& fight = makeBattle();
  Game::Unit* slime = fight.addEnemy(enemy("泥スライム"), 1, 2, 1.f, 0);
  fight.notices().add(*fight.entryOf(*slime), "消える");
  slime->life().kill();
  fight.removeDefeated();
  EXPECT_EQ(fight.notices().count(), 0);
}

TEST_F(BattleEndTest, AnAnnouncementFloatsItsLineAndHoldsTheBattle121Frames) {
  addMember(0, 0);
  Battle& fight = makeBattle();
  run(2);
  const std::size_t texts = fight.floatingTexts().size();
  fight.addAnnouncement(*fight.unitAt(0), "見参");
  int frames = 0;
  const i32 turn = fight.turn();
  while (fight.announcementCount() > 0 && frames < 300) {
    step({});
    fight.update();
    if (frames == 0) {
      EXPECT_EQ(fight.floatingTexts().size(), texts + 1);
      EXPECT_EQ(fight.floatingTexts().back()->colour(), FloatingText::kPartyColour);
    }
    ++frames;
  }
  EXPECT_EQ(frames, 121);
  EXPECT_EQ(fight.turn(), turn);
}

}  // namespace
