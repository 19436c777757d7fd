#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "battle/Battle.h"
#include "running/game/GameData.h"
#include "core/random/RandomGenerator.h"
#include "live/party/FieldAbilities.h"
#include "field/Symbol.h"
#include "field/SymbolField.h"
#include "map/Map.h"
#include "records/database/EncounterTable.h"
#include "records/database/MapPictureSet.h"
#include "tests/map/MapTestSupport.h"

namespace FieldTestSupport {

// A floor of W x H flat cells for symbols, with walls, values and occupants
// set by the test, recording what the symbols report.
class FakeSymbolField final : public Game::Field::SymbolField {
 public:
  FakeSymbolField(Game::GameData& game, Engine::i32 width, Engine::i32 height) : mGame(game) {
    mMap.build(MapTestSupport::grid(width, height, &pictures.chip()));
  }
  void rebuild(const Game::FloorSpecGrid& specs) { mMap.build(specs); }

  void wall(Engine::i32 x, Engine::i32 y) { mWalls.insert({x, y}); }
  void setValue(Engine::i32 x, Engine::i32 y, Engine::i32 value) { mValues[{x, y}] = value; }
  void add(Game::Field::Symbol& symbol) { mSymbols.push_back(&symbol); }
  void setPlayer(Game::Field::Symbol* player) { mPlayer = player; }

  const Game::Map& map() const override { return mMap; }
  bool mayEnter(const Game::Field::Symbol&, Engine::i32 x, Engine::i32 y, bool hop) const override {
    return hop || mWalls.count({x, y}) == 0;
  }
  Game::Field::Symbol* symbolAt(Engine::i32 x, Engine::i32 y, const Game::Field::Symbol* except) override {
    for (Game::Field::Symbol* symbol : mSymbols) {
      if (symbol != except && symbol->x() == x && symbol->y() == y) {
        return symbol;
      }
    }
    return nullptr;
  }
  void reportContact(Game::Field::Symbol& mover, Game::Field::Symbol& other) override {
    contacts.push_back(mover.name() + "-" + other.name());
  }
  Engine::i32 valueAt(Engine::i32 x, Engine::i32 y) const override {
    const auto found = mValues.find({x, y});
    return found == mValues.end() ? 0 : found->second;
  }
  Game::Field::Symbol* player() override { return mPlayer; }
  void say(const char* face, const char* text) override { lines.push_back(std::string(face ? face : "-") + ":" + text); }
  void startEncounter(std::unique_ptr<Game::Battle> battle) override { battles.push_back(std::move(battle)); }
  Game::GameData& game() override { return mGame; }
  const Game::FieldAbilities& fieldAbilities() const override { return abilities; }
  Game::RandomGenerator& random() override { return rng; }
  Game::SceneNodePool* nodes() override { return nullptr; }
  const char* floorName() const override { return "b1"; }
  float floorLevel() const override { return level; }
  const Game::EncounterTable& encounterTable() const override { return table; }

  std::vector<std::string> contacts;
  std::vector<std::string> lines;
  std::vector<std::unique_ptr<Game::Battle>> battles;
  Game::RandomGenerator rng{7};
  float level = 3.f;
  Game::FieldAbilities abilities;
  MapTestSupport::Pictures pictures;
  Game::EncounterTable table;

 private:
  Game::GameData& mGame;
  Game::MapPictureSet mNone;
  Game::Map mMap{mNone};
  std::set<std::pair<Engine::i32, Engine::i32>> mWalls;
  std::map<std::pair<Engine::i32, Engine::i32>, Engine::i32> mValues;
  std::vector<Game::Field::Symbol*> mSymbols;
  Game::Field::Symbol* mPlayer = nullptr;
};

}  // namespace FieldTestSupport
