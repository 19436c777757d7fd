#pragma once

#include <memory>
#include <string>

#include "Engine/Base/Types.h"

namespace Game {

class GameData;
class MapSiteData;
class NmlNode;
class Unit;

// What the game flow and a running game ask of the scenes built above them
// (title, battle, camp menu, shop, field). The game owns its sub-scenes
// through these and runs one a frame; code that needs a scene's own
// operations lives above it.
class SubScene {
 public:
  virtual ~SubScene() = default;
  // One frame; true when the scene has finished.
  virtual bool update() = 0;
};

// The battle as the game and its expressions see it.
class BattleSubScene : public SubScene {
 public:
  virtual Engine::i32 turn() const = 0;
  // The step under way: "over" once decided, "none" with nothing queued,
  // else the running phase's name.
  virtual const char* phaseName() const = 0;
  // Living units of side 0 (party) or 1 (enemies).
  virtual Engine::i32 livingCount(Engine::i32 side) const = 0;
  virtual bool hasLastSpells() const = 0;
  // The battle unit of that name, or null.
  virtual const Unit* findUnit(const char* name) const = 0;
};

// The field as the game, its records and its expressions see it.
class FieldSubScene : public SubScene {
 public:
  // Called when a battle that suspended the field ends, and after a load.
  virtual void resume() = 0;
  virtual void changeScene(const MapSiteData* site) = 0;
  // The continue scene takes over once the field next runs.
  virtual void requestContinueScene() = 0;
  // The field's node of the save.
  virtual void save(NmlNode& node) const = 0;
  virtual void load(const NmlNode& node) = 0;
  virtual const MapSiteData* currentSite() const = 0;
  // The save mode of a camp menu opened here (0 none, 1 memory save, 2 save
  // file): the floor's, else the site's; this default knows no floor and
  // gives the site's, 0 without one (SubScene.cpp).
  virtual Engine::i32 saveMode() const;
  // The open floor's level.
  virtual float level() const = 0;
  virtual const char* siteName() const = 0;
  virtual const char* floorName() const = 0;
  // The player's cell as "x,y"; empty without a player.
  virtual std::string playerCell() const = 0;
  virtual bool hasFloorEvent(const char* first, const char* second) const = 0;
  virtual bool hasSymbol(const char* name) const = 0;
  virtual bool isSymbolOnCell(const char* name, Engine::i32 cell, bool entering) const = 0;
  // Plays the field's way into the battle, then hands it to the game.
  virtual void startEncounterTransition(std::unique_ptr<BattleSubScene> battle) = 0;
};

// The title screen as the game flow sees it.
class TitleStage {
 public:
  enum Result : Engine::i32 { kStay = 0, kGameChosen = 1, kQuit = 2 };
  virtual ~TitleStage() = default;
  virtual Engine::i32 update() = 0;
  // The game chosen (new or loaded), now the caller's; null for the memory
  // save.
  virtual GameData* takeGame() = 0;
};

}  // namespace Game
