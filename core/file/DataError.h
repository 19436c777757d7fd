#pragma once

#include "Engine/Base/Types.h"

namespace Game::DataError {

// The file and the record being read, so that a data-error stop can say
// where the bad name came from. Scopes nest; the innermost one is named.
class Scope {
 public:
  explicit Scope(const char* file);
  ~Scope();
  Scope(const Scope&) = delete;
  Scope& operator=(const Scope&) = delete;

  // The record now being read (its name, or the node name before that) and
  // the line of the file where it begins (0 when unknown).
  void setRecord(const char* kind, const char* name, Engine::i32 line = 0);

 private:
  friend struct Where;
  friend void setLine(Engine::i32 line);
  const char* mFile;
  const char* mKind = nullptr;
  const char* mName = nullptr;
  Engine::i32 mLine = 0;
  Scope* mOuter;
};

// Names the record of the innermost scope, when there is one: for readers
// that walk the records of a table themselves.
void setRecord(const char* kind, const char* name, Engine::i32 line);
// The line of the innermost scope's file where a fault stands, in place of
// the line its record begins on.
void setLine(Engine::i32 line);
// Whether a scope is open.
bool inScope();

// The place in front of every message inside a scope: "<file> line <n>,
// <kind> <record>: ", each part only where known; nothing outside a scope.

// Stops the program: "0 (<place>unknown <what> "<name>")". Lookups of states,
// arts and races stop with this as their failed assertion.
[[noreturn]] void unknownName(const char* sourceFile, int line, const char* what, const char* name);
// Stops the program with the assertion text of a keyword converter ("WRONG
// AREA" and the like): "<assertion> (<place>unknown <what> "<word>")".
[[noreturn]] void wrongWord(const char* sourceFile, int line, const char* assertion, const char* what,
                            const char* word);
// Stops the program with a message about the record being read:
// "<place><problem>".
[[noreturn]] void badRecord(const char* sourceFile, int line, const char* problem);

}  // namespace Game::DataError
