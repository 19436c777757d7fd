// Floor, site and shop records held as variables named after their record:
// site name + ".到達階数" and so on, "onSale." and "materials." + item name.

#include <algorithm>
#include <limits>
#include <string>

#include "running/game/GameData.h"
#include "core/random/RandomGenerator.h"
#include "records/database/MapSiteData.h"
#include "records/database/ToolData.h"

namespace Game {

using Engine::i32;

namespace {

constexpr const char* kReachedSuffix = ".到達階数";
constexpr const char* kOpenSuffix = ".出現";
constexpr const char* kLevelSuffix = ".レベル";
constexpr const char* kFixedSuffix = ".固定";
constexpr const char* kOnSalePrefix = "onSale.";
constexpr const char* kMaterialsPrefix = "materials.";
constexpr const char* kFloorUnit = "階";
constexpr const char* kNewGoodsMessage = "新しい品物が流通するようになった！";
constexpr float kMaterialChanceBase = 400.0f;

std::string siteVariable(const MapSiteData& site, const char* suffix) { return std::string(site.name()) + suffix; }

std::string itemVariable(const char* prefix, const ToolData& item) { return prefix + std::string(item.name()); }

}  // namespace

i32 GameData::siteInteger(const MapSiteData& site, const char* suffix) const {
  return value(siteVariable(site, suffix).c_str());
}

i32& GameData::siteInteger(const MapSiteData& site, const char* suffix) {
  return integer(siteVariable(site, suffix).c_str());
}

void GameData::recordFloorReached(const MapSiteData& site, i32 delta) {
  const Engine::i64 reached = static_cast<Engine::i64>(value("floor")) + delta;
  i32& record = siteInteger(site, kReachedSuffix);
  if (reached > record) {
    record = static_cast<i32>(std::min<Engine::i64>(reached, std::numeric_limits<i32>::max()));
  }
  String headline(site.print());
  headline.appendInt(value("floor"));
  headline.append(kFloorUnit);
  setHeadline(headline.c_str());
}

i32 GameData::floorReached(const MapSiteData& site) const { return siteInteger(site, kReachedSuffix); }

i32 GameData::clampedFloorReached(const MapSiteData& site) const {
  return std::clamp(floorReached(site), 0, std::max(site.floorNumber(), 0));
}

void GameData::fixSceneLevel() {
  const MapSiteData* site = mField.isValid() ? mField->currentSite() : nullptr;
  if (!site) {
    return;
  }
  siteInteger(*site, kLevelSuffix) = value("progress");
  siteInteger(*site, kFixedSuffix) = 1;
}

void GameData::openScene(const MapSiteData& site) { siteInteger(site, kOpenSuffix) = 1; }

bool GameData::isSceneOpen(const MapSiteData& site) const { return siteInteger(site, kOpenSuffix) != 0; }

bool GameData::isOnSale(const ToolData& item) const {
  const std::string name = itemVariable(kOnSalePrefix, item);
  return !mVariables.hasInteger(name.c_str()) || mVariables.getInteger(name.c_str()) != 0;
}

float GameData::materialChance(i32 m) {
  const float square = static_cast<float>(m) * static_cast<float>(m);
  return square / (square + kMaterialChanceBase);
}

// An item without an "onSale." variable is always on sale: its materials are
// not counted.
void GameData::addMaterial(const ToolData& item) {
  const std::string onSale = itemVariable(kOnSalePrefix, item);
  if (!mVariables.hasInteger(onSale.c_str()) || mVariables.getInteger(onSale.c_str()) != 0) {
    return;
  }
  i32& materials = integer(itemVariable(kMaterialsPrefix, item).c_str());
  const i32 m = materials < 0x7FFFFFFF ? ++materials : materials;
  if (RandomGenerator::instance()->getFloat(1.0f) < materialChance(m)) {
    integer(onSale.c_str()) = 1;
    pushMessage(kNewGoodsMessage);
  }
}

}  // namespace Game
