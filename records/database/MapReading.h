#pragma once

#include <string>
#include <vector>

#include "Engine/Base/Types.h"

namespace Game {

class NmlAttribute;
class NmlNode;

// Shared readers of the map and picture lists. Faults in these files are data
// errors that stop the program with a message naming the file.
namespace MapReading {

struct CellOffset {
  Engine::i32 x = 0;
  Engine::i32 y = 0;
  bool operator==(const CellOffset&) const = default;
};

// The line of that key; a missing one stops the program naming the file, the
// node, its line and the key.
const NmlAttribute& required(const NmlNode& node, const char* key, const char* file);
// The first child of that name, stopped on the same way when missing.
const NmlNode& requiredChild(const NmlNode& node, const char* name, const char* file);

// Item 0 of the key's line, or the fallback when there is none.
std::string text(const NmlNode& node, const char* key, const char* fallback = "");
Engine::i32 integer(const NmlNode& node, const char* key, Engine::i32 fallback = 0);
Engine::f32 number(const NmlNode& node, const char* key, Engine::f32 fallback = 0.0f);
// Whether the key has a line at all (flags written as a bare key).
bool present(const NmlNode& node, const char* key);
// The key's line read as a bool; false without one.
bool flag(const NmlNode& node, const char* key);

// Every line of the key as two ints (x, y), in order.
std::vector<CellOffset> offsets(const NmlNode& node, const char* key);

// Stops the program when no data source holds path, naming the list that
// named it, before a read of the missing file would stop it without the list.
void requireFile(const char* list, const std::string& path);

}  // namespace MapReading
}  // namespace Game
