#include "file/DataError.h"

#include "Engine/Base/Assert.h"
#include "core/string/String.h"

namespace Game::DataError {

namespace {

Scope* gInnermost = nullptr;

}  // namespace

struct Where {
  // "<file>, <kind> <record>: " for the innermost scope; nothing outside one.
  static void append(String& out) {
    const Scope* scope = gInnermost;
    if (!scope) {
      return;
    }
    out.append(scope->mFile ? scope->mFile : "");
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

void Scope::setRecord(const char* kind, const char* name) {
  mKind = kind;
  mName = name;
}

void unknownName(const char* sourceFile, int line, const char* what, const char* name) {
  String message("0 (");
  Where::append(message);
  message.append("unknown ");
  message.append(what);
  message.append(" \"");
  message.append(name ? name : "");
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
