#pragma once

#include <array>

#include "live/article/Article.h"
#include "records/stats/Parameters.h"
#include "live/unit/Ghost.h"

namespace Game {

class NmlNode;
class ShellData;
class SkillTreeItem;
class SpellMemory;

// A party character, defined by a shell record: its experience, AP,
// equipment and the points the player spends on parameters and arts.
class PlayerGhost final : public Ghost {
 public:
  static constexpr Engine::i32 kSlots = 8;
  // Slots 0..2 hold weapons; abilitiesForSlot takes this for "no weapon".
  static constexpr Engine::i32 kWeaponSlots = 3;
  static constexpr Engine::i32 kNoWeapon = 8;
  static constexpr Engine::i32 kFreshMasterPoint = 30;

  PlayerGhost() { reset(); }

  // A character from its shell at an experience: level − 1 bonus points, the
  // shell's innate arts and gear, LP and AP full.
  void setUp(const ShellData& shell, Engine::i32 experience);
  // Adds both experiences (saturating). A level gained adds its bonus points
  // and one "レベルがアップ！" line; a master level its master points and one
  // "O.Lv がアップ！" line. Lines may be null.
  void gainExperience(std::vector<String>* lines, Engine::i32 experience, Engine::i32 masterExperience);
  // False when the item costs more than the master points left.
  bool learnAbility(const SkillTreeItem& item);
  // The restart after a clear: unsaleable equipment, experience, bonus and
  // learned arts go; master points come back from the master experience.
  void startNewCycle();
  // The arts selectable with the weapon of a slot (kNoWeapon: bare-handed),
  // bound to the battle when there is one.
  void abilitiesForSlot(AbilityList& out, Engine::i32 slot, const SpellMemory* battle) const;
  // Puts the article into the slot; the one it replaces comes out.
  void swapEquipment(Article& previous, const Article& article, Engine::i32 slot);
  // The base stats as they would be with every bonus value one higher: what
  // one more point in each parameter gives (the stat-boost screen).
  void gatherBoostedStats(Parameters& parameters, Engine::i32& weapon, AttackBlock& attack,
                          DefenseBlock& defense) const;
  // Bonus points the next boost of a parameter costs (PlayerGhostBoost.cpp):
  // one more for every kBoostsPerCostStep boosts it has had; 0 once it has
  // had kMaxBoosts, or for no parameter.
  static constexpr Engine::i32 kMaxBoosts = 16;
  static constexpr Engine::i32 kBoostsPerCostStep = 4;
  Engine::i32 boostCost(Engine::i32 parameter) const;
  // Spends the cost and adds 1 to the parameter's bonus; false (nothing
  // changes) when the parameter is fully boosted or the points fall short.
  bool boostParameter(Engine::i32 parameter);

  // The "ghost" save node; load trusts a node that passed the save check.
  void save(NmlNode& node) const;
  void load(const NmlNode& node);

  const ShellData* shell() const { return mShell; }
  Engine::i32 experience() const { return mExperience; }
  Engine::i32 masterExperience() const { return mMasterExperience; }
  Engine::i32 masterLevel() const;
  Engine::i32 bonusPoint() const { return mBonusPoint; }
  Engine::i32 masterPoint() const { return mMasterPoint; }
  Parameters& bonus() { return mBonus; }
  const Parameters& bonus() const { return mBonus; }
  Article& slot(Engine::i32 i) { return mEquipment[static_cast<std::size_t>(i)]; }
  const Article& slot(Engine::i32 i) const { return mEquipment[static_cast<std::size_t>(i)]; }

  Engine::i32 getLevel() const override;
  bool isEnemy() const override { return false; }
  const char* getName() const override;
  const char* getDefinitionKey() const override;
  // Its full name or its shell's name: "Kessa" still names the lead, whose
  // full name is shown, and saves written before she had one.
  bool isNamed(const char* name) const;
  const char* getAppearance() const override;
  Engine::i32 getAp(Engine::i32 tier) const override;
  void spendAp(Engine::i32 tier) override;
  const Article* getEquipment(Engine::i32 slot) const override;
  void clearEquipment(Engine::i32 slot) override;
  void useEquipment(Engine::i32 slot) override;
  Engine::i32 collectBrokenEquipment(std::vector<String>& lines) override;
  Engine::i32 getLastCommand() const override { return mLastCommand; }
  void setLastCommand(Engine::i32 command) override { mLastCommand = command; }
  bool metamorphose() override { return false; }
  const std::vector<const ToolData*>* getMaterials() const override { return nullptr; }
  Engine::i32 getMoneyReward() const override { return 0; }
  Engine::i32 getMasterExperienceReward() const override { return 0; }
  Engine::i32 getExperienceReward() const override { return 0; }
  const ToolData* dropItem() override { return nullptr; }
  const ToolData* stealItem() override { return nullptr; }
  void collectAbilities(ArtUser&) const override {}
  void describeResistances(std::vector<String>&) const override {}
  const char* getFace() const override;
  void reset() override;
  void fillAp() override;
  void clampAp(const Parameters& caps) override;
  void gatherBaseStats(Parameters& parameters, Engine::i32& weapon, AttackBlock& attack,
                       DefenseBlock& defense) const override;
  void addEquipmentStats(Parameters& parameters, Engine::i32& weapon, AttackBlock& attack, DefenseBlock& defense,
                         AbilityList& abilities, Engine::i32 weaponSlot) const override;
  float getArtLevelBonus() const override { return 0.f; }

 protected:
  void addToAp(Engine::i32 tier, Engine::i32 n) override;

 private:
  void gatherStatsWith(const Parameters& bonus, Parameters& parameters, Engine::i32& weapon, AttackBlock& attack,
                       DefenseBlock& defense) const;
  bool holdsItem(Engine::i32 i) const { return i >= 0 && i < kSlots && !slot(i).isEmpty(); }
  void appendInnateArts();

  const ShellData* mShell = nullptr;
  Engine::i32 mLastCommand = 0;
  Engine::i32 mExperience = 0;
  Engine::i32 mMasterExperience = 0;
  std::array<Engine::i32, kApTiers> mAp{};
  std::array<Article, kSlots> mEquipment{};
  Parameters mBonus;
  Engine::i32 mBonusPoint = 0;
  Engine::i32 mMasterPoint = 0;
};

}  // namespace Game
