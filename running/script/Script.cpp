#include "running/script/Script.h"

#include <optional>

#include "Engine/Base/Assert.h"
#include "Engine/Base/DebugStream.h"
#include "core/file/FileReader.h"
#include "core/file/nml/NmlDocument.h"
#include "core/file/nml/NmlNode.h"
#include "core/file/DataError.h"
#include "running/script/command/Command.h"

namespace Game {

using Engine::i32;

namespace {

// The load in progress, outermost first: its file names the messages of
// every nested load.
const char* gLoadingSource = nullptr;

class LoadingSource {
 public:
  explicit LoadingSource(const char* source) : mOuter(gLoadingSource) {
    if (source) gLoadingSource = source;
  }
  ~LoadingSource() { gLoadingSource = mOuter; }
  LoadingSource(const LoadingSource&) = delete;
  LoadingSource& operator=(const LoadingSource&) = delete;

 private:
  const char* mOuter;
};

}  // namespace

const char* ScriptStuff::loadingSource() { return gLoadingSource ? gLoadingSource : ""; }

Script::Script() = default;

Script::~Script() { clear(); }

void Script::clear() {
  mPc = -1;
  mCommands.clear();
}

i32 Script::load(const NmlNode& element, GameData& game, const char* source) {
  clear();
  const bool outermost = gLoadingSource == nullptr;
  mSource.assign(source ? source : ScriptStuff::loadingSource());
  LoadingSource loading(outermost || source ? this->source() : nullptr);
  // The outermost load names the command being read in data-error messages;
  // nested ones (the branches of an if) keep its record.
  std::optional<DataError::Scope> scope;
  if (outermost) {
    scope.emplace(this->source());
  }
  String record;
  mCommands.resize(static_cast<std::size_t>(element.childCount()));
  for (i32 i = 0; i < element.childCount(); ++i) {
    const NmlNode& child = *element.child(i);
    if (scope) {
      record.assign("");
      record.appendInt(i);
      record.append(" (");
      record.append(child.name());
      record.append(")");
      scope->setRecord("command", record.c_str(), child.line());
    }
    mCommands[static_cast<std::size_t>(i)].reset(ScriptStuff::createCommand(child, game));
  }
  return commandCount();
}

i32 Script::loadFromPath(const char* path, GameData& game) {
  FileReader reader;
  reader.open(path, true, false, true);
  if (reader.size() == 0) {
    Engine::cout << "script " << path << ": no such file or an empty one" << Engine::endl;
  }
  NmlDocument document;
  // Strict: a syntax error, a stray '}' among them, stops the program with
  // the file and line, so no script runs half-read.
  document.loadFromText(path, reader.size() > 0 ? reader.data() : "");
  return load(document, game, path);
}

i32 Script::step(GameData& game) {
  if (mPc < 0) {
    mPc = 0;
  }
  for (;;) {
    ScriptStuff::Command* current = static_cast<std::size_t>(mPc) < mCommands.size() ? command(mPc) : nullptr;
    if (!current) {
      mPc = -1;
      return kFinished;
    }
    const i32 status = current->execute(game);
    switch (status) {
      case ScriptStuff::kStay:
        return kRunning;
      case ScriptStuff::kNext:
        ++mPc;
        break;
      case ScriptStuff::kEnd:
        mPc = -1;
        return kEnded;
      case ScriptStuff::kYield:
        ++mPc;
        return kRunning;
      case ScriptStuff::kBreak:
        mPc = -1;
        return kFinished;
      default:
        // Running the same command again at once would never end.
        ENGINE_HALT("\"WRONG COMMANDSTATE\"");
    }
  }
}

void Script::drawWaiting(GameData& game) {
  if (static_cast<std::size_t>(mPc) < mCommands.size() && command(mPc)) {
    command(mPc)->drawWaiting(game);
  }
}

i32 Script::stepChecked(GameData& game) {
  const i32 result = step(game);
  if (result != kRunning && result != kFinished && result != kEnded) {
    ENGINE_HALT("\"WRONG SCRIPTSTATE\"");
  }
  return result;
}

}  // namespace Game
