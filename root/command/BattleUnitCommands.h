#pragma once

#include "core/string/String.h"
#include "presentation/resource/ResourceSet.h"
#include "running/script/command/Command.h"

namespace Game {

class EnemyData;
class RaceData;
class StateData;
class Unit;

namespace ScriptStuff {

// What a new enemy is called and how it leaves the battle.
struct EnemyLook {
  explicit EnemyLook(const NmlNode& element);
  // "default" or none: the ordinary defeat; any other word the other.
  static Engine::i32 defeatStyle(const char* word);
  void applyTo(Unit& unit) const;

  String nickName;
  // Scale, from a percentage.
  float grade = 1.f;
  Engine::i32 style = 0;
};

// Adds the enemy to the battle on the cell; nothing once it holds 15 units.
class CreateEnemy final : public Command {
 public:
  explicit CreateEnemy(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  const EnemyData* mEnemy;
  Engine::i32 mRow;
  Engine::i32 mColumn;
  // The rank: levels above what the battle's level gives.
  Engine::i32 mLevel;
  EnemyLook mLook;
};

// Spawns a group of the race; "rank" (a percentage) raises the level the
// group is drawn at, as an encounter group's does.
class CreateRace final : public Command {
 public:
  explicit CreateRace(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  const RaceData& mRace;
  float mLevelOffset;
  bool mFollowers;
  EnemyLook mLook;
};

// The named unit as it was when the battle began: life filled, no plan, no
// states.
class CareUnit final : public Command {
 public:
  explicit CareUnit(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  String mName;
};

// Gives the named unit the state at the level, unresisted.
class SetState final : public Command {
 public:
  explicit SetState(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  const StateData& mState;
  String mName;
  Engine::i32 mLevel;
};

// Every unit that changed form in the battle takes its first form again.
class Recall final : public Command {
 public:
  Engine::i32 execute(GameData& game) override;
};

// The last escape: the camera eases back and every unit but Ildren fades
// out one after another, 16 frames apart from the 48th.
class LastEscape final : public Command {
 public:
  static constexpr const char* kSetFile = "src/picture/event/脱出.txt";
  static constexpr const char* kStays = "Ildren";
  static constexpr Engine::i32 kSpacing = 16;
  static constexpr Engine::i32 kFirstSlot = 3;

  Engine::i32 execute(GameData& game) override;

 private:
  ResourceSet mSet;
  bool mLoaded = false;
};

}  // namespace ScriptStuff
}  // namespace Game
