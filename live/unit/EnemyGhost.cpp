#include "live/unit/EnemyGhost.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "live/article/ItemDefenseLines.h"
#include "records/stats/AttackBlock.h"
#include "records/stats/DefenseBlock.h"
#include "records/stats/Experience.h"
#include "records/stats/StatMath.h"
#include "records/database/EnemyData.h"

namespace Game {

using Engine::i32;
using Engine::i64;

void EnemyGhost::reset() {
  mEnemy = nullptr;
  mHasItem = true;
}

void EnemyGhost::setUp(const EnemyData& enemy, float levelValue, i32 rank, float scale) {
  resetAll();
  mEnemy = &enemy;
  mScale = scale;
  mLevel = enemy.levelAt(levelValue, rank);
  mParameters = enemy.growth().evaluate(Experience::levelFactor(mLevel));
  for (i32 i : {Parameters::kHp, Parameters::kLp}) {
    mParameters[i] = StatMath::truncate(static_cast<double>(mParameters[i]) * scale);
  }
  mAbilities.clear();
  mAbilities.appendFrom(enemy.passive());
  mAbilities.scaleToGhost(*this);
  restoreFull();
}

const char* EnemyGhost::getName() const { return mEnemy ? mEnemy->fullName() : ""; }
const char* EnemyGhost::getDefinitionKey() const { return mEnemy ? mEnemy->fullName() : ""; }
const char* EnemyGhost::getAppearance() const { return mEnemy ? mEnemy->model() : ""; }
const char* EnemyGhost::getFace() const { return mEnemy ? mEnemy->face() : ""; }

bool EnemyGhost::metamorphose() {
  const EnemyData* successor = mEnemy ? mEnemy->metamorphosis() : nullptr;
  if (!successor) {
    return false;
  }
  // The successor stands at the level reached: no rank on top of it.
  setUp(*successor, Experience::levelFactor(mLevel), 0, mScale);
  return true;
}

const std::vector<const ToolData*>* EnemyGhost::getMaterials() const {
  return mEnemy ? &mEnemy->materials() : nullptr;
}

std::array<i32, Parameters::kCount> EnemyGhost::sortedParameters() const {
  std::array<i32, Parameters::kCount> values{};
  for (i32 i = 0; i < Parameters::kCount; ++i) {
    values[static_cast<std::size_t>(i)] = mParameters[i];
  }
  std::sort(values.begin(), values.end(), std::greater<>());
  return values;
}

// Sums and squares in 64 bits: parameters of data may be large.
i32 EnemyGhost::getMoneyReward() const {
  if (!mEnemy) {
    return 0;
  }
  const auto s = sortedParameters();
  const i64 base = (i64{s[6]} * s[6] + i64{s[7]} * s[7]) / 4;
  return StatMath::saturate(base + mEnemy->money());
}

i32 EnemyGhost::getMasterExperienceReward() const {
  if (!mEnemy) {
    return 0;
  }
  return StatMath::truncate(static_cast<double>(sortedParameters()[2]) * mEnemy->lifeFactor());
}

i32 EnemyGhost::getExperienceReward() const {
  if (!mEnemy) {
    return 0;
  }
  const auto s = sortedParameters();
  const i64 base = (i64{mParameters[Parameters::kHp]} + mParameters[Parameters::kLp]) / 4 + i64{s[3]} * s[4];
  return StatMath::truncate(static_cast<double>(base) * mEnemy->abpComplement());
}

const ToolData* EnemyGhost::dropItem() {
  if (!mHasItem || !mEnemy) {
    return nullptr;
  }
  const ToolData* item = mEnemy->pickDrop(mLevel, EnemyData::DropMode::kDrop);
  mHasItem = item == nullptr;
  return item;
}

const ToolData* EnemyGhost::stealItem() {
  if (!mHasItem || !mEnemy) {
    return nullptr;
  }
  const ToolData* item = mEnemy->pickDrop(mLevel, EnemyData::DropMode::kSteal);
  mHasItem = item == nullptr;
  return item;
}

void EnemyGhost::collectAbilities(ArtUser& user) const {
  if (mEnemy) {
    mEnemy->collectArts(user);
  }
}

void EnemyGhost::describeResistances(std::vector<String>& lines) const {
  if (mEnemy) {
    ItemDefenseLines(mEnemy->defense(), lines);
  }
}

// The record's equipment grows with the level along the level factor.
void EnemyGhost::gatherBaseStats(Parameters& parameters, i32& weapon, AttackBlock& attack,
                                 DefenseBlock& defense) const {
  parameters = mParameters;
  attack.clear();
  defense.clear();
  weapon = 0;
  if (!mEnemy) {
    return;
  }
  const Performance equipment = mEnemy->performance().scaled(Experience::levelFactor(mLevel));
  weapon = equipment.weapon;
  attack = mEnemy->attack();
  defense = mEnemy->defense();
  for (i32 type = 0; type < DefenseBlock::kTypeCount; ++type) {
    defense.setTypeDefense(type, 0);
  }
  defense.addProtector(equipment);
}

float EnemyGhost::getArtLevelBonus() const { return mEnemy ? mEnemy->abpBonus() : 0.f; }

}  // namespace Game
