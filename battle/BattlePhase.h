#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class Battle;

namespace BattleStuff {

// One step of the battle's queue: run once a frame until update answers
// non-zero, then deleted.
class Phase {
 public:
  explicit Phase(Battle& battle) : mBattle(battle) {}
  virtual ~Phase() = default;
  Phase(const Phase&) = delete;
  Phase& operator=(const Phase&) = delete;

  // One frame; non-zero when done.
  virtual Engine::i32 update() = 0;
  // What a trace of the battle calls this step.
  virtual const char* name() const { return "other"; }

 protected:
  Battle& battle() const { return mBattle; }

 private:
  Battle& mBattle;
};

// The end of a decided battle: runs once a frame until it answers non-zero,
// and then the battle is over. Its first run gathers the equipment that
// broke during the battle.
class Over {
 public:
  Over() = default;
  virtual ~Over() = default;
  Over(const Over&) = delete;
  Over& operator=(const Over&) = delete;

  // One frame of the end: the gathering the first time, then update.
  Engine::i32 run(Battle& battle);
  virtual Engine::i32 update() = 0;

  bool isStarted() const { return mStarted; }
  Engine::i32 brokenCount() const { return mBrokenCount; }

 private:
  bool mStarted = false;
  Engine::i32 mBrokenCount = 0;
};

}  // namespace BattleStuff
}  // namespace Game
