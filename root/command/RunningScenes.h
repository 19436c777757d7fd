#pragma once

namespace Game {

class Battle;
class FieldScene;
class GameData;

namespace ScriptStuff {

// The running battle; null without one, which the keyword's command then
// says once on the debug stream (each keyword once) before it does nothing.
Battle* runningBattle(GameData& game, const char* keyword);
// The open field, likewise.
FieldScene* runningField(GameData& game, const char* keyword);

// Forgets which keywords were reported (tests).
void forgetMissingSceneReports();

}  // namespace ScriptStuff
}  // namespace Game
