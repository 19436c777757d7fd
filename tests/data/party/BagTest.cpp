#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/Bag.h"
#include "tests/core/game/GameFixture.h"

namespace {

using Game::Article;
using Game::Bag;

class BagTest : public GameTestSupport::GameTest {
 protected:
  const Game::ToolData* tool(const char* name) { return database().findTool(name); }
  Article fresh(const char* name) { return Article::fromItem(tool(name)); }
  Article worn(const char* name, float uses, float condition) {
    Article article;
    article.set(tool(name), uses, condition);
    return article;
  }
  // "name:number" per entry, with "*" for a piece that is not fresh.
  static std::vector<std::string> listing(const Bag& bag) {
    std::vector<std::string> out;
    for (int i = 0; i < bag.count(); ++i) {
      const Bag::Entry& entry = *bag.at(i);
      const bool isFresh = entry.article.equals(Article::fromItem(entry.article.item()));
      out.push_back(std::string(entry.article.item()->name()) + (isFresh ? "" : "*") + ":" +
                    std::to_string(entry.number));
    }
    return out;
  }
};

TEST_F(BagTest, EntriesKeepTheToolTableOrder) {
  Bag bag;
  bag.add(fresh("投げナイフ"), 1);
  bag.add(fresh("薬草"), 2);
  bag.add(fresh("鉄の剣"), 1);
  bag.add(fresh("薬草"), 1);
  bag.add(worn("鉄の剣", 0.5f, 1.f), 1);
  bag.add(worn("鉄の剣", 1.f, 0.5f), 1);
  EXPECT_EQ(listing(bag), (std::vector<std::string>{"薬草:3", "鉄の剣*:1", "鉄の剣*:1", "鉄の剣:1", "投げナイフ:1"}));
  // The weaker piece first, then fewer uses before more.
  EXPECT_EQ(bag.at(1)->article.condition(), 50);
  EXPECT_EQ(bag.at(2)->article.uses(), 20);

  Article taken;
  ASSERT_TRUE(bag.take(taken, 0));
  EXPECT_EQ(taken.item(), tool("薬草"));
  EXPECT_TRUE(bag.takeItem(tool("鉄の剣")));
  EXPECT_TRUE(bag.takeItem(tool("投げナイフ")));
  EXPECT_EQ(listing(bag), (std::vector<std::string>{"薬草:2", "鉄の剣*:1", "鉄の剣:1"}));
  EXPECT_EQ(bag.countItem(tool("鉄の剣")), 2);
  EXPECT_FALSE(bag.takeItem(tool("投げナイフ")));
  EXPECT_FALSE(bag.take(taken, 3));
  EXPECT_FALSE(bag.at(-1));
}

TEST_F(BagTest, NothingEmptyOrUncountedIsStocked) {
  Bag bag;
  bag.add(Article(), 3);
  bag.add(Article::fromItem(database().findTool("どこにもない品")), 1);
  bag.add(fresh("薬草"), 0);
  EXPECT_EQ(bag.count(), 0);
  bag.add(fresh("薬草"), 2147483647);
  bag.add(fresh("薬草"), 5);
  EXPECT_EQ(bag.countItem(tool("薬草")), 2147483647);
  EXPECT_FALSE(bag.takeItem(nullptr));
}

}  // namespace
