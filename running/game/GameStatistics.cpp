// The statistics, items, music and level estimates of a running game, all
// held in its variables.

#include <algorithm>
#include <cmath>
#include <limits>

#include "running/game/GameData.h"
#include "core/random/RandomGenerator.h"
#include "core/sound/BGM.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/ui/UiDraw.h"
#include "records/Database.h"

namespace Game {

using Engine::i32;

namespace {

// A won battle's progress: 100 × 0.75^(k + 1) × r³ + 1 for a random r in [0, 1).
constexpr float kBattleProgressScale = 100.0f;
constexpr float kBattleProgressDecay = 0.75f;
constexpr float kProgressLevelScale = 10000.0f;
constexpr float kFloorLevelFactor = 1.5f;
constexpr float kClearedEncounterFactor = 1.0f;
constexpr float kFirstCycleEncounterFactor = 0.75f;
constexpr i32 kValueWidth = 8;
constexpr Engine::u32 kStatisticsColor = 0xFFC0C0C0;
constexpr Engine::u32 kStatisticsFrameColor = 0xFFFFFFFF;
constexpr i32 kStatisticsFont = 1;

struct StatisticsLine {
  i32 flag;
  const char* label;
  const char* variable;
};
// Their order on the screen, which is not the order of the flag bits.
constexpr StatisticsLine kStatisticsLines[] = {
    {GameData::kMoney, "所持金　　", "money"},
    {GameData::kBattleCount, "戦闘数　　", "battleCount"},
    {GameData::kWinCount, "勝利数　　", "winCount"},
    {GameData::kLoseCount, "全滅回数  ", "loseCount"},
    {GameData::kInvadeCount, "外出記録  ", "invadeCount"},
    {GameData::kTotalFloorCount, "総踏破階数", "totalFloorCount"},
    {GameData::kClearCount, "クリア数　", "clearCount"},
};

}  // namespace

void GameData::addProgress(i32 n) {
  i32& progress = integer("progress");
  const Engine::i64 sum = static_cast<Engine::i64>(progress) + n;
  progress = static_cast<i32>(std::clamp<Engine::i64>(sum, 0, kMaxProgress));
}

void GameData::addBattleProgress(i32 d) {
  const i32 k = std::max(-d, 0);
  const float r = RandomGenerator::instance()->getFloat(1.0f);
  const float gain = kBattleProgressScale * std::pow(kBattleProgressDecay, static_cast<float>(k) + 1.0f) * r * r * r;
  addProgress(static_cast<i32>(gain + 1.0f));
}

void GameData::increment(const char* name) {
  i32& count = integer(name);
  if (count < std::numeric_limits<i32>::max()) {
    ++count;
  }
}

bool GameData::takeLoseEventRequest() {
  i32& request = integer("requestLoseEvent");
  const bool requested = request == 1;
  request = 0;
  return requested;
}

void GameData::expendCurrentItem() {
  if (const ToolData* item = Database::instance()->toolAt(value("currentItem"))) {
    mBag.takeItem(item);
  }
}

i32 GameData::countItem(const ToolData* item) const { return countTool(item); }

i32 GameData::countTool(const ToolData* item) const {
  return saturatingAdd(mBag.countItem(item), mParty.countEquipped(item));
}

i32 GameData::countToolInRoster(const ToolData* item) const {
  return saturatingAdd(mBag.countItem(item), mParty.countEquippedAll(item));
}

bool GameData::expendTool(const ToolData* item) { return mBag.takeItem(item) || mParty.unequipItem(item); }

void GameData::changeBGM(const char* name) {
  if (BGM* music = BGM::instance()) {
    music->play(name);
  }
  if (!mBattle.isValid()) {
    setBGMName(name);
  }
}

float GameData::averageFloorReached() const {
  const Database& database = *Database::instance();
  const MapSiteData* shown = mField.isValid() ? mField->currentSite() : nullptr;
  i32 dungeons = 0;
  float sum = 0.0f;
  for (i32 i = 0; i < database.siteCount(); ++i) {
    const MapSiteData& site = *database.siteAt(i);
    if (site.floorNumber() <= 0) {
      continue;
    }
    ++dungeons;
    i32 reached = clampedFloorReached(site);
    if (&site == shown) {
      reached = std::max(reached, value("floor"));
    }
    sum += static_cast<float>(reached);
  }
  return dungeons > 0 ? sum / static_cast<float>(dungeons) : 0.0f;
}

float GameData::currentLevel() const { return mField.isValid() ? mField->level() : averageFloorReached(); }

float GameData::progressLevel() const {
  return std::min(static_cast<float>(value("progress")) / kProgressLevelScale, averageFloorReached() * kFloorLevelFactor);
}

float GameData::encounterLevel() const {
  return progressLevel() * (clearCount() != 0 ? kClearedEncounterFactor : kFirstCycleEncounterFactor);
}

void GameData::statisticsLines(i32 flags, std::vector<String>& lines) const {
  lines.clear();
  for (const StatisticsLine& line : kStatisticsLines) {
    const i32 n = value(line.variable);
    if ((flags & line.flag) == 0 || (line.flag == kClearCount && n == 0)) {
      continue;
    }
    String number;
    number.assignNumber(n, kValueWidth, false);
    String text(line.label);
    text.append(number.c_str());
    lines.push_back(text);
  }
}

void GameData::drawStatistics(float x, float y, i32 flags, float* outWidth, float* outHeight) const {
  i32 width = 0;
  i32 height = 0;
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    std::vector<String> lines;
    statisticsLines(flags, lines);
    TextWriter& writer = renderer->textWriter();
    writer.setFont(kStatisticsFont);
    writer.setColor(kStatisticsColor);
    writer.setPosition(static_cast<i32>(x), static_cast<i32>(y));
    for (const String& line : lines) {
      writer.print(line.c_str());
    }
    writer.getExtent(&width, &height);
    UiDraw::drawTextFrame(kStatisticsFrameColor);
  }
  if (outWidth) {
    *outWidth = static_cast<float>(width);
  }
  if (outHeight) {
    *outHeight = static_cast<float>(height);
  }
}

}  // namespace Game
