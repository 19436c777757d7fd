#pragma once

#include "Engine/Base/Types.h"
#include "core/string/String.h"

namespace Game {

// Frames played in a game, as stored in its save and shown in the save list:
// mLow counts frames up to 0xFFFFFE and mHigh how often mLow wrapped.
class PlayTime {
 public:
  static constexpr Engine::i32 kWrap = 0xFFFFFF;

  void set(Engine::i32 frames);
  // One frame more.
  void tick();
  Engine::i32 low() const { return mLow; }
  Engine::i32 high() const { return mHigh; }

  // "hhhh時間mm分" from mLow alone at 60 frames a second: the hours
  // right-aligned in four blank-filled places, the minutes in two digits.
  String format() const;

 private:
  Engine::i32 mLow = 0;
  Engine::i32 mHigh = 0;
};

}  // namespace Game
