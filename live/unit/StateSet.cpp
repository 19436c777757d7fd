#include "live/unit/StateSet.h"

#include <algorithm>

#include "records/Database.h"

namespace Game {

using Engine::i32;

namespace {

i32 indexOfState(const char* name) {
  const Database* database = Database::instance();
  return database ? database->states().find(name) : -1;
}

}  // namespace

StateSet::StateSet() {
  const Database* database = Database::instance();
  const std::size_t n = database ? static_cast<std::size_t>(database->states().count()) : 0;
  mLevels.assign(n, 0);
  mTimers.assign(n, 0);
}

i32 StateSet::level(i32 state) const {
  return state >= 0 && state < count() ? mLevels[static_cast<std::size_t>(state)] : 0;
}

i32 StateSet::timer(i32 state) const {
  return state >= 0 && state < count() ? mTimers[static_cast<std::size_t>(state)] : 0;
}

void StateSet::set(i32 state, i32 level, i32 timer) {
  if (state >= 0 && state < count()) {
    mLevels[static_cast<std::size_t>(state)] = level;
    mTimers[static_cast<std::size_t>(state)] = timer;
  }
}

i32 StateSet::levelOf(const char* name) const { return level(indexOfState(name)); }

void StateSet::setLevelOf(const char* name, i32 level) {
  const i32 state = indexOfState(name);
  set(state, level, timer(state));
}

void StateSet::clearStates() {
  std::fill(mLevels.begin(), mLevels.end(), 0);
  std::fill(mTimers.begin(), mTimers.end(), 0);
}

void StateSet::clearAll() {
  clearStates();
  mBoosts.clear();
  mBoostTimers.clear();
}

bool StateSet::holdsHarmful(bool harmful) const {
  const Database* database = Database::instance();
  for (i32 i = 0; i < count() && database; ++i) {
    const StateData* state = database->stateAt(i);
    if (mLevels[static_cast<std::size_t>(i)] > 0 && state && state->isHarmful() == harmful) {
      return true;
    }
  }
  return false;
}

}  // namespace Game
