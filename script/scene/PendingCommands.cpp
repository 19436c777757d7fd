#include "script/scene/PendingCommands.h"

#include <bitset>
#include <cstring>

#include "Engine/Base/DebugStream.h"
#include "file/nml/NmlAttribute.h"
#include "file/nml/NmlNode.h"
#include "resource/Database.h"
#include "file/DataError.h"
#include "script/Script.h"
#include "script/command/CommandReading.h"
#include "script/scene/RunningScenes.h"

namespace Game::ScriptStuff {

using Engine::i32;

namespace {

std::bitset<kKeywordCount> gReported;

bool is(const NmlNode& element, const char* name) { return std::strcmp(element.name(), name) == 0; }

// The names the field commands resolve when they are built: unknown tools
// and sites read as none.
void lookUpNames(const NmlNode& element, const Database& database) {
  if (is(element, "createDoor")) {
    (void)database.findTool(optionalText(element, "key"));
  } else if (is(element, "changeMap") || is(element, "changeScene")) {
    (void)database.findSite(optionalText(element, is(element, "changeMap") ? "site" : "name"));
  }
}

}  // namespace

void forgetReportedKeywords() {
  gReported.reset();
  forgetMissingSceneReports();
}

NotYetAvailable::NotYetAvailable(const NmlNode& element, i32 keywordIndex) : mKeywordIndex(keywordIndex) {
  if (const Database* database = Database::instance()) {
    lookUpNames(element, *database);
  }
}

i32 NotYetAvailable::execute(GameData&) {
  if (!gReported.test(static_cast<std::size_t>(mKeywordIndex))) {
    gReported.set(static_cast<std::size_t>(mKeywordIndex));
    Engine::cout << "script command \"" << keyword(mKeywordIndex) << "\" is not available yet" << Engine::endl;
  }
  return kNext;
}

}  // namespace Game::ScriptStuff
