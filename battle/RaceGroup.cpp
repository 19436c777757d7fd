#include "battle/RaceGroup.h"

#include <algorithm>

#include "core/random/RandomGenerator.h"
#include "core/string/String.h"
#include "core/file/DataError.h"
#include "records/database/RaceData.h"

namespace Game::RaceGroup {

using Engine::i32;

Table tableFor(const RaceData& race, float level, RandomGenerator& random) {
  Table table;
  const std::vector<const RaceData*>& ring = race.spawnRaces();
  table.race = ring.empty() ? &race : ring[static_cast<std::size_t>(random.getInt(static_cast<i32>(ring.size())))];
  const std::vector<const EnemyData*>& members = table.race->members();
  if (members.empty()) {
    String problem("race \"");
    problem.append(table.race->name());
    problem.append("\" has no members to spawn");
    DataError::badRecord(__FILE__, __LINE__, problem.c_str());
  }
  const i32 count = static_cast<i32>(members.size());
  const float place = std::clamp(level, 0.f, 1.f) * static_cast<float>(count);
  table.memberLevel = std::clamp(static_cast<i32>(place), 0, count - 1);
  table.leader = members[static_cast<std::size_t>(table.memberLevel)];
  return table;
}

const EnemyData& drawMember(const Table& table, RandomGenerator& random) {
  const i32 index = random.getInt(table.memberLevel + 1);
  return *table.race->members()[static_cast<std::size_t>(index)];
}

i32 followerRank(i32 leaderRank, i32 below) { return leaderRank - 1 - below; }

i32 countFollowers(float chance, RandomGenerator& random) {
  i32 followers = 0;
  while (followers < kMaxFollowers) {
    if (chance < kSureChance && chance < random.getFloat(1.f)) {
      break;
    }
    ++followers;
    chance *= kChanceDecay;
  }
  return followers;
}

std::vector<Cell> placeGroup(i32 followers, bool centre, RandomGenerator& random) {
  std::vector<Cell> cells;
  for (i32 i = 0; i <= followers; ++i) {
    Cell cell;
    cell.row = random.getInt(kLastRow + 1);
    cell.column = random.getInt(kLastColumn + 1);
    cells.push_back(cell);
  }
  if (!centre) {
    return cells;
  }
  const auto [minRow, maxRow] = std::minmax_element(cells.begin(), cells.end(),
                                                    [](const Cell& a, const Cell& b) { return a.row < b.row; });
  const auto [minColumn, maxColumn] = std::minmax_element(
      cells.begin(), cells.end(), [](const Cell& a, const Cell& b) { return a.column < b.column; });
  const i32 rowShift = (kLastRow - maxRow->row - minRow->row) / 2;
  const i32 columnShift = (kLastColumn - maxColumn->column - minColumn->column) / 2;
  for (Cell& cell : cells) {
    cell.row += rowShift;
    cell.column += columnShift;
  }
  return cells;
}

}  // namespace Game::RaceGroup
