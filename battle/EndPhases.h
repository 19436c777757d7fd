#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "battle/BattlePhase.h"
#include "core/string/String.h"
#include "presentation/resource/ResourceSet.h"

namespace Game {

class Battle;
class GameData;
class Unit;

// Lines shown beside a unit: what it learnt from a win.
class UnitPanel {
 public:
  static constexpr Engine::u32 kLineColour = 0xFFFFFFFF;

  explicit UnitPanel(Unit& unit) : mUnit(&unit) {}
  void addLine(const char* text) { mLines.emplace_back(text ? text : ""); }
  void draw() const;

  Unit& unit() const { return *mUnit; }
  const std::vector<String>& lines() const { return mLines; }

 private:
  Unit* mUnit;
  std::vector<String> mLines;
};

namespace BattleStuff {

// A won battle: the spoils paid out, the fanfare, the survivors' panels
// one by one, then the fade.
class Win final : public Over {
 public:
  static constexpr const char* kSource = "戦利品";
  static constexpr const char* kScrap = "廃棄物";
  static constexpr const char* kFanfare = "ファンファーレ";
  static constexpr const char* kWinMotion = "win";
  static constexpr const char* kExperienceLine = "経験値 ";
  static constexpr const char* kMasterLine = " O.Exp ";
  static constexpr Engine::i32 kWinMotionStep = 8;
  static constexpr Engine::i32 kPanelKey = 5;
  static constexpr Engine::i32 kPanelRepeat = 4;
  static constexpr Engine::i32 kClosingFrames = 60;

  explicit Win(Battle& battle);
  Engine::i32 update() override;

  const std::vector<UnitPanel>& panels() const { return mPanels; }
  bool rewardsGiven() const { return mRewardsGiven; }

 private:
  void payRewards();
  void paySpoils();
  void rewardSurvivors(Engine::i32 experience, Engine::i32 master, const std::vector<Unit*>& survivors);
  void rewardReserves(Engine::i32 experience, Engine::i32 master);

  Battle& mBattle;
  GameData& mGame;
  std::vector<UnitPanel> mPanels;
  Engine::i32 mClosing = 0;
  bool mRewardsGiven = false;
};

// The party fell: the game-over picture, then what the battle's defeat
// mode leads to.
class GameOver final : public Over {
 public:
  static constexpr const char* kPictureFile = "src/picture/battle/gameover.txt";
  static constexpr Engine::i32 kZoomFrame = 90;
  static constexpr float kZoom = 0.5f;
  static constexpr Engine::i32 kLastFrame = 121;

  explicit GameOver(Battle& battle);
  Engine::i32 update() override;
  Engine::i32 frame() const { return mFrame; }

 private:
  void lead();

  ResourceSet mPicture;
  Battle& mBattle;
  Engine::i32 mFrame = 0;
  bool mStarted = false;
};

// The battle is called off: a fade.
class Break final : public Over {
 public:
  static constexpr Engine::i32 kFrames = 60;
  Engine::i32 update() override;

 private:
  Engine::i32 mFrame = 0;
};

// The party got away: the messages still queued, then a fade.
class Escape final : public Over {
 public:
  static constexpr Engine::i32 kFrames = 60;
  explicit Escape(Battle& battle);
  Engine::i32 update() override;

 private:
  GameData& mGame;
  Engine::i32 mFrame = 0;
};

}  // namespace BattleStuff
}  // namespace Game
