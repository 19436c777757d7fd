#include "menu/Intermission.h"

#include "running/game/GameData.h"
#include "running/game/GameFlow.h"
#include "running/game/SaveSlotMenu.h"
#include "live/party/PartyMembers.h"
#include "menu/CampPhases.h"
#include "menu/ConfigMenu.h"
#include "menu/FormationPhase.h"
#include "menu/StatusBoost.h"
#include "menu/ToolPhase.h"

namespace Game {

using Engine::i32;

namespace {

struct TopRow {
  const char* text;
  i32 id;
};
constexpr TopRow kRows[] = {
    {"ステータス", Intermission::kStatus},   {"装備", Intermission::kEquip},
    {"アビリティ習得", Intermission::kMasterSkill}, {"ボーナス", Intermission::kStatusBoost},
    {"所持品", Intermission::kTool},         {"隊列", Intermission::kFormation},
    {"入れ替え", Intermission::kSwap},       {"設定", Intermission::kConfig},
    {"セーブ", Intermission::kSave},         {"メモリセーブ", Intermission::kQuickSave},
};

// The save rows show only in their own save mode.
bool isShown(i32 id, i32 saveMode) {
  switch (id) {
    case Intermission::kSave:
      return saveMode == Intermission::kFileSave;
    case Intermission::kQuickSave:
      return saveMode == Intermission::kMemorySave;
    default:
      return true;
  }
}

}  // namespace

Intermission::Intermission(GameData& game, i32 saveMode) : mGame(game), mSaveMode(saveMode) {
  buildTop();
  rebuildParty();
}

Intermission::~Intermission() = default;

void Intermission::buildTop() {
  ListMenu& list = mTop.list();
  for (const TopRow& row : kRows) {
    if (isShown(row.id, mSaveMode)) {
      list.addItem(row.text, row.id, kRowColor, kFont);
    }
  }
  mTop.placeCentered(kTopX, kTopY);
}

void Intermission::rebuildParty() {
  mParty.build(mGame.party().members());
  mParty.placeCentered(kPartyX, kPartyY);
}

PlayerGhost* Intermission::chosenGhost(i32 i) const {
  const i32 member = mParty.selectedId(i);
  const PartyMembers& members = mGame.party().members();
  return member >= 0 && member < members.count() ? &members.memberAt(member) : nullptr;
}

i32 Intermission::drawTop(bool choosing) {
  mTop.draw(!choosing);
  const ListMenu& top = mTop.list();
  mGame.drawStatistics(kTopX, top.rowY(1.f) - kRecordGap, kRecordLines, nullptr, nullptr);
  mParty.draw(choosing);
  return choosing ? mParty.update() : ListMenu::kDecided;
}

bool Intermission::update() {
  if (mClosing) {
    return true;
  }
  if (mConfigMenu.isValid()) {
    if (mConfigMenu->update()) {
      mConfigMenu.reset();
    }
  } else if (mSaveMenu.isValid()) {
    mSaveMenu->draw();
    if (mSaveMenu->update() != SaveSlotMenu::kRunning) {
      mSaveMenu.reset();
    }
  } else if (!mPhase.isValid()) {
    return updateTop();
  } else if (mPhase->update(mGame) != 0) {
    mPhase.reset();
  }
  return false;
}

bool Intermission::updateTop() {
  drawTop(false);
  const i32 result = mTop.update();
  if (result == ListMenu::kDecided) {
    open(mTop.selectedId(0));
  }
  return result == ListMenu::kCancelled;
}

void Intermission::open(i32 row) {
  using namespace IntermissionStuff;
  switch (row) {
    case kStatus:
      mPhase = new Status(*this);
      break;
    case kEquip:
      mPhase = new Equip(*this);
      break;
    case kMasterSkill:
      mPhase = new MasterSkill(*this);
      break;
    case kStatusBoost:
      mPhase = new StatusBoost(*this);
      break;
    case kTool:
      mPhase = new Tool(*this);
      break;
    case kFormation:
      mPhase = new Formation(*this);
      break;
    case kSwap:
      mPhase = new Swap(*this);
      break;
    case kConfig:
      mConfigMenu = new ConfigMenu();
      break;
    case kSave:
      mSaveMenu = SaveSlotMenu::createSave(mGame);
      break;
    case kQuickSave:
      if (GameFlow* flow = GameFlow::instance()) {
        flow->memorySave(mGame);
      }
      mPhase = new QuickSave();
      break;
    default:
      break;
  }
}

}  // namespace Game
