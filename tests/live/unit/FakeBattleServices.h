#pragma once

#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "live/unit/BattleServices.h"
#include "live/Unit.h"
#include "records/database/ToolData.h"

namespace BattleTestSupport {

// A battle that answers a unit's questions from plain fields and records
// what the unit asks it to show.
class FakeBattleServices final : public Game::BattleServices {
 public:
  const Game::Ability* lastSpell() const override { return spell; }
  Engine::i32 unitCount() const override { return static_cast<Engine::i32>(units.size()); }
  Game::Unit* unitAt(Engine::i32 i) const override { return units[static_cast<std::size_t>(i)]; }
  Engine::i32 energy(Engine::i32 side) const override { return energies[side & 1]; }
  void setEnergy(Engine::i32 side, Engine::i32 value) override { energies[side & 1] = value; }
  Engine::i32 guardMode(Engine::i32 side) const override { return guards[side & 1]; }
  void setGuardMode(Engine::i32 side, Engine::i32 mode) override {
    guardSides.push_back(side);
    guards[side & 1] = mode;
  }
  bool isTimeStopped() const override { return timeStopped; }
  void addFormationParameters(const Game::Unit&, Game::Parameters& parameters) const override {
    parameters.add(formation);
  }
  void addSynchroBonus(const Game::Unit&, Game::AbilityList&, Game::Parameters& parameters, Game::AttackBlock&,
                       Game::DefenseBlock&) const override {
    parameters.add(synchro);
  }
  bool isStacked(Engine::i32 side, Engine::i32 row, Engine::i32 column) const override {
    return stacked.count(std::make_tuple(side, row, column)) != 0;
  }
  void collectReachable(const Game::Unit&, const Game::Ability&, std::vector<Game::Unit*>& out) const override {
    out.insert(out.end(), reachable.begin(), reachable.end());
  }
  void gainItem(const Game::ToolData& item) override { gained.emplace_back(item.name()); }
  void pushMessage(const char* text) override { messages.emplace_back(text); }
  void describeResistances(const Game::Unit&) override { messages.emplace_back("resistances"); }
  Game::SceneNodePool* scenePool() override { return pool; }
  void unitShown(Game::Unit&, Game::UnitPose pose) override { poses.push_back(pose); }
  void centerCamera(const Game::Unit&) override { ++cameraCentred; }

  // Null: the units have no scene nodes.
  Game::SceneNodePool* pool = nullptr;
  std::vector<Game::Unit*> units;
  std::vector<Game::Unit*> reachable;
  Engine::i32 energies[2] = {0, 0};
  Engine::i32 guards[2] = {0, 0};
  // The sides named to setGuardMode, as given.
  std::vector<Engine::i32> guardSides;
  bool timeStopped = false;
  Game::Parameters formation;
  Game::Parameters synchro;
  const Game::Ability* spell = nullptr;
  std::set<std::tuple<Engine::i32, Engine::i32, Engine::i32>> stacked;
  std::vector<std::string> gained;
  std::vector<std::string> messages;
  std::vector<Game::UnitPose> poses;
  Engine::i32 cameraCentred = 0;
};

}  // namespace BattleTestSupport
