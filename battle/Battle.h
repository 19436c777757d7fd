#pragma once

#include "core/game/SubScene.h"
#include "core/game/TimedStandIn.h"

namespace Game {

class Unit;

// Stand-in of one running battle until the battle system exists.
class Battle : public TimedStandIn, public BattleSubScene {
 public:
  explicit Battle(Engine::i32 frames = 1) : TimedStandIn(frames) {}
  bool update() override { return TimedStandIn::update(); }

  // No units, turns or spells yet.
  Engine::i32 turn() const override { return 0; }
  Engine::i32 livingCount(Engine::i32) const override { return 0; }
  bool hasLastSpells() const override { return false; }
  const Unit* findUnit(const char*) const override { return nullptr; }
};

}  // namespace Game
