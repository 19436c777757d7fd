#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "battle/Action.h"
#include "battle/Battle.h"
#include "battle/CastPhase.h"
#include "battle/ChainChance.h"
#include "battle/CommandPhase.h"
#include "battle/EndPhases.h"
#include "battle/DefeatAnimator.h"
#include "battle/RaceGroup.h"
#include "running/game/GameData.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "live/party/PartyMembers.h"
#include "live/unit/PlayerGhost.h"
#include "live/unit/UnitMessages.h"
#include "effect/Cast.h"
#include "effect/StartingEffect.h"
#include "field/FieldScene.h"
#include "core/file/nml/NmlDocument.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/database/UnitPictureData.h"
#include "records/Database.h"
#include "records/database/RaceData.h"
#include "root/command/BattleCommands.h"
#include "tests/Services.h"
#include "tests/core/random/SeededDraws.h"
#include "tests/battle/BattleFixture.h"

namespace {

using Engine::i32;
using Game::Battle;
using Game::BattleSettings;
using Game::FloatingText;
using Game::RaceGroup::Cell;

class BattleEndTest : public BattleTestSupport::BattleGameTest {
 protected:
  static Game::RaceData readRace(const char* text) {
    Game::NmlDocument document;
    document.loadFromText("race.txt", text);
    Game::RaceData race;
    race.read(*document.child(0));
    return race;
  }
  // The battle won with the spoils, past the frame that pays them.
  void winWith(i32 money, i32 experience, i32 masterExperience) {
    battle().spoils().addRewards(money, experience, masterExperience);
    battle().finish(Battle::kWin);
    run(1);
  }
};

// --- Deciding the battle -------------------------------------------------

// Only a battle no script started reports its rank.
TEST_F(BattleEndTest, FinishSetsTheResultOnceAndOnlyForAKnownEnd) {
  const i32 before = integer("progress");
  BattleSettings scripted;
  scripted.fromScript = true;
  makeBattle(scripted).finish(Battle::kWin);
  EXPECT_EQ(integer("progress"), before);
  for (const auto& [result, battleResult] :
       {std::pair{Battle::kWin, 1}, {Battle::kGameOver, -1}, {Battle::kBreak, 0}, {Battle::kEscape, 0}}) {
    Battle& fight = makeBattle();
    game().battleResult() = 7;
    fight.finish(-1);
    fight.finish(4);
    EXPECT_EQ(std::pair(fight.isDecided(), game().battleResult()), std::pair(false, 7)) << result;
    fight.finish(result);
    const auto decided = [&] { return std::tuple(fight.isDecided(), game().battleResult(), fight.over()); };
    const auto first = decided();
    EXPECT_EQ(first, std::tuple(true, battleResult, std::get<2>(first))) << result;
    EXPECT_EQ(fight.rankTracker().escaped(), result == Battle::kEscape);
    fight.finish(Battle::kWin);
    EXPECT_EQ(decided(), first) << "a second end changes nothing";
    if (result == Battle::kWin) {
      EXPECT_GT(integer("progress"), before) << "a win reports the rank";
    }
  }
}

TEST_F(BattleEndTest, TheOverCommandMapsTheScriptsResults) {
  const std::pair<i32, i32> rows[] = {{1, Battle::kWin}, {-1, Battle::kGameOver}, {0, Battle::kBreak}, {2, -1}, {-2, -1}};
  for (const auto& [given, result] : rows) {
    EXPECT_EQ(Game::ScriptStuff::OverCommand::battleResult(given), result) << given;
  }
  // Without a battle the command does nothing.
  load("over{ result 1; } let{ name money; value 3; }");
  EXPECT_EQ(stepScript(), Game::Script::kFinished);
  EXPECT_EQ(std::pair(integer("money"), game().battleResult()), std::pair(3, 0));
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
  for (const auto& [survivors, factor] : {std::pair{1, 2.0f}, {2, 1.75f}, {3, 1.5f}, {5, 1.0f}}) {
    EXPECT_FLOAT_EQ(Game::rewardFactor(survivors), factor) << survivors;
  }
  const i32 top = std::numeric_limits<i32>::max();
  const i32 bottom = std::numeric_limits<i32>::min();
  EXPECT_EQ(std::tuple(Game::scaleReward(7, 1.5f), Game::scaleReward(7, 1.75f), Game::scaleReward(top, 2.f),
                       Game::scaleReward(bottom, 2.f)),
            std::tuple(10, 12, top, bottom));
}

TEST(RewardTest, SpoilsSumsStopAtTheIntRange) {
  Game::BattleSpoils spoils;
  const auto sums = [&] { return std::tuple(spoils.money, spoils.experience, spoils.masterExperience); };
  spoils.addRewards(5, 7, 9);
  spoils.addRewards(1, 2, 3);
  EXPECT_EQ(sums(), std::tuple(6, 9, 12));
  const i32 top = std::numeric_limits<i32>::max();
  spoils.addRewards(top, top, top);
  EXPECT_EQ(sums(), std::tuple(top, top, top));
}

// 40 experience and 20 master experience: x 2.0, 1.5 and 1.0 for one, three
// and five survivors. Past the five who fight, a sixth member learns too
// while its LP lasts.
TEST_F(BattleEndTest, AWinPaysTheSpoilsScaledByTheSurvivors) {
  // The members, whether the last has LP; what the first learns, and the
  // last's master experience.
  for (const auto& [members, lastLives, experience, lastMaster] :
       {std::tuple{1, true, 80, 40}, {3, true, 60, 30}, {5, true, 40, 20}, {6, true, 40, 20}, {6, false, 40, 0}}) {
    formParty(members);
    if (!lastLives) mMembers.back()->lpRef() = 0;
    const i32 before = mMembers[0]->experience();
    const i32 masterBefore = mMembers.back()->masterExperience();
    makeBattle();
    winWith(30, 40, 20);
    auto* win = dynamic_cast<Game::BattleStuff::Win*>(battle().over());
    ASSERT_TRUE(win);
    EXPECT_EQ(std::tuple(mMembers[0]->experience() - before, mMembers.back()->masterExperience() - masterBefore,
                         win->rewardsGiven(), static_cast<i32>(win->panels().size())),
              std::tuple(experience, lastMaster, true, std::min(members, 5)))
        << members << lastLives;
  }
  EXPECT_EQ(integer("winCount"), 5);
}

TEST_F(BattleEndTest, AFallenMemberGainsNothingAndTheEmptyRewardsQueueNoLines) {
  scenario({{0, 0}, {0, 1}}, {});
  unit(1).life().kill();
  const i32 before = mMembers[1]->experience();
  winWith(0, 10, 0);
  // The fallen gains nothing, the lone survivor twice the 10; one window for
  // the experience line, none for a master experience of 0.
  EXPECT_EQ(std::tuple(mMembers[1]->experience() - before, mMembers[0]->experience() - before,
                       game().messages().count()),
            std::tuple(0, 20, 1));
}

TEST_F(BattleEndTest, AWinShowsTheNoticeThePanelsThenFadesInSixty) {
  Battle& fight = scenario({{0, 0}}, {});
  fight.spoils().addRewards(50, 0, 0);
  fight.spoils().items.push_back(Game::Database::instance()->findTool("薬草"));
  fight.finish(Battle::kWin);
  const i32 money = integer("money");
  // The notice waits for the player, then the panel.
  EXPECT_EQ(framesUntilEnd(80), -1);
  EXPECT_EQ(integer("money"), money + 50);
  auto* win = dynamic_cast<Game::BattleStuff::Win*>(fight.over());
  ASSERT_TRUE(win);
  run(1, {kDecide});  // the press that closes the notice leaves the panel up
  EXPECT_EQ(std::pair(game().messages().count(), win->panels().size()), std::pair(0, std::size_t{1}));
  int frames = 0;
  for (; frames < 400 && game().messages().count() + static_cast<int>(win->panels().size()) > 0; ++frames) {
    run(1, {frames % 2 == 0 ? kDecide : Platform::Key::Up});
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
  // The scrap goes into the bag as the notice's window shows; two broken
  // lines, the spoils' window, no experience line.
  EXPECT_EQ(std::tuple(fight.over()->brokenCount(), ghost.slot(2).isEmpty(), game().bag().countItem(scrap) - before,
                       game().messages().count()),
            std::tuple(2, true, 2, 3));
}

TEST_F(BattleEndTest, AnEscapeShowsTheQueuedMessagesThenFadesInSixtyAsABreakDoes) {
  Battle& fight = scenario({{0, 0}, {0, 1}}, {}, 3);
  game().pushMessage("逃げた");
  fight.finish(Battle::kEscape);
  EXPECT_EQ(std::pair(integer("escapeCount"), game().battleResult()), std::pair(1, 0));
  EXPECT_FLOAT_EQ(fight.partyRecord().weight(), 0.04f);
  EXPECT_EQ(framesUntilEnd(100), -1);
  // The frame the window closes is still the window's.
  EXPECT_FALSE(run(1, {kDecide}));
  EXPECT_EQ(framesUntilEnd(100), 60);
  Battle& broken = makeBattle({}, 3);
  broken.finish(Battle::kBreak);
  EXPECT_EQ(framesUntilEnd(100), 60) << "a break";
}

// A game over ends after 122 frames. Without penalty the field goes on; one
// that escapes asks the field (where there is one) for the continue scene and
// the lose event; one to the title asks neither.
TEST_F(BattleEndTest, AGameOverEndsAfter122FramesAndAsksWhatItsModeNeeds) {
  // The mode, whether there is a field; the continue requests, the lose
  // event.
  const std::tuple<i32, bool, i32, i32> rows[] = {{BattleSettings::kEscape, false, 0, 1},
                                                  {BattleSettings::kEscape, true, 1, 1},
                                                  {BattleSettings::kNoPenalty, true, 0, 0},
                                                  {BattleSettings::kGameOver, true, 0, 0}};
  i32 losses = 0;
  for (const auto& [mode, hasField, continues, loseEvent] : rows) {
    Game::FieldScene* field = hasField ? new Game::FieldScene(game()) : nullptr;
    if (field) game().setField(field);
    game().variables().integer("requestLoseEvent") = 0;
    BattleSettings settings;
    settings.defeatMode = mode;
    Battle& fight = makeBattle(settings, 3);
    fight.finish(Battle::kGameOver);
    EXPECT_EQ(framesUntilEnd(200), 122) << mode;
    EXPECT_EQ(std::pair(integer("loseCount"), integer("requestLoseEvent")), std::pair(++losses, loseEvent))
        << mode << hasField;
    if (!field) continue;
    EXPECT_EQ(field->continueRequests(), continues) << mode;
    if (mode != BattleSettings::kNoPenalty) continue;
    game().update();
    EXPECT_EQ(game().battle(), nullptr);
    EXPECT_EQ(field->resumes(), 1);
  }
}

// --- Defeats ---------------------------------------------------------------

TEST_F(BattleEndTest, AnEnemyWithTwoFormsLeavesItsEntryOnlyWithTheLast) {
  Battle& fight = scenario({{0, 0}}, {{1, 2}});
  Game::Unit* soldier = fight.unitAt(1);
  Game::UnitEntry& entry = *fight.entryOf(*soldier);
  Game::Unit& second = entry.transformInto(fight, "骨の騎士", 3);
  EXPECT_EQ(entry.formCount(), 2);
  second.life().kill();
  fight.removeDefeated();
  EXPECT_EQ(std::tuple(fight.unitCount(), entry.formCount(), &entry.current(), fight.defeats().ordinaryCount()),
            std::tuple(2, 1, soldier, 1));
  fight.notices().add(entry, "消える");
  Engine::Math::Vector3 front;
  soldier->getFrontPoint(front);
  soldier->life().kill();
  fight.removeDefeated();
  EXPECT_EQ(std::pair(fight.unitCount(), fight.defeats().ordinaryCount()), std::pair(1, 2));
  EXPECT_GT(fight.spoils().experience, 0);
  // Its notice shows where it last stood, in the enemies' colour.
  const std::size_t texts = fight.floatingTexts().size();
  fight.notices().update(fight);
  ASSERT_EQ(fight.floatingTexts().size(), texts + 1);
  const FloatingText& left = *fight.floatingTexts().back();
  float x = 0.f, y = 0.f;
  left.position(x, y);
  i32 width = 0;
  Game::TextWriter::measure(nullptr, nullptr, &width, nullptr, left.text(), 1);
  EXPECT_EQ(std::tuple(std::string(left.text()).rfind("消える Lv", 0), left.colour(), std::lround(x + width / 2),
                       std::lround(y)),
            std::tuple(std::size_t{0}, FloatingText::kEnemyColour, std::lround(front.x), std::lround(front.y)));
}

// A fallen member stays and is not animated; revival keeps an enemy.
TEST_F(BattleEndTest, AFallenMemberAndARevivedEnemyStay) {
  Battle& fight = scenario({{0, 0}}, {{1, 2}});
  Game::Unit* slime = fight.unitAt(1);
  slime->setStateLevel("リヴァイヴァ", 1);
  slime->life().kill();
  unit(0).life().kill();
  fight.removeDefeated();
  const Game::DefeatAnimator& defeats = fight.defeats();
  EXPECT_EQ(std::tuple(fight.unitCount(), slime->isAlive(), defeats.ordinaryCount() + defeats.bossCount()),
            std::tuple(2, true, 0));
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
  // At most fourteen, without a draw.
  Game::RandomGenerator many(1);
  EXPECT_EQ(Game::RaceGroup::countFollowers(1.0e9f, many), 14);
  EXPECT_EQ(drawsMade(many, 1), 0);
  Game::RandomGenerator none(1);
  EXPECT_EQ(Game::RaceGroup::countFollowers(0.f, none), 0);
}

// The rows and columns the cells span: {lowest row, highest row, lowest
// column, highest column}.
std::array<i32, 4> span(const std::vector<Cell>& cells, std::array<i32, 4> from = {9, -9, 9, -9}) {
  for (const Cell& cell : cells) {
    from = {std::min(from[0], cell.row), std::max(from[1], cell.row), std::min(from[2], cell.column),
            std::max(from[3], cell.column)};
  }
  return from;
}

// A lone leader stands on the middle cell; a centred group keeps the shape
// of the uncentred one of the same draws, the middle of its span on the
// middle cell or half a cell off it.
TEST(RaceGroupTest, AGroupIsCentredOnlyWhenAsked) {
  for (i32 seed = 1; seed <= 30; ++seed) {
    Game::RandomGenerator alone(seed);
    const std::vector<Cell> leader = Game::RaceGroup::placeGroup(0, true, alone);
    ASSERT_EQ(leader.size(), 1u);
    EXPECT_EQ(std::pair(leader[0].row, leader[0].column), std::pair(1, 2));
    Game::RandomGenerator raw(seed);
    Game::RandomGenerator centred(seed);
    const std::vector<Cell> left = Game::RaceGroup::placeGroup(3, false, raw);
    const std::vector<Cell> middle = Game::RaceGroup::placeGroup(3, true, centred);
    ASSERT_EQ(left.size(), 4u);
    const auto [minRow, maxRow, minColumn, maxColumn] = span(middle);
    EXPECT_LE(std::abs(minRow + maxRow - 2), 1) << seed;
    EXPECT_LE(std::abs(minColumn + maxColumn - 4), 1) << seed;
    for (std::size_t i = 0; i < left.size(); ++i) {
      EXPECT_EQ(middle[i].row - middle[0].row, left[i].row - left[0].row);
      EXPECT_EQ(middle[i].column - middle[0].column, left[i].column - left[0].column);
    }
  }
}

using RaceTableTest = BattleEndTest;

TEST_F(RaceTableTest, ARaceTheRingDoesNotNameSpawnsFromItself) {
  const Game::RaceData race = readRace("race{ name 孤; member 泥スライム; member 骨の兵士; member 骨の騎士; }");
  Game::RandomGenerator random(5);
  const std::tuple<float, i32, const char*> cases[] = {{0.f, 0, "泥スライム"}, {0.34f, 1, "骨の兵士"},
                                                       {0.66f, 1, "骨の兵士"},  {0.67f, 2, "骨の騎士"},
                                                       {1.f, 2, "骨の騎士"},    {-3.f, 0, "泥スライム"}};
  for (const auto& [level, memberLevel, leader] : cases) {
    const Game::RaceGroup::Table table = Game::RaceGroup::tableFor(race, level, random);
    EXPECT_EQ(std::tuple(table.race, table.memberLevel, table.leader), std::tuple(&race, memberLevel, &enemy(leader)))
        << level;
    EXPECT_FLOAT_EQ(table.followerChance, 0.5f);
    // The highest member drawn in 30 is the table's member level.
    long highest = -1;
    for (int n = 0; n < 30; ++n) {
      const auto& members = race.members();
      const auto at = std::find(members.begin(), members.end(), &Game::RaceGroup::drawMember(table, random));
      highest = std::max<long>(highest, at - members.begin());
    }
    EXPECT_EQ(highest, memberLevel) << level;
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
  formParty(5);
  Battle& fight = makeBattle();
  const Game::RaceData& undead = Game::Database::instance()->findRace("不死");
  Game::Unit* leader = fight.spawnRace(undead, 0.f, 4, true, 2.f);
  ASSERT_TRUE(leader);
  EXPECT_EQ(leader->ghost().isEnemy(), true);
  EXPECT_GE(fight.unitCount(), 5 + 1 + 2);
  for (int n = 0; n < 6; ++n) fight.spawnRace(undead, 0.f, 0, true, 1.f);
  EXPECT_EQ(fight.spawnRace(undead, 0.f, 0, false, 1.f), nullptr);
  EXPECT_EQ(std::pair(fight.unitCount(), fight.rankTracker().highest()), std::pair(15, 4));
}

// --- Notices and floating texts --------------------------------------------

TEST(FloatingTextTest, DriftsInStaysAndDriftsOut) {
  const std::pair<i32, float> cases[] = {{0, 900.f},  {1, 841.f},  {15, 225.f},   {29, 1.f},
                                         {30, 0.f},   {128, 0.f},  {225, 0.f},    {226, 0.f},
                                         {227, -1.f}, {236, -100.f}, {255, -841.f}};
  for (const auto& [frame, offset] : cases) EXPECT_FLOAT_EQ(FloatingText::offset(frame, 256), offset) << frame;
  FloatingText text("x", 0, 1);
  int frames = 1;
  while (!text.step()) ++frames;
  EXPECT_EQ(frames, 256) << "gone";
}

TEST(FloatingTextTest, TheDirectionChoosesTheAxisAndTheSide) {
  // After one step: frame 1, offset 841.
  const std::tuple<i32, float, float> cases[] = {
      {0, 0.f, 252.f - 841.f}, {1, 0.f, 252.f + 841.f}, {2, -841.f, 252.f}, {3, 841.f, 252.f}};
  for (const auto& [direction, x, y] : cases) {
    FloatingText text("x", 0, direction);
    EXPECT_FALSE(text.step());
    float atX = 0.f, atY = 0.f;
    text.position(atX, atY);
    EXPECT_FLOAT_EQ(atX, x) << direction;
    EXPECT_FLOAT_EQ(atY, y) << direction;
  }
  EXPECT_EQ(FloatingText("x", 1, 0).colour(), 0xFFFF8888u);
  EXPECT_EQ(FloatingText("x", 0, 0).colour(), 0xFF00FFFFu);
}

TEST_F(BattleEndTest, NoticesShowTogetherThenHoldSixtyOneFrames) {
  Battle& fight = scenario({{0, 0}}, {{0, 0}}, 3);
  Game::BattleNoticeList& notices = fight.notices();
  EXPECT_TRUE(notices.update(fight));
  notices.add(fight.entry(0), "力が湧いた");
  notices.add(fight.entry(1), "逃げ腰");
  notices.add(fight.entry(0), "技を覚えた");
  EXPECT_TRUE(notices.update(fight));
  const std::size_t texts = fight.floatingTexts().size();
  notices.start();
  int frames = 1;
  EXPECT_FALSE(notices.update(fight));
  EXPECT_EQ(std::pair(fight.floatingTexts().size(), notices.count()), std::pair(texts + 3, 0));
  // One unit's two lines stack: the later at its front point, the earlier a
  // row of 20 units above it; the foe facing it (its front point differs in
  // x alone) keeps its line at its own.
  float x[3] = {}, y[3] = {};
  for (std::size_t i = 0; i < 3; ++i) fight.floatingTexts()[texts + i]->position(x[i], y[i]);
  Engine::Math::Vector3 foe;
  fight.unitAt(1)->getFrontPoint(foe);
  EXPECT_EQ(std::tuple(x[0] - x[2], y[0] - y[2], y[1]), std::tuple(0.f, 20.f, foe.y));
  while (!notices.update(fight)) ++frames;
  EXPECT_EQ(std::pair(frames + 1, notices.isRunning()), std::pair(61, false));
  notices.start();
  EXPECT_TRUE(notices.update(fight));
  EXPECT_FALSE(notices.isRunning());
}

TEST_F(BattleEndTest, AnAnnouncementFloatsItsLineAndHoldsTheBattle121Frames) {
  Battle& fight = scenario({{0, 0}}, {}, 3);
  const std::size_t texts = fight.floatingTexts().size();
  fight.addAnnouncement(*fight.unitAt(0), "見参");
  int frames = 0;
  const i32 turn = fight.turn();
  while (fight.announcementCount() > 0 && frames < 300) {
    run(1);
    if (frames == 0) {
      EXPECT_EQ(fight.floatingTexts().size(), texts + 1);
      EXPECT_EQ(fight.floatingTexts().back()->colour(), FloatingText::kPartyColour);
    }
    ++frames;
  }
  EXPECT_EQ(frames, 121);
  EXPECT_EQ(fight.turn(), turn);
}

using Game::DefeatAnimator;

TEST(DefeatAnimatorTest, TheDissolveSpreadsTurnsAndFades) {
  // spread 24 t², turn 1080 √t, alpha 1 − t, shade (alpha + (1 − alpha) / 2) x alpha.
  const std::tuple<float, float, float, float, float> cases[] = {{0.f, 0.f, 0.f, 1.f, 1.f},
                                                                 {0.25f, 1.5f, 540.f, 0.75f, 0.65625f},
                                                                 {0.5f, 6.f, 763.675f, 0.5f, 0.375f},
                                                                 {1.f, 24.f, 1080.f, 0.f, 0.f}};
  for (const auto& [t, spread, turn, alpha, shade] : cases) {
    const DefeatAnimator::Dissolve look = DefeatAnimator::dissolveAt(t);
    EXPECT_FLOAT_EQ(look.spread, spread) << t;
    EXPECT_NEAR(look.turn, turn, 0.01f) << t;
    EXPECT_NEAR(look.secondTurn, turn + 180.f, 0.01f) << t;
    EXPECT_FLOAT_EQ(look.alpha, alpha) << t;
    EXPECT_FLOAT_EQ(look.shade, shade) << t;
  }
  for (const auto& [frame, progress] : {std::pair{121, 1.f / 60.f}, {150, 0.5f}, {180, 1.f}}) {
    EXPECT_FLOAT_EQ(DefeatAnimator::dissolveProgress(frame), progress) << frame;
  }
}

TEST(RaceGroupTest, FollowersStandOneToThreeRanksBelowTheLeader) {
  using Game::RaceGroup::followerRank;
  EXPECT_EQ(std::tuple(followerRank(4, 0), followerRank(4, 2), followerRank(-1, 1)), std::tuple(3, 1, -3));
}

TEST(RaceGroupTest, CellsAreDrawnOverTheWholeSide) {
  std::array<i32, 4> spanned = {9, -9, 9, -9};
  for (i32 seed = 1; seed <= 40; ++seed) {
    Game::RandomGenerator random(seed);
    spanned = span(Game::RaceGroup::placeGroup(5, false, random), spanned);
  }
  EXPECT_EQ(spanned, (std::array<i32, 4>{0, 2, 0, 4}));
}

class BattleDefeatTest : public BattleEndTest {
 protected:
  void SetUp() override {
    BattleEndTest::SetUp();
    // A picture of its own for the units, and the defeat's set.
    fs().put("src/picture/unit/t.txt",
             std::string("model{name stand;}model{name appear;}model{name damage;}model{name win;}"));
    Game::NmlNode list;
    ASSERT_TRUE(list.parse("Kessa t,1;泥スライム t,1;骨の騎士 t,1;", true));
    Game::Database::instance()->maps().units.read(list, "src/picture/unit/list.txt");
    fs().put(Game::DefeatAnimator::kResourceFile,
             std::string("animation{ name down; time 16; } model{ name main; time 10; }"));
  }
};

// The ordinary fallen together: a burst where each stood, the camera on
// their middle, their nodes playing on through the fall's 16 frames; then a
// boss's 181. A defeat style the animator does not know is neither.
TEST_F(BattleDefeatTest, TheFallenBurstTheCameraLooksAtThemAndTheAnimatorIdlesAfter16And181) {
  const TestServices::Scoped renderer(TestServices::kRenderer);
  Battle& fight = makeBattle({}, 3);
  Game::Unit& left = foe(0, 0);
  Game::Unit& right = foe(2, 4);
  Game::Unit& knight = foe(1, 2, "骨の騎士");
  Game::Unit& unknown = foe(0, 4);
  knight.setDefeatStyle(Game::Unit::kBossDefeat);
  unknown.setDefeatStyle(7);
  ASSERT_TRUE(left.node());
  Game::SceneNode* node = left.node();
  Engine::Math::Vector3 a;
  Engine::Math::Vector3 b;
  left.getPosition(a);
  right.getPosition(b);
  for (Game::Unit* fallen : {&left, &right, &knight, &unknown}) fallen->life().kill();
  fight.removeDefeated();
  EXPECT_EQ(fight.unitCount(), 0);
  Game::DefeatAnimator& defeats = fight.defeats();
  EXPECT_EQ(std::pair(defeats.ordinaryCount(), defeats.bossCount()), std::pair(2, 1));
  const i32 before = fight.scenePool()->activeCount();
  EXPECT_FALSE(defeats.update());
  EXPECT_EQ(fight.scenePool()->activeCount(), before + 2);
  EXPECT_EQ(node->getLifetime(), 16);
  const Engine::Math::Vector3 looked = Game::SceneRenderer::instance()->camera().followTarget.target();
  EXPECT_NEAR(looked.x, (a.x + b.x) / 2.f, 0.01f);
  EXPECT_NEAR(looked.y, (a.y + b.y) / 2.f, 0.01f);
  EXPECT_NEAR(looked.z, (a.z + b.z) / 2.f, 0.01f);
  EXPECT_GT(std::abs(a.z), 1.f);
  int frames = 1;
  while (!defeats.update() && frames < 400) ++frames;
  EXPECT_EQ(frames, 16 + 181);
  EXPECT_EQ(defeats.frame(), 0);
  game().setBattle(nullptr);
}

// --- The cast phase ---------------------------------------------------------

using Game::Action;
using Game::ActionOrder;
using Game::BattleStuff::Cast;

// Sample members and slimes in a battle the game runs.
class CastPhaseTest : public BattleEndTest {
 protected:
  struct Duel {
    Battle& fight;
    Game::Unit& kessa;
    Game::Unit& slime;
  };
  // Kessa at (0, 2) against a slime (or the named enemy) at (0, 0), past the
  // battle's opening.
  Duel duel(const char* enemyName = "泥スライム") {
    Battle& fight = scenario({{0, 2}}, {{0, 0}}, 1, enemyName);
    return {fight, unit(0), unit(1)};
  }
  std::unique_ptr<Action> act(Game::Unit& actor, const Game::Ability& used, const Game::Place& cell,
                              bool followUp = false, bool main = true) {
    return std::make_unique<Action>(battle(), ActionOrder{&actor, used, used, -1, cell, nullptr,
                                                          ActionOrder::kCommanded, false, true, followUp, main});
  }
  static i32 misses(const Action& action) {
    i32 n = 0;
    for (const Game::ActionTarget& result : action.results()) n += !result.counted;
    return n;
  }
};

TEST(ChainChanceTest, OpensAtTheStartRateFallsForPassesAndJoinsWithMomentumAndAce) {
  // The start and opener rates, the passes, the joined rate; the join rate,
  // momentum and ace asked; the chance, the join chance.
  // chance = opener + (1 − opener) × start, × 0.8 a pass, × a joiner's rate;
  // join = ace + (1 − ace) × (momentum / 4 + 1) × joinRate × chance.
  const std::tuple<float, float, int, float, float, float, float, float, float> rows[] = {
      {0.2f, 0.f, 0, 1.f, 1.f, 0.f, 0.f, 0.2f, 0.2f},
      {0.2f, 0.19f, 0, 1.f, 1.f, 0.f, 0.f, 0.352f, 0.352f},
      {0.2f, 0.f, 2, 1.f, 0.5f, 2.f, 0.f, 0.128f, 0.096f},
      {0.5f, 0.f, 1, 0.5f, 1.f, 0.f, 0.1f, 0.2f, 0.28f},
  };
  for (const auto& [start, opener, passes, joinedRate, joinRate, momentum, ace, value, join] : rows) {
    Game::ChainChance chance(start, opener);
    EXPECT_TRUE(chance.isOpen());
    for (int i = 0; i < passes; ++i) chance.pass();
    chance.join(joinedRate);
    EXPECT_FLOAT_EQ(chance.value(), value) << start << " " << passes;
    EXPECT_FLOAT_EQ(chance.joinChance(joinRate, momentum, ace), join) << start;
  }
  // A zero start rate never opens, whatever the opener.
  EXPECT_FALSE(Game::ChainChance(0.f, 0.9f).isOpen());
}

// A follow-up never misses by accuracy; a blind actor's damage still misses
// above a draw of 75 of 100 (75 still hits, 76 misses), its recovery never.
TEST_F(CastPhaseTest, AccuracyFollowUpsAndBlindness) {
  Game::Unit& actor = duel().kessa;
  for (i32 c = 0; c < 5; ++c) {
    if (c > 0) foe(0, c);
    foe(1, c);
  }
  const Game::Place enemies{1, 0, 0};
  const Game::Ability sure = art("type 攻撃; range 遠; area 陣; accuracy 100; power{ constance 1; random 0; }");
  const Game::Ability never = art("type 攻撃; range 遠; area 陣; accuracy -1; power{ constance 1; random 0; }");
  // The sample blow's start rate: its second chain accuracy, 100, / 100 / 5.
  EXPECT_FLOAT_EQ(Cast::startRate(Game::Ability::fromName("斬り払い")), 1.f / 5.f);
  EXPECT_EQ(misses(*act(actor, sure, enemies)), 0);
  const Game::Ability almost = art("type 攻撃; range 遠; area 陣; accuracy 99; power{ constance 1; random 0; }");
  for (int i = 0; i < 40; ++i) EXPECT_EQ(misses(*act(actor, almost, enemies)), 0) << "no draw in 0..99 exceeds 99";
  std::unique_ptr<Action> missed = act(actor, never, enemies);
  EXPECT_EQ(misses(*missed), 10);
  // A miss shows its message (-1).
  missed->showResults();
  EXPECT_FALSE(missed->target(0).messages().isEmpty());
  EXPECT_EQ(misses(*act(actor, never, enemies, true)), 0);
  actor.setStateLevel("暗闇", 1);
  const Game::Ability one = art("type 攻撃; range 遠; area 単; accuracy -1; power{ constance 1; random 0; }");
  const Game::Ability mend = art("type 補助; range 遠; area 単; accuracy -1; power{ constance 1; random 0; }");
  for (const auto& [draw, blindMiss] : {std::pair{75, 0}, std::pair{76, 1}}) {
    const i32 seed = RandomTestSupport::seedsDrawing({draw})[0];
    Game::RandomGenerator::instance()->setSeed(seed);
    EXPECT_EQ(misses(*act(actor, one, enemies, true)), blindMiss) << draw;
    Game::RandomGenerator::instance()->setSeed(seed);
    EXPECT_EQ(misses(*act(actor, mend, enemies, true)), 0) << draw;
  }
}

// A quarter of the damage drained comes back: 3 gives nothing, 8 gives 2,
// 3 on each of two targets gives 1; the sum stops at the int range.
TEST_F(CastPhaseTest, DrainGivesTheActorAQuarterOfTheDamage) {
  Game::Unit& actor = duel().kessa;
  foe(0, 1);
  const std::tuple<const char*, i32, i32> rows[] = {
      {"単", 3, 0}, {"単", 8, 2}, {"行", 3, 1}, {"行", 4, 2}, {"行", 2000000000, 2147483647 / 4}};
  for (const auto& [area, amount, recovered] : rows) {
    const Game::Ability drain = art(std::string("type 攻撃; range 遠; accuracy 100; attack{ factor 吸収; } area ") +
                                    area + "; power{ constance " + std::to_string(amount) + "; random 0; }");
    std::unique_ptr<Action> action = act(actor, drain, Game::Place{1, 0, 0});
    action->prepare();
    ASSERT_EQ(action->secondary().size(), recovered ? 1u : 0u) << area << amount;
    if (!recovered) continue;
    const auto& back = action->secondary()[0];
    EXPECT_EQ(std::tuple(back.unit, back.kind, back.amount),
              std::tuple(&actor, Game::Effect::ActionRecord::kRecovery, recovered))
        << area << amount;
  }
}

// No command queued, or aborted: TurnEnd at once. The script command
// aborts only a cast at the head of the queue.
TEST_F(CastPhaseTest, WithoutACommandOrOnceAbortedTheTurnEndsAtOnce) {
  Battle& fight = scenario({}, {{0, 0}});
  const i32 phases = fight.phaseCount();
  EXPECT_EQ(Cast(fight).update(), 1);
  EXPECT_EQ(fight.phaseCount(), phases + 1);
  Game::Unit& enemy = *fight.unitAt(0);
  enemy.planAction(0, Game::Ability::fromName("身を守る"), enemy.place());
  enemy.setCharge(0);
  Cast aborted(fight);
  aborted.abort();
  EXPECT_EQ(aborted.update(), 1);
  EXPECT_TRUE(enemy.hasPlan());
  EXPECT_EQ(fight.abortCast(), nullptr);
  load("turnEnd{}");
  Cast* running = nullptr;
  for (int n = 0; n < 400 && !running; ++n) {
    run(1);
    running = dynamic_cast<Cast*>(fight.runningPhase());
  }
  ASSERT_NE(running, nullptr);
  EXPECT_EQ(stepScript(), Game::Script::kFinished);
  EXPECT_TRUE(running->isAborted());
}

// A command that pays is skipped while its side cannot pay it; one that
// does not pay is not. A unit still charging (1 turn left) waits. Once the
// side can, the spark takes its energy and an AP of its tier 1.
TEST_F(CastPhaseTest, AnUnpayableOrChargingCommandIsSkipped) {
  auto [fight, kessa, slime] = duel();
  const Game::Ability spark = Game::Ability::fromName("火花の術");
  fight.side(0).setPool(spark.energy() - 1);
  for (const auto& [flags, charge, casts] :
       {std::tuple{Game::BattleStuff::Command::kPays, 0, false}, {0, 0, true}, {0, 1, false}}) {
    kessa.clearPlan();
    kessa.planAction(0, spark, Game::Place{1, 0, 0}, nullptr, flags);
    kessa.setCharge(charge);
    EXPECT_EQ(Cast::canCast(kessa), casts) << flags << charge;
    Cast cast(fight);
    EXPECT_EQ(cast.update(), casts ? 0 : 1) << flags << charge;
  }
  fight.side(0).setPool(spark.energy());
  const i32 ap = kessa.ghost().getAp(0);
  kessa.clearPlan();
  kessa.planAction(0, spark, Game::Place{1, 0, 0}, nullptr, Game::BattleStuff::Command::kPays);
  kessa.setCharge(0);
  Cast paid(fight);
  ASSERT_EQ(paid.update(), 0);
  EXPECT_EQ(std::pair(fight.side(0).pool(), kessa.ghost().getAp(0)), std::pair(0, ap - 1));
}

// The first, acting first by its speed, opens a chain (start rate 500% /
// 5); a member whose art joins (sure at a join rate of 500%) follows it and
// the joint caption names both; one whose art does not join passes, and
// then the struck enemy's barrier reacts.
TEST_F(CastPhaseTest, AJoinerTakesThePlaceOfTheReactions) {
  Battle& fight = scenario({{0, 1}, {0, 3}}, {{0, 2}});
  for (const bool chains : {true, false}) {
    const std::string keys = "type 攻撃; range 遠; area 単; accuracy 100; chainName 斬,連斬; power{ constance 5; } "
                             "animationName ブレード; ";
    const Game::Ability opener = art(keys + "speed 100000; chainAccuracy 0,500;");
    const Game::Ability joiner = art(keys + "chainAccuracy " + (chains ? "500,0;" : "0,0;"));
    for (i32 m = 0; m < 2; ++m) {
      fight.unitAt(m)->clearPlan();
      fight.unitAt(m)->planAction(-1, m == 0 ? opener : joiner, Game::Place{1, 0, 2});
      fight.unitAt(m)->setCharge(0);
    }
    fight.setGuardMode(1, 2);
    Cast cast(fight);
    ASSERT_EQ(cast.update(), 0);
    ASSERT_EQ(cast.actions().size(), 2u);
    const Action& first = *cast.actions()[0];
    const Action& second = *cast.actions()[1];
    // The chain's mark on an effect's lead-in (its last part), 0 for none.
    const auto mark = [&](std::size_t i) {
      const Game::Effect::StartingEffect::Container* lead = cast.effects()[i]->startingEffect();
      const auto* chain = lead && lead->partCount() > 0 ? dynamic_cast<const Game::Effect::StartingEffect::Chain*>(
                                                              &lead->part(lead->partCount() - 1))
                                                        : nullptr;
      return chain ? chain->index() : 0;
    };
    const auto caption = [](const Action& action) { return std::string(action.caption() ? action.caption() : "-"); };
    EXPECT_EQ(std::tuple(&first.actor(), first.hasLeadIn(), first.isFollowUp()),
              std::tuple(fight.unitAt(0), true, false));
    if (chains) {
      EXPECT_EQ(std::tuple(second.kind(), second.isFollowUp(), caption(first), caption(second)),
                std::tuple(ActionOrder::kCommanded, true, "「斬連斬」", "-"));
      ASSERT_EQ(cast.effects().size(), 2u);
      EXPECT_EQ(std::pair(mark(0), mark(1)), std::pair(1, 2)) << "the chain's marks count from 1";
      for (int n = 0; n < 400 && cast.effects()[0]->frame() == 0; ++n) cast.update();
      EXPECT_EQ(cast.effects()[0]->startingEffect(), nullptr) << "ticks only after its lead-in";
      EXPECT_EQ(fight.dimTarget(), 0.f) << "dimmed while the first runs";
      EXPECT_EQ(cast.effects()[1]->frame(), 0) << "the second effect waits while the first runs";
    } else {
      EXPECT_EQ(std::tuple(second.kind(), std::string(second.ability().name()), &second.actor(), second.hasLeadIn(),
                           caption(first)),
                std::tuple(ActionOrder::kReaction, "結界発動", fight.unitAt(2), false, "試し"));
      ASSERT_FALSE(cast.effects().empty());
      EXPECT_EQ(mark(0), 0) << "no chain, no mark";
    }
  }
}

// Each member that passes cuts the chain's chance by 0.8: opened for sure
// (start rate 500% / 5), a join rate of 125% after one passer is a sure
// 1.25 x 0.8 = 1, after two passers 1.25 x 0.64 = 0.8, about 32 of 40.
TEST_F(CastPhaseTest, EachPasserCutsTheChainForTheJoinersAfterIt) {
  for (i32 c = 0; c < 4; ++c) addMember(0, c);
  Battle& fight = makeBattle();
  foe(0, 2);
  const std::string keys = "type 攻撃; range 遠; area 単; accuracy 100; power{ constance 5; } ";
  const Game::Ability opener = art(keys + "speed 100000; chainAccuracy 0,500;");
  const Game::Ability passer = art(keys + "speed 50000; chainAccuracy 0,0;");
  const Game::Ability joiner = art(keys + "chainAccuracy 125,0;");
  for (const auto& [passers, least, most] : {std::tuple{1, 40, 40}, std::tuple{2, 24, 38}}) {
    int joins = 0;
    for (int trial = 0; trial < 40; ++trial) {
      for (i32 m = 0; m < 4; ++m) {
        Game::Unit& member = *fight.unitAt(m);
        member.clearPlan();
        const Game::Ability& used = m == 0 ? opener : m == 3 ? joiner : passer;
        if (m <= passers || m == 3) member.planAction(-1, used, Game::Place{1, 0, 2});
        member.setCharge(0);
      }
      Cast cast(fight);
      ASSERT_EQ(cast.update(), 0);
      for (const auto& action : cast.actions()) joins += &action->actor() == fight.unitAt(3) && action->isFollowUp();
    }
    EXPECT_GE(joins, least) << passers;
    EXPECT_LE(joins, most) << passers;
  }
}

// Damage to a member counts in the party record, a fall 0.05 more, and
// wakes the member; a delay holds the actor d + 1 turns unless it holds
// 世界; the weapon wears, or an art that spends it empties its slot.
TEST_F(CastPhaseTest, ResultsAndTheActionsEnd) {
  auto [fight, kessa, slime] = duel();
  // amount, keys, 世界 held; the party's damage, the hold, the weight, the
  // weapon kept.
  const std::tuple<i32, const char*, bool, i32, i32, float, bool> rows[] = {
      {5, "", false, 5, 0, 0.f, true},
      {5, "recoil 2;", false, 10, 3, 0.f, true},
      {5, "recoil 2;", true, 15, 0, 0.f, true},
      {99999, "attack{ factor 武器消費; }", false, 15 + 99999, 0, 0.05f, false},
  };
  for (const auto& [amount, keys, world, damage, hold, weight, weaponKept] : rows) {
    slime.setStateLevel("世界", world ? 1 : 0);
    kessa.setStateLevel("睡眠", 1);
    slime.setHold(0);
    slime.setWeaponSlot(-1);
    kessa.setWeaponSlot(0);
    const i32 ghostUses = kessa.ghost().getEquipment(0) ? kessa.ghost().getEquipment(0)->uses() : 0;
    const Game::Ability blow = art(std::string("type 攻撃; range 遠; area 単; accuracy 100; ") + keys +
                                   " power{ constance " + std::to_string(amount) + "; random 0; }");
    std::unique_ptr<Action> strike = act(slime, blow, kessa.place());
    strike->applyResults();
    strike->finish();
    EXPECT_EQ(std::tuple(kessa.holds("睡眠"), fight.partyRecord().damage(), slime.hold()),
              std::tuple(false, damage, hold))
        << keys;
    EXPECT_FLOAT_EQ(fight.partyRecord().weight(), weight) << keys;
    // Kessa's own blow at the slime, with her sword in hand.
    kessa.life().setHp(kessa.maxHp());
    act(kessa, blow, slime.place())->finish();
    const Game::Article* weapon = kessa.ghost().getEquipment(0);
    EXPECT_EQ(weapon ? weapon->uses() : -99, weaponKept ? ghostUses - 1 : -99) << keys;
  }
}

TEST_F(CastPhaseTest, AHealRaisesTheHpUpToTheMaximum) {
  scenario({{0, 2}}, {});
  Game::Unit& kessa = unit(0);
  for (const i32 power : {5, 99999}) {
    kessa.life().setHp(1);
    const auto heal = act(kessa, art("type 補助; range 遠; area 単; accuracy 100; power{ random 0; constance " +
                                         std::to_string(power) + "; }"),
                          kessa.place());
    const i32 amount = heal->results()[0].amount;
    ASSERT_GT(amount, 0);
    heal->applyResults();
    EXPECT_EQ(kessa.hp(), power == 5 ? 1 + amount : kessa.maxHp()) << power;
  }
}

// The bag's last herb: one member throws it; of two who chose it, only the
// first acts.
TEST_F(CastPhaseTest, TheLastItemGoesToTheFirstOfTwo) {
  Battle& fight = scenario({{0, 1}, {0, 3}}, {{0, 2}});
  Game::Unit& slime = unit(2);
  const Game::ToolData* herb = Game::Database::instance()->findTool("薬草");
  const Game::Article thrown = Game::Article::fromItem(herb);
  const Game::Ability toss = Game::Ability::fromName("投げる道具");
  for (const i32 throwers : {1, 2}) {
    game().bag().add(Game::Article::fromItem(herb), 1);
    for (i32 m = 0; m < throwers; ++m) {
      fight.unitAt(m)->planAction(-1, toss, toss, slime.place(), &thrown, 0);
      fight.unitAt(m)->setCharge(0);
    }
    Cast cast(fight);
    int steps = 0;
    bool idle = true;
    for (int n = 0; n < 3000 && cast.update() == 0; ++n) {
      steps += idle && !cast.actions().empty();
      idle = cast.actions().empty();
    }
    EXPECT_EQ(std::tuple(steps, game().bag().countItem(herb), fight.unitAt(0)->hasPlan() || fight.unitAt(1)->hasPlan()),
              std::tuple(1, 0, false))
        << throwers;
  }
}

// A cheer with a line for the party's side only, used by Kessa and by the
// slime in one cast: once the cast is over, Kessa's line shows in the
// party's colour with her level, 140 wide (14 bytes) centred over her front
// point on her cell (0, 1): x 64, y 1 * 64 - 96. The slime shows none.
TEST_F(CastPhaseTest, AnArtsAfterTextShowsOverTheActorForItsSideOnceTheCastEnds) {
  const TestServices::Scoped renderer(TestServices::kRenderer);
  Battle& fight = scenario({{0, 1}}, {{0, 1}});
  Game::Unit& slime = unit(1);
  const Game::Ability cheer = art("type 補助; range 自; area 無; effect none; afterText 奮い立った;");
  for (Game::Unit* unit : {fight.unitAt(0), &slime}) {
    unit->planAction(-1, cheer, unit->place());
    unit->setCharge(0);
  }
  fight.pushCast();
  for (int n = 0; n < 3000 && fight.floatingTexts().empty(); ++n) run(1);
  ASSERT_EQ(fight.floatingTexts().size(), 1u);
  EXPECT_EQ(std::pair(std::string(fight.floatingTexts()[0]->text()), fight.floatingTexts()[0]->colour()),
            std::pair(std::string("奮い立った Lv1"), FloatingText::kPartyColour));
  Engine::Math::Vector3 over;
  Game::SceneRenderer::instance()->project(&over, Engine::Math::Vector3(64.f, -32.f, 0.f));
  float x = 0.f, y = 0.f;
  fight.floatingTexts()[0]->position(x, y);
  EXPECT_EQ(std::pair(std::lround(x), std::lround(y)), std::pair(std::lround(over.x - 70.f), std::lround(over.y)));
  game().setBattle(nullptr);
}

// A command aimed at a cell where nothing of the aimed side lives (Kessa's
// own cell, on her side) turns to the first living unit of that side the art
// reaches; an action takes up its weapon slot (-2 keeps the one in hand).
TEST_F(CastPhaseTest, CommandsAreReAimedAndActionsTakeUpTheirWeapon) {
  Battle& fight = scenario({{0, 2}}, {{0, 1}, {0, 0}});
  fight.unitAt(1)->life().kill();
  Game::Unit& slime = unit(2);
  Game::Unit& kessa = *fight.unitAt(0);
  kessa.planAction(0, Game::Ability::fromName("斬り払い"), Game::Place{1, 0, 2});
  kessa.setCharge(0);
  Cast cast(fight);
  ASSERT_EQ(cast.update(), 0);
  ASSERT_FALSE(cast.actions().empty());
  ASSERT_EQ(cast.actions()[0]->targetCount(), 1);
  EXPECT_EQ(std::pair(cast.actions()[0]->targetCell().column, &cast.actions()[0]->target(0)), std::pair(0, &slime));
  const Game::Ability blow = Game::Ability::fromName("斬り払い");
  for (const auto& [slot, held] : {std::pair{-2, 3}, std::pair{0, 0}, std::pair{1, 1}}) {
    kessa.setWeaponSlot(3);
    Action(fight, ActionOrder{&kessa, blow, blow, slot, slime.place(), nullptr, ActionOrder::kExtra, false, false,
                              false, false});
    EXPECT_EQ(kessa.weaponSlot(), held) << slot;
  }
}

// The actor's own added states (the skeleton's poisoned blade) go only
// against the other side.
TEST_F(CastPhaseTest, TheActorsAddedStatesGoOnlyAgainstTheOtherSide) {
  auto [fight, kessa, skeleton] = duel("骨の兵士");
  const Game::Ability strike = art("type 攻撃; range 遠; area 単; accuracy 100; power{ constance 1; random 0; }");
  const Game::Ability mend = art("type 補助; range 遠; area 単; accuracy 100; power{ constance 1; random 0; }");
  std::unique_ptr<Action> hit = act(skeleton, strike, kessa.place());
  std::unique_ptr<Action> healed = act(skeleton, mend, skeleton.place());
  ASSERT_EQ(std::tuple(hit->results().size(), healed->results().size()), std::tuple(1u, 1u));
  ASSERT_EQ(std::tuple(hit->results()[0].entries.size(), healed->results()[0].entries.size()), std::tuple(1u, 0u));
  EXPECT_STREQ(hit->results()[0].entries[0].state->name(), "毒");
}

// A harmful state the target may resist lands with the chance
// 10 / (margin + 10), the margin the target's resistance over the actor's
// charisma (none below 0): at margins 0, 10, 30 and 90, 1, 1/2, 1/4 and
// 1/10 of 400 tries. A chance of 0 never lands.
TEST_F(CastPhaseTest, ResistanceAgainstCharismaKeepsStatesOff) {
  auto [fight, kessa, slime] = duel();
  const std::string blow = "type 攻撃; range 遠; area 単; accuracy 100; power{ constance 1; random 0; } ";
  const Game::Ability lull = art(blow + "attack{ addition{ name 睡眠; accuracy 100; } }");
  EXPECT_TRUE(act(slime, art(blow + "attack{ addition{ name 睡眠; accuracy 0; } }"), kessa.place())
                  ->results()[0]
                  .entries.empty());
  const struct {
    i32 margin, least, most;
  } rows[] = {{0, 400, 400}, {10, 170, 230}, {30, 75, 125}, {90, 25, 55}};
  for (const auto& row : rows) {
    // Kessa's spirit raised until her resistance stands the margin over
    // the slime's charisma (at 0 her resistance is 0).
    i32& spirit = mMembers.back()->bonus()[Game::Parameters::kSpirit];
    auto margin = [&] {
      kessa.recompute();
      return kessa.status()[Game::StatusBlock::kResist] - slime.status()[Game::StatusBlock::kCharisma];
    };
    for (spirit = -1000; spirit < 20000 && row.margin > 0 && margin() < row.margin;) ++spirit;
    ASSERT_EQ(std::max(margin(), 0), row.margin);
    int landed = 0;
    for (int i = 0; i < 400; ++i) landed += static_cast<int>(act(slime, lull, kessa.place())->results()[0].entries.size());
    EXPECT_GE(landed, row.least) << row.margin;
    EXPECT_LE(landed, row.most) << row.margin;
  }
}

// A number is pale red only where a member takes more than its HP; a heal
// wakes no reaction, even in the barrier's guard mode.
TEST_F(CastPhaseTest, FatalNumbersAndHealsWithoutReactions) {
  auto [fight, kessa, slime] = duel();
  struct Seen final : Game::UnitStuff::MessageView {
    void show(const Game::UnitStuff::Message& message) override { colour = message.color; }
    Engine::u32 colour = 0;
  };
  // At Kessa (her HP full, or down at 0 HP on 3 LP) or at the slime, the
  // target's HP and more: the number's colour, and the party record's weight
  // once a member newly falls below 1 HP. A blow at a member already down is
  // no new fall, and her LP stops at 0.
  const std::tuple<bool, bool, i32, Engine::u32, float> rows[] = {
      {true, false, 1, Action::kFatalColour, 0.05f}, {true, false, 0, Action::kPlainColour, 0.1f},
      {true, false, -1, Action::kPlainColour, 0.1f}, {true, true, 5, Action::kFatalColour, 0.1f},
      {false, false, 1, Action::kPlainColour, 0.1f}};
  for (const auto& [atMember, down, more, colour, weight] : rows) {
    kessa.life().setHp(down ? 0 : kessa.maxHp());
    if (down) kessa.ghost().lpRef() = 3;
    Game::Unit& target = atMember ? kessa : slime;
    const std::string keys = "accuracy 100; power{ random 0; constance " + std::to_string(target.hp() + more) + "; }";
    const auto strike = act(atMember ? slime : kessa, art("type 攻撃; range 遠; area 単; " + keys), target.place());
    strike->showResults();
    if (atMember) strike->applyResults();
    Seen seen;
    target.messages().update(seen);
    EXPECT_EQ(seen.colour, colour) << atMember << more;
    EXPECT_FLOAT_EQ(fight.partyRecord().weight(), weight) << atMember << more;
    if (down) {
      EXPECT_EQ(std::pair(kessa.hp(), kessa.lp()), std::pair(0, 0));
      kessa.ghost().lpRef() = kessa.maxLp();
    }
  }
  fight.setGuardMode(1, 2);
  kessa.planAction(-1, art("type 補助; range 遠; area 単; accuracy 100; animationName dummy; power{ constance 5; }"),
                   slime.place());
  kessa.setCharge(0);
  Cast cast(fight);
  ASSERT_EQ(cast.update(), 0);
  EXPECT_EQ(cast.actions().size(), 1u);
  // The heal's effect, with no lead-in of its own, first ticks after the
  // cast's 16 frames of lead-in.
  ASSERT_EQ(cast.effects().size(), 1u);
  const Game::Effect::Cast& heal = *cast.effects()[0];
  int frames = 0;
  for (; heal.frame() == 0 && frames < 100; ++frames) cast.update();
  EXPECT_EQ(frames, 16 + 1);
}

}  // namespace
