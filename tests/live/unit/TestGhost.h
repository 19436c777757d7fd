#pragma once

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "live/Unit.h"
#include "records/stats/AttackBlock.h"
#include "records/stats/DefenseBlock.h"
#include "live/unit/Ghost.h"
#include "tests/live/unit/FakeBattleServices.h"

namespace UnitTestSupport {

// A ghost whose level, parameters and defence are set directly, for tests
// of what reads units (expressions, action trees).
class TestGhost final : public Game::Ghost {
 public:
  TestGhost() {
    caps[Game::Parameters::kHp] = 100;
    caps[Game::Parameters::kLp] = 100;
    defense.clear();
  }

  Engine::i32 getLevel() const override { return levelValue; }
  bool isEnemy() const override { return enemy; }
  const char* getName() const override { return "test"; }
  const char* getDefinitionKey() const override { return "test"; }
  const char* getAppearance() const override { return appearance; }
  Engine::i32 getAp(Engine::i32 tier) const override {
    return tier >= 0 && tier < kApTiers ? ap[static_cast<std::size_t>(tier)] : 0;
  }
  void spendAp(Engine::i32) override {}
  const Game::Article* getEquipment(Engine::i32 slot) const override {
    return slot == equipmentSlot ? equipment : nullptr;
  }
  void clearEquipment(Engine::i32) override {}
  void useEquipment(Engine::i32 slot) override { usedSlots.push_back(slot); }
  Engine::i32 collectBrokenEquipment(std::vector<Game::String>&) override { return 0; }
  Engine::i32 getLastCommand() const override { return 0; }
  void setLastCommand(Engine::i32) override {}
  // A new form comes with full LP, as a successor record's set-up gives.
  bool metamorphose() override {
    if (std::exchange(changesForm, false)) {
      setLp(kFull);
      return true;
    }
    return false;
  }
  const std::vector<const Game::ToolData*>* getMaterials() const override { return nullptr; }
  Engine::i32 getMoneyReward() const override { return 0; }
  Engine::i32 getMasterExperienceReward() const override { return 0; }
  Engine::i32 getExperienceReward() const override { return 0; }
  const Game::ToolData* dropItem() override { return nullptr; }
  const Game::ToolData* stealItem() override { return std::exchange(loot, nullptr); }
  void collectAbilities(Game::ArtUser&) const override {}
  void describeResistances(std::vector<Game::String>&) const override {}
  const char* getFace() const override { return ""; }
  void reset() override {}
  void fillAp() override {}
  void clampAp(const Game::Parameters&) override {}
  void gatherBaseStats(Game::Parameters& parameters, Engine::i32& weapon, Game::AttackBlock& attack,
                       Game::DefenseBlock& out) const override {
    parameters = caps;
    weapon = weaponValue;
    attack.clear();
    out = defense;
  }
  void addEquipmentStats(Game::Parameters&, Engine::i32&, Game::AttackBlock&, Game::DefenseBlock&,
                         Game::AbilityList&, Engine::i32) const override {}
  float getArtLevelBonus() const override { return 0.f; }

  void setLpValue(Engine::i32 lp) { setLp(lp); }

  Engine::i32 levelValue = 1;
  Engine::i32 weaponValue = 0;
  std::array<Engine::i32, kApTiers> ap{};
  // The one article the ghost holds, in its slot; the slots it wore.
  const Game::Article* equipment = nullptr;
  Engine::i32 equipmentSlot = -1;
  std::vector<Engine::i32> usedSlots;
  // Answered once each.
  bool changesForm = false;
  const Game::ToolData* loot = nullptr;
  bool enemy = false;
  // The unit picture's name.
  const char* appearance = "";
  Game::Parameters caps;
  Game::DefenseBlock defense;
};

// A battle unit over its own test ghost in a fake battle, life set directly.
struct TestUnit {
  // HP and LP with their maxima; the unit is rebuilt over the ghost.
  void setLife(Engine::i32 hp, Engine::i32 lp, Engine::i32 maxHp, Engine::i32 maxLp) {
    ghost.caps[Game::Parameters::kHp] = maxHp;
    ghost.caps[Game::Parameters::kLp] = maxLp;
    ghost.setLpValue(lp);
    unit.recompute();
    unit.life().setHp(hp);
  }

  // Damage of the previous turn, HP and LP left as they were.
  void setPreviousTurnDamage(Engine::i32 damage) {
    const Engine::i32 hp = unit.life().hp();
    unit.life().setHp(Game::Ghost::kFull);
    unit.life().takeDamage(damage);
    unit.life().endTurn();
    unit.life().setHp(hp);
  }

  TestGhost ghost;
  BattleTestSupport::FakeBattleServices battle;
  Game::Unit unit{ghost, &battle};
};

}  // namespace UnitTestSupport
