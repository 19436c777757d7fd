// The battle's units: the party's fighters, the enemies added, the lookups
// and what the units ask of the battle.

#include <algorithm>

#include "battle/Battle.h"
#include "battle/BattleAnswers.h"
#include "running/game/GameData.h"
#include "live/Unit.h"
#include "live/article/Article.h"
#include "live/party/PartyMembers.h"
#include "live/unit/EnemyGhost.h"
#include "live/unit/PlayerGhost.h"
#include "effect/bank/ReviveEmitter.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kLastRow = Unit::kRows - 1;

}  // namespace

Unit& Battle::addUnit(Ghost& ghost, bool battleGhost) {
  mUnits.push_back(std::make_unique<UnitEntry>(std::make_unique<Unit>(ghost, this, battleGhost)));
  return mUnits.back()->current();
}

// A back attack turns the formation round: the front row stands at the back.
void Battle::addPartyUnits() {
  const PartyMembers& members = mGame.party().members();
  const i32 count = std::min(members.battleCount(), kMaxPartyUnits);
  for (i32 i = 0; i < count; ++i) {
    const PartyMembers::Entry& member = members.at(i);
    Unit& unit = addUnit(*member.ghost, false);
    const i32 row = mKind == BattleSettings::kBackAttack ? kLastRow - member.row : member.row;
    unit.setCell(row, member.column);
  }
}

Unit* Battle::addEnemy(const EnemyData& enemy, i32 row, i32 column, float scale, i32 rank) {
  if (unitCount() >= kMaxUnits) {
    return nullptr;
  }
  mEnemyGhosts.push_back(std::make_unique<EnemyGhost>());
  EnemyGhost& ghost = *mEnemyGhosts.back();
  ghost.setUp(enemy, mEnemyLevel, rank, scale);
  Unit& unit = addUnit(ghost, true);
  unit.placeAt(row, column);
  unit.playAppear();
  mRankTracker.addRank(rank);
  return &unit;
}

Unit* Battle::unitAt(i32 i) const { return &mUnits[static_cast<std::size_t>(i)]->current(); }

Unit* Battle::findUnitByName(const char* name) const {
  for (const std::unique_ptr<UnitEntry>& entry : mUnits) {
    if (entry->current().hasName(name)) {
      return &entry->current();
    }
  }
  return nullptr;
}

Unit* Battle::findUnitByGhost(const Ghost& ghost) const {
  for (const std::unique_ptr<UnitEntry>& entry : mUnits) {
    if (&entry->current().ghost() == &ghost) {
      return &entry->current();
    }
  }
  return nullptr;
}

Unit* Battle::unitAt(i32 side, i32 row, i32 column) const {
  for (const std::unique_ptr<UnitEntry>& entry : mUnits) {
    Unit& unit = entry->current();
    if (unit.side() == side && unit.row() == row && unit.column() == column) {
      return &unit;
    }
  }
  return nullptr;
}

UnitEntry* Battle::entryOf(const Unit& unit) const {
  for (const std::unique_ptr<UnitEntry>& entry : mUnits) {
    if (&entry->current() == &unit) {
      return entry.get();
    }
  }
  return nullptr;
}

i32 Battle::countLiving(i32 side) const {
  return static_cast<i32>(std::count_if(mUnits.begin(), mUnits.end(), [side](const std::unique_ptr<UnitEntry>& entry) {
    return entry->current().side() == side && entry->current().isAlive();
  }));
}

void Battle::unitCellPosition(Engine::Math::Vector3& out, i32 side, i32 row, i32 column) {
  Unit::cellPosition(out, side, row, column);
}

bool Battle::isTimeStopped() const { return BattleAnswers::isTimeStopped(*this); }

void Battle::addFormationParameters(const Unit& unit, Parameters& parameters) const {
  BattleAnswers::addFormationParameters(*this, unit, parameters);
}

void Battle::addSynchroBonus(const Unit& unit, AbilityList& abilities, Parameters& parameters, AttackBlock& attack,
                             DefenseBlock& defense) const {
  mSynchro.addSynchroBonus(unit, abilities, parameters, attack, defense);
}

bool Battle::isStacked(i32 side, i32 row, i32 column) const {
  return BattleAnswers::isStacked(*this, side, row, column);
}

void Battle::collectReachable(const Unit& user, const Ability& ability, std::vector<Unit*>& out) const {
  BattleAnswers::collectReachable(*this, user, ability, out);
}

void Battle::gainItem(const ToolData& item) { mGame.bag().add(Article::fromItem(&item), 1); }

void Battle::pushMessage(const char* text) { mGame.pushMessage(text); }

void Battle::describeResistances(const Unit& unit) {
  std::vector<String> lines;
  unit.ghost().describeResistances(lines);
  for (const String& line : lines) {
    mGame.pushMessage(line.c_str() ? line.c_str() : "");
  }
}

// A change of form shows with a white flash, a revival with wings of flame.
void Battle::unitShown(Unit& unit, UnitPose pose) {
  if (pose == UnitPose::kAppear) {
    flashWhite();
  }
  Effect::Bank::drawPose(stage(), unit, pose);
}

}  // namespace Game
