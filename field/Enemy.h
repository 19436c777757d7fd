#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "battle/Battle.h"
#include "field/Symbol.h"

namespace Game {

class RaceData;
struct FieldAbilities;

namespace Field {

// An enemy band walking the floor as one symbol of its race: it wanders or,
// sensing the party, gives chase; its touch starts the battle.
class Enemy final : public SymbolParameter {
 public:
  static constexpr float kBattleScale = 1.25f;
  static constexpr float kLevelBonus = 0.1f;
  static constexpr Engine::i32 kWakeWait = 32;
  // A speed of 1 takes this many frames a cell.
  static constexpr float kFramesPerCell = 48.f;

  Enemy(const RaceData& race, Engine::i32 pattern) : mRace(&race), mPattern(pattern) {}

  // "race" and "pattern" of an "enemy" node; the race must be in the
  // database.
  static std::unique_ptr<Enemy> read(const NmlNode& node);

  // How the battle opens when the player meets the enemy: the enemy before
  // the player and not facing them 1 (the party strikes first), behind and
  // facing 3 (back attack), behind and not facing 2, before and facing 0.
  static Engine::i32 openingKind(const Engine::Math::Vector3& enemyPosition, const Engine::Math::Vector3& enemyForward,
                                 const Engine::Math::Vector3& playerPosition,
                                 const Engine::Math::Vector3& playerForward);
  // The battle a touch starts on this field.
  static BattleSettings battleSettings(const SymbolField& field, Engine::i32 kind);
  // Whether the race notices the party, whose abilities may hide it.
  static bool isAwake(Engine::i32 sense, const FieldAbilities& abilities);

  void save(NmlNode& node) const override;
  bool touch(bool& remove, Symbol& symbol) override;
  bool isEnemy() const override { return true; }
  bool isContainer() const override { return false; }
  void step(Symbol& symbol) override;

  const RaceData& race() const { return *mRace; }
  Engine::i32 pattern() const { return mPattern; }

 private:
  const RaceData* mRace;
  Engine::i32 mPattern;
};

// The band joins the battle: a leader at scale 1.25 with its followers, at
// the battle's level.
void spawnTouchedRace(Battle& battle, const RaceData& race);

}  // namespace Field
}  // namespace Game
