#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "presentation/widget/ListMenu.h"

namespace Game {

class PlayerGhost;
class SkillTreeItem;

// The arts a character can learn next, from the shared skill tree and then
// its own, with their costs; a cost above the character's points is grey.
class LearnMenu {
 public:
  static constexpr Engine::i32 kVisibleRows = 12;

  void build(PlayerGhost& ghost);
  // Null when there is no candidate.
  const SkillTreeItem* selectedCandidate() const;
  const std::vector<const SkillTreeItem*>& candidates() const { return mCandidates; }

  Engine::i32 update() { return mList.update(); }
  void draw();
  void placeCentered(float x, float y) { mList.placeCentered(x, y); }
  float columnX(float fraction) const { return mList.columnX(fraction); }
  ListMenu& list() { return mList; }
  const ListMenu& list() const { return mList; }

 private:
  ListMenu mList;
  std::vector<const SkillTreeItem*> mCandidates;
};

}  // namespace Game
