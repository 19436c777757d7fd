#pragma once

#include <string>
#include <vector>

#include "Engine/Base/Types.h"

namespace Game {

class NmlNode;

// One enemy group a random battle can bring: races spawned in battle and
// enemies placed on fixed cells, with the group's weight among the others.
struct EncounterGroup {
  struct Member {
    std::string enemy;
    // The formation cell the enemy takes.
    Engine::i32 row = 0;
    Engine::i32 column = 0;
  };

  std::vector<std::string> races;
  std::vector<Member> members;
  Engine::f32 priority = 100.0f;
  // Level offset of the spawned races.
  Engine::f32 rank = 0.0f;
  Engine::f32 backAttack = 1.0f;
  Engine::f32 forestall = 1.0f;

  void read(const NmlNode& node);
};

// The enemy groups of a site or a floor, read from an "encounter" node. With
// "none" the table stays empty and never starts a battle.
class EncounterTable {
 public:
  void load(const NmlNode& node);

  const std::vector<EncounterGroup>& groups() const { return mGroups; }
  bool isEmpty() const { return mGroups.empty(); }
  // Steps scale: 1 is the ordinary rate.
  Engine::f32 frequency() const { return mFrequency; }
  // The battle's scene (picture set) name; "" for the default.
  const char* scene() const { return mScene.c_str(); }

 private:
  std::vector<EncounterGroup> mGroups;
  Engine::f32 mFrequency = 1.0f;
  std::string mScene;
};

}  // namespace Game
