#include "running/script/command/TalkCommands.h"

#include "running/game/GameData.h"
#include "presentation/widget/ListMenu.h"
#include "running/game/SaveSlotMenu.h"

namespace Game::ScriptStuff {

using Engine::i32;

namespace {

constexpr const char* kFinishQuestion = "終わりますか？";
constexpr i32 kTalkYes = 1;

}  // namespace

Talk::Talk(const NmlNode& element) { mRecord.load(element); }

i32 Talk::execute(GameData& game) {
  game.messageWindow().open(mRecord);
  return kYield;
}

i32 CloseTalk::execute(GameData& game) {
  game.messageWindow().clear();
  return kNext;
}

SaveDialog::SaveDialog() = default;
SaveDialog::~SaveDialog() = default;

i32 SaveDialog::execute(GameData& game) {
  if (mQuestion) {
    return ask();
  }
  if (!mSlots) {
    mSlots.reset(SaveSlotMenu::createSave(game));
  }
  mSlots->draw();
  if (mSlots->update() != SaveSlotMenu::kCancelled) {
    return kStay;
  }
  mQuestion = std::make_unique<ListMenu>();
  mQuestion->setupYesNo(kFinishQuestion, nullptr, nullptr, true);
  return kStay;
}

i32 SaveDialog::ask() {
  mQuestion->drawDefault();
  const i32 answer = mQuestion->updateYesNo();
  if (answer == 0) {
    return kStay;
  }
  mQuestion.reset();
  if (answer != kTalkYes) {
    mSlots->rebuild();
    return kStay;
  }
  mSlots.reset();
  return kNext;
}

}  // namespace Game::ScriptStuff
