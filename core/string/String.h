#pragma once

#include "Engine/Base/Types.h"

namespace Game {

// The game's byte string: a NUL-terminated heap buffer and its capacity
// (terminator included). Text is Shift-JIS; the layout operations never
// separate the two bytes of a character. A never-assigned string has no
// buffer: its length is 0 and it compares equal to the empty text, but
// c_str() is null. Growing reserves exactly what the new text needs.
class String {
 public:
  String() = default;
  explicit String(Engine::i32 capacity);
  explicit String(const char* text);
  String(const String& other);
  ~String();
  String& operator=(const String& other);

  void release();
  // Exactly n bytes (the old text is not kept); n below 1 releases.
  void reserve(Engine::i32 n);

  void assign(const char* text);
  void append(const char* text);
  void appendChar(char c);
  void appendInt(Engine::i32 value);
  void assignInt(Engine::i32 value);
  // The decimal text of value in the last width characters of a field filled
  // with '0' or blanks: shorter numbers are padded, longer ones keep their last
  // width characters. width 0 (or below) gives the plain text.
  void assignNumber(Engine::i32 value, Engine::i32 width, bool zeroPad);
  void assignBool(bool value);
  // Appends blanks until the length is at least n; returns the final length.
  Engine::i32 padRight(Engine::i32 n);
  // Appends exactly n bytes: the text cut after byte n (a two-byte character
  // at the cut loses its second byte), then blanks.
  void assignPadded(const char* text, Engine::i32 n);

  const char* c_str() const { return mBuffer; }
  Engine::i32 length() const;
  Engine::i32 capacity() const { return mCapacity; }
  signed char at(Engine::i32 i) const { return static_cast<signed char>(mBuffer[i]); }
  bool equals(const char* text) const;
  bool operator==(const char* text) const { return equals(text); }
  bool operator==(const String& other) const { return equals(other.mBuffer); }

  Engine::i32 toInt() const;
  Engine::f32 toFloat() const;
  bool toBool() const;
  static Engine::i32 parseInt(const char* text);
  static Engine::f32 parseFloat(const char* text);
  // Evaluates a number text (see StringNumber.cpp); each result is written
  // only where its pointer is not null.
  static void parseNumber(Engine::i32* outInt, Engine::f32* outFloat, const char* text);

  // a/b/c.txt becomes a/b/; unchanged without a '/'.
  void cutToDirectory();
  // Keeps the first n characters and appends "..." when more follow and the
  // buffer has room.
  void ellipsize(Engine::i32 n);
  // Breaks lines once a line has passed width columns; "\n" written as two
  // bytes becomes a line feed.
  void wrapLines(Engine::i32 width);
  // Lines of text split at the separator byte, and the widest in columns (a
  // two-byte character is two columns).
  static void measureLines(Engine::i32* outLines, Engine::i32* outWidth, const char* text, char separator);

 private:
  void appendBytes(const char* text, Engine::i32 count);

  char* mBuffer = nullptr;
  Engine::i32 mCapacity = 0;
};

}  // namespace Game
