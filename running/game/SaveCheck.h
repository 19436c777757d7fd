#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class NmlNode;

// A save file is outside input: before a game is read from it, its tree is
// checked for every node and value the game reads, so that a damaged or
// foreign file is refused whole instead of loading half-way.
namespace SaveCheck {

// The local time of saving, as the "head" node holds it.
struct SaveTime {
  Engine::i32 year = 0;
  Engine::i32 month = 1;
  Engine::i32 day = 1;
  Engine::i32 hour = 0;
  Engine::i32 minute = 0;

  // Minutes since year 0 by a 31-day month: orders saves by time.
  Engine::i64 stamp() const;
};

// What makes the tree unfit to load, or null when it is fit. withHead
// requires the "head" node of a save file (the memory save has none).
const char* problem(const NmlNode& root, bool withHead);

// What makes the field's node unfit to load (naming the site, floor or
// symbol), or null: the floor and each symbol's chara must be plain names the
// data holds, and every symbol must read whole.
const char* fieldProblem(const NmlNode& field);

// The time in a checked tree's "head".
SaveTime readHead(const NmlNode& root);

// A whole decimal number in the 32-bit range: an optional '-' and 1 to 10
// digits, nothing else.
}  // namespace SaveCheck

}  // namespace Game
