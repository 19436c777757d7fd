#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class GameData;
class NmlNode;

namespace ScriptStuff {

// What a command tells the step loop after one execution.
enum Status : Engine::i32 {
  kStay = 0,   // run me again on the next step
  kNext = 1,   // go on with the next command in this step
  kEnd = 2,    // end every enclosing script
  kYield = 3,  // the next command runs on the next step
  kBreak = 4,  // finish the innermost script
};

// One command of an event script, built once from its element. It keeps its
// own run state between executions (a counter, an open menu) and resets it
// when it finishes.
class Command {
 public:
  virtual ~Command() = default;
  virtual Engine::i32 execute(GameData& game) = 0;
  // Draws the command's screen, without input, while the script waits for
  // messages standing over it; most commands show nothing of their own.
  virtual void drawWaiting(GameData&) {}
};

// The command of the element's name; null for a name that is no command, or
// for a scene's command while no scene maker is installed.
Command* createCommand(const NmlNode& element, GameData& game);

// Makes the commands that drive the scenes above the interpreter (camp menu,
// shop, party screens, field, battle) for their keywords; the game's root
// installs it.
class SceneCommandMaker {
 public:
  virtual Command* make(const NmlNode& element, GameData& game, Engine::i32 keywordIndex) const = 0;
  // Null uninstalls.
  static void install(const SceneCommandMaker* maker);

 protected:
  ~SceneCommandMaker() = default;
};

// The 74 command names, in the order the factory tests them.
constexpr Engine::i32 kKeywordCount = 74;
const char* keyword(Engine::i32 index);

}  // namespace ScriptStuff
}  // namespace Game
