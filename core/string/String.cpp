#include "core/string/String.h"

#include <cstring>
#include <utility>

#include "Engine/Base/Assert.h"
#include "core/string/StringRef.h"

namespace Game {

using Engine::i32;

namespace {

i32 textLength(const char* text) {
  const std::size_t length = std::strlen(text);
  ENGINE_ASSERT(length < 0x7FFFFFFFu && "String : text too long.");
  return static_cast<i32>(length);
}

}  // namespace

String::String(i32 capacity) { reserve(capacity); }

String::String(const char* text) { assign(text); }

String::String(const String& other) { assign(other.mBuffer); }

String::~String() { release(); }

String& String::operator=(const String& other) {
  assign(other.mBuffer);  // safe for self-assignment: the text is moved in place
  return *this;
}

void String::release() {
  delete[] mBuffer;
  mBuffer = nullptr;
  mCapacity = 0;
}

void String::reserve(i32 n) {
  if (n < 1) {
    release();
    return;
  }
  if (n != mCapacity) {
    delete[] mBuffer;
    mBuffer = new char[static_cast<std::size_t>(n)];
    mCapacity = n;
  }
  mBuffer[0] = '\0';
}

void String::assign(const char* text) {
  if (!mBuffer) {
    if (text) {
      const i32 size = textLength(text) + 1;
      reserve(size);
      std::memcpy(mBuffer, text, static_cast<std::size_t>(size));
    }
    return;
  }
  if (!text || text[0] == '\0') {
    mBuffer[0] = '\0';
    return;
  }
  const i32 size = textLength(text) + 1;
  if (size > mCapacity) {
    String copy;  // reserving drops the old buffer, which text may point into
    copy.reserve(size);
    std::memcpy(copy.mBuffer, text, static_cast<std::size_t>(size));
    std::swap(mBuffer, copy.mBuffer);
    std::swap(mCapacity, copy.mCapacity);
    return;
  }
  std::memmove(mBuffer, text, static_cast<std::size_t>(size));
}

void String::append(const char* text) {
  if (text) {
    appendBytes(text, textLength(text));
  }
}

// Text may lie inside this string's own buffer: it is copied before the old
// buffer is freed, and moved rather than copied in place.
void String::appendBytes(const char* text, i32 count) {
  const i32 oldLength = length();
  ENGINE_ASSERT(count < 0x7FFFFFFF - oldLength && "String : text too long.");
  const i32 newLength = oldLength + count;
  if (newLength >= mCapacity) {
    char* grown = new char[static_cast<std::size_t>(newLength) + 1];
    if (oldLength > 0) {
      std::memcpy(grown, mBuffer, static_cast<std::size_t>(oldLength));
    }
    std::memcpy(grown + oldLength, text, static_cast<std::size_t>(count));
    delete[] mBuffer;
    mBuffer = grown;
    mCapacity = newLength + 1;
  } else {
    std::memmove(mBuffer + oldLength, text, static_cast<std::size_t>(count));
  }
  mBuffer[newLength] = '\0';
}

void String::appendChar(char c) { appendBytes(&c, c == '\0' ? 0 : 1); }

void String::assignBool(bool value) { assign(value ? "true" : "false"); }

i32 String::padRight(i32 n) {
  const i32 missing = n - length();
  if (missing > 0) {
    char* blanks = new char[static_cast<std::size_t>(missing)];
    std::memset(blanks, ' ', static_cast<std::size_t>(missing));
    appendBytes(blanks, missing);
    delete[] blanks;
  }
  return length();
}

void String::assignPadded(const char* text, i32 n) {
  if (n <= 0) {
    return;
  }
  char* field = new char[static_cast<std::size_t>(n)];
  std::memset(field, ' ', static_cast<std::size_t>(n));
  for (i32 i = 0; text && i < n && text[i] != '\0'; ++i) {
    field[i] = text[i];
  }
  appendBytes(field, n);
  delete[] field;
}

i32 String::length() const { return mBuffer ? static_cast<i32>(std::strlen(mBuffer)) : 0; }

bool String::equals(const char* text) const { return StringRef(mBuffer) == text; }

}  // namespace Game
