#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "records/stats/Parameters.h"

namespace Game {

// A battle unit's states: a level and a timer per state of the database's
// state table (by index; held while the level is above 0), and a boost with
// its timer per parameter.
class StateSet {
 public:
  // Sized by the state table of the running database (none without one).
  StateSet();

  Engine::i32 count() const { return static_cast<Engine::i32>(mLevels.size()); }
  // 0 for an index outside the table.
  Engine::i32 level(Engine::i32 state) const;
  Engine::i32 timer(Engine::i32 state) const;
  void set(Engine::i32 state, Engine::i32 level, Engine::i32 timer);
  // By state name; 0, or nothing done, for a name the table lacks.
  Engine::i32 levelOf(const char* name) const;
  void setLevelOf(const char* name, Engine::i32 level);
  bool holds(const char* name) const { return levelOf(name) > 0; }

  Parameters& boosts() { return mBoosts; }
  const Parameters& boosts() const { return mBoosts; }
  Parameters& boostTimers() { return mBoostTimers; }

  // Every level and timer (not the boosts).
  void clearStates();
  // Every level, timer, boost and boost timer.
  void clearAll();
  // Whether a held state's record is, or is not, marked harmful.
  bool holdsHarmful(bool harmful) const;

 private:
  std::vector<Engine::i32> mLevels;
  std::vector<Engine::i32> mTimers;
  Parameters mBoosts;
  Parameters mBoostTimers;
};

}  // namespace Game
