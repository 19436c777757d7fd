#pragma once

#include "core/string/String.h"
#include "running/script/command/Command.h"
#include "records/expression/Expression.h"

namespace Game {

class VariableTable;

namespace ScriptStuff {

// The integer variable of that name, created (as a save read creates one)
// with a debug line naming the script when it was never declared.
Engine::i32& integerForScript(VariableTable& variables, const char* name, const char* command, const char* source);

// name := value.
class Let final : public Command {
 public:
  explicit Let(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  String mName;
  Expression mValue;
  String mSource;
};

// name += value (1 without a value line).
class Increase final : public Command {
 public:
  explicit Increase(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  String mName;
  Expression mValue;
  String mSource;
};

// The commands that act on one variable name.
class NamedVariableCommand : public Command {
 public:
  explicit NamedVariableCommand(const NmlNode& element);

 protected:
  const char* name() const { return mName.c_str() ? mName.c_str() : ""; }

 private:
  String mName;
};

// Appends an integer of value 0, neither inheritable nor protected.
class CreateInteger final : public NamedVariableCommand {
 public:
  using NamedVariableCommand::NamedVariableCommand;
  Engine::i32 execute(GameData& game) override;
};

class DestroyInteger final : public NamedVariableCommand {
 public:
  using NamedVariableCommand::NamedVariableCommand;
  Engine::i32 execute(GameData& game) override;
};

class FlagOn final : public NamedVariableCommand {
 public:
  using NamedVariableCommand::NamedVariableCommand;
  Engine::i32 execute(GameData& game) override;
};

class FlagOff final : public NamedVariableCommand {
 public:
  using NamedVariableCommand::NamedVariableCommand;
  Engine::i32 execute(GameData& game) override;
};

}  // namespace ScriptStuff
}  // namespace Game
