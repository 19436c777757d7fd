#pragma once

#include <memory>
#include <vector>

#include "Engine/Base/Types.h"
#include "core/string/String.h"

namespace Game {

class GameData;
class NmlNode;

namespace ScriptStuff {
class Command;
}

// An event script: the commands of an nml element, run in order by a
// program counter. Owners step it once a frame through update until it
// returns non-zero; it may then be stepped again from its first command.
class Script {
 public:
  // Results of step and update.
  static constexpr Engine::i32 kRunning = 0;
  static constexpr Engine::i32 kFinished = 1;
  static constexpr Engine::i32 kEnded = 2;

  Script();
  ~Script();
  Script(const Script&) = delete;
  Script& operator=(const Script&) = delete;

  // Replaces the commands by those of the element's children (a child whose
  // name is no command leaves an empty entry, where the script finishes).
  // Returns the number of entries. `source` names the file in messages;
  // without one the file being loaded (if any) is named.
  Engine::i32 load(const NmlNode& element, GameData& game, const char* source = nullptr);
  // The root of the nml file at path. A file that does not parse stops the
  // program naming it: a script never runs half-read.
  Engine::i32 loadFromPath(const char* path, GameData& game);
  void clear();

  // Runs commands until one waits, the end is reached or a command ends the
  // script: kRunning, kFinished or kEnded.
  Engine::i32 step(GameData& game);
  // step, asserting its result (nested scripts are stepped through this).
  Engine::i32 stepChecked(GameData& game);
  // The per-frame driver: waits while messages or a talk show, clears the
  // scene models and the talk window around a run; the results of step.
  Engine::i32 update(GameData& game);
  // The screen of the command at pc (nested scripts passing it on), drawn
  // without input.
  void drawWaiting(GameData& game);

  // -1 when idle (not started, finished or ended).
  Engine::i32 pc() const { return mPc; }
  bool isIdle() const { return mPc < 0; }
  Engine::i32 commandCount() const { return static_cast<Engine::i32>(mCommands.size()); }
  // Null for an entry of no command.
  ScriptStuff::Command* command(Engine::i32 i) const { return mCommands[static_cast<std::size_t>(i)].get(); }
  const char* source() const { return mSource.c_str() ? mSource.c_str() : ""; }

 private:
  std::vector<std::unique_ptr<ScriptStuff::Command>> mCommands;
  Engine::i32 mPc = -1;
  String mSource;
};

namespace ScriptStuff {

// The file whose script is being loaded ("" outside a load): commands keep it
// to name it in their messages.
const char* loadingSource();

}  // namespace ScriptStuff
}  // namespace Game
