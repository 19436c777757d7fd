#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class FunctionTable;
class Unit;
class VariableTable;

namespace ExpressionStuff {

// What the running game answers to the functions of expressions that need no
// unit: its variables, named functions, party, field and battle. The
// evaluator asks the field questions only while a field is open and the
// battle questions only while a battle runs.
class GameResolver {
 public:
  virtual ~GameResolver() = default;

  // The integer variable of that name; false when it is not declared.
  virtual bool findInteger(const char* name, Engine::i32* out) const = 0;
  virtual bool isFlagOn(const char* name) const = 0;
  // The table findInteger and isFlagOn answer from, when there is one:
  // expressions then bind their variable names to it once per generation of
  // the table instead of asking by name. Null: they ask every time.
  virtual const VariableTable* variableTable() const { return nullptr; }
  // The named functions; null when there are none.
  virtual const FunctionTable* functions() const = 0;

  // Whether an active party member is the character of that name.
  virtual bool isActiveMember(const char* name) const = 0;
  // The item of that name in the bag plus those equipped by the active members.
  virtual Engine::i32 countTool(const char* name) const = 0;
  // The same over the bag and every character of the roster.
  virtual Engine::i32 countToolInRoster(const char* name) const = 0;
  virtual Engine::i32 activeMemberCount() const = 0;

  virtual bool hasField() const = 0;
  // The open field's site name.
  virtual const char* siteName() const = 0;
  // Whether the floor events hold an entry of these two strings.
  virtual bool hasFloorEvent(const char* first, const char* second) const = 0;
  virtual bool hasSymbol(const char* name) const = 0;
  // Whether the cell number under the named symbol, read as it enters or as
  // it stands, is cell.
  virtual bool isSymbolOnCell(const char* name, Engine::i32 cell, bool entering) const = 0;

  virtual bool hasBattle() const = 0;
  virtual Engine::i32 turn() const = 0;
  // Living units of side 0 (party) or 1 (enemies).
  virtual Engine::i32 livingCount(Engine::i32 side) const = 0;
  virtual bool hasLastSpells() const = 0;
  // The battle unit of that name, or null.
  virtual const Unit* findUnit(const char* name) const = 0;

  // The resolver that expressions use: the one installed, else the default
  // (the running game's, which the game flow sets), else one that answers
  // nothing.
  static const GameResolver& current();
  // Null restores the default.
  static void install(const GameResolver* resolver);
  static void setDefault(const GameResolver* resolver);
};

}  // namespace ExpressionStuff
}  // namespace Game
