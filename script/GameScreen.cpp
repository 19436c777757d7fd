#include "script/GameScreen.h"

#include "core/game/GameData.h"
#include "presentation/widget/MessageWindow.h"

namespace Game::ScriptStuff {

// Until the game keeps its own talk window and message queue, one window
// serves every game and messages show at once.
MessageWindow& talkWindow(GameData&) {
  static MessageWindow sWindow;
  return sWindow;
}

bool updateMessages(GameData& game) {
  game.messages().clear();
  return true;
}

}  // namespace Game::ScriptStuff
