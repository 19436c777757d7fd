#pragma once

#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "Engine/Base/Types.h"
#include "core/string/String.h"

namespace Game {

class NmlNode;

// The named variables of one running game: integers and strings declared by
// "src/data/map/head.txt", and flags, which need no declaration (a flag is on
// while its name is listed). Names are whole texts: "town.visits" is one name.
// Lists keep their order (the save form and the dump follow it); an index
// finds the first entry of a name without walking the list.
class VariableTable {
 public:
  static constexpr const char* kDeclarationFile = "src/data/map/head.txt";

  // Where the "func" lines of the declarations go, and the lines the
  // expression functions add to the dump. The databases plug the
  // expression function table in; until then both do nothing.
  struct FunctionHooks {
    std::function<void(const char* name, const char* expression)> declare;
    std::function<void(std::vector<String>& lines)> dump;
  };
  static void setFunctionHooks(FunctionHooks hooks);

  // One row of the debug dump; id is 1 + the integer's index for integer rows,
  // 0 for the others.
  struct DumpRow {
    String text;
    Engine::i32 id = 0;
  };

  VariableTable();
  VariableTable(const VariableTable&) = delete;
  VariableTable& operator=(const VariableTable&) = delete;

  // Empties every list, then declares from the declaration file.
  void loadDeclarations();
  // Empties every list, then declares from an already-read root; fileName
  // names the source in the messages of data errors.
  void declareFrom(const NmlNode& root, const char* fileName);
  void clear();

  // Appended with the value 0, even when the name exists (the first one is
  // the one found).
  void createInteger(const char* name, bool inheritable, bool isProtected);
  void destroyInteger(const char* name);
  bool hasInteger(const char* name) const;
  // The value of a declared integer; an undeclared name is a data error that
  // ends the program naming it. The reference stays valid until an integer
  // is destroyed or the table is cleared.
  Engine::i32& integer(const char* name);
  Engine::i32 getInteger(const char* name) const;
  bool isInheritable(const char* name) const;
  bool isProtected(const char* name) const;

  void createString(const char* name);
  bool hasString(const char* name) const;
  // As integer: an undeclared name ends the program.
  const char* string(const char* name) const;
  void setString(const char* name, const char* text);

  // Where the integer found by that name keeps its value, or null; valid
  // while generation() stays the same.
  const Engine::i32* integerSlot(const char* name) const;
  // Changes whenever an integer or a flag comes or goes, or the table is
  // cleared; never the same for two tables. Values written to integers leave
  // it as it is. Expressions bind their names to the table once per value.
  Engine::u64 generation() const { return mGeneration; }

  bool isFlagOn(const char* name) const;
  void flagOn(const char* name);
  void flagOff(const char* name);

  // The save form: children "integer", "string" and "boolean" of node.
  void write(NmlNode& node) const;
  // Declarations first, then the saved values; a saved variable that is not
  // declared is created.
  void read(const NmlNode& node);
  // The saved values alone, over the declarations already made.
  void readValues(const NmlNode& node);
  // The restart after the game was cleared: strings emptied, integers that
  // are not inheritable set to 0, flags off.
  void resetForNewCycle();

  void buildDump(std::vector<DumpRow>& rows) const;
  // Choosing integer row id toggles that integer's inheritable mark; false
  // when the id names no integer.
  bool toggleInheritable(Engine::i32 id);

  Engine::i32 integerCount() const { return static_cast<Engine::i32>(mIntegers.size()); }
  Engine::i32 stringCount() const { return static_cast<Engine::i32>(mStrings.size()); }
  Engine::i32 flagCount() const { return static_cast<Engine::i32>(mFlags.size()); }

 private:
  struct Integer {
    std::string name;
    Engine::i32 value = 0;
    bool inheritable = false;
    bool isProtected = false;
  };
  struct StringVariable {
    std::string name;
    String value;
  };
  using Index = std::unordered_map<std::string, std::size_t>;

  void declare(const NmlNode& node, const std::string& prefix, bool inheritable, bool isProtected,
               const char* fileName);
  const Integer* findInteger(const char* name) const;
  const StringVariable* findString(const char* name) const;
  [[noreturn]] static void undeclared(const char* kind, const char* name);
  void reindexIntegers();
  void changed();
  void reindexFlags();

  std::deque<Integer> mIntegers;
  std::deque<StringVariable> mStrings;
  std::vector<std::string> mFlags;
  Index mIntegerIndex;
  Index mStringIndex;
  Index mFlagIndex;
  Engine::u64 mGeneration = 0;
};

}  // namespace Game
