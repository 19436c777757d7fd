#pragma once

#include "Engine/Base/Types.h"
#include "core/string/String.h"

namespace Game {

class NmlAttribute;
class NmlNode;

// Frames played in a game, as stored in its save and shown in the save list:
// mLow counts frames up to 0xFFFFFE and mHigh how often mLow wrapped.
class PlayTime {
 public:
  static constexpr Engine::i32 kWrap = 0xFFFFFF;

  void set(Engine::i32 frames);
  // One frame more.
  void tick();
  // Item 0 is mLow, item 1 mHigh. A damaged line cannot leave mLow outside
  // its range: a negative count reads as 0, one past the wrap carries.
  void read(const NmlAttribute& attribute);
  // Adds the line key = mLow, mHigh to node.
  void write(NmlNode& node, const char* key) const;
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
