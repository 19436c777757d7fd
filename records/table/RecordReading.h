#pragma once

#include <memory>

#include "Engine/Base/Types.h"
#include "core/string/String.h"

namespace Game {

class AttackBlock;
class Expression;
class NmlAttribute;
class NmlNode;
class StateTable;

// Helpers shared by the readers of the battle tables.
namespace RecordReading {

// The line of a required key; a missing one is a data error naming the key
// and the record being read.
const NmlAttribute& required(const NmlNode& node, const char* key);
// The child of a required node; the same data error when it is missing.
const NmlNode& requiredChild(const NmlNode& node, const char* name);
// Null when the node has no such child.
const NmlNode* optionalChild(const NmlNode& node, const char* name);
// Item 0 of the key's line into out, when the line exists.
void readText(const NmlNode& node, const char* key, String& out);
void readInt(const NmlNode& node, const char* key, Engine::i32& out);
// The key's expression compiled, shared by the copies of the record; null
// when the key is absent.
std::shared_ptr<const Expression> compiled(const NmlNode& node, const char* key);
// Every state the block adds or recoils with must be in the table.
void checkStates(const AttackBlock& attack, const StateTable& states);

}  // namespace RecordReading
}  // namespace Game
