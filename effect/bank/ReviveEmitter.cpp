#include "effect/bank/ReviveEmitter.h"

namespace Game::Effect::Bank {

void drawPose(Stage& stage, const Unit& unit, UnitPose pose) {
  if (pose == UnitPose::kRevive) {
    ReviveEmitter().launchOn(stage, unit);
  }
}

}  // namespace Game::Effect::Bank
