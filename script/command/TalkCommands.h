#pragma once

#include <memory>

#include "presentation/widget/MessageWindow.h"
#include "script/command/Command.h"

namespace Game {

class ListMenu;

namespace ScriptStuff {

// Queues the talk record of the element's lines in the talk window; the
// driver waits until the window is idle before the next command.
class Talk final : public Command {
 public:
  explicit Talk(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

  const MessageScript& record() const { return mRecord; }

 private:
  MessageScript mRecord;
};

// Empties the talk window: faces and lines.
class CloseTalk final : public Command {
 public:
  Engine::i32 execute(GameData& game) override;
};

// The save-slot list in its save form; when it is left, "終わりますか？":
// yes ends the command, no (or a cancel) goes back to the list.
class SaveDialog final : public Command {
 public:
  SaveDialog();
  ~SaveDialog() override;
  Engine::i32 execute(GameData& game) override;

  bool isAsking() const { return mQuestion != nullptr; }

 private:
  std::unique_ptr<ListMenu> mQuestion;
  bool mOpen = false;
};

}  // namespace ScriptStuff
}  // namespace Game
