#include "records/database/MapReading.h"

#include "Engine/Base/Assert.h"
#include "Engine/FileIO/Manager.h"
#include "core/file/nml/NmlNode.h"
#include "core/file/DataError.h"

namespace Game::MapReading {

using Engine::i32;

namespace {

// A data error naming the file, the node (with its "name" when it has one)
// and its line.
[[noreturn]] void missing(const char* what, const NmlNode& node, const char* key, const char* file) {
  DataError::Scope scope(file);
  const NmlAttribute* name = node.findAttribute("name");
  scope.setRecord(node.name(), name ? name->toString(0) : "", node.line());
  const std::string problem = std::string("no ") + what + " \"" + key + "\"";
  DataError::badRecord(__FILE__, __LINE__, problem.c_str());
}

}  // namespace

const NmlAttribute& required(const NmlNode& node, const char* key, const char* file) {
  const NmlAttribute* line = node.findAttribute(key);
  if (!line) {
    missing("line", node, key, file);
  }
  return *line;
}

const NmlNode& requiredChild(const NmlNode& node, const char* name, const char* file) {
  if (node.countChildren(name) == 0) {
    missing("child", node, name, file);
  }
  return *node.findChild(name);
}

std::string text(const NmlNode& node, const char* key, const char* fallback) {
  const NmlAttribute* line = node.findAttribute(key);
  return line ? line->toString(0) : fallback;
}

i32 integer(const NmlNode& node, const char* key, i32 fallback) {
  const NmlAttribute* line = node.findAttribute(key);
  return line ? line->toInt(0) : fallback;
}

Engine::f32 number(const NmlNode& node, const char* key, Engine::f32 fallback) {
  const NmlAttribute* line = node.findAttribute(key);
  return line ? line->toFloat(0) : fallback;
}

bool present(const NmlNode& node, const char* key) { return node.findAttribute(key) != nullptr; }

bool flag(const NmlNode& node, const char* key) {
  const NmlAttribute* line = node.findAttribute(key);
  return line && line->toBool(0);
}

std::vector<CellOffset> offsets(const NmlNode& node, const char* key) {
  std::vector<CellOffset> result;
  const i32 n = node.countAttributes(key);
  for (i32 i = 0; i < n; ++i) {
    const NmlAttribute* line = node.findAttribute(key, i);
    result.push_back({line->toInt(0), line->toInt(1)});
  }
  return result;
}

void requireFile(const char* list, const std::string& path) {
  if (!Engine::FileIO::Manager::instance().holds(path.c_str())) {
    const std::string message = std::string(list) + " : names " + path + ", which does not exist";
    Engine::halt(__FILE__, __LINE__, message.c_str());
  }
}

}  // namespace Game::MapReading
