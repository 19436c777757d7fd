#pragma once

#include <algorithm>
#include <vector>

#include "Engine/Base/Types.h"

namespace Game {

class ShellData;

// Stand-in of the party organisation screen until the menu screens exist:
// on its first update it decides, choosing the first candidates in order up
// to the number to choose.
class PartyOrganizer {
 public:
  static constexpr Engine::i32 kRunning = 0;
  static constexpr Engine::i32 kDecided = 1;
  static constexpr Engine::i32 kCancelled = 2;

  // The number to choose is at most the number of candidates.
  PartyOrganizer(const std::vector<const ShellData*>& candidates, Engine::i32 count)
      : mCandidates(candidates),
        mCount(std::clamp(count, 0, static_cast<Engine::i32>(candidates.size()))) {}

  Engine::i32 update() {
    mChosen.assign(mCandidates.begin(), mCandidates.begin() + mCount);
    return kDecided;
  }

  const std::vector<const ShellData*>& candidates() const { return mCandidates; }
  Engine::i32 count() const { return mCount; }
  // In the order chosen.
  const std::vector<const ShellData*>& chosen() const { return mChosen; }

 private:
  std::vector<const ShellData*> mCandidates;
  Engine::i32 mCount;
  std::vector<const ShellData*> mChosen;
};

}  // namespace Game
