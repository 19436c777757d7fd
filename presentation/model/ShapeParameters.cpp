#include "presentation/model/ShapeParameters.h"


#include "core/file/nml/NmlNode.h"

namespace Game {

const NmlAttribute* ShapeParameters::find(const char* key, Engine::i32 index) const {
  return mNode ? mNode->findAttribute(key, index) : nullptr;
}

Engine::i32 ShapeParameters::count(const char* key) const { return mNode ? mNode->countAttributes(key) : 0; }

float ShapeParameters::readFloat(const char* key, float fallback) {
  const NmlAttribute* line = find(key);
  return line ? readFloat(*line, 0) : fallback;
}

// A line that is not finite is only named (the node is refused), never read:
// a number of a data file that is not finite stops the program.
float ShapeParameters::readFloat(const NmlAttribute& line, Engine::i32 index) {
  if (!line.allFinite()) {
    mNotFiniteKey = mNotFiniteKey ? mNotFiniteKey : line.key();
    return 0.f;
  }
  return line.toFloat(index);
}


Engine::i32 ShapeParameters::readInt(const char* key, Engine::i32 fallback) const {
  const NmlAttribute* line = find(key);
  return line ? line->toInt(0) : fallback;
}

bool ShapeParameters::readBool(const char* key, bool fallback) const {
  const NmlAttribute* line = find(key);
  return line ? line->toBool(0) : fallback;
}

bool ShapeParameters::readFlag(const char* key, bool fallback) const {
  const NmlAttribute* line = find(key);
  return line ? line->toInt(0) != 0 : fallback;
}

const char* ShapeParameters::readString(const char* key, const char* fallback) const {
  const NmlAttribute* line = find(key);
  return line ? line->toString(0) : fallback;
}

const NmlAttribute* ShapeParameters::required(const char* key, Engine::i32 index) {
  const NmlAttribute* line = find(key, index);
  if (!line) {
    noteMissing(key);
  }
  return line;
}

}  // namespace Game
