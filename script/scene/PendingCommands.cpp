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

namespace Game::ScriptStuff {

using Engine::i32;

namespace {

std::bitset<kKeywordCount> gReported;

bool is(const NmlNode& element, const char* name) { return std::strcmp(element.name(), name) == 0; }

// The names the field and battle commands resolve when they are built: an
// unknown race or state stops the load as the databases' lookups do; unknown
// tools, enemies and sites read as none.
void lookUpNames(const NmlNode& element, const Database& database) {
  if (is(element, "createRace")) {
    (void)database.findRace(optionalText(element, "name"));
  } else if (is(element, "setState")) {
    (void)database.findState(optionalText(element, "state"));
  } else if (is(element, "createEnemy")) {
    (void)database.findEnemy(optionalText(element, "name"));
  } else if (is(element, "createDoor")) {
    (void)database.findTool(optionalText(element, "key"));
  } else if (is(element, "changeMap") || is(element, "changeScene")) {
    (void)database.findSite(optionalText(element, is(element, "changeMap") ? "site" : "name"));
  }
}

// The parts a battle cannot be set up without.
void checkBattle(const NmlNode& element) {
  if (element.countChildren("start") == 0) {
    DataError::badRecord(__FILE__, __LINE__, "battle: no \"start\" child");
  }
  (void)requiredLine(element, "rank");
  // Its start and event scripts hold battle commands: their names too.
  const Database* database = Database::instance();
  for (i32 c = 0; c < element.childCount(); ++c) {
    const NmlNode& part = *element.child(c);
    for (i32 i = 0; database && i < part.childCount(); ++i) {
      lookUpNames(*part.child(i), *database);
    }
  }
}

}  // namespace

void forgetReportedKeywords() { gReported.reset(); }

NotYetAvailable::NotYetAvailable(const NmlNode& element, i32 keywordIndex) : mKeywordIndex(keywordIndex) {
  if (is(element, "battle")) {
    checkBattle(element);
  } else if (const Database* database = Database::instance()) {
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
