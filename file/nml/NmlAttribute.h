#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class NmlParser;

// One value line of an nml node: a key and its comma-separated items, in
// order. The key and every item live in one allocation (item starts, then the
// zero-terminated texts), so a line costs a single heap block however many
// items it holds. Items are never trimmed; empty items stay.
class NmlAttribute {
 public:
  NmlAttribute() = default;
  ~NmlAttribute();
  NmlAttribute(const NmlAttribute&) = delete;
  NmlAttribute& operator=(const NmlAttribute&) = delete;

  const char* key() const;
  Engine::i32 itemCount() const { return mItemCount; }
  // A negative index reads item 0; an index past the last item reads "".
  const char* item(Engine::i32 i) const;

  Engine::i32 toInt(Engine::i32 i) const;
  Engine::f32 toFloat(Engine::i32 i) const;
  // "true" and "false", else the number's value != 0.
  bool toBool(Engine::i32 i) const;
  const char* toString(Engine::i32 i) const { return item(i); }
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
  friend class NmlParser;

  // The key is key[0, keyLength); with hasItems, the items are
  // items[0, itemsLength) cut at the positions in cuts (separator bytes,
  // ascending), else the line has no items.
  void build(const char* key, Engine::i32 keyLength, bool hasItems, const char* items, Engine::i32 itemsLength,
             const Engine::i32* cuts, Engine::i32 cutCount);
  const char* textBase() const;
  void release();

  Engine::i32* mBlock = nullptr;  // mItemCount item offsets, then the texts
  Engine::i32 mItemCount = 0;
  Engine::i32 mTextSize = 0;  // bytes of the texts, terminators included
};

}  // namespace Game
