#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class GameData;
class MapSiteData;
class NmlNode;

// Stand-in of the dungeon field until it exists: no floor; counts its
// updates and resumes.
class FieldScene {
 public:
  // Finishes on update number `frames`; a negative number never finishes.
  explicit FieldScene(GameData& game, Engine::i32 frames = -1) : mGame(game), mFramesLeft(frames) {}

  // One frame; true when finished.
  bool update() {
    ++mUpdates;
    return mFramesLeft >= 0 && --mFramesLeft <= 0;
  }
  void resume() { ++mResumes; }
  void changeScene(const MapSiteData* site) { mSite = site; }
  const MapSiteData* currentSite() const { return mSite; }
  // Nothing to write or read yet.
  void save(NmlNode&) const {}
  void load(const NmlNode&) {}

  GameData& game() const { return mGame; }
  Engine::i32 updates() const { return mUpdates; }
  Engine::i32 resumes() const { return mResumes; }

 private:
  GameData& mGame;
  const MapSiteData* mSite = nullptr;
  Engine::i32 mFramesLeft;
  Engine::i32 mUpdates = 0;
  Engine::i32 mResumes = 0;
};

}  // namespace Game
