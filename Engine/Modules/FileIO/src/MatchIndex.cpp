#include "FileIO/src/MatchIndex.h"

#include <algorithm>
#include <iterator>

namespace Engine::FileIO {

MatchIndex::MatchIndex() {
  std::fill(std::begin(mHead), std::end(mHead), kNone);
  std::fill(std::begin(mTail), std::end(mTail), kNone);
}

void MatchIndex::unlinkOldest(u16 node, u8 first) {
  const u16 previous = mPrevious[node];
  mTail[first] = previous;
  if (previous == kNone) {
    mHead[first] = kNone;
  } else {
    mNext[previous] = kNone;
  }
}

void MatchIndex::add(const u8* in, u32 p) {
  const u16 node = static_cast<u16>(p % kWindow);
  if (p >= kWindow) {
    unlinkOldest(node, in[p - kWindow]);
  }
  const u8 first = in[p];
  const u16 head = mHead[first];
  mPosition[node] = p;
  mPrevious[node] = kNone;
  mNext[node] = head;
  if (head == kNone) {
    mTail[first] = node;
  } else {
    mPrevious[head] = node;
  }
  mHead[first] = node;
}

MatchIndex::Match MatchIndex::longestMatch(const u8* in, u32 p, u32 maxLength) const {
  Match best{0, 0};
  const u8* target = in + p;
  for (u16 node = mHead[in[p]]; node != kNone; node = mNext[node]) {
    const u32 q = mPosition[node];
    const u8* candidate = in + q;
    // Only a candidate that also agrees at the best length so far can beat it.
    if (best.length > 1 && candidate[best.length] != target[best.length]) {
      continue;
    }
    u32 length = 1;
    while (length < maxLength && candidate[length] == target[length]) {
      ++length;
    }
    if (length > best.length) {
      best = {length, p - q};
      if (length == maxLength) {
        break;
      }
    }
  }
  return best;
}

}  // namespace Engine::FileIO
