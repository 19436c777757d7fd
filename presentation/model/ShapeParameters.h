#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class NmlAttribute;
class NmlNode;

// The keys of a shape, read from the model node's "parameter" child (or from
// nowhere when it has none: every default then holds). A key the shape
// cannot do without is asked for with `required`; the first one missing, the
// first float read that is not a finite number and the first count out of
// range are remembered so that the node can be refused by name.
class ShapeParameters {
 public:
  explicit ShapeParameters(const NmlNode* node) : mNode(node) {}

  const NmlNode* node() const { return mNode; }
  const NmlAttribute* find(const char* key, Engine::i32 index = 0) const;
  Engine::i32 count(const char* key) const;

  float readFloat(const char* key, float fallback);
  // Item `index` of a line, noting the key when it is not a finite number.
  float readFloat(const NmlAttribute& line, Engine::i32 index);
  Engine::i32 readInt(const char* key, Engine::i32 fallback) const;
  bool readBool(const char* key, bool fallback) const;
  // Read as an integer, true when not 0.
  bool readFlag(const char* key, bool fallback) const;
  const char* readString(const char* key, const char* fallback) const;

  // The line, or null after noting the key as missing.
  const NmlAttribute* required(const char* key, Engine::i32 index = 0);
  // Notes a key or child as missing (the first one noted is kept).
  void noteMissing(const char* key) {
    if (!mMissingKey) {
      mMissingKey = key;
    }
  }
  const char* missingKey() const { return mMissingKey; }
  const char* notFiniteKey() const { return mNotFiniteKey; }

  // Notes a key whose value no shape can be built from (the first is kept).
  void noteOutOfRange(const char* key) {
    if (!mOutOfRangeKey) {
      mOutOfRangeKey = key;
    }
  }
  const char* outOfRangeKey() const { return mOutOfRangeKey; }

 private:
  const NmlNode* mNode;
  const char* mMissingKey = nullptr;
  const char* mNotFiniteKey = nullptr;
  const char* mOutOfRangeKey = nullptr;
};

}  // namespace Game
