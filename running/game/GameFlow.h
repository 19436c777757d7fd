#pragma once

#include <memory>

#include "Engine/Base/Types.h"
#include "core/container/AutoPtr.h"
#include "running/game/SubScene.h"

namespace Game {

class GameData;
namespace ExpressionStuff {
class GameResolver;
}
class NmlDocument;

// The game flow: the title screen until a game is started or loaded, then
// that game's scene every frame, back to the title on request. Keeps the
// memory save, which outlives games.
class GameFlow {
 public:
  // Makes the title screen, told whether a memory save exists.
  using TitleMaker = TitleStage* (*)(bool hasMemorySave);

  static void create(TitleMaker makeTitle);
  static void destroy();
  // Null outside create and destroy.
  static GameFlow* instance();
  // What expressions ask of the running game; create makes it theirs.
  static const ExpressionStuff::GameResolver& runningGameResolver();
  // The same answers about one game, outside any flow (headless runs).
  static std::unique_ptr<ExpressionStuff::GameResolver> resolverOf(GameData& game);

  ~GameFlow();
  GameFlow(const GameFlow&) = delete;
  GameFlow& operator=(const GameFlow&) = delete;

  // The game ends and the title shows from the next update.
  void returnToTitle() { mReturnToTitle = true; }
  // Replaces the memory save by the game's save body.
  void memorySave(const GameData& game);
  bool hasMemorySave() const { return mMemorySave.isValid(); }
  // Null without one.
  const NmlDocument* memorySaveDocument() const { return mMemorySave.get(); }

  // One frame: 0 to go on, 2 when the title's quit was chosen.
  Engine::i32 update();

  GameData* game() const { return mGame.get(); }
  TitleStage* title() const { return mTitle.get(); }
  Engine::i32 frameCount() const { return mFrameCount; }

 private:
  explicit GameFlow(TitleMaker makeTitle);

  void showNewTitle();
  // The title's result; 2 ends the program.
  Engine::i32 updateTitle();

  AutoPtr<GameData> mGame;
  TitleMaker mMakeTitle;
  AutoPtr<TitleStage> mTitle;
  AutoPtr<NmlDocument> mMemorySave;
  Engine::i32 mFrameCount = 0;
  bool mReturnToTitle = false;
};

}  // namespace Game
