#include "live/article/Article.h"

#include <tuple>

#include "live/article/ItemDefenseLines.h"
#include "records/database/ToolData.h"
#include "tests/live/StatsFixture.h"

namespace {

using Game::Article;
using Game::ToolData;

class ArticleTest : public StatsTestSupport::StatsTest {
 protected:
  void SetUp() override {
    StatsTest::SetUp();
    mSword = addTool("剣", "鋼の剣", 800, 0, 10);
    mKnife = addTool("投げナイフ", "投げナイフ", 90, 3, 9);
    mCharm = addTool("お守り", "お守り", 5, 0, 0);
  }
  // Energy 0 leaves the tool without limited uses.
  const ToolData* addTool(const char* name, const char* fullName, int price, int energy, int weapon) {
    ToolData tool(name, fullName);
    tool.setPrice(price);
    if (energy > 0) {
      tool.setEnergy(energy);
    }
    tool.setPerformance({weapon, 0, 0});
    return database().addTool(tool);
  }
  static Article made(const ToolData* tool, float uses, float condition = 1.f) {
    Article article;
    article.set(tool, uses, condition);
    return article;
  }

  const ToolData* mSword = nullptr;
  const ToolData* mKnife = nullptr;
  const ToolData* mCharm = nullptr;
};

TEST_F(ArticleTest, SetRoundsFactors) {
  EXPECT_FALSE(Article::fromItem(mSword).hasLimitedUses());
  // Uses of the knife's 3 (1.5 rounds up) and condition in percent.
  for (const auto& [uses, condition, usesLeft, percent] :
       {std::tuple{0.01f, 0.5f, 1, 50}, {0.5f, 1.7f, 2, 100}, {1.f, -0.3f, 3, 0}}) {
    const Article a = made(mKnife, uses, condition);
    EXPECT_EQ(std::pair(a.uses(), a.condition()), std::pair(usesLeft, percent)) << uses << " " << condition;
  }
  const Article none = made(nullptr, 1.f, 0.5f);
  EXPECT_EQ(std::pair(none.isEmpty(), none.price()), std::pair(true, 0));
}

TEST_F(ArticleTest, ThrowingWeaponWearsOutToAThird) {
  Article knife = Article::fromItem(mKnife);
  knife.useOne();
  knife.useOne();
  EXPECT_EQ(std::pair(knife.isLastUse(), knife.performance().weapon), std::pair(true, 9));
  knife.useOne();
  EXPECT_EQ(std::pair(knife.isUsedUp(), knife.performance().weapon), std::pair(true, 3));
  knife.useOne();
  EXPECT_EQ(knife.uses(), 0);
  // The uses left share the price, then the strength left cubes it: 1 at least.
  EXPECT_EQ(knife.price(), 1);

  Article sword = Article::fromItem(mSword);
  sword.useOne();
  EXPECT_EQ(std::pair(sword.uses(), sword.isUsedUp()), std::pair(1, false));
}

// The sell value (a quarter of the price, at least 1) scales as the price.
TEST_F(ArticleTest, PriceAndSellValueFollowUsesAndTheCubeOfStrength) {
  const ToolData* gem = addTool("宝石", "宝石", 2000000000, 100, 0);
  for (const auto& [tool, uses, condition, price, sellValue] :
       {std::tuple{mSword, 1.f, 0.5f, 100, 25},  // an eighth of 800 and of 200
        {mKnife, 2.f / 3.f, 1.f, 60, 14},         // two thirds of 90 and of 22
        {mCharm, 1.f, 0.f, 5, 1},                 // nothing to weaken
        {mSword, 1.f, 0.f, 1, 1},                 // weapon 1 of 10: 0.8 and 0.2, at least 1
        {gem, 1.f, 1.f, 2000000000, 500000000},   // large values do not overflow
        {gem, 0.5f, 1.f, 1000000000, 250000000}}) {
    const Article article = made(tool, uses, condition);
    EXPECT_EQ(std::pair(article.price(), article.sellValue()), std::pair(price, sellValue)) << tool->name();
  }
  EXPECT_EQ(Article().sellValue(), 0);
}

TEST_F(ArticleTest, SaveAndLoad) {
  Article knife = made(mKnife, 1.f, 0.7f);
  knife.useOne();
  Game::NmlNode node;
  knife.save(node);
  Article back = Article::fromItem(mSword);
  back.load(node);
  EXPECT_TRUE(back.equals(knife));
  EXPECT_EQ(back.condition(), 70);

  // Saved under the full name, which is how the tool table finds it.
  Game::NmlNode swordNode;
  Article::fromItem(mSword).save(swordNode);
  EXPECT_STREQ(swordNode.findAttribute("tool")->toString(0), "鋼の剣");
  back.load(swordNode);
  EXPECT_EQ(back.item(), mSword);

  Game::NmlNode empty;
  Article().save(empty);
  EXPECT_EQ(empty.attributeCount(), 0);
  back.load(empty);
  EXPECT_EQ(std::pair(back.isEmpty(), back.condition()), std::pair(true, 100));
}

TEST_F(ArticleTest, DefenseLines) {
  Game::DefenseBlock defense;
  defense.read(parse("element{斬撃 3;熱 -2;}factor{電気 50;水 -50;物 50;音 0;}"));
  std::vector<Game::String> lines;
  Game::ItemDefenseLines(defense, lines);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_STREQ(lines[0].c_str(), "斬撃に強い");
  EXPECT_STREQ(lines[1].c_str(), "熱に弱い");
  EXPECT_STREQ(lines[2].c_str(), "水に弱い");
  EXPECT_STREQ(lines[3].c_str(), "電気に強い");
}

}  // namespace
