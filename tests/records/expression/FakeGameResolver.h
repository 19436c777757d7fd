#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "live/Unit.h"
#include "tests/live/unit/TestGhost.h"
#include "records/expression/FunctionTable.h"
#include "records/expression/GameResolver.h"

namespace GameTest {

// A running game for expressions, set up field by field; installed for its
// lifetime.
class FakeGameResolver : public Game::ExpressionStuff::GameResolver {
 public:
  FakeGameResolver() { install(this); }
  ~FakeGameResolver() override { install(nullptr); }
  FakeGameResolver(const FakeGameResolver&) = delete;
  FakeGameResolver& operator=(const FakeGameResolver&) = delete;

  bool findInteger(const char* name, Engine::i32* out) const override {
    const auto found = integers.find(name);
    if (found != integers.end()) *out = found->second;
    return found != integers.end();
  }
  bool isFlagOn(const char* name) const override { return flags.count(name) != 0; }
  const Game::FunctionTable* functions() const override { return &table; }

  bool isActiveMember(const char* name) const override { return members.count(name) != 0; }
  Engine::i32 countTool(const char* name) const override { return lookup(tools, name); }
  Engine::i32 countToolInRoster(const char* name) const override { return lookup(rosterTools, name); }
  Engine::i32 activeMemberCount() const override { return static_cast<Engine::i32>(members.size()); }

  bool hasField() const override { return field; }
  const char* siteName() const override { return site.c_str(); }
  bool hasFloorEvent(const char* first, const char* second) const override {
    return floorEvents.count({first, second}) != 0;
  }
  bool hasSymbol(const char* name) const override { return symbolCells.count(name) != 0; }
  bool isSymbolOnCell(const char* name, Engine::i32 cell, bool entering) const override {
    const auto found = symbolCells.find(name);
    return found != symbolCells.end() && (entering ? found->second.first : found->second.second) == cell;
  }

  bool hasBattle() const override { return battle; }
  Engine::i32 turn() const override { return turnNumber; }
  Engine::i32 livingCount(Engine::i32 side) const override { return living[side]; }
  bool hasLastSpells() const override { return lastSpells; }
  const Game::Unit* findUnit(const char* name) const override {
    const auto found = units.find(name);
    return found == units.end() ? nullptr : &found->second.unit;
  }

  std::map<std::string, Engine::i32, std::less<>> integers;
  std::set<std::string, std::less<>> flags;
  Game::FunctionTable table;
  std::set<std::string> members;
  std::map<std::string, Engine::i32> tools;
  std::map<std::string, Engine::i32> rosterTools;
  bool field = false;
  std::string site;
  std::set<std::pair<std::string, std::string>> floorEvents;
  // Cell under each symbol as it enters, and as it stands.
  std::map<std::string, std::pair<Engine::i32, Engine::i32>> symbolCells;
  bool battle = false;
  Engine::i32 turnNumber = 0;
  Engine::i32 living[2] = {};
  bool lastSpells = false;
  std::map<std::string, UnitTestSupport::TestUnit, std::less<>> units;

 private:
  static Engine::i32 lookup(const std::map<std::string, Engine::i32>& counts, const char* name) {
    const auto found = counts.find(name);
    return found == counts.end() ? 0 : found->second;
  }
};

}  // namespace GameTest
