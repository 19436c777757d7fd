#pragma once

namespace Game {

class GameData;
class MessageWindow;

namespace ScriptStuff {

// The running game's talk window, which the scenes and their scripts share.
MessageWindow& talkWindow(GameData& game);
// Steps the game's queued message windows; true when none is left.
bool updateMessages(GameData& game);

}  // namespace ScriptStuff
}  // namespace Game
