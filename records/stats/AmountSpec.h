#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class AttackBlock;
class NmlNode;
class Unit;

// A cell of the battle: side, row (0 front) and column.
struct Place {
  Engine::i32 side = 0;
  Engine::i32 row = 0;
  Engine::i32 column = 0;
};


// How much an art, an item or an equipment attack deals or restores: a fixed
// part, shares of the target's and the attacker's life, and a status-driven
// part. Rates are written in percent and kept divided by 100.
struct AmountSpec {
  Engine::i32 statusPower = 0;
  Engine::i32 constance = 0;
  float rateMaxHP = 0.f;
  float rateCurrentHP = 0.f;
  float rateMaxLP = 0.f;
  float rateCurrentLP = 0.f;
  float myHP = 0.f;
  float myLP = 0.f;
  Engine::i32 statusIndex = 0;
  float stamina = 0.f;
  float pierce = 0.f;
  float random = 0.1f;

  // Back to the defaults, then every key present. "rateMax" and
  // "rateCurrent" set both rates of their kind and hide the single keys.
  // "status" is a status key name and a power; an unknown key name stops
  // the program naming it.
  void read(const NmlNode& node);

  // 1.0 without spread; else uniform in [1 − random, 1 + random) from the
  // game's generator.
  float randomFactor() const;
  bool hasTargetRate() const {
    return rateMaxHP != 0.f || rateMaxLP != 0.f || rateCurrentHP != 0.f || rateCurrentLP != 0.f;
  }

  // trunc of the rates applied to the target's life, at most 9999; at least 1
  // when a rate is set. `randomFactor` is passed in so callers draw once.
  Engine::i32 targetTerm(Engine::i32 maxHp, Engine::i32 maxLp, Engine::i32 hp, Engine::i32 lp,
                         float randomFactor) const;
  // trunc(hp × myHP + lp × myLP) of the attacker's current life.
  Engine::i32 myTerm(Engine::i32 hp, Engine::i32 lp) const;

  // What an attack of this spec deals the target (or restores): each
  // product in single precision, truncated at once; never negative. hit is
  // false when the target is immune to a flag of the attack. type: 0
  // attack, 1 support; range 1 melee; area 5 circle around aimPlace;
  // halveTypeDefense halves the target's type defence once more.
  void compute(bool& hit, Engine::i32& amount, Engine::i32 type, Engine::i32 range, const Unit& attacker,
               const AttackBlock& flags, const Unit& target, bool halveTypeDefense, Engine::i32 area,
               const Place& aimPlace) const;
  // The status-driven part of compute.
  Engine::i32 statusTerm(Engine::i32 type, const Unit& attacker, const AttackBlock& flags, const Unit& target,
                         bool halveTypeDefense) const;
};

// The attacker's support abilities raise the damage types and elements of
// an attack they help: the product of their bonuses over its flags.
float supportFactor(const Unit& attacker, const AttackBlock& flags);

// Across sides the rows count from the front line between them.
float placeDistance(const Place& a, const Place& b);

}  // namespace Game
