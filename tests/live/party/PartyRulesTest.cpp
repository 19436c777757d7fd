// The party, the bag, their field abilities and save checks over small
// records, each rule with a worked example.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "live/Bag.h"
#include "live/Party.h"
#include "live/party/FieldAbilities.h"
#include "live/party/SaveNodeCheck.h"
#include "records/stats/Experience.h"
#include "core/file/nml/NmlNode.h"
#include "records/database/ToolData.h"
#include "tests/records/database/DatabaseFixture.h"

namespace {

using DatabaseTestSupport::BattleTexts;
using Engine::i32;
using Game::Article;
using Game::Bag;
using Game::Database;
using Game::Party;
using Game::PartyMembers;
using Game::PlayerGhost;

constexpr const char* kPartyArts =
    "ability{name 隠れ身;passive;}ability{name 忍び足;passive;}ability{name 千里眼;passive;}"
    "ability{name 鍵開け;passive;}ability{name エンカウント回避;passive;}ability{name 奇襲回避;passive;}"
    "ability{name バックアタック回避;passive;}ability{name 奇襲サポート;passive;}ability{name ダッシュ;passive;}"
    "ability{name 幸運;passive;}ability{name あきんど;passive;}ability{name 技;type 攻撃;}"
    "ability{base{name 連撃;type 攻撃;}upper{}upper{}}";
constexpr const char* kPartyTools =
    "tool{name 薬;icon 薬;price 10;}"
    "tool{name 剣;icon 剣;price 80;energy 4;equip{weapon 8;}arts{ability 幸運;level 2;}}"
    "tool{name 鎧;icon 鎧;price 40;equip{protector 4,2;}arts{ability ダッシュ;}}"
    "tool{name 盾;icon 盾;price 40;equip{protector 1,9;}}tool{name 兜;icon 兜;price 40;equip{protector 9,1;}}";
constexpr const char* kPartyShells =
    "shell{name Kessa;fullName 剣士;status{end{HP 2;LP 1;AP1 100;}}skill{}defense{}arts{ability 隠れ身;}gear{slot 0;name 剣;}}"
    "shell{name ミオ;status{end{HP 2;LP 1;AP1 100;}}skill{}defense{}arts{ability 千里眼;level 2;}}"
    "shell{name ノア;status{end{HP 2;LP 1;AP1 100;}}skill{}defense{}}"
    "shell{name 丙;status{}skill{}defense{}}shell{name 丁;status{}skill{}defense{}}"
    "shell{name 戊;status{}skill{}defense{}}shell{name 己;status{}skill{}defense{}}";

class PartyRulesTest : public DatabaseTestSupport::DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    load(BattleTexts::empty()
             .with(Database::kAbilities, kPartyArts)
             .with(Database::kTools, kPartyTools)
             .with(Database::kShells, kPartyShells));
  }
  const Game::ShellData& shell(const char* name) { return *database().findShellExactly(name); }
  const Game::ToolData* tool(const char* name) { return database().findTool(name); }
  Game::Ability art(const char* name, i32 level = 1) { return Game::Ability(&database().findAbility(name), level); }
  const Game::NmlNode& parse(const std::string& text) {
    mRoot = std::make_unique<Game::NmlNode>();
    EXPECT_TRUE(mRoot->parse(text.c_str(), true)) << text;
    return *mRoot;
  }
  static std::string text(const Game::NmlNode& node) {
    Game::String out;
    node.toString(out, false);
    return out.c_str() ? out.c_str() : "";
  }

 private:
  std::unique_ptr<Game::NmlNode> mRoot;
};

class PartyRules : public PartyRulesTest {
 protected:
  // The flags hide, sneak, dash and merchant, then clairvoyance, lockpicking,
  // luck, encounter avoidance and the ambush, back attack and forestall factors.
  static std::string summary(const Game::FieldAbilities& f) {
    std::ostringstream out;
    out << f.hide << f.sneak << f.dash << f.merchant << " " << f.clairvoyance << " " << f.lockpicking << " " << f.luck
        << " " << f.encounterAvoidance << " " << f.ambushFactor << " " << f.backAttackFactor << " "
        << f.forestallFactor;
    return out.str();
  }
};
class BagRules : public PartyRulesTest {
 protected:
  // The entries as "tool×number/uses".
  static std::string contents(const Bag& bag) {
    std::ostringstream out;
    for (i32 i = 0; i < bag.count(); ++i) {
      const Bag::Entry& entry = *bag.at(i);
      out << (i ? " " : "") << entry.article.item()->name() << "x" << entry.number << "/" << entry.article.uses();
    }
    return out.str();
  }
};
class SaveNodeCheckTest : public PartyRulesTest {};

// Each field ability by its art's level: 0.2 a level of encounter avoidance,
// 0.3 off the ambush and back attack factors, 0.5 onto forestalling.
TEST_F(PartyRules, FieldAbilitiesByName) {
  Game::FieldAbilities none;
  none.read(Game::AbilityList());
  EXPECT_EQ(summary(none), "0000 0 0 0 0 1 1 1");
  Game::AbilityList list;
  for (const auto& [name, level] : {std::pair{"隠れ身", 1}, std::pair{"忍び足", 1}, std::pair{"千里眼", 2},
                                    std::pair{"鍵開け", 3}, std::pair{"エンカウント回避", 2}, std::pair{"奇襲回避", 1},
                                    std::pair{"バックアタック回避", 2}, std::pair{"奇襲サポート", 3},
                                    std::pair{"ダッシュ", 1}, std::pair{"幸運", 4}, std::pair{"あきんど", 1}}) {
    list.add(art(name, level));
  }
  list.add(art("鍵開け", 1));
  Game::FieldAbilities all;
  all.read(list);
  EXPECT_EQ(summary(all), "1111 2 4 4 0.4 0.7 0.4 2.5");
}

// Living members give their learned arts and the arts of every slot.
TEST_F(PartyRules, FieldAbilitiesComeFromLivingMembersAndTheirGear) {
  Party party;
  party.recruit(shell("Kessa"));
  party.recruit(shell("ミオ"));
  party.collectFieldAbilities();
  EXPECT_EQ(summary(party.fieldAbilities()), "1000 2 0 2 0 1 1 1") << "幸運 of the sword in slot 0";
  party.members().memberAt(1).slot(7) = Article::fromItem(tool("鎧"));
  party.members().memberAt(0).lpRef() = 1;
  party.collectFieldAbilities();
  EXPECT_TRUE(party.fieldAbilities().hide) << "Kessa at LP 1";
  party.members().memberAt(0).lpRef() = 0;
  party.collectFieldAbilities();
  EXPECT_EQ(summary(party.fieldAbilities()), "0010 2 0 0 0 1 1 1") << "Kessa at LP 0; the armour in slot 7";
}

// Levels 10 and 20: 30² / 10 = 90; none: at least 1; level 3 alone: 9 / 10 → 1.
TEST_F(PartyRules, ContinuePenaltyBySummedLevels) {
  Party party;
  EXPECT_EQ(party.continuePenalty(), 1);
  party.recruit(shell("ノア"))->ghost->gainExperience(nullptr, Game::Experience::forLevel(3), 0);
  EXPECT_EQ(party.continuePenalty(), 1);
  party.members().memberAt(0).gainExperience(nullptr, Game::Experience::forLevel(10) - Game::Experience::forLevel(3), 0);
  party.addGhost(shell("ミオ")).gainExperience(nullptr, Game::Experience::forLevel(20), 0);
  EXPECT_EQ(party.continuePenalty(), 10) << "a roster ghost off the members does not count";
  party.recruit(shell("ミオ"));
  EXPECT_EQ(party.continuePenalty(), 90);
}

TEST_F(PartyRules, RecruitsFindingAndTheLead) {
  Party party;
  EXPECT_EQ(party.leadExperience(), 0);
  party.recruit(shell("ノア"))->ghost->gainExperience(nullptr, 700, 0);
  EXPECT_EQ(party.leadExperience(), 0) << "no Kessa";
  EXPECT_EQ(party.addGhost(shell("ミオ")).experience(), 0);
  party.recruit(shell("Kessa"))->ghost->gainExperience(nullptr, 3000, 0);
  EXPECT_EQ(party.leadExperience(), 3000);
  PlayerGhost& late = party.addGhost(shell("ミオ"));
  EXPECT_EQ(late.experience(), 0) << "already in the roster";
  EXPECT_EQ(std::vector<const PlayerGhost*>({&party.addGhost(shell("ミオ")), party.findGhost(&shell("ミオ")),
                                             party.findGhostByKey("ミオ"), party.findGhostByKey("誰か"),
                                             party.findGhostByKey(nullptr)}),
            std::vector<const PlayerGhost*>({&late, &late, &late, nullptr, nullptr}));
  EXPECT_EQ(std::pair(party.rosterCount(), party.hasGhostOf(&shell("Kessa"))), std::pair(3, true));
  EXPECT_EQ(party.recruit(shell("Kessa")), nullptr) << "already travelling";
  EXPECT_EQ(party.activeCount(), 2);

  // A recruit after the lead's gains starts at its experience.
  Party second;
  second.recruit(shell("Kessa"))->ghost->gainExperience(nullptr, 5000, 0);
  EXPECT_EQ(second.recruit(shell("ミオ"))->ghost->experience(), 5000);
}

TEST_F(PartyRules, ApLifeEquipmentAndNewCycles) {
  Party party;
  party.recruit(shell("Kessa"));
  party.recruit(shell("ミオ"));
  party.addGhost(shell("ノア"));
  // At level 1 the AP1 maximum is 3 and the LP maximum 3.
  for (PlayerGhost* ghost : {&party.members().memberAt(0), &party.members().memberAt(1), &party.rosterAt(2)}) {
    ghost->spendAp(0);
    ghost->spendAp(0);
    ghost->lpRef() = 1;
  }
  party.addApAll(1);
  party.addLpAll(1);
  EXPECT_EQ(std::vector<i32>({party.members().memberAt(0).getAp(0), party.members().memberAt(1).lp(),
                              party.rosterAt(2).getAp(0), party.rosterAt(2).lp()}),
            std::vector<i32>({2, 2, 1, 1}));

  party.members().memberAt(1).slot(3) = Article::fromItem(tool("剣"));
  party.rosterAt(2).slot(2) = Article::fromItem(tool("剣"));
  EXPECT_EQ(std::vector<i32>({party.countEquipped(tool("剣")), party.countEquippedAll(tool("剣")),
                              party.countEquippedAll(nullptr), party.countEquipped(nullptr),
                              party.isEquipped(tool("剣")), party.isEquipped(tool("鎧"))}),
            std::vector<i32>({2, 3, 0, 0, 1, 0}));
  // The roster ghost off the members keeps its own.
  EXPECT_EQ(std::vector<bool>({party.unequipItem(tool("剣")), party.unequipItem(tool("剣")),
                               party.unequipItem(tool("剣")), party.unequipItem(nullptr)}),
            std::vector<bool>({true, true, false, false}));
  EXPECT_TRUE(party.members().memberAt(1).slot(3).isEmpty());

  EXPECT_TRUE(party.isActiveMember("ミオ"));
  party.startNewCycle();
  EXPECT_EQ(std::tuple(party.activeCount(), party.isActiveMember("ミオ"), party.rosterCount()),
            std::tuple(0, false, 3));
  party.clear();
  EXPECT_EQ(party.rosterCount(), 0);
}

TEST_F(PartyRules, MembersCountArrangeAndFind) {
  std::vector<std::unique_ptr<PlayerGhost>> ghosts;
  PartyMembers members;
  EXPECT_EQ(members.count(), 0);
  for (const char* name : {"Kessa", "ミオ", "ノア", "Kessa", "ミオ", "ノア"}) {
    ghosts.push_back(std::make_unique<PlayerGhost>());
    ghosts.back()->setUp(shell(name), 0);
    ASSERT_NE(members.add(*ghosts.back()), nullptr);
    EXPECT_EQ(members.battleCount(), std::min(members.count(), 5));
  }
  PlayerGhost extra;
  EXPECT_EQ(members.add(extra), nullptr);
  // The sixth does not fight.
  EXPECT_EQ(std::vector<const PlayerGhost*>({members.findAtCell(0, 4), members.findAtCell(0, 0),
                                             members.findAtCell(-1, -1), members.findNamed("ノア"),
                                             members.findNamed(nullptr)}),
            std::vector<const PlayerGhost*>({ghosts[4].get(), ghosts[0].get(), nullptr, ghosts[2].get(), nullptr}));
  EXPECT_EQ(std::pair(members.contains(*ghosts[5]), members.contains(extra)), std::pair(true, false));
  members.removeAt(9);
  EXPECT_EQ(members.count(), 6);
  members.removeNamed("ミオ");
  members.removeNamed("誰も");
  EXPECT_EQ(std::tuple(members.count(), &members.memberAt(1), members.contains(*ghosts[1])),
            std::tuple(5, ghosts[2].get(), false));
  // The sixth moved up takes the first free cell: (0, 1), left by ミオ.
  EXPECT_EQ(std::make_pair(members.at(4).row, members.at(4).column), std::make_pair(0, 1));
  members.clear();
  EXPECT_EQ(members.count(), 0);
  EXPECT_DEATH(members.at(0), "0");
}

// The seventh member line and later cells: rows then columns, skipping what
// an earlier member holds.
TEST_F(PartyRules, ArrangingFillsRowsBeforeColumns) {
  std::vector<std::unique_ptr<PlayerGhost>> ghosts;
  PartyMembers members;
  for (int i = 0; i < 5; ++i) {
    ghosts.push_back(std::make_unique<PlayerGhost>());
    ghosts.back()->setUp(shell("ノア"), 0);
    members.add(*ghosts.back());
  }
  members.at(0) = {ghosts[0].get(), 0, 0};
  members.at(1) = {ghosts[1].get(), 0, 0};
  members.at(2) = {ghosts[2].get(), 2, 4};
  members.at(3) = {ghosts[3].get(), 0, 5};
  members.at(4) = {ghosts[4].get(), 3, 0};
  members.arrange();
  std::vector<std::pair<i32, i32>> cells;
  for (i32 i = 0; i < members.count(); ++i) {
    cells.emplace_back(members.at(i).row, members.at(i).column);
  }
  EXPECT_EQ(cells, (std::vector<std::pair<i32, i32>>{{0, 0}, {0, 1}, {2, 4}, {0, 2}, {0, 3}}));
}

// The party node: member lines (key, row, column), then a ghost child per
// roster ghost; loading skips unknown and repeated members and settles cells.
// Saves key the lead by her full name; older ones, by "Kessa", still load.
TEST_F(PartyRules, SaveAndLoad) {
  Party party;
  party.recruit(shell("Kessa"));
  party.addGhost(shell("ノア"));
  party.recruit(shell("ミオ"));
  Game::NmlNode node;
  party.save(node);
  const std::string saved = text(node);
  EXPECT_EQ(saved.substr(0, saved.find("ghost{")), "member 剣士,0,0;member ミオ,0,1;");
  EXPECT_EQ(node.countChildren("ghost"), 3);

  std::string ghosts = saved.substr(saved.find("ghost{"));
  ghosts.replace(ghosts.find("剣士"), std::string("剣士").size(), "Kessa");
  Party loaded;
  loaded.load(parse("member ノア,2,3;member 誰か,0,0;member ノア,1,1;member Kessa,2,3;" + ghosts));
  EXPECT_EQ(loaded.rosterCount(), 3);
  ASSERT_EQ(loaded.activeCount(), 2);
  EXPECT_STREQ(loaded.members().memberAt(0).getName(), "ノア");
  EXPECT_STREQ(loaded.leadMember()->getName(), "剣士");
  EXPECT_EQ(std::make_pair(loaded.members().at(0).row, loaded.members().at(0).column), std::make_pair(2, 3));
  EXPECT_EQ(std::make_pair(loaded.members().at(1).row, loaded.members().at(1).column), std::make_pair(0, 0))
      << "a shared cell moves on";
}

// Entry e sorts after an article of an earlier tool; for the same tool when
// one of its performance values is greater, or when all are equal and it has
// more uses left.
TEST_F(BagRules, SortOrder) {
  const auto with = [&](const char* name, float uses, float condition) {
    Article a;
    a.set(tool(name), uses, condition);
    return a;
  };
  const std::tuple<Article, Article, bool> cases[] = {
      {with("剣", 1, 1), with("薬", 1, 1), true},       {with("薬", 1, 1), with("剣", 1, 1), false},
      {with("剣", 1, 1), with("剣", 1, 0.5f), true},    {with("剣", 1, 0.5f), with("剣", 1, 1), false},
      {with("剣", 1, 1), with("剣", 0.5f, 1), true},    {with("剣", 0.5f, 1), with("剣", 1, 1), false},
      {with("剣", 1, 1), with("剣", 1, 1), false},      {with("鎧", 1, 1), with("鎧", 1, 0.5f), true},
      {with("鎧", 1, 0.75f), with("鎧", 1, 1), false},   {with("盾", 1, 1), with("盾", 1, 0.5f), true},
      {with("兜", 1, 1), with("兜", 1, 0.5f), true},    {with("剣", 1, 0.5f), with("剣", 0.5f, 1), false},
  };
  for (const auto& [e, a, after] : cases) {
    EXPECT_EQ(Bag::sortsAfter(e, a), after)
        << e.item()->name() << e.uses() << "/" << e.condition() << " " << a.uses() << "/" << a.condition();
  }
}

TEST_F(BagRules, AddTakeCountAndFill) {
  Bag bag;
  bag.add(Article::fromItem(tool("剣")), 2);
  bag.add(Article::fromItem(tool("薬")), 1);
  Article worn;
  worn.set(tool("剣"), 0.5f);
  bag.add(worn, 1);
  bag.add(Article::fromItem(tool("剣")), 3);
  EXPECT_EQ(contents(bag), "薬x1/1 剣x1/2 剣x5/4");
  EXPECT_EQ(std::tuple(bag.at(3), bag.at(-1), bag.countItem(tool("剣")), bag.countItem(nullptr)),
            std::tuple(nullptr, nullptr, 6, 0));
  Article out;
  ASSERT_EQ((std::vector<bool>{bag.take(out, -1), bag.take(out, 3), bag.take(out, 2)}),
            std::vector<bool>({false, false, true}));
  EXPECT_EQ(out.uses(), 4);
  ASSERT_TRUE(bag.take(out, 0));
  EXPECT_EQ(contents(bag), "剣x1/2 剣x4/4") << "the last piece goes with its entry";
  EXPECT_TRUE(bag.takeItem(tool("剣")));
  EXPECT_EQ(contents(bag), "剣x4/4") << "the first entry of the item, the worn one, goes";
  EXPECT_FALSE(bag.takeItem(tool("鎧")));

  // Nothing empty, unknown or uncounted is stocked; a count stops at the top.
  Bag stock;
  stock.add(Article(), 3);
  stock.add(Article::fromItem(tool("どこにもない品")), 1);
  stock.add(Article::fromItem(tool("薬")), 0);
  EXPECT_EQ(stock.count(), 0);
  stock.add(Article::fromItem(tool("薬")), 2147483647);
  stock.add(Article::fromItem(tool("薬")), 5);
  EXPECT_EQ(stock.countItem(tool("薬")), 2147483647);
  EXPECT_FALSE(stock.takeItem(nullptr));

  bag.fillWithAll();
  EXPECT_EQ(contents(bag), "薬x2/1 剣x2/4 鎧x2/1 盾x2/1 兜x2/1");
}

TEST_F(BagRules, SaveAndLoad) {
  Bag bag;
  bag.add(Article::fromItem(tool("剣")), 2);
  bag.add(Article::fromItem(tool("薬")), 1);
  Game::NmlNode node;
  bag.save(node);
  EXPECT_EQ(text(node),
            "item{number 1;article{tool 薬;energy 1;defensePerformance 100;}}"
            "item{number 2;article{tool 剣;energy 4;defensePerformance 100;}}");
  Bag loaded;
  loaded.add(Article::fromItem(tool("鎧")), 1);
  loaded.load(parse(text(node) + "item{number 3;article{tool 薬;energy 1;defensePerformance 100;}}item{number 2;}"
                                 "item{article{tool 鎧;energy 1;defensePerformance 100;}}"));
  EXPECT_EQ(contents(loaded), "薬x4/1 剣x2/4");
}

const std::string kSavedGhost =
    "name ミオ;experience 5;LP 3;AP 1,2,3;bonusPoint 0;masterPoint 0;masterExperience 0;"
    "equip{tool 剣;energy 2;defensePerformance 100;}equip{}equip{}equip{}equip{}equip{}equip{}equip{}"
    "bonus{腕力 2;}artsList{arts{ability 連撃;level 3;}}";

std::string replacedOnce(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST_F(SaveNodeCheckTest, GhostNodes) {
  const std::string numbers = "a character's number is missing or not whole";
  const std::string item = "an item's uses or condition are missing or out of range";
  const std::string art = "an art holds more than its name and level";
  const std::string level = "an art's level is out of range";
  // The saved ghost with its first `from` replaced by `to`, and the problem found.
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"", "", ""},
      {"name ミオ;", "", "a character's shell is not in the shell table"},
      {"name ミオ;", "name 誰か;", "a character's shell is not in the shell table"},
      {"name ミオ;", "name;", "a character's shell is not in the shell table"},
      {"experience 5;", "", numbers},
      {"experience 5;", "experience 5,6;", numbers},
      {"LP 3;", "LP x;", numbers},
      {"masterPoint 0;", "", numbers},
      {"experience 5;", "experience 0;", ""},
      {"experience 5;", "experience -1;", "a character's experience is negative"},
      {"masterExperience 0;", "masterExperience -1;", "a character's experience is negative"},
      {"AP 1,2,3;", "", "a character's AP is missing"},
      {"AP 1,2,3;", "AP 1,2;", "a character's AP is missing"},
      {"AP 1,2,3;", "AP 1,2,3,4;", "a character's AP is missing"},
      {"AP 1,2,3;", "AP x,2,3;", "a character's AP is not whole"},
      {"AP 1,2,3;", "AP 1,x,3;", "a character's AP is not whole"},
      {"AP 1,2,3;", "AP 1,2,x;", "a character's AP is not whole"},
      {"}equip{}", "}", "a character has not eight equipment slots"},
      {"}equip{}", "}equip{}equip{}", "a character has not eight equipment slots"},
      {"tool 剣;", "tool 無い盾;", "an item is not in the tool table"},
      {"tool 剣;", "tool;", "an item is not in the tool table"},
      {"energy 2;", "", item},
      {"energy 2;", "energy -1;", item},
      {"energy 2;", "energy 0;", ""},
      {"defensePerformance 100;", "", item},
      {"defensePerformance 100;", "defensePerformance 101;", item},
      {"defensePerformance 100;", "defensePerformance -1;", item},
      {"defensePerformance 100;", "defensePerformance 0;", ""},
      {"}equip{}", "}equip{tool 鎧;energy 1;defensePerformance 100;}", ""},
      {"equip{}bonus", "equip{tool 無い盾;}bonus", "an item is not in the tool table"},
      {"bonus{腕力 2;}", "", "a character's bonus or arts are missing"},
      {"artsList{arts{ability 連撃;level 3;}}", "", "a character's bonus or arts are missing"},
      {"腕力 2;", "腕力 x;", "a bonus value is not a whole number"},
      {"腕力 2;", "HP x;", "a bonus value is not a whole number"},
      {"腕力 2;", "霊力 2,3;", "a bonus value is not a whole number"},
      {"ability 連撃;", "ability 無い技;", "an art is not in the ability table"},
      {"ability 連撃;", "ability;", "an art is not in the ability table"},
      {"level 3;}", "level 3;}x{}arts{ability 無い技;}", "an art is not in the ability table"},
      {"level 3;", "level 4;", level},
      {"level 3;", "level 0;", level},
      {"level 3;", "level 1;", ""},
      {"level 3;", "", ""},
      {"level 3;", "level x;", level},
      {"level 3;", "level 3;priority 5;", art},
      {"level 3;", "level 3;trigger{}", art},
      {"ability 連撃;level 3;", "level 1;ability 技;", ""},
  };
  for (const auto& [from, to, wanted] : cases) {
    const std::string text = replacedOnce(kSavedGhost, from, to);
    const char* problem = Game::SaveNodeCheck::ghostProblem(parse(text));
    EXPECT_EQ(problem ? problem : "", wanted) << text;
  }
}

TEST_F(SaveNodeCheckTest, PartyAndBagNodes) {
  const std::string ghost = "ghost{" + kSavedGhost + "}";
  const std::string member = "a member line is damaged, or there are more than six";
  const std::pair<std::string, std::string> parties[] = {
      {ghost + "member ミオ,0,1;", ""},
      {"", ""},
      {ghost + replacedOnce(ghost, "AP 1,2,3;", ""), "a character's AP is missing"},
      {ghost + ghost, "two characters share a shell"},
      {ghost + "member ミオ,0;", member},
      {ghost + "member ミオ,0,1,2;", member},
      {ghost + "member ミオ,x,1;", member},
      {ghost + "member ミオ,0,x;", member},
      {ghost + "member ノア,0,1;", "a member names no character of the roster"},
      {ghost + "member ミオ,0,1;member ミオ,1,1;", "a character is a member twice"},
  };
  for (const auto& [text, wanted] : parties) {
    const char* problem = Game::SaveNodeCheck::partyProblem(parse(text));
    EXPECT_EQ(problem ? problem : "", wanted) << text;
  }
  // Seven characters: six member lines fit, a seventh is one too many.
  std::string roster;
  std::string lines;
  int n = 0;
  for (const char* name : {"ミオ", "ノア", "Kessa", "丙", "丁", "戊", "己"}) {
    roster += "ghost{" + replacedOnce(kSavedGhost, "name ミオ;", std::string("name ") + name + ";") + "}";
    lines += std::string("member ") + name + "," + std::to_string(n / 5) + "," + std::to_string(n % 5) + ";";
    ++n;
  }
  const char* six = Game::SaveNodeCheck::partyProblem(parse(roster + lines.substr(0, lines.rfind("member"))));
  EXPECT_EQ(six ? six : "", std::string());
  const char* seven = Game::SaveNodeCheck::partyProblem(parse(roster + lines));
  EXPECT_EQ(seven ? seven : "", member);

  const std::string entry = "article{tool 薬;energy 1;defensePerformance 100;}";
  const std::pair<std::string, std::string> bags[] = {
      {"item{" + entry + "number 1;}", ""},
      {"item{number 1;}", "a bag entry has no article or no number"},
      {"item{" + entry + "}", "a bag entry has no article or no number"},
      {"item{" + entry + "number 0;}", "a bag entry has no article or no number"},
      {"item{" + entry + "number x;}", "a bag entry has no article or no number"},
      {"item{article{}number 1;}", "a bag entry holds no item"},
      {"item{article{tool 無い盾;energy 1;defensePerformance 100;}number 1;}", "an item is not in the tool table"},
      {"item{" + entry + "number 1;}item{article{tool 薬;energy -1;defensePerformance 100;}number 1;}",
       "an item's uses or condition are missing or out of range"},
  };
  for (const auto& [text, wanted] : bags) {
    const char* problem = Game::SaveNodeCheck::bagProblem(parse(text));
    EXPECT_EQ(problem ? problem : "", wanted) << text;
  }
}

}  // namespace
