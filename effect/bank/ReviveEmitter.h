#pragma once

#include "live/unit/BattleServices.h"
#include "effect/bank/Emitter.h"

namespace Game {

class Unit;

namespace Effect {

class Stage;

namespace Bank {

// The revival's wings of flame on a unit and the battle's sound
// "リヴァイヴァ".
class ReviveEmitter {
 public:
  void launchOn(Stage& stage, const Unit& unit) const { mEmitter.reviveWings(stage, unit); }

 private:
  Emitter mEmitter;
};

// What a battle draws when one of its units shows itself in a pose
// (BattleServices::unitShown): a revived unit grows its wings of flame;
// other poses draw nothing here.
void drawPose(Stage& stage, const Unit& unit, UnitPose pose);

}  // namespace Bank
}  // namespace Effect
}  // namespace Game
