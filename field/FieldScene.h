#pragma once

#include "core/game/GameData.h"
#include "core/game/SubScene.h"
#include "core/game/TimedStandIn.h"

namespace Game {

class GameData;
class MapSiteData;
class NmlNode;

// Stand-in of the dungeon field until it exists: no floor; counts its
// updates and resumes.
class FieldScene : public TimedStandIn, public FieldSubScene {
 public:
  explicit FieldScene(GameData& game, Engine::i32 frames = -1) : TimedStandIn(frames), mGame(game) {}
  bool update() override { return TimedStandIn::update(); }

  void resume() override { ++mResumes; }
  void changeScene(const MapSiteData* site) override { mSite = site; }
  // No continue scene yet: the request is counted.
  void requestContinueScene() override { ++mContinueRequests; }
  Engine::i32 continueRequests() const { return mContinueRequests; }
  const MapSiteData* currentSite() const override { return mSite; }
  // No site names, floor events or symbols yet.
  const char* siteName() const override { return ""; }
  bool hasFloorEvent(const char*, const char*) const override { return false; }
  bool hasSymbol(const char*) const override { return false; }
  bool isSymbolOnCell(const char*, Engine::i32, bool) const override { return false; }
  // No way into it yet: the battle is the game's at once.
  void startEncounterTransition(std::unique_ptr<BattleSubScene> battle) override { mGame.setBattle(battle.release()); }
  // The open floor's level; no floor yet, so whatever was set.
  float level() const override { return mLevel; }
  void setLevel(float level) { mLevel = level; }
  // Nothing to write or read yet.
  void save(NmlNode&) const override {}
  void load(const NmlNode&) override {}

  GameData& game() const { return mGame; }
  Engine::i32 resumes() const { return mResumes; }

 private:
  GameData& mGame;
  const MapSiteData* mSite = nullptr;
  float mLevel = 0.0f;
  Engine::i32 mResumes = 0;
  Engine::i32 mContinueRequests = 0;
};

}  // namespace Game
