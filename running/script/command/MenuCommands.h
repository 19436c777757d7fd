#pragma once

#include <memory>
#include <vector>

#include "core/string/String.h"
#include "running/script/command/Command.h"
#include "records/expression/Expression.h"

namespace Game {

class ListMenu;
class NumberInput;

namespace ScriptStuff {

// A yes/no question that cannot be cancelled: "answer" := 0 for yes, 1 for
// no.
class Confirm final : public Command {
 public:
  explicit Confirm(const NmlNode& element);
  ~Confirm() override;
  Engine::i32 execute(GameData& game) override;

  // The open menu, null between uses.
  const ListMenu* menu() const { return mMenu.get(); }

 private:
  String mCaption;
  String mSource;
  std::unique_ptr<ListMenu> mMenu;
};

// A menu of the "line" entries (id, text, optional condition) whose
// condition holds: "answer" := the chosen id; a cancel does not end it.
class Dialog final : public Command {
 public:
  explicit Dialog(const NmlNode& element);
  ~Dialog() override;
  Engine::i32 execute(GameData& game) override;

  const ListMenu* menu() const { return mMenu.get(); }

 private:
  struct Entry {
    Engine::i32 id = 0;
    String text;
    std::unique_ptr<Expression> condition;
  };
  void open();

  std::vector<Entry> mEntries;
  String mSource;
  std::unique_ptr<ListMenu> mMenu;
};

// A number entered digit by digit between min and max, starting at value;
// the confirmed number goes to "answer"; a cancel is ignored.
class NumberDialog final : public Command {
 public:
  explicit NumberDialog(const NmlNode& element);
  ~NumberDialog() override;
  Engine::i32 execute(GameData& game) override;

  const NumberInput* input() const { return mInput.get(); }

 private:
  Expression mMin;
  Expression mMax;
  Expression mValue;
  String mSource;
  std::unique_ptr<NumberInput> mInput;
};

}  // namespace ScriptStuff
}  // namespace Game
