#pragma once

#include <vector>

#include "Engine/Base/Types.h"

namespace Game {

class NmlNode;
class String;

// Writes a tree as nml text. Names, keys and items are written so that the
// parser reads them back unchanged: a byte that would end or split them
// (';', '{', '}', a ',' in an item, a blank in a key or where it would be
// skipped, TAB, CR, LF, a "//" that would start a comment, a lead byte with
// nothing after it) is preceded by 0xFF, and 0xFF itself is doubled.
class NmlWriter {
 public:
  static void write(const NmlNode& root, String& out, bool pretty);

 private:
  enum class Context { kName, kKey, kFirstItem, kItem };

  explicit NmlWriter(bool pretty) : mPretty(pretty) {}
  void writeNode(const NmlNode& node, Engine::i32 depth);
  void writeLines(const NmlNode& node, Engine::i32 depth);
  void indent(Engine::i32 depth);
  void lineEnd(Engine::i32 depth);
  void put(char c) { mText.push_back(c); }
  void putText(const char* text);
  void putEscaped(const char* text, Context context);

  bool mPretty;
  std::vector<char> mText;
};

}  // namespace Game
