#include <gtest/gtest.h>

#include "data/Bag.h"
#include "tests/core/game/GameFixture.h"

namespace {

using Game::Article;
using Game::Bag;

class BagTest : public GameTestSupport::GameTest {
 protected:
  const Game::ToolData* tool(const char* name) { return database().findTool(name); }
  Article fresh(const char* name) { return Article::fromItem(tool(name)); }
};

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
