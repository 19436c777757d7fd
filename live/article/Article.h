#pragma once

#include "Engine/Base/Types.h"
#include "records/stats/Parameters.h"

namespace Game {

class NmlNode;
class ToolData;

// One piece of an item as the party owns it: the item, the uses it has left
// and its condition in percent, which scales its strength and its sale
// value. An empty article holds no item, 0 uses and condition 100.
class Article {
 public:
  static constexpr Engine::i32 kFullCondition = 100;

  Article() = default;
  // Full uses, condition 100.
  static Article fromItem(const ToolData* item);

  // Uses := the item's full uses × usesFactor rounded, at least 1; condition
  // := conditionFactor in percent rounded, within 0..100. No item empties
  // the article.
  void set(const ToolData* item, float usesFactor = 1.f, float conditionFactor = 1.f);
  void clear() { *this = Article{}; }

  const ToolData* item() const { return mItem; }
  bool isEmpty() const { return mItem == nullptr; }
  Engine::i32 uses() const { return mUses; }
  Engine::i32 condition() const { return mCondition; }
  float conditionFactor() const { return static_cast<float>(mCondition) / 100.f; }

  // The item's performance at the condition; a limited-use item with no use
  // left keeps a third of its weapon value. Cleared without an item.
  Performance performance() const;
  bool hasLimitedUses() const;
  bool isLastUse() const { return hasLimitedUses() && mUses == 1; }
  bool isUsedUp() const { return hasLimitedUses() && mUses < 1; }
  // Spends one use of a limited-use item that has one.
  void useOne();

  // Same item, same uses and the same performance.
  bool equals(const Article& other) const;
  // Worth: the item's price by the uses left and by the cube of the
  // strength left; at least 1 for a priced item, 0 without an item.
  Engine::i32 price() const;
  // What a shop pays for it: the item's sell value scaled as the price is.
  Engine::i32 sellValue() const;
  // The item's line at (x, y): name, performance at the condition, uses,
  // help; nothing for an empty article.
  void drawName(float x, float y) const;

  // Empty first; a "tool" line names the item (a name the tool table does
  // not hold leaves the article empty), "energy" the uses and
  // "defensePerformance" the condition.
  void load(const NmlNode& node);
  // Nothing for an empty article.
  void save(NmlNode& node) const;

 private:
  // full by the uses left and the cube of the strength left; at least 1
  // when full is.
  Engine::i32 scaled(Engine::i64 full) const;

  const ToolData* mItem = nullptr;
  Engine::i32 mUses = 0;
  Engine::i32 mCondition = kFullCondition;
};

}  // namespace Game
