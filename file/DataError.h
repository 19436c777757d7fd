#pragma once

namespace Game::DataError {

// The file and the record being read, so that a data-error stop can say
// where the bad name came from. Scopes nest; the innermost one is named.
class Scope {
 public:
  explicit Scope(const char* file);
  ~Scope();
  Scope(const Scope&) = delete;
  Scope& operator=(const Scope&) = delete;

  // The record now being read (its name, or the node name before that).
  void setRecord(const char* kind, const char* name);

 private:
  friend struct Where;
  const char* mFile;
  const char* mKind = nullptr;
  const char* mName = nullptr;
  Scope* mOuter;
};

// Stops the program: "0 (<file>, <kind> <record>: unknown <what> "<name>")",
// the file and record part only inside a scope. Lookups of states, arts and
// races stop with this as their failed assertion.
[[noreturn]] void unknownName(const char* sourceFile, int line, const char* what, const char* name);
// Stops the program with a message about the record being read: "<file>,
// <kind> <record>: <problem>".
[[noreturn]] void badRecord(const char* sourceFile, int line, const char* problem);

}  // namespace Game::DataError
