#pragma once

#include "Engine/Base/Types.h"

namespace Engine::FileIO {

// The compressor's index of the last 2048 input positions: one doubly linked
// list per first byte, newest first, in a fixed working area. Node k holds
// position p with p % 2048 == k, so the node a new position needs is the one
// of the position leaving the window, always the oldest of its list.
class MatchIndex {
 public:
  static constexpr u32 kWindow = 2048;

  struct Match {
    u32 length;
    u32 distance;
  };

  MatchIndex();

  // Adds position p, dropping p - 2048 first.
  void add(const u8* in, u32 p);

  // The longest match for in[p...] of at most maxLength bytes; among equal
  // lengths the newest position wins; stops at the first match of maxLength.
  Match longestMatch(const u8* in, u32 p, u32 maxLength) const;

 private:
  static constexpr u16 kNone = 0xFFFF;

  void unlinkOldest(u16 node, u8 first);

  u16 mHead[256];
  u16 mTail[256];
  u16 mNext[kWindow];
  u16 mPrevious[kWindow];
  u32 mPosition[kWindow];
};

}  // namespace Engine::FileIO
