#include "menu/ToolPhase.h"

#include "running/game/GameData.h"
#include "records/Database.h"
#include "records/database/ToolData.h"
#include "running/script/Script.h"

namespace Game::IntermissionStuff {

using Engine::i32;

Tool::Tool(Intermission& camp) : mGame(camp.game()) {
  mItems.buildForUse(mGame.bag());
  mItems.placeCentered(kListX, kListY);
}

Tool::~Tool() {
  if (mScript) {
    finish();
  }
}

i32 Tool::update(GameData& game) {
  if (mScript || mFinished) {
    drawBeneath();
  }
  if (mScript) {
    if (mScript->update(game) != Script::kRunning) {
      finish();
      mFinished = true;
    }
    return 0;
  }
  // The script's last messages are read before the screen goes.
  if (mFinished) {
    return game.updateMessages() ? 1 : 0;
  }
  if (mConfirm) {
    updateConfirmation(game);
    return 0;
  }
  return updateItems() ? 1 : 0;
}

void Tool::drawBeneath() { mItems.drawWithDetail(false); }

bool Tool::updateItems() {
  mItems.drawWithDetail(true);
  switch (mItems.update()) {
    case ListMenu::kDecided: {
      const ToolData* item = mItems.selectedItem();
      if (item && item->script()[0] != '\0') {
        String question(item->displayName());
        question.append("を使います");
        mConfirm = std::make_unique<ListMenu>();
        mConfirm->setupYesNo(question.c_str(), nullptr, nullptr, true);
        mConfirm->setPosition(0.f, 0.f);
      }
      break;
    }
    case ListMenu::kCancelled:
      return true;
    default:
      break;
  }
  return false;
}

void Tool::updateConfirmation(GameData& game) {
  mItems.drawWithDetail(false);
  mConfirm->draw(true);
  switch (mConfirm->updateYesNo()) {
    case 1:
      start(game);
      mConfirm.reset();
      break;
    case 2:
      mConfirm.reset();
      break;
    default:
      break;
  }
}

void Tool::start(GameData& game) {
  const ToolData* item = mItems.selectedItem();
  if (!item) {
    return;
  }
  VariableTable& variables = game.variables();
  if (!variables.hasInteger(kCurrentItem)) {
    variables.createInteger(kCurrentItem, false, false);
  }
  variables.integer(kCurrentItem) = Database::instance()->toolIndexOf(item);
  String path;
  item->scriptPath(path);
  mScript = std::make_unique<Script>();
  mScript->loadFromPath(path.c_str(), game);
}

void Tool::finish() {
  mScript.reset();
  mGame.variables().destroyInteger(kCurrentItem);
}

}  // namespace Game::IntermissionStuff
