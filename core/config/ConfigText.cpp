#include <cstring>

#include "core/config/Config.h"
#include "core/input/KeyInput.h"
#include "core/string/ShiftJis.h"
#include "core/file/nml/NmlNode.h"

// The text of "config.ini".

namespace Game {

using Engine::i32;

namespace {

constexpr const char* kKeyNodeName = "key";
constexpr i32 kReservedText = 1024;
constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

// Whether the text stops inside a line, as a file cut short does: bytes
// after the last ';', '{' or '}' that are neither blanks nor a comment.
// (The reader drops such an unfinished line without a word.)
bool endsMidLine(const char* text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  bool insideLine = false;
  while (*p != '\0') {
    const unsigned char c = *p;
    if (!insideLine && c == '/' && p[1] == '/') {
      while (*p != '\0' && *p != '\n') {
        ++p;
      }
      continue;
    }
    if (c == ';' || c == '{' || c == '}') {
      insideLine = false;
    } else if (c == 0xFF || ShiftJis::isLeadByte(static_cast<char>(c))) {
      insideLine = true;  // an escaped byte or a two-byte character
      p += p[1] != '\0' ? 1 : 0;
    } else if (c != '\t' && c != '\r' && c != '\n' && !(c == ' ' && !insideLine)) {
      insideLine = true;
    }
    ++p;
  }
  return insideLine;
}

// The line's value as an integer; false for a line without one.
bool readFirstInt(const NmlNode& node, const char* key, i32& out) {
  const NmlAttribute* line = node.findAttribute(key);
  if (line == nullptr || line->itemCount() < 1) {
    return false;
  }
  out = line->toInt(0);
  return true;
}

}  // namespace

void Config::readSettings(const NmlNode& root) {
  for (Setting& entry : mSettings) {
    i32 value = 0;
    if (readFirstInt(root, entry.mName, value) && value >= 0 && value < entry.mCount) {
      entry.mValue = value;
    }
  }
  mWindowSizeIndex = setting(kWindowSize).value();
}

void Config::readBindings(const NmlNode& root) {
  if (root.countChildren(kKeyNodeName) < 1) {
    return;
  }
  const NmlNode& keys = *root.findChild(kKeyNodeName);
  for (KeyBinding& entry : mBindings) {
    const String name = KeyInput::keyName(entry.mKey);
    i32 button = 0;
    if (name.length() > 0 && readFirstInt(keys, name.c_str(), button) && KeyInput::isValidJoystickButton(button)) {
      entry.mButton = button;
    }
  }
}

bool Config::loadFromText(const char* text) {
  setDefaults();
  // Some editors start a UTF-8 file with a byte-order mark; it is no part of
  // the first setting's name.
  if (std::strncmp(text, kByteOrderMark, std::strlen(kByteOrderMark)) == 0) {
    text += std::strlen(kByteOrderMark);
  }
  NmlNode root;
  if (!root.parse(text, false) || endsMidLine(text)) {
    return false;
  }
  readSettings(root);
  readBindings(root);
  return true;
}

void Config::toText(String& out) const {
  NmlNode root;
  for (const Setting& entry : mSettings) {
    root.addInt(entry.mName, entry.mValue);
  }
  NmlNode* keys = root.addChild(kKeyNodeName);
  for (const KeyBinding& entry : mBindings) {
    keys->addInt(KeyInput::keyName(entry.mKey).c_str(), entry.mButton);
  }
  out.reserve(kReservedText);
  root.toString(out, true);
}

}  // namespace Game
