#include "field/FieldScene.h"

#include <algorithm>
#include <cstring>

#include "battle/Battle.h"
#include "running/game/GameData.h"
#include "core/math/MathHelper.h"
#include "field/EncounterTransition.h"
#include "field/FieldEffect.h"
#include "map/MapGenerator.h"
#include "records/Database.h"
#include "records/database/MapSiteData.h"
#include "records/database/SymbolCharaData.h"

namespace Game {

using Engine::i32;

namespace {

// A walk climbs at most two height units: the squared difference stays
// below this.
constexpr i32 kWalkClimbSquared = 5;
// A symbol's footprint turns with the quarter its angle + 45 degrees lies in.
constexpr float kFootprintTurn = 45.f;

const EncounterTable& noEncounters() {
  static const EncounterTable sNone;
  return sNone;
}

}  // namespace

FieldScene::FieldScene(GameData& game) : mGame(game) { mCommonScript.loadFromPath(kCommonScript, game); }

// The symbols go before the map and the pool they stand on.
FieldScene::~FieldScene() {
  mRemoved.clear();
  mSymbols.clear();
}

float FieldScene::level() const {
  if (mGenerator && mSite) {
    return mGenerator->floorLevel(mGame.variables().getInteger("floor"), mSite->floorNumber());
  }
  return mGame.progressLevel();
}

const char* FieldScene::siteName() const { return mSite ? mSite->name() : ""; }

std::string FieldScene::playerCell() const {
  return mPlayer ? std::to_string(mPlayer->x()) + "," + std::to_string(mPlayer->y()) : std::string();
}

i32 FieldScene::saveMode() const {
  if (mFloorSave != 0 || !mSite) {
    return mFloorSave;
  }
  return mSite->save();
}

bool FieldScene::hasFloorEvent(const char* first, const char* second) const {
  const auto matches = [&](const std::pair<std::string, std::string>& contact) {
    return contact.first == first && contact.second == second;
  };
  return first && second && std::any_of(mContacts.begin(), mContacts.end(), matches);
}

Field::Symbol* FieldScene::findSymbol(const char* name) const {
  for (const auto& symbol : mSymbols) {
    if (name && symbol->name() == name) {
      return symbol.get();
    }
  }
  return nullptr;
}

bool FieldScene::isSymbolOnCell(const char* name, i32 eventId, bool entering) const {
  const Field::Symbol* symbol = findSymbol(name);
  const Map::Cell* cell = symbol ? mMap.cellAt(symbol->x(), symbol->y()) : nullptr;
  if (!cell || cell->eventId != eventId) {
    return false;
  }
  return entering ? symbol->hasArrived() : !symbol->isMoving();
}

bool FieldScene::mayEnter(const Field::Symbol& symbol, i32 x, i32 y, bool hop) const {
  if (!symbol.chara() || !symbol.chara()->reacts()) {
    return true;
  }
  const Map::Cell* to = mMap.cellAt(x, y);
  if (!to || !to->isPassable()) {
    return false;
  }
  const Map::Cell* from = mMap.cellAt(symbol.x(), symbol.y());
  if (hop || !from) {
    return true;
  }
  const i32 rise = to->height - from->height;
  return rise * rise < kWalkClimbSquared;
}

bool FieldScene::occupies(const Field::Symbol& symbol, i32 x, i32 y) const {
  if (!symbol.chara()) {
    return symbol.x() == x && symbol.y() == y;
  }
  const i32 turns = MathHelper::quadrant(symbol.angle() + kFootprintTurn);
  for (const MapReading::CellOffset& offset : symbol.chara()->collision()) {
    i32 dx = 0;
    i32 dy = 0;
    MathHelper::rotateQuarter(&dx, &dy, offset.x, offset.y, turns);
    if (symbol.x() + dx == x && symbol.y() + dy == y) {
      return true;
    }
  }
  return false;
}

Field::Symbol* FieldScene::symbolAt(i32 x, i32 y, const Field::Symbol* except) {
  for (const auto& symbol : mSymbols) {
    if (symbol.get() != except && occupies(*symbol, x, y)) {
      return symbol.get();
    }
  }
  return nullptr;
}

void FieldScene::reportContact(Field::Symbol& mover, Field::Symbol& other) {
  mContacts.emplace_back(mover.name(), other.name());
  Field::Symbol* touched = &mover == mPlayer ? &other : &other == mPlayer ? &mover : nullptr;
  if (touched && touched->parameter() &&
      std::find(mTouchQueue.begin(), mTouchQueue.end(), touched) == mTouchQueue.end()) {
    mTouchQueue.push_back(touched);
  }
}

void FieldScene::refreshValueGrid() { mValues.fill(mPlayer ? mPlayer->x() : -1, mPlayer ? mPlayer->y() : -1, kValueStart); }

i32 FieldScene::valueAt(i32 x, i32 y) const {
  if (x < 0 || y < 0 || x >= mValues.width() || y >= mValues.height()) {
    return 0;
  }
  return static_cast<i32>(mValues.reach(x, y));
}

void FieldScene::say(const char* face, const char* text) { mGame.messageWindow().addLine(0, face ? face : "", text); }

const FieldAbilities& FieldScene::fieldAbilities() const { return mGame.party().fieldAbilities(); }

const EncounterTable& FieldScene::encounterTable() const {
  if (mEncounter) {
    return *mEncounter;
  }
  return mSite ? mSite->encounter() : noEncounters();
}

}  // namespace Game
