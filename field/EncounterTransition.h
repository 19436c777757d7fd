#pragma once

#include <memory>

#include "Engine/Base/Types.h"

namespace Game {

class Battle;
class GameData;

namespace Field {

class BossAppearance;

// The field's way into a battle, however it began (a random encounter, a
// touched enemy, a script): the music stops, the camera tips over and
// closes in, then pulls away as the screen fades, and on frame 90 the game
// takes the battle. A battle with a boss's face first shows the boss's
// appearance and waits for it to end.
class EncounterTransition {
 public:
  static constexpr Engine::i32 kHandOverFrame = 90;
  static constexpr Engine::i32 kPullAwayFrame = 31;
  static constexpr Engine::i32 kFadeFrame = 40;
  static constexpr float kPitch = 80.f;
  static constexpr float kCloseZoom = 0.75f;
  static constexpr float kFarZoom = 5.f;
  static constexpr const char* kSound = "encounter";

  EncounterTransition(GameData& game, std::unique_ptr<Battle> battle);
  ~EncounterTransition();
  EncounterTransition(const EncounterTransition&) = delete;
  EncounterTransition& operator=(const EncounterTransition&) = delete;

  // One frame; true once the battle is the game's.
  bool update();
  Engine::i32 frame() const { return mFrame; }
  // The battle while the transition still holds it.
  Battle* battle() const { return mBattle.get(); }
  // While the boss's appearance plays; null once it ended or without a boss.
  const BossAppearance* appearance() const { return mAppearance.get(); }

 private:
  void cueFrame();

  GameData& mGame;
  std::unique_ptr<Battle> mBattle;
  std::unique_ptr<BossAppearance> mAppearance;
  Engine::i32 mFrame = 0;
};

}  // namespace Field
}  // namespace Game
