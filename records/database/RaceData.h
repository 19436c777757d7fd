#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "core/string/String.h"

namespace Game {

class EnemyData;
class NmlNode;

// A race of enemies: its members, its field symbol and the way its symbols
// move and sense the party.
class RaceData {
 public:
  enum Sense : Engine::i32 { kSight = 0, kHearing = 1, kSixthSense = 2 };
  struct Pattern {
    float passiveSpeed = 0.f;
    float activeSpeed = 0.f;
    Engine::i32 activeTime = 0;
    float senseRange = 0.f;
  };

  // Members must be enemies of the table: an unknown one is a data error.
  void read(const NmlNode& node);

  const char* name() const { return text(mName); }
  const std::vector<const EnemyData*>& members() const { return mMembers; }
  const char* symbol() const { return text(mSymbol); }
  const std::vector<Pattern>& patterns() const { return mPatterns; }
  Engine::i32 sense() const { return mSense; }
  // The races a battle spawn draws from: this one and the next two of the
  // ring; empty when the ring does not name it.
  const std::vector<const RaceData*>& spawnRaces() const { return mSpawnRaces; }
  void setSpawnRaces(std::vector<const RaceData*> races) { mSpawnRaces = std::move(races); }

 private:
  static const char* text(const String& s) { return s.c_str() ? s.c_str() : ""; }

  String mName;
  std::vector<const EnemyData*> mMembers;
  String mSymbol;
  std::vector<Pattern> mPatterns;
  Engine::i32 mSense = kSight;
  std::vector<const RaceData*> mSpawnRaces;
};

}  // namespace Game
