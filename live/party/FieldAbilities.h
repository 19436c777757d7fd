#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class AbilityList;

// What the living members' abilities do outside battle, read by name.
struct FieldAbilities {
  bool hide = false;
  bool sneak = false;
  Engine::i32 clairvoyance = 0;
  Engine::i32 lockpicking = 0;
  float encounterAvoidance = 0.f;
  float ambushFactor = 1.f;
  float backAttackFactor = 1.f;
  float forestallFactor = 1.f;
  bool dash = false;
  Engine::i32 luck = 0;
  bool merchant = false;

  void read(const AbilityList& abilities);
};

}  // namespace Game
