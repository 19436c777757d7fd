// Units entering and leaving the fight: race groups spawned, defeated units
// removed, the battle decided, and the lines that float over the scene.

#include <algorithm>

#include "battle/Battle.h"
#include "battle/EndPhases.h"
#include "battle/RaceGroup.h"
#include "running/game/GameData.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "live/unit/Ghost.h"
#include "core/file/DataError.h"
#include "records/database/RaceData.h"

namespace Game {

using Engine::i32;

namespace {

// The game's "battleResult" for each end.
constexpr i32 kResultValues[] = {1, -1, 0, 0};

std::unique_ptr<BattleStuff::Over> makeOver(Battle& battle, i32 result) {
  switch (result) {
    case Battle::kWin: return std::make_unique<BattleStuff::Win>(battle);
    case Battle::kGameOver: return std::make_unique<BattleStuff::GameOver>(battle);
    case Battle::kBreak: return std::make_unique<BattleStuff::Break>();
    default: return std::make_unique<BattleStuff::Escape>(battle);
  }
}

}  // namespace

void Battle::finish(i32 result) {
  if (mOver || result < kWin || result > kEscape) {
    return;
  }
  for (const std::unique_ptr<UnitEntry>& entry : mUnits) {
    Unit& unit = entry->current();
    unit.placeAt(unit.row(), unit.column());
  }
  resetCamera();
  mOver = makeOver(*this, result);
  mGame.battleResult() = kResultValues[result];
  if (result == kEscape) {
    mRankTracker.setEscaped();
  }
  if (mReportRank) {
    mGame.addBattleProgress(mRankTracker.value());
  }
}

void Battle::removeDefeated() {
  i32 i = 0;
  while (i < unitCount()) {
    UnitEntry& entry = *mUnits[static_cast<std::size_t>(i)];
    Unit& unit = entry.current();
    if (!unit.isAlive()) {
      unit.onDefeated();
    }
    if (unit.isAlive() || !unit.isBattleGhost()) {
      ++i;
      continue;
    }
    const i32 row = unit.row();
    const i32 column = unit.column();
    UnitEntry::Released released = entry.releaseCurrent();
    const bool leaves = entry.isEmpty();
    if (leaves) {
      mNotices.leave(entry, *released.unit);
    }
    mDefeats.add(std::move(released.unit), std::move(released.ghost));
    if (leaves) {
      removeEntry(i);
    } else {
      Unit& beneath = entry.current();
      beneath.placeAt(row, column);
      beneath.show(UnitPose::kAppear);
    }
    queueDueEvents();
  }
  mNotices.start();
}

void Battle::removeEntry(i32 index) { mUnits.erase(mUnits.begin() + index); }

Unit* Battle::spawnRace(const RaceData& race, float levelOffset, i32 rank, bool withFollowers, float scale) {
  RandomGenerator& random = *RandomGenerator::instance();
  const RaceGroup::Table table = RaceGroup::tableFor(race, mLevel + levelOffset, random);
  const i32 followers = withFollowers ? RaceGroup::countFollowers(table.followerChance, random) : 0;
  const std::vector<RaceGroup::Cell> cells = RaceGroup::placeGroup(followers, countLiving(1) == 0, random);
  Unit* leader = addEnemy(*table.leader, cells[0].row, cells[0].column, scale, rank);
  for (std::size_t i = 1; i < cells.size(); ++i) {
    const EnemyData& member = RaceGroup::drawMember(table, random);
    const i32 below = random.getInt(RaceGroup::kFollowerRankSpread);
    addEnemy(member, cells[i].row, cells[i].column, 1.f, RaceGroup::followerRank(rank, below));
  }
  return leader;
}

void Battle::announce(const char* text, i32 side) {
  const i32 direction = RandomGenerator::instance()->getInt(FloatingText::kDirections);
  mFloatingTexts.push_back(std::make_unique<FloatingText>(text, side, direction));
}

void Battle::announceAt(const Engine::Math::Vector3& point, i32 side, const char* text, i32 row) {
  mFloatingTexts.push_back(std::make_unique<FloatingText>(text, side, point, row));
}

void Battle::addAnnouncement(Unit& unit, const char* text) {
  mAnnouncements.push_back(std::make_unique<UnitAnnouncement>(unit, text));
}

void Battle::drawFloatingTexts() {
  mFloatingTexts.erase(std::remove_if(mFloatingTexts.begin(), mFloatingTexts.end(),
                                      [](const std::unique_ptr<FloatingText>& text) { return text->step(); }),
                       mFloatingTexts.end());
}

}  // namespace Game
