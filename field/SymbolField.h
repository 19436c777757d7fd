#pragma once

#include <memory>

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"

namespace Game {

class Battle;
struct FieldAbilities;
class EncounterTable;
class GameData;
class Map;
class RandomGenerator;
class SceneNodePool;

namespace Field {

class Symbol;

// What a symbol asks of the floor it stands on; the field scene answers.
class SymbolField {
 public:
  virtual ~SymbolField() = default;

  virtual const Map& map() const = 0;
  // Whether the symbol may step (or hop) onto the cell (x, y) of the map.
  virtual bool mayEnter(const Symbol& symbol, Engine::i32 x, Engine::i32 y, bool hop) const = 0;
  // Another symbol than `except` standing on the cell; null when none.
  virtual Symbol* symbolAt(Engine::i32 x, Engine::i32 y, const Symbol* except) = 0;
  // The moving symbol ran into the other one.
  virtual void reportContact(Symbol& mover, Symbol& other) = 0;
  // The value grid's value of the cell, higher nearer the player.
  virtual Engine::i32 valueAt(Engine::i32 x, Engine::i32 y) const = 0;
  // The player's symbol; null while none stands on the floor.
  virtual Symbol* player() = 0;

  // A line of the message window: the lead's face of that name, or none
  // (null) for narration.
  virtual void say(const char* face, const char* text) = 0;
  // The battle set up by a touch: the field plays its transition and hands
  // it to the game.
  virtual void startEncounter(std::unique_ptr<Battle> battle) = 0;

  virtual GameData& game() = 0;
  // What the party's living members can do on the field.
  virtual const FieldAbilities& fieldAbilities() const = 0;
  virtual RandomGenerator& random() = 0;
  // Where the symbols' nodes live; null where nothing is drawn.
  virtual SceneNodePool* nodes() = 0;
  virtual const char* floorName() const = 0;
  virtual float floorLevel() const = 0;
  // The floor's own table, else the site's.
  virtual const EncounterTable& encounterTable() const = 0;
};

}  // namespace Field
}  // namespace Game
