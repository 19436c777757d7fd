#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "core/string/String.h"
#include "records/ability/AbilityList.h"
#include "records/stats/AttackBlock.h"
#include "records/stats/DefenseBlock.h"
#include "records/stats/Flags.h"
#include "records/stats/Parameters.h"

namespace Game {

class NmlNode;
class StateTable;
class TextWriter;

// An item or a piece of equipment: a "tool" node of the tool table. Found by
// its full name, which defaults to its name; the name keys the item's
// "onSale." and "materials." variables.
class ToolData {
 public:
  ToolData() = default;
  ToolData(const char* name, const char* fullName);

  // "name", "icon" and "price" are required: a missing one stops the
  // program naming the key. States the attack names must be in the table.
  void read(const NmlNode& node, const StateTable& states);
  // The arts it grants ("arts", "passiveArts", "throw"): read once the
  // ability table is loaded, since the entries name its arts.
  void readArts(const NmlNode& node);

  const char* name() const { return text(mName); }
  const char* fullName() const { return text(mFullName); }
  // The name shown to the player.
  const char* displayName() const { return fullName(); }
  const char* help() const { return text(mHelp); }
  // The name of the script using the item runs; "" for an item not used.
  const char* script() const { return text(mScript); }
  // "src/data/tool/" + that name + ".txt".
  void scriptPath(String& out) const;
  const char* icon() const { return text(mIcon); }

  Engine::i32 price() const { return mPrice; }
  // What a shop pays: a quarter of the price, at least 1 for a priced item.
  Engine::i32 sellValue() const;
  // Full uses; 1 for an item without durability.
  Engine::i32 energy() const { return mEnergy; }
  bool hasDurability() const { return mHasDurability; }

  const Performance& performance() const { return mPerformance; }
  // The performance at a condition factor; a positive value stays at least 1.
  Performance scaledStatus(float scale) const { return mPerformance.scaled(scale); }
  const Parameters& status() const { return mStatus; }
  const AttackBlock& attack() const { return mAttack; }
  const DefenseBlock& defense() const { return mDefense; }
  Engine::i32 slotMask() const { return mSlotMask; }
  const ArtsSystem& artsSystem() const { return mArtsSystem; }
  // Arts granted while equipped, passives, and the art of a throw (an
  // empty list when it cannot be thrown).
  const AbilityList& arts() const { return mArts; }
  const AbilityList& passiveArts() const { return mPassiveArts; }
  const AbilityList& throwArt() const { return mThrowArt; }

  // The equipment description at (x, y): the full name (light red when it
  // has one use left), the performance scaled by scale, the uses, the help.
  void drawSpec(TextWriter& writer, float x, float y, Engine::i32 uses, float scale) const;
  // The same through the scene renderer's writer.
  void drawSpec(float x, float y, Engine::i32 uses, float scale) const;

  // Whether the character of that shell name may use it: anyone when the
  // list is empty.
  bool isUsableBy(const char* shellName) const;

  // Direct set-up for records made in code.
  void setPrice(Engine::i32 price) { mPrice = price; }
  void setEnergy(Engine::i32 energy);
  void setPerformance(const Performance& performance) { mPerformance = performance; }
  Parameters& status() { return mStatus; }
  AttackBlock& attack() { return mAttack; }
  DefenseBlock& defense() { return mDefense; }

 private:
  static const char* text(const String& s) { return s.c_str() ? s.c_str() : ""; }

  String mName;
  String mFullName;
  String mHelp;
  String mScript;
  String mIcon;
  Engine::i32 mPrice = 0;
  Engine::i32 mEnergy = 1;
  bool mHasDurability = false;
  Performance mPerformance;
  Parameters mStatus;
  AttackBlock mAttack;
  DefenseBlock mDefense;
  Engine::i32 mSlotMask = 0;
  ArtsSystem mArtsSystem;
  std::vector<String> mShells;
  AbilityList mArts;
  AbilityList mPassiveArts;
  AbilityList mThrowArt;
};

}  // namespace Game
