#include "running/game/SaveCheck.h"

#include <limits>

#include "core/playtime/PlayTime.h"
#include "core/string/Decimal.h"
#include "live/party/SaveNodeCheck.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"

namespace Game::SaveCheck {

using Engine::i32;
using Engine::i64;

namespace {

// Every part the game writes, so every part a load reads.
constexpr const char* kBodyParts[] = {"system", "flag", "log", "party", "bag", "field"};

struct HeadField {
  const char* key;
  i32 low;
  i32 high;
};
constexpr HeadField kHeadFields[] = {
    {"year", 0, 9999}, {"month", 1, 12}, {"day", 1, 31}, {"hour", 0, 23}, {"minute", 0, 59}, {"version", 0, 0},
};

const NmlNode* childNamed(const NmlNode& node, const char* name) {
  return node.countChildren(name) > 0 ? node.findChild(name) : nullptr;
}

// The single whole number of a line: a key that is there once is enough.
bool lineNumber(const NmlAttribute* line, i32& out) {
  return line && line->itemCount() == 1 && parseDecimal(line->item(0), out);
}

const char* checkHead(const NmlNode* head) {
  if (!head) {
    return "no \"head\"";
  }
  for (const HeadField& field : kHeadFields) {
    i32 value = 0;
    if (!lineNumber(head->findAttribute(field.key), value) || value < field.low || value > field.high) {
      return "a \"head\" value is missing or out of range";
    }
  }
  return nullptr;
}

const char* checkSystem(const NmlNode& system) {
  const NmlAttribute* count = system.findAttribute("count");
  i32 low = 0;
  i32 high = 0;
  if (!count || count->itemCount() != 2 || !parseDecimal(count->item(0), low) ||
      !parseDecimal(count->item(1), high) || low < 0 || low >= PlayTime::kWrap || high < 0) {
    return "the play time is missing or out of range";
  }
  return nullptr;
}

const char* checkVariables(const NmlNode& flag) {
  if (const NmlNode* integers = childNamed(flag, "integer")) {
    for (NmlNode::AttributeList::Iterator it(integers->attributes()); !it.isEnd(); it.next()) {
      i32 value = 0;
      if (!lineNumber(it.value(), value)) {
        return "an integer variable has no whole 32-bit value";
      }
    }
  }
  return nullptr;
}

}  // namespace

i64 SaveTime::stamp() const {
  return ((((static_cast<i64>(year) * 12 + month) * 31 + day) * 24 + hour) * 60) + minute;
}


const char* problem(const NmlNode& root, bool withHead) {
  if (withHead) {
    if (const char* fault = checkHead(childNamed(root, "head"))) {
      return fault;
    }
  }
  for (const char* part : kBodyParts) {
    if (!childNamed(root, part)) {
      return "a part of the game is missing";
    }
  }
  if (const char* fault = checkSystem(*childNamed(root, "system"))) {
    return fault;
  }
  if (const char* fault = checkVariables(*childNamed(root, "flag"))) {
    return fault;
  }
  if (const char* fault = SaveNodeCheck::partyProblem(*childNamed(root, "party"))) {
    return fault;
  }
  if (const char* fault = SaveNodeCheck::bagProblem(*childNamed(root, "bag"))) {
    return fault;
  }
  return fieldProblem(*childNamed(root, "field"));
}

SaveTime readHead(const NmlNode& root) {
  SaveTime time;
  const NmlNode* head = childNamed(root, "head");
  if (!head) {
    return time;
  }
  i32* fields[] = {&time.year, &time.month, &time.day, &time.hour, &time.minute};
  for (i32 i = 0; i < 5; ++i) {
    lineNumber(head->findAttribute(kHeadFields[i].key), *fields[i]);
  }
  return time;
}

}  // namespace Game::SaveCheck
