#include "menu/CampPhases.h"

#include <utility>

#include "running/game/GameData.h"
#include "core/input/KeyInput.h"
#include "live/party/PartyMembers.h"
#include "live/unit/PlayerGhost.h"
#include "records/database/SkillTreeItem.h"

namespace Game::IntermissionStuff {

using Engine::i32;

namespace {

constexpr Engine::u32 kNoteColor = 0xFFFFFFFF;
constexpr i32 kNoteFont = 1;

}  // namespace

i32 MemberPhase::update(GameData& game) {
  if (!mGhost) {
    switch (mCamp.drawTop(true)) {
      case ListMenu::kDecided:
        if (PlayerGhost* chosen = mCamp.chosenGhost()) {
          choose(game, *chosen);
        }
        return 0;
      case ListMenu::kCancelled:
        return 1;
      default:
        return 0;
    }
  }
  drawSheet(*mGhost);
  if (updateMember(game, *mGhost) != 0) {
    mGhost = nullptr;
  }
  return 0;
}

void MemberPhase::choose(GameData& game, PlayerGhost& ghost) {
  mGhost = &ghost;
  open(game, ghost);
}

void MemberPhase::drawSheet(const PlayerGhost& ghost) const {
  if (mSheetMode != 0) {
    ghost.drawSheet(kSheetX, kSheetY, true, false, mSheetMode);
  }
}

float MemberPhase::belowSheet(const PlayerGhost& ghost) const {
  float height = 0.f;
  ghost.measureSheet(nullptr, &height, mSheetMode);
  return kSheetY - height - kBelowSheetGap;
}

void Status::open(GameData& game, PlayerGhost& ghost) { mScreen = std::make_unique<StatusScreen>(ghost, game.bag()); }

i32 Status::updateMember(GameData&, PlayerGhost&) {
  if (mScreen->update() == 0) {
    return 0;
  }
  mScreen.reset();
  return 1;
}

void Equip::open(GameData& game, PlayerGhost& ghost) {
  mPanel.buildSlots(game.bag(), ghost);
  mPanel.placeCentered(kSheetX, belowSheet(ghost));
}

i32 Equip::updateMember(GameData&, PlayerGhost&) { return mPanel.update(true) == 2 ? 1 : 0; }

void MasterSkill::open(GameData&, PlayerGhost& ghost) { build(ghost); }

void MasterSkill::build(PlayerGhost& ghost) {
  mLearn.build(ghost);
  mLearn.placeCentered(kSheetX, belowSheet(ghost));
  mArts.build(ghost.abilities(), nullptr, ArtsPanel::kPlain, 0);
  mArts.placeCentered(kSheetX + mLearn.list().width() + kArtsGap, belowSheet(ghost));
}

i32 MasterSkill::updateMember(GameData&, PlayerGhost& ghost) {
  mLearn.draw();
  mArts.draw();
  switch (mLearn.update()) {
    case ListMenu::kDecided:
      if (const SkillTreeItem* item = mLearn.selectedCandidate(); item && ghost.learnAbility(*item)) {
        build(ghost);
      }
      return 0;
    case ListMenu::kCancelled:
      return 1;
    default:
      return 0;
  }
}

Swap::Swap(Intermission& camp) : mCamp(camp) { mCamp.party().setMaxChoices(2); }

Swap::~Swap() {
  mCamp.party().setMaxChoices(1);
  mCamp.party().list().clearChosen();
}

i32 Swap::update(GameData& game) {
  switch (mCamp.drawTop(true)) {
    case ListMenu::kDecided: {
      PartyMembers& members = game.party().members();
      const i32 first = mCamp.party().selectedId(0);
      const i32 second = mCamp.party().selectedId(1);
      if (first >= 0 && second >= 0 && first < members.count() && second < members.count()) {
        std::swap(members.at(first).ghost, members.at(second).ghost);
      }
      mCamp.rebuildParty();
      return 0;
    }
    case ListMenu::kCancelled:
      return 1;
    default:
      return 0;
  }
}

QuickSave::QuickSave() {
  mNote.addText("メモリセーブしました", kNoteColor, kNoteFont);
  mNote.addText("注意！　ゲームを終了させるとデータは失われます", kNoteColor, kNoteFont);
  mNote.setPosition(0.f, 0.f);
}

i32 QuickSave::update(GameData&) {
  mNote.draw(false);
  return KeyInput::isTriggered(kDecideKey) || KeyInput::isRepeated(kDecideKey, kRepeatRate) ? 1 : 0;
}

}  // namespace Game::IntermissionStuff
