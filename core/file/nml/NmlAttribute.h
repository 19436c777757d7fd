#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class NmlArena;
class NmlNode;
class NmlParser;
template <class T>
class NmlList;

// One value line of an nml node: a key and its comma-separated items, in
// order. Items are never trimmed; empty items stay. A line of a tree keeps its
// texts in the tree's arena (see NmlArena); a line made on its own keeps them
// in an arena of its own.
class NmlAttribute {
 public:
  NmlAttribute() = default;
  ~NmlAttribute();
  NmlAttribute(const NmlAttribute&) = delete;
  NmlAttribute& operator=(const NmlAttribute&) = delete;

  const char* key() const { return mKey; }
  Engine::i32 itemCount() const { return mItemCount; }
  // A negative index reads item 0; an index past the last item reads "".
  const char* item(Engine::i32 i) const {
    if (i < 0) {
      i = 0;
    }
    return i < mItemCount ? mItems[i] : "";
  }
  // The line of the text the key began on; 0 for lines made by code.
  Engine::i32 line() const { return mLine; }
  // A number of a data file fits 32 bits: an item with a wider literal stops
  // the program naming the file, the line and the key.
  Engine::i32 toInt(Engine::i32 i) const;
  // As toInt; and a number is finite: an item that is not (a quotient by
  // zero such as "/") stops the program naming the file, the line and the key.
  Engine::f32 toFloat(Engine::i32 i) const;
  // "true" and "false", else toInt != 0 (so a data file's wide literal stops).
  bool toBool(Engine::i32 i) const;
  const char* toString(Engine::i32 i) const { return item(i); }
  // Every item reads as a finite number (a quotient by zero such as "/" does
  // not: it reads as NaN or infinity). Never stops.
  bool allFinite() const;
  // Three items give x, y, z; one item gives all three; any other count leaves
  // the vector as it is.
  template <class Vector>
  void toVector(Vector& out) const {
    if (mItemCount == 3) {
      out.x = toFloat(0);
      out.y = toFloat(1);
      out.z = toFloat(2);
    } else if (mItemCount == 1) {
      out.x = out.y = out.z = toFloat(0);
    }
  }

  void addItem(const char* text);
  void addInt(Engine::i32 value);

  // Replaces the line: the key and no items.
  void assign(const char* key);
  // Replaces the line: the key and the text split at every ',' (a two-byte
  // character is never split; no trimming; empty pieces stay).
  void assignSplit(const char* key, const char* text);

 private:
  friend class NmlNode;
  friend class NmlParser;
  template <class T>
  friend class NmlList;

  explicit NmlAttribute(NmlArena* arena) : mArena(arena) {}
  NmlArena& arena();
  // Room for count items; the ones held so far are kept.
  void reserveItems(Engine::i32 count);
  Engine::i32 itemRoom() const;
  // A literal of a data file's item wider than 32 bits stops the program.
  void checkFits(Engine::i32 i) const;
  [[noreturn]] void stopOnItem(Engine::i32 i, const char* fault) const;

  // Kept to five words, as a parsed tree holds many lines.
  NmlAttribute* mNext = nullptr;  // the next line of the node (see NmlList)
  NmlArena* mArena = nullptr;  // the tree's, or a line's own (see NmlArena::ownedByLine)
  const char* mKey = "";
  // Texts in the arena. A parsed line's pointers follow the line itself and
  // fill their room; a room made by reserveItems has its size in the word
  // before its first pointer (see itemRoom).
  const char** mItems = nullptr;
  Engine::i32 mItemCount = 0;
  Engine::i32 mLine = 0;
};

}  // namespace Game
