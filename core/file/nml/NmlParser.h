#pragma once

#include <vector>

#include "Engine/Base/Types.h"

namespace Game {

class NmlArena;
class NmlNode;

// Reads nml text into a node without recursion: the open nodes are reached
// through their parent links. The text ends at its first zero byte, which is
// never read past. A byte 0xFF (never part of Shift-JIS text) takes the next
// byte literally: that is how the writer keeps ';', '{', '}', ',', blanks and
// line breaks inside written values. Each token is written straight into the
// free space of the tree's arena, where it stays as the name or the line's
// texts.
class NmlParser {
 public:
  NmlParser(bool strict, const char* sourceName);
  NmlParser(const NmlParser&) = delete;
  NmlParser& operator=(const NmlParser&) = delete;

  bool parse(NmlNode& top, const char* text);
  // The line where a failed parse stopped; 0 after a parse that succeeded.
  Engine::i32 faultLine() const { return mFaultLine; }

 private:
  // Room a run of the token is copied into at least, past which it stops.
  static constexpr Engine::i32 kRunRoom = 256;

  const unsigned char* copyRun(const unsigned char* p);
  void append(const unsigned char* bytes, Engine::i32 count);
  void grow(Engine::i32 count);
  void noteBlank();
  void resetToken();
  char* takeToken();
  void addAttribute(NmlNode& node);
  void endLine(NmlNode& node);
  bool openChild(NmlNode*& current, Engine::i32 line);
  bool finish(const NmlNode& current, bool topIsRoot, Engine::i32 line);
  bool fail(Engine::i32 line, const char* format, ...) __attribute__((format(printf, 3, 4)));

  bool mStrict;
  const char* mSourceName;
  NmlArena* mArena = nullptr;
  // The token read so far, with 0xFF escapes already resolved, at the start
  // of the arena's free space (mRoom bytes); mKeyEnd is the first unescaped
  // blank (-1 before one), mItemsStart where the items begin, mCuts the
  // unescaped commas after the key.
  char* mToken = nullptr;
  Engine::i32 mLength = 0;
  Engine::i32 mRoom = 0;
  Engine::i32 mKeyEnd = -1;
  Engine::i32 mItemsStart = 0;
  std::vector<Engine::i32> mCuts;
  std::vector<Engine::i32> mOpenLines;  // the line of every open node's '{'
  Engine::i32 mTokenLine = 1;  // where the token began: a child's line
  Engine::i32 mFaultLine = 0;
};

}  // namespace Game
