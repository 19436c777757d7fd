#pragma once

#include "records/stats/Parameters.h"
#include "live/unit/Ghost.h"

namespace Game {

class EnemyData;

// An enemy for one battle, defined by an enemy record at a level.
class EnemyGhost final : public Ghost {
 public:
  EnemyGhost() { reset(); }

  // The enemy at a level value (the game's enemy level, normally 0 to 1)
  // and a rank, the levels added to or taken from what the value gives
  // (EnemyData::levelAt): its level and parameters from its record, HP and
  // LP maxima scaled, its passive arts grown to its level; LP full.
  void setUp(const EnemyData& enemy, float levelValue, Engine::i32 rank, float scale);

  const EnemyData* record() const { return mEnemy; }
  const Parameters& parameters() const { return mParameters; }
  float scale() const { return mScale; }
  bool hasItem() const { return mHasItem; }

  Engine::i32 getLevel() const override { return mLevel; }
  bool isEnemy() const override { return true; }
  const char* getName() const override;
  const char* getDefinitionKey() const override;
  const char* getAppearance() const override;
  // Enemies never run out of AP.
  Engine::i32 getAp(Engine::i32) const override { return 0x7fffff; }
  void spendAp(Engine::i32) override {}
  const Article* getEquipment(Engine::i32) const override { return nullptr; }
  void clearEquipment(Engine::i32) override {}
  void useEquipment(Engine::i32) override {}
  Engine::i32 collectBrokenEquipment(std::vector<String>&) override { return 0; }
  Engine::i32 getLastCommand() const override { return 0; }
  void setLastCommand(Engine::i32) override {}
  bool metamorphose() override;
  const std::vector<const ToolData*>* getMaterials() const override;
  Engine::i32 getMoneyReward() const override;
  Engine::i32 getMasterExperienceReward() const override;
  Engine::i32 getExperienceReward() const override;
  const ToolData* dropItem() override;
  const ToolData* stealItem() override;
  void collectAbilities(ArtUser& user) const override;
  void describeResistances(std::vector<String>& lines) const override;
  const char* getFace() const override;
  void reset() override;
  void fillAp() override {}
  void clampAp(const Parameters&) override {}
  void gatherBaseStats(Parameters& parameters, Engine::i32& weapon, AttackBlock& attack,
                       DefenseBlock& defense) const override;
  void addEquipmentStats(Parameters&, Engine::i32&, AttackBlock&, DefenseBlock&, AbilityList&,
                         Engine::i32) const override {}
  float getArtLevelBonus() const override;

 private:
  // The parameters sorted from largest to smallest.
  std::array<Engine::i32, Parameters::kCount> sortedParameters() const;

  const EnemyData* mEnemy = nullptr;
  Parameters mParameters;
  Engine::i32 mLevel = 1;
  float mScale = 1.f;
  bool mHasItem = true;
};

}  // namespace Game
