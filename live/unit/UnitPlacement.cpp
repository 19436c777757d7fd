// Where a battle unit stands and where its automatic actions aim.

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "live/unit/BattleServices.h"
#include "core/math/Spiral.h"
#include "core/random/WeightedTable.h"
#include "live/Unit.h"

namespace Game {

using Engine::i32;

namespace {

// Cells tried around the wanted one: the cell and its first rings.
constexpr i32 kPlacementCandidates = 64;
constexpr i32 kMaxTargetWeight = 4;
constexpr float kRankWeight = 0.3f;
constexpr float kDistanceWeight = 0.8f;
constexpr i32 kPlacementSupportType = 1;
constexpr i32 kSelfRange = 0;

// How hard a unit is to reach from a side: by its row (and how well it
// hides) and by its column away from the chooser's. Units of the chooser's
// own side weigh 0.
i32 rowWeight(i32 side, const Unit& unit) {
  if (unit.side() == side) {
    return 0;
  }
  const Engine::i64 weight = Engine::i64{unit.row()} + 1 + unit.abilities().levelOfNamed("狙われにくい");
  return static_cast<i32>(std::clamp<Engine::i64>(weight, 0, kMaxTargetWeight));
}

i32 columnWeight(i32 side, i32 column, const Unit& unit) {
  return unit.side() == side ? 0 : std::min(std::abs(column - unit.column()), kMaxTargetWeight);
}

// A self-range art aims at its user alone; an art with a relation of its own
// between user and target is left to it; otherwise only units of the side the
// art is for: support arts serve the user's own side, attacks the other. Were
// allies offered to an attack, their weight (rank 0) would make them the
// likeliest targets.
bool isAimableWith(const Ability& art, const Unit& user, const Unit& unit) {
  if (art.range() == kSelfRange) {
    return &unit == &user;
  }
  if (art.hasRelationCondition()) {
    return true;
  }
  return (unit.side() == user.side()) == (art.type() == kPlacementSupportType);
}

}  // namespace

bool Unit::isCellTaken(i32 row, i32 column) const {
  for (i32 i = 0; i < mBattle->unitCount(); ++i) {
    const Unit* other = mBattle->unitAt(i);
    if (other && other != this && other->side() == mSide && other->row() == row && other->column() == column) {
      return true;
    }
  }
  return false;
}

void Unit::placeAt(i32 row, i32 column) {
  if (!mBattle) {
    return;
  }
  row = std::clamp(row, 0, kRows - 1);
  column = std::clamp(column, 0, kColumns - 1);
  mRow = row;
  mColumn = column;
  for (i32 i = 0; i < kPlacementCandidates; ++i) {
    i32 r = row;
    i32 c = column;
    MathHelper::diamondSpiral(&r, &c, row, column, i);
    if (isValidCell(r, c) && !isCellTaken(r, c)) {
      mRow = r;
      mColumn = c;
      break;
    }
  }
  show(isAlive() && !holds("睡眠") ? UnitPose::kStand : UnitPose::kDown);
}

bool Unit::chooseTargetPlace(const Ability& art, Place& out) const {
  if (!mBattle) {
    return false;
  }
  std::vector<Unit*> candidates;
  for (i32 i = 0; i < mBattle->unitCount(); ++i) {
    Unit* unit = mBattle->unitAt(i);
    if (unit && isAimableWith(art, *this, *unit) && unit->isAlive() && art.targetConditionHolds(*this, *unit)) {
      candidates.push_back(unit);
    }
  }
  if (candidates.empty()) {
    mBattle->collectReachable(*this, art, candidates);
  }
  if (candidates.empty()) {
    return false;
  }
  if (mSide == 0) {
    out = candidates.front()->place();
    return true;
  }
  std::vector<Unit*> groups[kMaxTargetWeight + 1];
  for (Unit* unit : candidates) {
    groups[rowWeight(mSide, *unit)].push_back(unit);
  }
  WeightedTable ranks;
  for (i32 rank = 0; rank <= kMaxTargetWeight; ++rank) {
    if (!groups[rank].empty()) {
      ranks.add(rank, std::pow(kRankWeight, static_cast<float>(rank)));
    }
  }
  i32 rank = ranks.pick();
  // A pick that missed every time falls back to the nearest group.
  while (groups[rank].empty()) {
    ++rank;
  }
  const std::vector<Unit*>& group = groups[rank];
  WeightedTable members;
  for (const Unit* unit : group) {
    members.addWeight(std::pow(kDistanceWeight, static_cast<float>(columnWeight(mSide, mColumn, *unit))));
  }
  out = group[static_cast<std::size_t>(members.pick())]->place();
  return true;
}

}  // namespace Game
