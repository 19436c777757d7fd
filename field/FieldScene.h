#pragma once

#include "core/game/GameData.h"
#include "core/game/SubScene.h"
#include "core/game/TimedStandIn.h"

namespace Game {

class GameData;
class MapSiteData;
class NmlNode;

// Stand-in of the dungeon field until it exists: no floor; counts its
// updates and resumes, and opens a requested continue scene on its next
// update.
class FieldScene : public TimedStandIn, public FieldSubScene {
 public:
  explicit FieldScene(GameData& game, Engine::i32 frames = -1) : TimedStandIn(frames), mGame(game) {}
  bool update() override {
    if (mContinuePending) {
      mContinuePending = false;
      mGame.openContinueScene();
    }
    return TimedStandIn::update();
  }

  void resume() override { ++mResumes; }
  void changeScene(const MapSiteData* site) override { mSite = site; }
  void requestContinueScene() override {
    ++mContinueRequests;
    mContinuePending = true;
  }
  Engine::i32 continueRequests() const { return mContinueRequests; }
  const MapSiteData* currentSite() const override { return mSite; }
  // No site names, floor events or symbols yet.
  const char* siteName() const override { return ""; }
  bool hasFloorEvent(const char*, const char*) const override { return false; }
  bool hasSymbol(const char*) const override { return false; }
  bool isSymbolOnCell(const char*, Engine::i32, bool) const override { return false; }
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
  bool mContinuePending = false;
};

}  // namespace Game
