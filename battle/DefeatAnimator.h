#pragma once

#include <memory>
#include <vector>

#include "Engine/Base/Types.h"
#include "presentation/resource/ResourceSet.h"

namespace Game {

class Battle;
class Ghost;
class Unit;

// Plays the defeat of units that have left the battle: ordinary ones fall
// together in a short burst, bosses one long dissolve after them. It keeps
// the units (and the ghosts their changes of form made) alive until their
// animation is over.
class DefeatAnimator {
 public:
  static constexpr const char* kResourceFile = "src/picture/animation/common/destroy.txt";
  static constexpr const char* kDownAnimation = "down";
  static constexpr const char* kCommonModel = "main";
  static constexpr const char* kDamageMotion = "damage";
  static constexpr const char* kDestroySound = "destroy";
  static constexpr const char* kBossFlashSound = "destroyBoss1";
  static constexpr const char* kBossEndSound = "destroyBoss2";
  static constexpr Engine::i32 kOrdinaryFrames = 16;
  static constexpr Engine::i32 kBossFlashFrames[2] = {25, 85};
  static constexpr Engine::u32 kBossFlashColour = 0x80FFFFFF;
  static constexpr Engine::i32 kBossFlashLength = 2;
  static constexpr float kBossZoom = 2.f;
  static constexpr Engine::i32 kBossBurst = 120;
  static constexpr Engine::i32 kBossFrames = 181;
  static constexpr float kDissolveFrames = 60.f;
  static constexpr float kDissolveSpread = 24.f;
  static constexpr float kDissolveTurn = 1080.f;

  explicit DefeatAnimator(Battle& battle);
  ~DefeatAnimator();
  DefeatAnimator(const DefeatAnimator&) = delete;
  DefeatAnimator& operator=(const DefeatAnimator&) = delete;

  // The unit joins the list of its defeat style (none for another style:
  // it is let go at once); an enemy's rewards go to the spoils and its
  // materials to the game.
  void add(std::unique_ptr<Unit> unit, std::unique_ptr<Ghost> ghost);
  // One frame; true when idle.
  bool update();

  Engine::i32 ordinaryCount() const { return static_cast<Engine::i32>(mOrdinary.size()); }
  Engine::i32 bossCount() const { return static_cast<Engine::i32>(mBosses.size()); }
  Engine::i32 frame() const { return mFrame; }

 private:
  struct Defeated {
    std::unique_ptr<Unit> unit;
    std::unique_ptr<Ghost> ghost;
    // Its node plays the fall to its end: the unit lets go of it.
    bool fading = false;
  };

  void collectRewards(Unit& unit);
  void startOrdinary();
  void updateBosses();
  void dissolve(Unit& boss, float t);
  void lookAtCentre(const std::vector<Defeated>& list);
  ResourceSet& resources();
  void clear(std::vector<Defeated>& list);

  Battle& mBattle;
  Engine::i32 mFrame = 0;
  std::vector<Defeated> mOrdinary;
  std::vector<Defeated> mBosses;
  // Read with the first defeat: a battle nobody leaves reads nothing.
  ResourceSet mResources;
  bool mLoaded = false;
};

}  // namespace Game
