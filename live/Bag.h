#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "live/article/Article.h"

namespace Game {

class NmlNode;
class ToolData;

// The party's stock of items outside the equipment: articles with their
// numbers, kept in the tool table's order; for one item the stronger piece,
// and for equal strength the one with more uses, comes later.
class Bag {
 public:
  struct Entry {
    Article article;
    Engine::i32 number = 0;
  };

  Engine::i32 count() const { return static_cast<Engine::i32>(mEntries.size()); }
  // Null out of range.
  const Entry* at(Engine::i32 i) const;
  void clear() { mEntries.clear(); }

  // n more of an equal article, or a new entry in its place. An empty
  // article or an n below 1 adds nothing.
  void add(const Article& article, Engine::i32 n);
  // Copies entry i's article out and takes one; false out of range.
  bool take(Article& out, Engine::i32 i);
  // One of the first entry of the item; false when there is none.
  bool takeItem(const ToolData* item);
  Engine::i32 countItem(const ToolData* item) const;
  // Two fresh pieces of every item of the tool table.
  void fillWithAll();

  // The "bag" node: an "item" child per entry holding its "article" child
  // and "number". load trusts a node that passed the save check, yet never
  // stocks an empty article.
  void save(NmlNode& node) const;
  void load(const NmlNode& node);

  // Whether entry e sorts after the article.
  static bool sortsAfter(const Article& e, const Article& article);

 private:
  std::vector<Entry> mEntries;
};

}  // namespace Game
