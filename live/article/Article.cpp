#include "live/article/Article.h"

#include <algorithm>

#include "records/stats/StatMath.h"
#include "core/file/nml/NmlNode.h"
#include "records/Database.h"
#include "records/database/ToolData.h"

namespace Game {

using Engine::i32;
using Engine::i64;

namespace {

// A used-up weapon still strikes with a third of its value.
constexpr i32 kSpentWeaponDivisor = 3;

}  // namespace

Article Article::fromItem(const ToolData* item) {
  Article article;
  article.set(item);
  return article;
}

void Article::set(const ToolData* item, float usesFactor, float conditionFactor) {
  mItem = item;
  mUses = item ? std::max(1, StatMath::truncate(static_cast<float>(item->energy()) * usesFactor + 0.5f)) : 0;
  mCondition = std::clamp(StatMath::truncate(conditionFactor * 100.f + 0.5f), 0, kFullCondition);
}

Performance Article::performance() const {
  if (!mItem) {
    return {};
  }
  Performance out = mItem->scaledStatus(conditionFactor());
  if (isUsedUp()) {
    out.weapon /= kSpentWeaponDivisor;
  }
  return out;
}

bool Article::hasLimitedUses() const { return mItem && mItem->hasDurability(); }

void Article::useOne() {
  if (hasLimitedUses() && mUses >= 1) {
    --mUses;
  }
}

bool Article::equals(const Article& other) const {
  return mItem == other.mItem && mUses == other.mUses && performance() == other.performance();
}

void Article::drawName(float x, float y) const {
  if (mItem) {
    mItem->drawSpec(x, y, mUses, conditionFactor());
  }
}

i32 Article::price() const { return mItem ? scaled(mItem->price()) : 0; }

i32 Article::sellValue() const { return mItem ? scaled(mItem->sellValue()) : 0; }

i32 Article::scaled(i64 full) const {
  i64 p = full;
  // An item of no full uses has nothing to share the value between.
  if (hasLimitedUses() && mItem->energy() > 0) {
    p = p * mUses / mItem->energy();
  }
  const i64 fullStrength = mItem->performance().sum();
  if (fullStrength > 0) {
    const float r = static_cast<float>(performance().sum()) / static_cast<float>(fullStrength);
    // In double: a large value keeps its digits where r is 1.
    p = StatMath::truncate(static_cast<double>(p) * static_cast<double>(r * r * r));
  }
  i32 value = StatMath::saturate(p);
  if (full > 0) {
    value = std::max(value, 1);
  }
  return value;
}

void Article::load(const NmlNode& node) {
  clear();
  const NmlAttribute* tool = node.findAttribute("tool");
  const Database* database = Database::instance();
  if (!tool || !database) {
    return;
  }
  mItem = database->findTool(tool->toString(0));
  if (!mItem) {
    return;
  }
  if (const NmlAttribute* energy = node.findAttribute("energy")) {
    mUses = energy->toInt(0);
  }
  if (const NmlAttribute* condition = node.findAttribute("defensePerformance")) {
    mCondition = std::clamp(condition->toInt(0), 0, kFullCondition);
  }
}

void Article::save(NmlNode& node) const {
  if (!mItem) {
    return;
  }
  node.addAttribute("tool", mItem->fullName());
  node.addInt("energy", mUses);
  node.addInt("defensePerformance", mCondition);
}

}  // namespace Game
