#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class NmlNode;

// The 12 parameters of a unit in the order of the constants' parameter
// names: the HP and LP maxima, the three AP maxima and the seven attributes.
class Parameters {
 public:
  static constexpr Engine::i32 kCount = 12;
  enum Index : Engine::i32 {
    kHp, kLp, kAp1, kAp2, kAp3, kStrength, kDexterity, kIntellect, kAgility, kVitality, kSpirit, kPsyche
  };

  void clear();
  void add(const Parameters& other);
  // Every parameter name present is read as an int; the others become 0.
  void read(const NmlNode& node);
  // One line per parameter name, in table order.
  void write(NmlNode& node) const;

  Engine::i32& operator[](Engine::i32 i) { return mValues[i]; }
  Engine::i32 operator[](Engine::i32 i) const { return mValues[i]; }
  // By parameter name; 0 for a name that is not one.
  Engine::i32 value(const char* name) const;
  bool operator==(const Parameters& other) const = default;

 private:
  Engine::i32 mValues[kCount] = {};
};

// The 10 status values derived from the parameters, in the order of the
// constants' status keys.
class StatusBlock {
 public:
  static constexpr Engine::i32 kCount = 10;
  enum Index : Engine::i32 {
    kWeapon, kDefense, kMagicDefense, kAttack, kDexterity, kMagic, kSpeed, kResist, kCharisma, kPsycho
  };
  // The lowest Psycho a derivation leaves; every other value stops at 0.
  static constexpr Engine::i32 kMinPsycho = -256;

  void clear();
  // Weapon 0 (the unit adds its weapon afterwards); the rest from the
  // parameters in integer arithmetic.
  void derive(const Parameters& parameters);

  Engine::i32& operator[](Engine::i32 i) { return mValues[i]; }
  Engine::i32 operator[](Engine::i32 i) const { return mValues[i]; }
  // By status key; 0 for a name that is not one.
  Engine::i32 value(const char* name) const;

 private:
  Engine::i32 mValues[kCount] = {};
};

// trunc(cbrt(a × b × c) × 1.1) of three attributes: the product is taken in
// 64 bits, and one that boosts made negative counts as 0.
Engine::i32 cubeRootStatus(Engine::i32 a, Engine::i32 b, Engine::i32 c);

// An item's equipment strength: the first three status values.
struct Performance {
  Engine::i32 weapon = 0;
  Engine::i32 defense = 0;
  Engine::i32 magicDefense = 0;

  void clear() { *this = Performance{}; }
  // "weapon" (one int) and "protector" (defense, magic defense).
  void read(const NmlNode& node);
  // Each value × scale truncated; a positive value stays at least 1.
  Performance scaled(float scale) const;
  // 64 bits: three values of data can overflow an int together.
  Engine::i64 sum() const;
  bool operator==(const Performance& other) const = default;
};

}  // namespace Game
