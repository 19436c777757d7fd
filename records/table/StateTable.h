#pragma once

#include <deque>

#include "Engine/Base/Types.h"
#include "records/table/StateData.h"

namespace Game {

class NmlNode;

// The states in file order. Records keep their addresses as more are added.
class StateTable {
 public:
  // Appends one record per "state" child of the root.
  void read(const NmlNode& root);
  StateData& add(const char* name);
  void clear() { mStates.clear(); }

  Engine::i32 count() const { return static_cast<Engine::i32>(mStates.size()); }
  // Null outside [0, count).
  const StateData* at(Engine::i32 i) const;
  // The first state of that name; -1 or null when there is none.
  Engine::i32 find(const char* name) const;
  const StateData* findState(const char* name) const { return at(find(name)); }
  // As find, but a missing state is a data error that stops the program
  // naming it.
  Engine::i32 indexOf(const char* name) const;
  // Position of a record of this table; -1 for any other.
  Engine::i32 indexOf(const StateData* state) const;

 private:
  std::deque<StateData> mStates;
};

}  // namespace Game
