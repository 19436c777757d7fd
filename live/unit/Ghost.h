#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "core/string/String.h"
#include "records/ability/AbilityHosts.h"
#include "records/ability/AbilityList.h"

namespace Game {

class ArtUser;
class Article;
class AttackBlock;
class DefenseBlock;
class GameData;
class Parameters;
class ToolData;

// A unit that lasts between battles: a party character or an enemy. A
// battle wraps it in a Unit, which derives its fighting values through the
// operations below. LP and AP stay within the maxima of the derived
// parameters after every change (see clampToDerivedCaps).
class Ghost : public GhostLevel {
 public:
  // What stands for "full" until a clamp brings a value down to its maximum.
  static constexpr Engine::i32 kFull = 0x7fffffff;
  static constexpr Engine::i32 kApTiers = 3;

  ~Ghost() override = default;
  Ghost(const Ghost&) = delete;
  Ghost& operator=(const Ghost&) = delete;

  virtual Engine::i32 getLevel() const = 0;
  virtual bool isEnemy() const = 0;
  // The name shown to the player.
  virtual const char* getName() const = 0;
  // The definition record's key, which finds it again: the shell's or the
  // enemy's full name.
  virtual const char* getDefinitionKey() const = 0;
  // The unit picture's name; empty when there is none.
  virtual const char* getAppearance() const = 0;
  virtual Engine::i32 getAp(Engine::i32 tier) const = 0;
  virtual void spendAp(Engine::i32 tier) = 0;
  // Null outside 0..7 and for an empty slot.
  virtual const Article* getEquipment(Engine::i32 slot) const = 0;
  virtual void clearEquipment(Engine::i32 slot) = 0;
  virtual void useEquipment(Engine::i32 slot) = 0;
  // Empties every used-up slot, adding "<item>が壊れた" per slot; the count
  // of lines added.
  virtual Engine::i32 collectBrokenEquipment(std::vector<String>& lines) = 0;
  virtual Engine::i32 getLastCommand() const = 0;
  virtual void setLastCommand(Engine::i32 command) = 0;
  // Becomes the successor its record names when that one's condition holds.
  virtual bool metamorphose() = 0;
  virtual const std::vector<const ToolData*>* getMaterials() const = 0;
  virtual Engine::i32 getMoneyReward() const = 0;
  virtual Engine::i32 getMasterExperienceReward() const = 0;
  virtual Engine::i32 getExperienceReward() const = 0;
  virtual const ToolData* dropItem() = 0;
  virtual const ToolData* stealItem() = 0;
  // The arts the unit may choose from this turn.
  virtual void collectAbilities(ArtUser& user) const = 0;
  // Appends a line per resistance, which the battle shows as messages.
  virtual void describeResistances(std::vector<String>& lines) const = 0;
  // The face picture's name; empty when there is none.
  virtual const char* getFace() const = 0;
  virtual void reset() = 0;
  virtual void fillAp() = 0;
  virtual void clampAp(const Parameters& caps) = 0;
  // The ghost's own parameters, weapon value, attack and defence, set anew.
  virtual void gatherBaseStats(Parameters& parameters, Engine::i32& weapon, AttackBlock& attack,
                               DefenseBlock& defense) const = 0;
  // What the equipment adds to them; weaponSlot −1 uses no weapon.
  virtual void addEquipmentStats(Parameters& parameters, Engine::i32& weapon, AttackBlock& attack,
                                 DefenseBlock& defense, AbilityList& abilities, Engine::i32 weaponSlot) const = 0;
  float getArtLevelBonus() const override = 0;

  // GhostLevel: arts grow with the ghost's level.
  Engine::i32 level() const override { return getLevel(); }

  const AbilityList& abilities() const { return mAbilities; }
  AbilityList& abilities() { return mAbilities; }
  Engine::i32 lp() const { return mLp; }
  // The battle's life record works on the ghost's LP directly.
  Engine::i32& lpRef() { return mLp; }

  // LP full, then reset.
  void resetAll();
  // LP and AP full, then clamped to the derived maxima.
  void restoreFull();
  void clampToCaps(const Parameters& caps);
  // Derives the parameters through a battle unit without a battle and clamps
  // LP and AP to them.
  void clampToDerivedCaps();
  // A positive n is added to every tier (or to LP), saturating; then clamped.
  void addAp(Engine::i32 n);
  void addLp(Engine::i32 n);
  // Base stats, then equipment, then the ghost's own abilities appended.
  void computeStats(Parameters& parameters, Engine::i32& weapon, AttackBlock& attack, DefenseBlock& defense,
                    AbilityList& abilities, Engine::i32 weaponSlot) const;

  // The compact status sheet (StatusSheet.cpp): the name, then the rows the
  // mode's bits pick (StatusSheet::kLevelRow ...). Its top-left corner is
  // (x, y); the model stands in its first 64 units, the table after them.
  void drawSheet(float x, float y, bool frame, bool background, Engine::i32 mode) const;
  void measureSheet(float* width, float* height, Engine::i32 mode) const;
  // The appearance in a small view at (x, y): "down" without LP, else
  // "stand"; nothing without a picture.
  void drawModel(float x, float y) const;
  // The face picture beside the message box on that side (0 left, mirrored
  // to look inward; 1 right); nothing for a ghost without a face.
  void drawFace(Engine::i32 side) const;

 protected:
  Ghost() = default;
  void setLp(Engine::i32 lp) { mLp = lp; }
  // Adds n to one AP tier, saturating; enemies keep no AP.
  virtual void addToAp(Engine::i32, Engine::i32) {}

  AbilityList mAbilities;
  Engine::i32 mLp = kFull;
};

// a + b without wrapping past the int range.
Engine::i32 saturatingAdd(Engine::i32 a, Engine::i32 b);

}  // namespace Game
