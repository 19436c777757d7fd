// Layout of Shift-JIS text: every operation steps over whole characters, so
// none of them separates the two bytes of one.

#include <cstring>

#include "core/string/ShiftJis.h"
#include "core/string/String.h"

namespace Game {

using Engine::i32;

void String::cutToDirectory() {
  i32 cut = -1;
  for (i32 k = 0; k < mCapacity && mBuffer[k] != '\0';) {
    if (mBuffer[k] == '/') {
      cut = k + 1;
    }
    k += ShiftJis::characterSize(mBuffer + k);
  }
  if (cut >= 0) {
    mBuffer[cut] = '\0';
  }
}

void String::ellipsize(i32 n) {
  for (i32 k = 0; k < mCapacity - 4 && mBuffer[k] != '\0';) {
    if (n <= 0) {
      std::memcpy(mBuffer + k, "...", 4);
      return;
    }
    k += ShiftJis::characterSize(mBuffer + k);
    --n;
  }
}

namespace {

// Marks that close a phrase and so may not start a line: a break that would
// put one first goes one character earlier, taking that character down too.
bool mayNotStartLine(const char* text) {
  static constexpr const char* kMarks[] = {"、", "。", "，", "．", "！", "？", "」", "』", "）", "ー", "…", "・"};
  for (const char* mark : kMarks) {
    if (text[0] == mark[0] && text[1] == mark[1]) {
      return true;
    }
  }
  return false;
}

}  // namespace

// A line breaks before the first byte copied once the line has passed width
// columns, so a line can reach width + 1 columns, or width + 2 when a two-byte
// character starts at column width. A line feed in the text restarts the
// count and then counts one column itself.
void String::wrapLines(i32 width) {
  const i32 size = length();
  // At most one line feed is added per byte of the text.
  char* wrapped = new char[2 * static_cast<std::size_t>(size) + 1];
  i32 out = 0;
  i32 column = 0;
  i32 lineStart = 0;      // where the line being filled starts in wrapped
  i32 lastCharacter = 0;  // where the last character copied starts
  for (i32 k = 0; k < size;) {
    if (mBuffer[k] == '\\' && mBuffer[k + 1] == 'n') {
      wrapped[out++] = '\n';
      column = 0;
      lineStart = out;
      k += 2;
      continue;
    }
    if (mBuffer[k] == '\n') {
      column = 0;
      lineStart = out;
    }
    if (column > width) {
      const bool takeLastDown = mayNotStartLine(mBuffer + k) && lastCharacter > lineStart;
      const i32 at = takeLastDown ? lastCharacter : out;
      std::memmove(wrapped + at + 1, wrapped + at, static_cast<std::size_t>(out - at));
      wrapped[at] = '\n';
      ++out;
      lineStart = at + 1;
      lastCharacter = lineStart;
      column = takeLastDown ? (ShiftJis::isLeadByte(wrapped[lineStart]) ? 2 : 1) : 0;
    }
    const i32 bytes = ShiftJis::characterSize(mBuffer + k);
    lastCharacter = out;
    std::memcpy(wrapped + out, mBuffer + k, static_cast<std::size_t>(bytes));
    out += bytes;
    k += bytes;
    column += ShiftJis::isLeadByte(mBuffer[k - bytes]) ? 2 : 1;
  }
  wrapped[out] = '\0';
  assign(wrapped);
  delete[] wrapped;
}

void String::measureLines(i32* outLines, i32* outWidth, const char* text, char separator) {
  i32 lines = 1;
  i32 widest = 0;
  i32 width = 0;
  for (const char* p = text ? text : ""; *p != '\0';) {
    if (ShiftJis::isLeadByte(*p)) {
      width += 2;
    } else if (*p == separator) {
      widest = width > widest ? width : widest;
      width = 0;
      ++lines;
    } else {
      width += 1;
    }
    p += ShiftJis::characterSize(p);
  }
  widest = width > widest ? width : widest;
  if (outLines) {
    *outLines = lines;
  }
  if (outWidth) {
    *outWidth = widest;
  }
}

}  // namespace Game
