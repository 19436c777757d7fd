#include "core/file/DataError.h"

#include "Engine/Base/Assert.h"
#include "core/string/String.h"

namespace Game::DataError {

namespace {

Scope* gInnermost = nullptr;

}  // namespace

struct Where {
  // "<file> line <n>, <kind> <record>: " for the innermost scope; nothing
  // outside one.
  static void append(String& out) {
    const Scope* scope = gInnermost;
    if (!scope) {
      return;
    }
    out.append(scope->mFile ? scope->mFile : "");
    if (scope->mLine > 0) {
      out.append(" line ");
      out.appendInt(scope->mLine);
    }
    if (scope->mKind) {
      out.append(", ");
      out.append(scope->mKind);
      if (scope->mName && *scope->mName) {
        out.append(" ");
        out.append(scope->mName);
      }
    }
    out.append(": ");
  }
};

Scope::Scope(const char* file) : mFile(file), mOuter(gInnermost) { gInnermost = this; }

Scope::~Scope() { gInnermost = mOuter; }

void Scope::setRecord(const char* kind, const char* name, Engine::i32 line) {
  mKind = kind;
  mName = name;
  mLine = line;
}

void setRecord(const char* kind, const char* name, Engine::i32 line) {
  if (gInnermost) {
    gInnermost->setRecord(kind, name, line);
  }
}

void setLine(Engine::i32 line) {
  if (gInnermost && line > 0) {
    gInnermost->mLine = line;
  }
}

bool inScope() { return gInnermost != nullptr; }

void unknownName(const char* sourceFile, int line, const char* what, const char* name) {
  wrongWord(sourceFile, line, "0", what, name);
}

void wrongWord(const char* sourceFile, int line, const char* assertion, const char* what, const char* word) {
  String message(assertion);
  message.append(" (");
  Where::append(message);
  message.append("unknown ");
  message.append(what);
  message.append(" \"");
  message.append(word ? word : "");
  message.append("\")");
  Engine::halt(sourceFile, line, message.c_str());
}

void badRecord(const char* sourceFile, int line, const char* problem) {
  String message;
  Where::append(message);
  message.append(problem);
  Engine::halt(sourceFile, line, message.c_str());
}

}  // namespace Game::DataError
