#include "core/file/nml/NmlParser.h"

#include <array>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

#include "Engine/Base/Assert.h"
#include "Engine/Base/DebugStream.h"
#include "core/string/ShiftJis.h"
#include "core/file/nml/NmlArena.h"
#include "core/file/nml/NmlNode.h"

namespace Game {

using Engine::i32;
using Engine::u8;

namespace {

enum ByteClass : u8 {
  kPlain, kEnd, kIgnored, kLineFeed, kBlank, kComma, kSemicolon, kOpen, kClose, kLead, kEscape, kNotText
};

constexpr u8 kEscapeByte = 0xFF;

// A tree is written to fresh memory as it is read: the arena bytes this far
// ahead of each new line and node are fetched early, for writing, or the
// stores of the lines and nodes to come wait on memory.
constexpr std::size_t kWriteAhead = 2048;

// Always inlined: GCC takes a function that only prefetches for one without
// effects and drops its calls.
__attribute__((always_inline)) inline void fetchAhead(const void* block) {
  __builtin_prefetch(reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(block) + kWriteAhead), 1);
}

constexpr std::array<u8, 256> makeClasses() {
  std::array<u8, 256> classes{};
  for (int b = 0; b < 256; ++b) {
    classes[b] = ShiftJis::isLeadByte(static_cast<char>(b)) ? kLead : kPlain;
  }
  // Control bytes and the bytes code page 932 leaves unused are no text.
  for (int b = 1; b < 0x20; ++b) {
    classes[b] = kNotText;
  }
  for (const int b : {0x7F, 0x80, 0xA0, 0xFD, 0xFE}) {
    classes[b] = kNotText;
  }
  classes[0] = kEnd;
  classes['\t'] = kIgnored;
  classes['\r'] = kIgnored;
  classes['\n'] = kLineFeed;
  classes[' '] = kBlank;
  classes[','] = kComma;
  classes[';'] = kSemicolon;
  classes['{'] = kOpen;
  classes['}'] = kClose;
  classes[kEscapeByte] = kEscape;
  return classes;
}

constexpr std::array<u8, 256> kClasses = makeClasses();

// The second byte of a two-byte character: 0x40-0x7E or 0x80-0xFC.
constexpr bool isTrailByte(u8 b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// A comment runs to the line feed, which is left for the caller to count.
const u8* skipComment(const u8* p) {
  while (*p != '\0' && *p != '\n') {
    ++p;
  }
  return p;
}

// Past a run of TABs, CRs and LFs, counting the line feeds.
const u8* skipLineBreaks(const u8* p, i32& line) {
  for (;; ++p) {
    if (*p == '\n') {
      ++line;
    } else if (*p != '\r' && *p != '\t') {
      return p;
    }
  }
}

}  // namespace

NmlParser::NmlParser(bool strict, const char* sourceName) : mStrict(strict), mSourceName(sourceName) {}

inline void NmlParser::append(const u8* bytes, i32 count) {
  if (mLength + count >= mRoom) [[unlikely]] {
    grow(count);
  }
  std::memcpy(mToken + mLength, bytes, static_cast<std::size_t>(count));
  mLength += count;
}

// Room for count more bytes and the terminator; the token moves to a fresh
// chunk of the arena when the current one is too short.
void NmlParser::grow(i32 count) {
  ENGINE_ASSERT(mLength < 0x3FFFFFFF - count && "NmlParser : value too long.");
  const std::size_t needed = static_cast<std::size_t>(mLength) + static_cast<std::size_t>(count) + 1;
  mToken = mArena->makeRoom(static_cast<std::size_t>(mLength), needed < 128 ? 256 : needed * 2);
  const std::size_t room = mArena->freeSize();
  mRoom = room < 0x7FFFFFFF ? static_cast<i32>(room) : 0x7FFFFFFF;
}

// Copies the token's ordinary bytes in one loop, straight into its room:
// plain bytes, whole two-byte characters, and blanks and commas noted as the
// main loop notes them. Any other byte, a lead byte without its trail byte
// among them, is left for the main loop, as is the rest when room runs short.
__attribute__((always_inline)) inline const u8* NmlParser::copyRun(const u8* p) {
  if (mRoom - mLength < kRunRoom) {
    grow(kRunRoom);
  }
  char* const token = mToken;
  char* const limit = token + mRoom - 2;  // a two-byte character and the terminator still fit
  char* out = token + mLength;
  while (out < limit) {
    const u8 byte = *p;
    const u8 byteClass = kClasses[byte];
    if (byteClass == kPlain) {
      *out++ = static_cast<char>(byte);
      ++p;
    } else if (byteClass == kLead && isTrailByte(p[1])) {
      out[0] = static_cast<char>(byte);
      out[1] = static_cast<char>(p[1]);
      out += 2;
      p += 2;
    } else if (byteClass == kBlank) {
      mLength = static_cast<i32>(out - token);
      noteBlank();
      *out++ = ' ';
      ++p;
    } else if (byteClass == kComma) {
      if (mKeyEnd >= 0) {
        mCuts.push_back(static_cast<i32>(out - token));
      }
      *out++ = ',';
      ++p;
    } else {
      break;
    }
  }
  mLength = static_cast<i32>(out - token);
  return p;
}

// The first blank ends the key; the blanks right after it are skipped.
void NmlParser::noteBlank() {
  if (mKeyEnd < 0) {
    mKeyEnd = mLength;
    mItemsStart = mLength + 1;
  } else if (mItemsStart == mLength) {
    mItemsStart = mLength + 1;
  }
}

void NmlParser::resetToken() {
  mToken = mArena->freeStart();
  const std::size_t room = mArena->freeSize();
  mRoom = room < 0x7FFFFFFF ? static_cast<i32>(room) : 0x7FFFFFFF;
  mLength = 0;
  mKeyEnd = -1;
  mItemsStart = 0;
  mCuts.clear();
}

// The token, terminated, becomes a block of the arena where it stands.
char* NmlParser::takeToken() {
  if (mLength >= mRoom) {
    grow(0);
  }
  mToken[mLength] = '\0';
  mArena->take(static_cast<std::size_t>(mLength) + 1);
  return mToken;
}

// The line's object and its item pointers follow its text in the arena.
__attribute__((always_inline)) inline void NmlParser::addAttribute(NmlNode& node) {
  char* text = takeToken();
  i32 itemCount = 0;
  if (mKeyEnd >= 0) {
    text[mKeyEnd] = '\0';
    itemCount = mItemsStart < mLength ? static_cast<i32>(mCuts.size()) + 1 : 0;
  }
  void* block = mArena->allocate(sizeof(NmlAttribute) + sizeof(char*) * static_cast<std::size_t>(itemCount));
  fetchAhead(block);
  auto* line = new (block) NmlAttribute(mArena);
  line->mKey = text;
  line->mLine = mTokenLine;
  if (itemCount > 0) {
    auto** items = reinterpret_cast<const char**>(line + 1);  // where NmlAttribute::itemRoom looks
    items[0] = text + mItemsStart;
    for (i32 c = 0; c + 1 < itemCount; ++c) {
      text[mCuts[c]] = '\0';
      items[c + 1] = text + mCuts[c] + 1;
    }
    line->mItems = items;
    line->mItemCount = itemCount;
  }
  node.mAttributes.append(line);
}

// A ';' makes the token a line of the node (an empty token none).
__attribute__((always_inline)) inline void NmlParser::endLine(NmlNode& node) {
  if (mLength > 0) {
    addAttribute(node);
  }
  resetToken();
}

bool NmlParser::fail(i32 line, const char* format, ...) {
  mFaultLine = line;
  if (!mStrict) {
    return false;
  }
  char message[512];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(message, sizeof message, format, arguments);
  va_end(arguments);
  Engine::halt(mSourceName, line, message);
}

// A child named by the token; the token is emptied.
bool NmlParser::openChild(NmlNode*& current, i32 line) {
  if (static_cast<i32>(mOpenLines.size()) >= NmlNode::kMaxDepth) {
    return fail(line, "nodes nested deeper than %d levels", static_cast<int>(NmlNode::kMaxDepth));
  }
  mOpenLines.push_back(line);
  const char* name = takeToken();
  void* block = mArena->allocate(sizeof(NmlNode));
  fetchAhead(block);
  auto* child = new (block) NmlNode(current, name);
  child->mLine = mTokenLine;
  current->mChildren.append(child);
  current = child;
  resetToken();
  return true;
}

// The end of the text closes the root; any other node is still open.
bool NmlParser::finish(const NmlNode& current, bool topIsRoot, i32 line) {
  if (!mOpenLines.empty()) {
    return fail(line, "node \"%.80s\" opened on line %d is not closed (must close tag)", current.name(),
                static_cast<int>(mOpenLines.back()));
  }
  return topIsRoot ? true : fail(line, "node \"%.80s\" is not closed (must close tag)", current.name());
}

bool NmlParser::parse(NmlNode& top, const char* text) {
  const bool topIsRoot = top.parent() == nullptr;
  NmlNode* current = &top;
  const u8* p = reinterpret_cast<const u8*>(text);
  i32 line = 1;
  mArena = &top.arena();
  resetToken();
  mOpenLines.clear();
  mFaultLine = 0;
  for (;;) {
    if (mLength == 0) {
      if (*p == ' ') {
        ++p;
        continue;
      }
      if (*p == '/' && p[1] == '/') {
        p = skipComment(p);
        continue;
      }
      mTokenLine = line;
    }
    switch (kClasses[*p]) {
      case kPlain:
        // Usual lines, children and their ends one after another, read
        // without another turn.
        for (p = copyRun(p);; p = copyRun(p)) {
          if (*p == ';') {
            endLine(*current);
          } else if (*p != '{') {
            break;
          } else if (!openChild(current, line)) {
            return false;
          }
          p = skipLineBreaks(p + 1, line);
          while (*p == '}' && !mOpenLines.empty()) {
            mOpenLines.pop_back();
            current = current->parent();
            p = skipLineBreaks(p + 1, line);
          }
          if (kClasses[*p] != kPlain || (*p == '/' && p[1] == '/')) {
            break;
          }
          mTokenLine = line;
        }
        break;
      case kBlank:
        noteBlank();
        append(p++, 1);
        break;
      case kComma:
        if (mKeyEnd >= 0) {
          mCuts.push_back(mLength);
        }
        append(p++, 1);
        break;
      case kIgnored:
      case kLineFeed:
        p = skipLineBreaks(p, line);
        break;
      case kLead: {
        if (isTrailByte(p[1])) {
          p = copyRun(p);
          break;
        }
        if (mStrict) {
          return fail(line, "0x%02X 0x%02X is no Shift-JIS character", p[0], p[1]);
        }
        const i32 taken = p[1] != '\0' ? 2 : 1;  // a lead byte cut off by the end stands alone
        append(p, taken);
        p += taken;
        break;
      }
      case kEscape:
        if (p[1] != '\0') {
          append(p + 1, 1);
          p += 2;
        } else {
          ++p;
        }
        break;
      case kNotText:
        if (mStrict) {
          return fail(line, "byte 0x%02X is no text", p[0]);
        }
        append(p++, 1);
        break;
      case kSemicolon:
        endLine(*current);
        p = skipLineBreaks(p + 1, line);
        break;
      case kOpen:
        if (!openChild(current, line)) {
          return false;
        }
        p = skipLineBreaks(p + 1, line);
        break;
      case kClose:
        resetToken();
        ++p;
        if (mOpenLines.empty()) {
          // Never fatal, even when strict: the parse fails and says where.
          if (topIsRoot) {
            mFaultLine = line;
            Engine::cout << "nml : '}' closes no node ( " << mSourceName << " line " << line << " )" << Engine::endl;
            return false;
          }
          return true;
        }
        mOpenLines.pop_back();
        current = current->parent();
        p = skipLineBreaks(p, line);
        break;
      default:  // kEnd
        return finish(*current, topIsRoot, line);
    }
  }
}

}  // namespace Game
