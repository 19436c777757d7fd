#include "running/script/command/VariableCommands.h"

#include "Engine/Base/DebugStream.h"
#include "running/game/GameData.h"
#include "core/file/nml/NmlNode.h"
#include "running/script/Script.h"
#include "running/script/command/CommandReading.h"

namespace Game::ScriptStuff {

using Engine::i32;

i32& integerForScript(VariableTable& variables, const char* name, const char* command, const char* source) {
  if (!variables.hasInteger(name)) {
    Engine::cout << "script " << source << ": " << command << " creates the undeclared integer \"" << name << "\""
                 << Engine::endl;
    variables.createInteger(name, false, false);
  }
  return variables.integer(name);
}

Let::Let(const NmlNode& element) : mName(optionalText(element, "name")), mSource(loadingSource()) {
  parseRequired(mValue, element, "value");
}

i32 Let::execute(GameData& game) {
  // The value first: it may read the variable being created.
  const i32 value = mValue.evaluate();
  integerForScript(game.variables(), mName.c_str(), "let", mSource.c_str()) = value;
  return kNext;
}

Increase::Increase(const NmlNode& element) : mName(optionalText(element, "name")), mSource(loadingSource()) {
  if (element.findAttribute("value")) {
    parseRequired(mValue, element, "value");
  } else {
    mValue.setConstant(1);
  }
}

i32 Increase::execute(GameData& game) {
  const i32 value = mValue.evaluate();
  i32& variable = integerForScript(game.variables(), mName.c_str(), "increase", mSource.c_str());
  // Wraps as the expressions' arithmetic does, never trapping.
  variable = static_cast<i32>(static_cast<Engine::u32>(variable) + static_cast<Engine::u32>(value));
  return kNext;
}

NamedVariableCommand::NamedVariableCommand(const NmlNode& element) : mName(optionalText(element, "name")) {}

i32 CreateInteger::execute(GameData& game) {
  game.variables().createInteger(name(), false, false);
  return kNext;
}

i32 DestroyInteger::execute(GameData& game) {
  game.variables().destroyInteger(name());
  return kNext;
}

i32 FlagOn::execute(GameData& game) {
  game.variables().flagOn(name());
  return kNext;
}

i32 FlagOff::execute(GameData& game) {
  game.variables().flagOff(name());
  return kNext;
}

}  // namespace Game::ScriptStuff
