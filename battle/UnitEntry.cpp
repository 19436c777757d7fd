#include "battle/UnitEntry.h"

#include "live/unit/BattleServices.h"
#include "live/Unit.h"
#include "records/stats/Experience.h"
#include "live/unit/EnemyGhost.h"
#include "live/unit/PlayerGhost.h"
#include "records/Database.h"
#include "core/file/DataError.h"

namespace Game {

using Engine::i32;

namespace {

std::unique_ptr<Ghost> makeForm(i32 side, const char* name, i32 level) {
  const Database& database = *Database::instance();
  if (side == 0) {
    const ShellData* shell = database.findShell(name);
    if (!shell) {
      DataError::unknownName(__FILE__, __LINE__, "shell", name);
    }
    auto ghost = std::make_unique<PlayerGhost>();
    ghost->setUp(*shell, Experience::forLevel(level));
    return ghost;
  }
  const EnemyData* enemy = database.findEnemy(name);
  if (!enemy) {
    DataError::unknownName(__FILE__, __LINE__, "enemy", name);
  }
  auto ghost = std::make_unique<EnemyGhost>();
  ghost->setUp(*enemy, Experience::levelFactor(level), 0, 1.f);
  return ghost;
}

}  // namespace

UnitEntry::UnitEntry(std::unique_ptr<Unit> first) { mUnits.push_back(std::move(first)); }

// Units go before the ghosts they stand on.
UnitEntry::~UnitEntry() { mUnits.clear(); }

Unit& UnitEntry::transformInto(BattleServices& battle, const char* name, i32 level) {
  Unit& old = current();
  old.clearPlan();
  old.releaseSceneNode();
  mGhosts.push_back(makeForm(old.side(), name, level));
  mUnits.push_back(std::make_unique<Unit>(*mGhosts.back(), &battle, true));
  Unit& form = current();
  form.setCell(old.row(), old.column());
  form.show(UnitPose::kAppear);
  return form;
}

bool UnitEntry::popTransformation() {
  if (mUnits.size() < 2) {
    return false;
  }
  mUnits.pop_back();
  Unit& previous = current();
  previous.show(previous.isAlive() ? UnitPose::kStand : UnitPose::kDown);
  return true;
}

UnitEntry::Released UnitEntry::releaseCurrent() {
  Released released;
  if (mUnits.empty()) {
    return released;
  }
  released.unit = std::move(mUnits.back());
  mUnits.pop_back();
  const Ghost* own = &released.unit->ghost();
  for (auto it = mGhosts.begin(); it != mGhosts.end(); ++it) {
    if (it->get() == own) {
      released.ghost = std::move(*it);
      mGhosts.erase(it);
      break;
    }
  }
  return released;
}

void UnitEntry::popAll() {
  while (popTransformation()) {
  }
}

}  // namespace Game
