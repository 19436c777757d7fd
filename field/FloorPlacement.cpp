// Standing the player, enemy bands, doors and chests on the open floor.
#include <algorithm>
#include <string>

#include "Engine/Base/DebugStream.h"
#include "running/game/GameData.h"
#include "core/random/WeightedTable.h"
#include "records/ability/Ability.h"
#include "field/Container.h"
#include "field/Door.h"
#include "field/Enemy.h"
#include "field/FieldScene.h"
#include "field/FloorRules.h"
#include "map/MapGenerator.h"
#include "records/Database.h"
#include "records/database/MapSiteData.h"
#include "records/database/SymbolCharaData.h"
#include "records/expression/Expression.h"

namespace Game {

using Engine::i32;

namespace {

constexpr const char* kLockpicking = "鍵開け";
// The picker's masks: chests away from rock, enemies at passage mouths.
constexpr i32 kTreasureMask = MapGenerator::kNearPassage | MapGenerator::kNearSolid | MapGenerator::kInside;
constexpr i32 kTreasureForbidden = MapGenerator::kNearPassage;
constexpr i32 kEnemyMask = MapGenerator::kNearPassage;
constexpr i32 kFullTurn = 360;
constexpr float kQuarterTurn = 90.f;

std::string cellName(const char* prefix, i32 x, i32 y) {
  return prefix + std::to_string(x) + "." + std::to_string(y);
}

// The highest level the lock-picking art reaches.
i32 lockpickingMaxLevel() {
  return Ability(Database::instance()->findAbilityOrNull(kLockpicking)).maxLevel();
}

bool isPresent(const MapContainerData& container) {
  if (container.expression.empty()) {
    return true;
  }
  Expression expression;
  expression.parse(container.expression.c_str());
  return expression.evaluate() != 0;
}

}  // namespace

Field::Symbol& FieldScene::adopt(std::unique_ptr<Field::Symbol> symbol) {
  mSymbols.push_back(std::move(symbol));
  return *mSymbols.back();
}

Field::Symbol& FieldScene::addSymbol(const char* name, const char* chara, i32 x, i32 y, float angle) {
  SymbolCharaData* look = chara && *chara ? Database::instance()->symbolChara(chara) : nullptr;
  return adopt(std::make_unique<Field::Symbol>(*this, name ? name : "", look, kStandMotion, x, y, angle));
}

Field::Symbol* FieldScene::addSymbolAtEvent(const char* name, const char* chara, i32 eventId, float angle) {
  const Map::Cell* cell = mMap.findEvent(eventId);
  return cell ? &addSymbol(name, chara, cell->x, cell->y, angle) : nullptr;
}

const Map::Cell* FieldScene::firstPassableCell() const {
  for (i32 x = 0; x < mMap.width(); ++x) {
    for (i32 y = 0; y < mMap.height(); ++y) {
      if (mMap.cellAt(x, y)->isPassable()) {
        return mMap.cellAt(x, y);
      }
    }
  }
  return nullptr;
}

const Map::Cell* FieldScene::startCell() const {
  const i32 event = mGenerator ? mGenerator->config().startPosition : (mSite ? mSite->startPosition() : 0);
  const Map::Cell* cell = mMap.findEvent(event);
  return cell ? cell : firstPassableCell();
}

// The player keeps its look and facing; its steps, taken off the floor, go.
void FieldScene::returnLostPlayer() {
  if (mPlayer && mMap.cellAt(mPlayer->x(), mPlayer->y())) {
    return;
  }
  const Map::Cell* start = startCell();
  Engine::cout << "field: the saved player ";
  if (mPlayer) {
    Engine::cout << "stands off floor \"" << mFloorName.c_str() << "\" at " << mPlayer->x() << "," << mPlayer->y();
  } else {
    Engine::cout << "is missing from floor \"" << mFloorName.c_str() << "\"";
  }
  if (!start) {
    Engine::cout << "; no cell can take it, so the continue scene opens" << Engine::endl;
    clearFloor();
    mSite = nullptr;
    requestContinueScene();
    return;
  }
  Engine::cout << "; it starts again at " << start->x << "," << start->y << Engine::endl;
  std::string chara = kPlayerChara;
  float angle = 0.f;
  if (mPlayer) {
    chara = mPlayer->chara() ? mPlayer->chara()->name() : "";
    angle = mPlayer->angle();
    std::erase_if(mSymbols, [this](const auto& symbol) { return symbol.get() == mPlayer; });
  }
  mPlayer = mFollowed = &addSymbol(kPlayerName, chara.c_str(), start->x, start->y, angle);
}

Field::Symbol* FieldScene::placePlayer(i32 eventId) {
  if (mPlayer) {
    std::erase(mTouchQueue, mPlayer);
    std::erase_if(mSymbols, [this](const auto& symbol) { return symbol.get() == mPlayer; });
    mPlayer = nullptr;
  }
  const Map::Cell* cell = mMap.findEvent(eventId);
  if (!cell) {
    cell = firstPassableCell();
    Engine::cout << "field: no cell of floor \"" << mFloorName.c_str() << "\" bears the entry event " << eventId
                 << "; the player stands on the first open cell" << Engine::endl;
  }
  mPlayer = &addSymbol(kPlayerName, kPlayerChara, cell ? cell->x : 0, cell ? cell->y : 0, 0.f);
  mFollowed = mPlayer;
  return mPlayer;
}

Field::Symbol& FieldScene::placeEnemy(const RaceData& race, i32 x, i32 y) {
  RandomGenerator& global = random();
  const float angle = static_cast<float>(global.getInt(kFullTurn));
  Field::Symbol& symbol = addSymbol(cellName(kEnemyPrefix, x, y).c_str(), race.symbol(), x, y, angle);
  const i32 pattern = global.getInt(static_cast<i32>(race.patterns().size()));
  symbol.setParameter(std::make_unique<Field::Enemy>(race, pattern));
  return symbol;
}

Field::Symbol* FieldScene::placeDoor(i32 eventId, i32 direction, bool large, const char* key) {
  const std::string name = "door" + std::to_string(eventId);
  Field::Symbol* door = addSymbolAtEvent(name.c_str(), large ? kLargeDoorChara : kDoorChara, eventId,
                                         static_cast<float>(direction) * kQuarterTurn);
  if (door) {
    door->setParameter(std::make_unique<Field::Door>(key ? key : ""));
  }
  return door;
}

Field::Symbol& FieldScene::placeRandomContainer(i32 x, i32 y, const Article& article, i32 money, i32 lockLevel) {
  Field::Symbol& chest = addSymbol(cellName(kRandomContainerPrefix, x, y).c_str(), kContainerChara, x, y, 0.f);
  chest.setParameter(std::make_unique<Field::Container>(article, money, false, lockLevel));
  return chest;
}

// Not there while its expression is false, nor once opened for good. The
// symbol is named by the flag its opening sets.
Field::Symbol* FieldScene::placeFixedContainer(const MapContainerData& container) {
  const char* entry = container.name.c_str();
  if (!isPresent(container) || Field::Container::wasOpened(mGame.variables(), mFloorName.c_str(), entry)) {
    return nullptr;
  }
  const std::string name = Field::Container::openedFlag(mFloorName.c_str(), entry);
  Field::Symbol* chest = addSymbolAtEvent(name.c_str(), kContainerChara, container.position, 0.f);
  if (chest) {
    Article article;
    article.set(Database::instance()->findTool(container.tool.c_str()));
    chest->setParameter(std::make_unique<Field::Container>(article, container.money, true, 0));
  }
  return chest;
}

void FieldScene::placeTreasure() {
  const std::vector<const TreasureEntry*> entries = mGenerator->treasureEntries();
  if (entries.empty()) {
    return;
  }
  const i32 floor = mGame.variables().getInteger("floor");
  const i32 siteFloors = mSite ? mSite->floorNumber() : 0;
  WeightedTable table(static_cast<i32>(entries.size()));
  for (const TreasureEntry* entry : entries) {
    table.addWeight(MapGenerator::treasureWeight(*entry, floor, siteFloors));
  }
  const i32 cells = mMap.width() * mMap.height();
  const i32 count =
      FloorRules::treasureCount(fieldAbilities().luck, mGenerator->config().treasureFrequency, cells, mFloorRandom);
  const i32 lockBound = FloorRules::lockBound(lockpickingMaxLevel(), level());
  for (i32 i = 0; i < count; ++i) {
    const TreasureEntry& entry = *entries[static_cast<std::size_t>(std::max(table.pick(mFloorRandom), 0))];
    i32 x = 0;
    i32 y = 0;
    if (!mGenerator->pickFreeCell(kTreasureMask, kTreasureForbidden, false, &x, &y)) {
      return;
    }
    const Article article = mGenerator->makeContents(entry, floor, siteFloors);
    const i32 money =
        entry.tool ? 0 : FloorRules::containerMoney(mFloorRandom.getFloat(1.f), level(), mGame.progressLevel());
    placeRandomContainer(x, y, article, money, mFloorRandom.getInt(lockBound));
  }
}

void FieldScene::placeEnemies() {
  const MapGeneratorConfig& config = mGenerator->config();
  i32 startX = 0;
  i32 startY = 0;
  mGenerator->findEvent(config.startPosition, &startX, &startY);
  const float jitter = mFloorRandom.getSignedFloat(FloorRules::kEnemyJitter);
  const i32 count = FloorRules::enemyCount(jitter, mMap.width() * mMap.height(), config.enemyFrequency);
  const std::vector<const RaceData*>& races = mGenerator->enemyEntries();
  for (i32 i = 0; i < count; ++i) {
    i32 x = 0;
    i32 y = 0;
    if (!mGenerator->pickFreeCell(kEnemyMask, 0, false, &x, &y)) {
      return;
    }
    if (FloorRules::isNearStart(x, y, startX, startY) || races.empty()) {
      continue;
    }
    placeEnemy(*races[static_cast<std::size_t>(mFloorRandom.getInt(static_cast<i32>(races.size())))], x, y);
  }
}

}  // namespace Game
