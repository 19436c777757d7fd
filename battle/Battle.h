#pragma once

#include "core/game/TimedStandIn.h"

namespace Game {

class Unit;

// Stand-in of one running battle until the battle system exists.
class Battle : public TimedStandIn {
 public:
  explicit Battle(Engine::i32 frames = 1) : TimedStandIn(frames) {}

  // No units, turns or spells yet.
  Engine::i32 turn() const { return 0; }
  Engine::i32 livingCount(Engine::i32) const { return 0; }
  bool hasLastSpells() const { return false; }
  const Unit* findUnit(const char*) const { return nullptr; }
};

}  // namespace Game
