#include "field/EncounterRoll.h"

#include <algorithm>
#include <memory>

#include "battle/Battle.h"
#include "running/game/GameData.h"
#include "core/math/MathHelper.h"
#include "core/random/RandomGenerator.h"
#include "core/random/WeightedTable.h"
#include "live/Party.h"
#include "live/party/FieldAbilities.h"
#include "field/SymbolField.h"
#include "records/Database.h"
#include "records/database/EncounterTable.h"

namespace Game::Field {

using Engine::i32;

namespace {

constexpr float kStepsBeforeBattles = 32.f;
constexpr float kChanceKnee = 32.f;
constexpr float kBonusTop = 0.1f;
constexpr float kBonusKnee = 10.f;
constexpr float kStartModeChance = 0.05f;
constexpr const char* kBarrierEnded = "結界の効果が切れた";
constexpr const char* kRandomBattleTune = "通常戦闘";

// The barrier's steps: true while it held this arrival off.
bool barrierHolds(SymbolField& field) {
  i32& stealth = field.game().stealth();
  if (stealth < 1) {
    return false;
  }
  if (--stealth == 0) {
    field.say(nullptr, kBarrierEnded);
  }
  return true;
}

BattleSettings settingsFor(const EncounterTable& table, i32 mode, float level) {
  BattleSettings settings;
  const char* scene = table.scene();
  settings.sceneName = scene && *scene ? scene : nullptr;
  settings.kind = mode;
  settings.level = level;
  settings.bgm = kRandomBattleTune;
  return settings;
}

void addGroup(Battle& battle, const EncounterGroup& group, RandomGenerator& random) {
  const Database& database = *Database::instance();
  for (const EncounterGroup::Member& member : group.members) {
    // An enemy the database lacks stays out of the battle.
    if (const EnemyData* enemy = database.findEnemy(member.enemy.c_str())) {
      battle.addEnemy(*enemy, member.row, member.column, 1.f, 0);
    }
  }
  for (const std::string& race : group.races) {
    battle.spawnRace(database.findRace(race.c_str()), group.rank, -random.getInt(3), true, 1.f);
  }
}

}  // namespace

EncounterOdds encounterOdds(i32 arrivals, float frequency) {
  EncounterOdds odds;
  // No frequency, no battles (and no division by it).
  if (!(frequency > 0.f)) {
    return odds;
  }
  const float wait = kStepsBeforeBattles / frequency;
  const float past = static_cast<float>(arrivals) - wait;
  odds.levelBonus = MathHelper::saturate(past - 1.f, kBonusTop, kBonusKnee);
  odds.possible = past > 0.f;
  if (odds.possible) {
    odds.chance = MathHelper::saturate(past, 1.f, kChanceKnee);
  }
  return odds;
}

i32 drawStartMode(const FieldAbilities& abilities, RandomGenerator& random) {
  WeightedTable modes(3);
  // A factor driven below 0 by its ability only takes the chance away.
  modes.add(1, std::max(abilities.forestallFactor, 0.f) * kStartModeChance);
  modes.add(2, std::max(abilities.ambushFactor, 0.f) * kStartModeChance);
  modes.add(3, std::max(abilities.backAttackFactor, 0.f) * kStartModeChance);
  return std::max(modes.pickWithin(1.f, random), 0);
}

const EncounterGroup& drawGroup(const EncounterTable& table, RandomGenerator& random) {
  WeightedTable groups(static_cast<i32>(table.groups().size()));
  for (const EncounterGroup& group : table.groups()) {
    groups.addWeight(std::max(group.priority, 0.f));
  }
  return table.groups()[static_cast<std::size_t>(std::max(groups.pick(random), 0))];
}

bool rollEncounter(const EncounterTable& table, SymbolField& field) {
  if (barrierHolds(field) || table.isEmpty() || !(table.frequency() > 0.f)) {
    return false;
  }
  GameData& game = field.game();
  RandomGenerator& random = field.random();
  game.addEncounter();
  const EncounterOdds odds = encounterOdds(game.encounter(), table.frequency());
  if (!odds.possible || !(odds.chance > random.getFloat(1.f))) {
    return false;
  }
  game.resetEncounter();
  const EncounterGroup& group = drawGroup(table, random);
  i32 mode = BattleSettings::kEven;
  // The very first battle of a game always comes, evenly.
  if (game.battleCount() > 0) {
    game.party().collectFieldAbilities();
    const FieldAbilities& abilities = field.fieldAbilities();
    if (abilities.encounterAvoidance > random.getFloat(1.f)) {
      return false;
    }
    mode = drawStartMode(abilities, random);
  }
  auto battle = std::make_unique<Battle>(game, settingsFor(table, mode, field.floorLevel() + odds.levelBonus));
  addGroup(*battle, group, random);
  field.startEncounter(std::move(battle));
  return true;
}

}  // namespace Game::Field
