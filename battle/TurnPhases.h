#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "battle/BattlePhase.h"

namespace Game {

class Unit;

namespace BattleStuff {

// The battle's opening, once, before anything else: the screen clears, the
// units stand on their cells and appear, the camera takes its default view
// and the battle's tune starts.
class Initialize final : public Phase {
 public:
  const char* name() const override { return "initialize"; }
  using Phase::Phase;
  Engine::i32 update() override;
};

// Once, first of the queue: how the encounter began, then the sides' start.
class Start final : public Phase {
 public:
  const char* name() const override { return "start"; }
  static constexpr const char* kBackAttackMessage = "バックアタック！";
  static constexpr const char* kForestallMessage = "先手を取った！";
  static constexpr const char* kForestalledMessage = "奇襲だ！";

  using Phase::Phase;
  Engine::i32 update() override;
};

// A pause of a number of frames; 0 or 1 frames pause one.
class Wait final : public Phase {
 public:
  Wait(Battle& battle, Engine::i32 frames) : Phase(battle), mFramesLeft(frames) {}
  Engine::i32 update() override;
  const char* name() const override { return "wait"; }

 private:
  Engine::i32 mFramesLeft;
};

// A turn begins: held units come a turn nearer to acting, then the
// commands.
class TurnStart final : public Phase {
 public:
  const char* name() const override { return "turnStart"; }
  using Phase::Phase;
  Engine::i32 update() override;
};

// A turn ends, a stage a frame: the turn's poison, the turn's recovery, then
// the sides and units close their turn. A stage that hit someone pauses the
// battle and is followed by a clean-up frame.
class TurnEnd final : public Phase {
 public:
  const char* name() const override { return "turnEnd"; }
  static constexpr Engine::i32 kPauseFrames = 60;
  static constexpr Engine::u32 kDamageColour = 0xFFFFFFFF;
  static constexpr Engine::u32 kRecoveryColour = 0xFF80FF80;

  using Phase::Phase;
  Engine::i32 update() override;

 private:
  // The amount a unit takes (damage) or gains this turn.
  using Amount = Engine::i32 (*)(const Unit& unit);
  using Apply = void (*)(Battle& battle, Unit& unit, Engine::i32 amount);
  void runStage(Amount amount, Engine::u32 colour, Apply apply);
  void closeTurn();
  void cleanUp();

  bool mDamagePending = true;
  bool mRecoveryPending = true;
  bool mClosePending = true;
  bool mCleanUpPending = false;
};

}  // namespace BattleStuff
}  // namespace Game
