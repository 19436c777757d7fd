#include "core/game/GameData.h"
#include "presentation/widget/MessageWindow.h"
#include "script/Script.h"

namespace Game {

using Engine::i32;

// Nothing runs while a message or a talk is still showing; a run starts and
// ends with no scene models and an empty talk window.
i32 Script::update(GameData& game) {
  SceneModelSet& models = game.sceneModels();
  MessageWindow& window = game.messageWindow();
  models.drawNow();
  window.draw();
  if (!game.updateMessages()) {
    return kRunning;
  }
  // The battle turns its camera to the speaker once battles have a camera.
  if (!window.isIdle()) {
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
