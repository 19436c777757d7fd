#pragma once

#include <memory>
#include <vector>

#include "Engine/Base/Types.h"
#include "core/string/String.h"
#include "records/expression/Expression.h"

namespace Game {

// The named functions of the variable declarations, in order of declaration.
class FunctionTable {
 public:
  struct Entry {
    String name;
    Expression body;
  };

  static constexpr Engine::u32 kDumpColor = 0xFFC0C0C0;
  // Calls nested deeper than this (a function that calls itself) give 0.
  static constexpr Engine::i32 kMaxCallDepth = 32;
  // Calls made under one outermost call beyond this give 0, so a function
  // that calls itself twice cannot run for 2^depth calls.
  static constexpr Engine::i32 kMaxNestedCalls = 4096;

  // The first declaration of a name wins: later ones are ignored.
  void declare(const char* name, const char* text);
  // Null when the name is not declared.
  const Entry* find(const char* name) const;
  // The body evaluated now without a unit; 0 for an undeclared name and for
  // calls past the caps.
  Engine::i32 call(const char* name) const;

  // The game keeps kMaxNestedCalls; a run that calls thousands of bodies a
  // second (a fuzz harness) may take a smaller budget to keep each call short.
  void setNestedCallBudget(Engine::i32 calls) { mNestedCallBudget = calls; }

  Engine::i32 count() const { return static_cast<Engine::i32>(mEntries.size()); }
  const Entry& at(Engine::i32 i) const { return *mEntries[static_cast<std::size_t>(i)]; }
  void clear() { mEntries.clear(); }

  // Adds a heading and a line "name value" per function, in grey, to a list
  // menu (anything with addText(text, colour, flag)).
  template <class Menu>
  void dump(Menu& menu) const {
    menu.addText("-func---------------------", kDumpColor, false);
    String line;
    for (Engine::i32 i = 0; i < count(); ++i) {
      dumpLine(line, i);
      menu.addText(line.c_str(), kDumpColor, false);
    }
  }

 private:
  void dumpLine(String& out, Engine::i32 i) const;

  std::vector<std::unique_ptr<Entry>> mEntries;
  Engine::i32 mNestedCallBudget = kMaxNestedCalls;
};

}  // namespace Game
