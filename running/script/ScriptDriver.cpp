#include "running/game/GameData.h"
#include "live/Unit.h"
#include "presentation/widget/MessageWindow.h"
#include "running/script/Script.h"

namespace Game {

using Engine::i32;

namespace {

// In a battle the camera turns to the unit that speaks.
void turnToSpeaker(const GameData& game, const MessageWindow& window) {
  const BattleSubScene* battle = game.battle();
  const char* speaker = window.speakerName().c_str();
  if (!battle || !speaker) {
    return;
  }
  if (const Unit* unit = battle->findUnit(speaker)) {
    unit->centerCamera();
  }
}

}  // namespace

// Nothing runs while a message or a talk is still showing; a run starts and
// ends with no scene models and an empty talk window.
i32 Script::update(GameData& game) {
  SceneModelSet& models = game.sceneModels();
  MessageWindow& window = game.messageWindow();
  models.drawNow();
  window.draw();
  // The screen the messages stand over stays in sight beneath them.
  if (game.hasMessages()) {
    drawWaiting(game);
  }
  if (!game.updateMessages()) {
    return kRunning;
  }
  if (!window.isIdle()) {
    turnToSpeaker(game, window);
    return kRunning;
  }
  if (isIdle()) {
    models.clear();
    window.clear();
  }
  const i32 result = step(game);
  if (result != kRunning) {
    models.clear();
    window.clear();
  }
  return result;
}

}  // namespace Game
