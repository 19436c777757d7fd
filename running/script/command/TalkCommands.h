#pragma once

#include <memory>

#include "presentation/widget/MessageWindow.h"
#include "running/script/command/Command.h"

namespace Game {

class ListMenu;
class SaveSlotMenu;

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

// The save-slot list in its save form, which stays open after a save; when
// it is cancelled, "終わりますか？": yes ends the command, no (or a cancel)
// goes back to the list.
class SaveDialog final : public Command {
 public:
  SaveDialog();
  ~SaveDialog() override;
  Engine::i32 execute(GameData& game) override;

  const SaveSlotMenu* slotMenu() const { return mSlots.get(); }
  bool isAsking() const { return mQuestion != nullptr; }

 private:
  Engine::i32 ask();

  std::unique_ptr<SaveSlotMenu> mSlots;
  std::unique_ptr<ListMenu> mQuestion;
};

}  // namespace ScriptStuff
}  // namespace Game
