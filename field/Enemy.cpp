#include "field/Enemy.h"

#include <cstdint>

#include "running/game/GameData.h"
#include "live/party/FieldAbilities.h"
#include "field/SymbolField.h"
#include "core/file/nml/NmlNode.h"
#include "records/Database.h"
#include "records/database/EncounterTable.h"
#include "records/database/RaceData.h"

namespace Game::Field {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

float dot2(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y; }

// Frames a cell at that speed: the whole frames of 48 / speed, kept within
// what an int holds (a speed near 0 walks as slowly as that allows).
i32 stepFrames(float speed) {
  const double frames = static_cast<double>(Enemy::kFramesPerCell) / static_cast<double>(speed);
  if (!(frames < static_cast<double>(INT32_MAX))) {
    return INT32_MAX;
  }
  return frames > static_cast<double>(INT32_MIN) ? static_cast<i32>(frames) : INT32_MIN;
}

bool isWithin(const Symbol& enemy, const Symbol& player, float range) {
  Vector3 d;
  d.setSub(player.position(), enemy.position());
  return d.squareLength() <= range * range;
}

}  // namespace

std::unique_ptr<Enemy> Enemy::read(const NmlNode& node) {
  const NmlAttribute* race = node.findAttribute("race");
  const NmlAttribute* pattern = node.findAttribute("pattern");
  return std::make_unique<Enemy>(Database::instance()->findRace(race ? race->item(0) : ""),
                                 pattern ? pattern->toInt(0) : 0);
}

i32 Enemy::openingKind(const Vector3& enemyPosition, const Vector3& enemyForward, const Vector3& playerPosition,
                       const Vector3& playerForward) {
  Vector3 d;
  d.setSub(enemyPosition, playerPosition);
  const bool inFront = dot2(d, playerForward) > 0.f;
  const bool facing = dot2(d, enemyForward) < 0.f;
  if (inFront) {
    return facing ? BattleSettings::kEven : BattleSettings::kForestall;
  }
  return facing ? BattleSettings::kBackAttack : BattleSettings::kForestalled;
}

BattleSettings Enemy::battleSettings(const SymbolField& field, i32 kind) {
  BattleSettings settings;
  // An empty scene is none: the battle takes the site's.
  const char* scene = field.encounterTable().scene();
  settings.sceneName = scene && *scene ? scene : nullptr;
  settings.kind = kind;
  settings.level = field.floorLevel() + kLevelBonus;
  settings.bgm = "通常戦闘";
  settings.escapeAllowed = false;
  settings.defeatMode = BattleSettings::kEscape;
  return settings;
}

bool Enemy::isAwake(i32 sense, const FieldAbilities& abilities) {
  if (sense == RaceData::kHearing && abilities.sneak) {
    return false;
  }
  return !(sense == RaceData::kSight && abilities.hide);
}

void Enemy::save(NmlNode& node) const {
  NmlNode& enemy = *node.addChild("enemy");
  enemy.addAttribute("race", mRace->name());
  enemy.addInt("pattern", mPattern);
}

bool Enemy::touch(bool& remove, Symbol& symbol) {
  remove = true;
  SymbolField& field = symbol.field();
  i32 kind = BattleSettings::kEven;
  if (const Symbol* player = field.player()) {
    kind = openingKind(symbol.position(), symbol.forward(), player->position(), player->forward());
  }
  auto battle = std::make_unique<Battle>(field.game(), battleSettings(field, kind));
  spawnTouchedRace(*battle, *mRace);
  field.startEncounter(std::move(battle));
  return true;
}

void Enemy::step(Symbol& symbol) {
  const auto& patterns = mRace->patterns();
  if (mPattern < 0 || mPattern >= static_cast<i32>(patterns.size())) {
    return;
  }
  const RaceData::Pattern& pattern = patterns[static_cast<std::size_t>(mPattern)];
  SymbolField& field = symbol.field();
  const Symbol* player = field.player();
  const bool sensed = player && isAwake(mRace->sense(), field.fieldAbilities()) &&
                      isWithin(symbol, *player, pattern.senseRange);
  if (sensed) {
    // Sensed but too slow to give chase: it stays put.
    if (pattern.activeSpeed != 0.f) {
      symbol.move("wait", kWakeWait);
      for (i32 i = 0; i < pattern.activeTime; ++i) {
        symbol.move("chase", stepFrames(pattern.activeSpeed));
      }
      symbol.move("delete", 0);
    }
    return;
  }
  if (pattern.passiveSpeed != 0.f) {
    symbol.move("random", stepFrames(pattern.passiveSpeed));
    symbol.move("delete", 0);
  }
}

void spawnTouchedRace(Battle& battle, const RaceData& race) {
  battle.spawnRace(race, 0.f, 0, true, Enemy::kBattleScale);
}

}  // namespace Game::Field
