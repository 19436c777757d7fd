// The field's node of a save, checked before the field reads it: the floor
// it names must exist and every symbol line must read whole, so that a load
// never stops half-way on a name the databases lack. The floor and the charas
// become paths: they must be plain names, or a save would read past the data.
#include <string>

#include "running/game/SaveCheck.h"
#include "core/string/Decimal.h"
#include "live/party/SaveNodeCheck.h"
#include "core/file/FileReader.h"
#include "core/file/PlainName.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "records/Database.h"
#include "records/database/MapSiteData.h"

namespace Game::SaveCheck {

using Engine::i32;

namespace {

constexpr const char* kFloorFolder = "src/data/map/";
constexpr const char* kMoveNumbers[] = {"count", "time", "wait"};
constexpr i32 kCommandItems = 6;

// The text of the last fault: it names what is wrong, so it is built here
// and lives until the next check.
const char* fault(const std::string& text) {
  static std::string sText;
  sText = text;
  return sText.c_str();
}

std::string quoted(const char* text) { return std::string("\"") + text + "\""; }

const NmlNode* firstChild(const NmlNode& node, const char* name) {
  return node.countChildren(name) > 0 ? node.findChild(name) : nullptr;
}

// Items first … last of the line are whole numbers.
bool numbers(const NmlAttribute& line, i32 first, i32 last) {
  i32 value = 0;
  for (i32 i = first; i <= last; ++i) {
    if (i >= line.itemCount() || !parseDecimal(line.item(i), value)) {
      return false;
    }
  }
  return true;
}

// A line that is absent, or holds count whole numbers.
bool optionalNumbers(const NmlNode& node, const char* key, i32 count) {
  const NmlAttribute* line = node.findAttribute(key);
  return !line || numbers(*line, 0, count - 1);
}

const char* text(const NmlNode& node, const char* key) {
  const NmlAttribute* line = node.findAttribute(key);
  return line ? line->item(0) : "";
}

// A name that is missing, a FIFO, a directory or unreadable is a save that
// cannot load, never a halt of the game that lists it.
bool floorFileExists(const MapSiteData& site, const char* floor) {
  if (!isPlainName(floor)) {
    return false;
  }
  const std::string path = std::string(kFloorFolder) + site.folder() + "/" + floor + ".txt";
  FileReader reader;
  reader.openWithoutHalt(path.c_str(), true);
  return reader.size() > 0;
}

const char* parameterProblem(const NmlNode& symbol) {
  if (const NmlNode* enemy = firstChild(symbol, "enemy")) {
    const NmlAttribute* race = enemy->findAttribute("race");
    if (!race || !Database::instance()->findRaceOrNull(race->item(0)) || !optionalNumbers(*enemy, "pattern", 1)) {
      return fault("the enemy symbol " + quoted(text(symbol, "name")) + " names no known race");
    }
  }
  if (const NmlNode* container = firstChild(symbol, "container")) {
    if (!optionalNumbers(*container, "money", 1) || !optionalNumbers(*container, "lockLevel", 1)) {
      return fault("the container symbol " + quoted(text(symbol, "name")) + " has a malformed number");
    }
    if (const NmlNode* article = firstChild(*container, "article")) {
      if (const char* problem = SaveNodeCheck::articleProblem(*article, true)) {
        return fault("the container symbol " + quoted(text(symbol, "name")) + ": " + problem);
      }
    }
  }
  return nullptr;
}

bool movesRead(const NmlNode& symbol) {
  if (const NmlNode* queue = firstChild(symbol, "command")) {
    for (const NmlAttribute& line : queue->attributesKeyed("command")) {
      if (line.itemCount() != kCommandItems || !numbers(line, 1, kCommandItems - 1)) {
        return false;
      }
    }
    if (!optionalNumbers(*queue, "position", 1)) {
      return false;
    }
  }
  if (const NmlNode* move = firstChild(symbol, "move")) {
    if (!optionalNumbers(*move, "goal", 2) || !optionalNumbers(*move, "start", 2)) {
      return false;
    }
    for (const char* key : kMoveNumbers) {
      if (!optionalNumbers(*move, key, 1)) {
        return false;
      }
    }
  }
  return true;
}

const char* symbolProblem(const NmlNode& symbol) {
  const NmlAttribute* name = symbol.findAttribute("name");
  const NmlAttribute* position = symbol.findAttribute("position");
  if (!name || name->itemCount() < 1 || !position || !numbers(*position, 0, 1) ||
      !optionalNumbers(symbol, "angle", 1) || !movesRead(symbol)) {
    return fault("the field symbol " + quoted(text(symbol, "name")) + " has a malformed line");
  }
  const char* chara = text(symbol, "symbol");
  if (*chara && !Database::instance()->symbolChara(chara)) {
    return fault("the field symbol " + quoted(text(symbol, "name")) + " names no known chara " + quoted(chara));
  }
  return parameterProblem(symbol);
}

}  // namespace

// A node without "site" was saved away from any floor and is fit as it is.
const char* fieldProblem(const NmlNode& field) {
  const NmlAttribute* siteLine = field.findAttribute("site");
  if (!siteLine) {
    return nullptr;
  }
  const MapSiteData* site = Database::instance()->findSite(siteLine->item(0));
  if (!site) {
    return fault("the field names the unknown site " + quoted(siteLine->item(0)));
  }
  const NmlAttribute* floor = field.findAttribute("file");
  if (!floor || floor->itemCount() < 1 || !floorFileExists(*site, floor->item(0))) {
    return fault("the field names a floor " + quoted(floor ? floor->item(0) : "") + " the site " +
                 quoted(site->name()) + " lacks");
  }
  if (!optionalNumbers(field, "angle", 1)) {
    return "the field's camera angle is malformed";
  }
  if (const NmlNode* symbols = firstChild(field, "symbol")) {
    for (const NmlNode& symbol : symbols->childrenNamed("symbol")) {
      if (const char* fault = symbolProblem(symbol)) {
        return fault;
      }
    }
  }
  return nullptr;
}

}  // namespace Game::SaveCheck
