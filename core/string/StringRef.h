#pragma once

namespace Game {

// A non-owning view of a zero-terminated text, used to match keywords. A null
// view and a null text both equal the empty text.
class StringRef {
 public:
  StringRef() = default;
  // Implicit, so that keyword tables can be written as plain literals.
  StringRef(const char* text) : mText(text) {}
  StringRef& operator=(const char* text) {
    mText = text;
    return *this;
  }

  const char* c_str() const { return mText; }

  // Byte-wise and case-sensitive.
  bool operator==(const char* text) const {
    if (!mText) {
      return !text || text[0] == '\0';
    }
    if (!text) {
      return mText[0] == '\0';
    }
    const char* a = mText;
    const char* b = text;
    while (*a != '\0' && *a == *b) {
      ++a;
      ++b;
    }
    return *a == *b;
  }

 private:
  const char* mText = nullptr;
};

}  // namespace Game
