#pragma once

#include <vector>

#include "core/string/String.h"
#include "running/script/command/Command.h"

namespace Game::ScriptStuff {

// Plays the tune; outside a battle its name is kept for the field.
class ChangeBGM final : public Command {
 public:
  explicit ChangeBGM(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  String mName;
};

// Waits `value` executions in all: 0 and 1 pass at once.
class Sleep final : public Command {
 public:
  explicit Sleep(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  Engine::i32 mValue;
  Engine::i32 mCounter = 0;
};

// Waits for any of the listed logical keys to go down; without keys it
// waits for good.
class WaitKey final : public Command {
 public:
  explicit WaitKey(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  std::vector<Engine::i32> mKeys;
};

class FadeIn final : public Command {
 public:
  Engine::i32 execute(GameData& game) override;
};

class FadeOut final : public Command {
 public:
  Engine::i32 execute(GameData& game) override;
};

// The game ends and the title shows from the next frame.
class Reset final : public Command {
 public:
  Engine::i32 execute(GameData& game) override;
};

// The headline of the save list.
class Log final : public Command {
 public:
  explicit Log(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  String mText;
};

// A grey message window with the text.
class Message final : public Command {
 public:
  explicit Message(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  String mText;
};

}  // namespace Game::ScriptStuff
