#pragma once

#include "Engine/Base/Types.h"
#include "core/string/String.h"

namespace Game {

class NmlNode;
class Parameters;

// One state a unit can hold (poison, sleep, a status boost...): a "state"
// node of the state table. States are also addressed by their position in
// the table, and units keep one level per state.
class StateData {
 public:
  enum Type : Engine::i32 { kStatusUp = 0, kStatusDown = 1, kOther = 2 };

  StateData() = default;
  explicit StateData(const char* name) : mName(name) {}

  // "name" is required (a missing one stops the program naming the node);
  // every other key keeps its default when absent. "parameter" is read only
  // along with "type".
  void read(const NmlNode& node);

  const char* name() const { return mName.c_str() ? mName.c_str() : ""; }
  bool is(const char* name) const;
  Engine::i32 timer() const { return mTimer; }
  Engine::i32 vanish() const { return mVanish; }
  Engine::i32 overWrite() const { return mOverWrite; }
  bool isHarmful() const { return mHarm; }
  bool isCritical() const { return mCritical; }
  Type type() const { return mType; }
  Engine::i32 parameter() const { return mParameter; }

  // A status-up state adds 8 to its parameter, a status-down one takes 8.
  void applyTo(Parameters& parameters) const;

  void setCritical(bool critical) { mCritical = critical; }
  void setHarmful(bool harm) { mHarm = harm; }
  void setType(Type type, Engine::i32 parameter) {
    mType = type;
    mParameter = parameter;
  }

 private:
  String mName;
  Engine::i32 mTimer = 0;
  Engine::i32 mVanish = 0;
  Engine::i32 mOverWrite = 0;
  bool mHarm = false;
  bool mCritical = false;
  Type mType = kOther;
  Engine::i32 mParameter = 0;
};

}  // namespace Game
