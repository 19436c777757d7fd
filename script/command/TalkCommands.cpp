#include "script/command/TalkCommands.h"

#include "core/game/GameData.h"
#include "presentation/widget/ListMenu.h"
#include "script/GameScreen.h"

namespace Game::ScriptStuff {

using Engine::i32;

namespace {

constexpr const char* kFinishQuestion = "終わりますか？";
constexpr i32 kYes = 1;

}  // namespace

Talk::Talk(const NmlNode& element) { mRecord.load(element); }

i32 Talk::execute(GameData& game) {
  talkWindow(game).open(mRecord);
  return kYield;
}

i32 CloseTalk::execute(GameData& game) {
  talkWindow(game).clear();
  return kNext;
}

SaveDialog::SaveDialog() = default;
SaveDialog::~SaveDialog() = default;

// Until the save-slot menu exists the list is left at once, so only the
// question shows.
i32 SaveDialog::execute(GameData&) {
  if (!mQuestion) {
    mQuestion = std::make_unique<ListMenu>();
    mQuestion->setupYesNo(kFinishQuestion, nullptr, nullptr, true);
  }
  mQuestion->drawDefault();
  const i32 answer = mQuestion->updateYesNo();
  if (answer == 0) {
    return kStay;
  }
  mQuestion.reset();
  return answer == kYes ? kNext : kStay;
}

}  // namespace Game::ScriptStuff
