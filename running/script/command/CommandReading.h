#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class Expression;
class MapSiteData;
class NmlAttribute;
class NmlNode;
class ShellData;
class ToolData;

namespace ScriptStuff {

// Item 0 of the first line of that key; "" without one.
const char* optionalText(const NmlNode& element, const char* key);
Engine::i32 optionalInt(const NmlNode& element, const char* key, Engine::i32 fallback);
float optionalFloat(const NmlNode& element, const char* key, float fallback);
bool optionalBool(const NmlNode& element, const char* key, bool fallback);
// A line that must be there: without it the load stops, naming the file,
// the command and the key.
const NmlAttribute& requiredLine(const NmlNode& element, const char* key);
void parseRequired(Expression& out, const NmlNode& element, const char* key);
// The key of the element's first line (the text of log and message); "" for
// an element without lines.
const char* firstKey(const NmlNode& element);

// Names resolved once, when the script is read: a name the databases do not
// hold stops the load naming the script and the command, so that a misspelt
// item, character or site never reaches a running game as none.
const ToolData& knownTool(const char* name);
const ShellData& knownShell(const char* name);
const MapSiteData& knownSite(const char* name);

}  // namespace ScriptStuff
}  // namespace Game
