#include "running/script/command/CommandReading.h"

#include "core/string/String.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "records/Database.h"
#include "core/file/DataError.h"
#include "records/expression/Expression.h"

namespace Game::ScriptStuff {

using Engine::i32;

const char* optionalText(const NmlNode& element, const char* key) {
  const NmlAttribute* line = element.findAttribute(key);
  return line ? line->item(0) : "";
}

i32 optionalInt(const NmlNode& element, const char* key, i32 fallback) {
  const NmlAttribute* line = element.findAttribute(key);
  return line ? line->toInt(0) : fallback;
}

float optionalFloat(const NmlNode& element, const char* key, float fallback) {
  const NmlAttribute* line = element.findAttribute(key);
  return line ? line->toFloat(0) : fallback;
}

bool optionalBool(const NmlNode& element, const char* key, bool fallback) {
  const NmlAttribute* line = element.findAttribute(key);
  return line ? line->toBool(0) : fallback;
}

const NmlAttribute& requiredLine(const NmlNode& element, const char* key) {
  const NmlAttribute* line = element.findAttribute(key);
  if (!line) {
    String problem(element.name());
    problem.append(": no \"");
    problem.append(key);
    problem.append("\" line");
    DataError::badRecord(__FILE__, __LINE__, problem.c_str());
  }
  return *line;
}

void parseRequired(Expression& out, const NmlNode& element, const char* key) {
  out.parse(requiredLine(element, key).item(0));
}

const char* firstKey(const NmlNode& element) {
  return element.attributeCount() > 0 ? element.attribute(0)->key() : "";
}

namespace {

template <class T>
const T& known(const T* record, const char* what, const char* name) {
  if (!record) {
    DataError::unknownName(__FILE__, __LINE__, what, name);
  }
  return *record;
}

}  // namespace

const ToolData& knownTool(const char* name) {
  const Database* database = Database::instance();
  return known(database ? database->findTool(name) : nullptr, "tool", name);
}

// Not findShell: its fallback to the first shell would recruit the wrong
// character without a word.
const ShellData& knownShell(const char* name) {
  const Database* database = Database::instance();
  return known(database ? database->findShellExactly(name) : nullptr, "shell", name);
}

const MapSiteData& knownSite(const char* name) {
  const Database* database = Database::instance();
  return known(database ? database->findSite(name) : nullptr, "site", name);
}

}  // namespace Game::ScriptStuff
