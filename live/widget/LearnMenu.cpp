#include "live/widget/LearnMenu.h"

#include "live/Unit.h"
#include "live/unit/PlayerGhost.h"
#include "records/Database.h"
#include "records/database/ShellData.h"
#include "records/database/SkillTreeItem.h"

namespace Game {

using Engine::i32;
using Engine::u32;

namespace {

constexpr u32 kLearnRowColor = 0xFFC0C0C0;
constexpr u32 kLearnTitleColor = 0xFFFFFF80;
constexpr u32 kLearnGreyColor = 0xFF080808;
constexpr i32 kLearnFont = 1;
constexpr i32 kCaptionCharacters = 9;
constexpr i32 kCaptionColumns = 22;
constexpr float kHelpGap = 32.f;

}  // namespace

void LearnMenu::build(PlayerGhost& ghost) {
  mCandidates.clear();
  {
    const Unit unit(ghost);
    if (const Database* database = Database::instance()) {
      collectCandidates(database->skillTree(), mCandidates, ghost.abilities(), unit);
    }
    if (ghost.shell()) {
      collectCandidates(ghost.shell()->skillTree(), mCandidates, ghost.abilities(), unit);
    }
  }
  mList.reset();
  mList.setTitle("習得候補           cost", kLearnFont, kLearnTitleColor);
  String text;
  for (std::size_t i = 0; i < mCandidates.size(); ++i) {
    const SkillTreeItem& item = *mCandidates[i];
    item.art().shortCaption(text, kCaptionCharacters);
    text.padRight(kCaptionColumns);
    const i32 cost = item.effectiveCost(ghost.abilities());
    text.appendInt(cost);
    const u32 argb = cost <= ghost.masterPoint() ? item.art().menuColor() : kLearnGreyColor;
    mList.addItem(text.c_str(), static_cast<i32>(i), argb, kLearnFont);
  }
  if (mCandidates.empty()) {
    mList.addText("complete!", kLearnRowColor, kLearnFont);
  }
  mList.setVisibleRows(kVisibleRows);
}

const SkillTreeItem* LearnMenu::selectedCandidate() const {
  const i32 index = mList.selectedId(0);
  return index >= 0 && index < static_cast<i32>(mCandidates.size()) ? mCandidates[static_cast<std::size_t>(index)]
                                                                       : nullptr;
}

void LearnMenu::draw() {
  mList.draw(true);
  if (const SkillTreeItem* item = selectedCandidate()) {
    item->art().drawHelp(mList.columnX(0.f), mList.rowY(1.f) - kHelpGap, 1);
  }
}

}  // namespace Game
