#include "records/table/RecordReading.h"

#include "records/stats/AttackBlock.h"
#include "core/file/nml/NmlNode.h"
#include "core/file/DataError.h"
#include "records/table/StateTable.h"
#include "records/expression/Expression.h"

namespace Game::RecordReading {

namespace {

[[noreturn]] void missing(const char* what, const char* key) {
  String problem("no ");
  problem.append(what);
  problem.append(" \"");
  problem.append(key);
  problem.append("\"");
  DataError::badRecord(__FILE__, __LINE__, problem.c_str());
}

}  // namespace

const NmlAttribute& required(const NmlNode& node, const char* key) {
  const NmlAttribute* line = node.findAttribute(key);
  if (!line) {
    missing("key", key);
  }
  return *line;
}

const NmlNode& requiredChild(const NmlNode& node, const char* name) {
  const NmlNode* child = optionalChild(node, name);
  if (!child) {
    missing("child", name);
  }
  return *child;
}

const NmlNode* optionalChild(const NmlNode& node, const char* name) {
  return node.countChildren(name) > 0 ? node.findChild(name) : nullptr;
}

void readText(const NmlNode& node, const char* key, String& out) {
  if (const NmlAttribute* line = node.findAttribute(key)) {
    out.assign(line->toString(0));
  }
}

void readInt(const NmlNode& node, const char* key, Engine::i32& out) {
  if (const NmlAttribute* line = node.findAttribute(key)) {
    out = line->toInt(0);
  }
}

std::shared_ptr<const Expression> compiled(const NmlNode& node, const char* key) {
  const NmlAttribute* line = node.findAttribute(key);
  if (!line) {
    return nullptr;
  }
  auto expression = std::make_shared<Expression>();
  expression->parse(line->toString(0));
  return expression;
}

void checkStates(const AttackBlock& attack, const StateTable& states) {
  for (const AttackSpec& spec : attack.additions()) {
    states.indexOf(spec.state());
  }
  for (const AttackSpec& spec : attack.recoils()) {
    states.indexOf(spec.state());
  }
}

}  // namespace Game::RecordReading
