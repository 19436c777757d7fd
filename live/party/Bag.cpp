#include "live/Bag.h"

#include "records/stats/StatMath.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "records/Database.h"

namespace Game {

using Engine::i32;

namespace {

i32 itemOrder(const ToolData* item) { return Database::instance()->toolIndexOf(item); }

}  // namespace

const Bag::Entry* Bag::at(i32 i) const {
  return i >= 0 && i < count() ? &mEntries[static_cast<std::size_t>(i)] : nullptr;
}

bool Bag::sortsAfter(const Article& e, const Article& article) {
  const i32 mine = itemOrder(e.item());
  const i32 theirs = itemOrder(article.item());
  if (mine != theirs) {
    return mine > theirs;
  }
  const Performance a = e.performance();
  const Performance b = article.performance();
  if (a.weapon > b.weapon || a.defense > b.defense || a.magicDefense > b.magicDefense) {
    return true;
  }
  return a == b && e.uses() > article.uses();
}

void Bag::add(const Article& article, i32 n) {
  if (article.isEmpty() || n < 1) {
    return;
  }
  for (Entry& entry : mEntries) {
    if (entry.article.equals(article)) {
      entry.number = StatMath::saturate(Engine::i64{entry.number} + n);
      return;
    }
  }
  auto place = mEntries.begin();
  while (place != mEntries.end() && !sortsAfter(place->article, article)) {
    ++place;
  }
  mEntries.insert(place, Entry{article, n});
}

bool Bag::take(Article& out, i32 i) {
  if (i < 0 || i >= count()) {
    return false;
  }
  Entry& entry = mEntries[static_cast<std::size_t>(i)];
  out = entry.article;
  if (--entry.number < 1) {
    mEntries.erase(mEntries.begin() + i);
  }
  return true;
}

bool Bag::takeItem(const ToolData* item) {
  for (i32 i = 0; item && i < count(); ++i) {
    if (mEntries[static_cast<std::size_t>(i)].article.item() == item) {
      Article taken;
      return take(taken, i);
    }
  }
  return false;
}

i32 Bag::countItem(const ToolData* item) const {
  Engine::i64 n = 0;
  for (const Entry& entry : mEntries) {
    n += item && entry.article.item() == item ? entry.number : 0;
  }
  return StatMath::saturate(n);
}

void Bag::fillWithAll() {
  clear();
  const Database& database = *Database::instance();
  for (i32 i = 0; i < database.toolCount(); ++i) {
    add(Article::fromItem(database.toolAt(i)), 2);
  }
}

void Bag::save(NmlNode& node) const {
  for (const Entry& entry : mEntries) {
    NmlNode& item = *node.addChild("item");
    entry.article.save(*item.addChild("article"));
    item.addInt("number", entry.number);
  }
}

void Bag::load(const NmlNode& node) {
  clear();
  for (const NmlNode& item : node.childrenNamed("item")) {
    Article article;
    if (item.countChildren("article") > 0) {
      article.load(*item.findChild("article"));
    }
    const NmlAttribute* number = item.findAttribute("number");
    add(article, number ? number->toInt(0) : 0);
  }
}

}  // namespace Game
