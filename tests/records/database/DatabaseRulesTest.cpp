// The battle tables' records key by key, and the rules they carry (levels,
// drops, prices, status steps, skill candidates), each with a worked example.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "records/ability/AbilityHosts.h"
#include "records/ability/AbilityList.h"
#include "records/stats/Parameters.h"
#include "presentation/scene/TextWriter.h"
#include "records/database/SkillTreeItem.h"
#include "records/table/StateTable.h"
#include "tests/live/unit/TestGhost.h"
#include "tests/records/database/DatabaseFixture.h"

namespace {

using DatabaseTestSupport::artsOf;
using DatabaseTestSupport::BattleTexts;
using Engine::i32;
using Game::AbilityLevel;
using Game::Database;
using Game::EnemyData;

constexpr const char* kRuleStates = "state{name 毒;harm;}state{name 麻痺;harm;}";
constexpr const char* kRuleArts =
    "ability{name 二,一;chainName 連,鎖;afterText 奮う,嗤う;chainAccuracy 150,30;announce true;type 補助;range 遠;area 円;"
    "  power{constance 30;}cost 2;energy 3;speed 4;accuracy 5;charge 6;recoil 7;expression 1;targetExpression 0;"
    "  artsSystem 射撃;summon a,b,c,d,e,f,g,h,i,j;trigger{type 追撃;}help 助け;visible false;"
    "  status{体力 2;}defense{element{熱 3;}}}"
    "ability{name 単;chainName 独;afterText 済;chainAccuracy 80;summon a;visible true;}"
    "ability{name 打;attack{factor 物;}}ability{name 術;attack{factor 術;}}ability{name 札;attack{factor 術,符;}}"
    "ability{name 注;attack{factor 術;}effect caution;}ability{name 無;attack{factor 物;}effect none;}"
    "ability{name 変;effect magic;}ability{name 謎;effect 何か;}ability{name 普;effect normal;}"
    "ability{name 符;effect spellCard;}"
    "ability{base{name 火;fullName 火の術;animationName 火の絵;}upper{name 炎;}upper{fullName 業火;}}"
    "ability{base{name 水;}upper{name 氷;}}"
    "ability{name 技;type 攻撃;}ability{name 奥;type 攻撃;}ability{name 広;type 攻撃;area 陣;}";
constexpr const char* kRuleTools =
    "tool{name 剣;fullName 鉄剣;icon 剣;price 9;energy 3;slot ぶき;slot あたま,うで;shell 甲;shell 乙;"
    "  equip{weapon 6;protector 1,0;}help 鋭い;arts{ability 技;}passiveArts{ability 打;}passiveArts{ability 術;}"
    "  throw{ability 技;}}"
    "tool{name 薬;icon 薬;price 3;}tool{name 石;icon 石;price 0;equip{protector 0,2;}}";
constexpr const char* kRuleShells = "shell{name 甲;face none;status{}skill{}defense{}}shell{name 乙;status{}skill{}defense{}}";

class DatabaseRules : public DatabaseTestSupport::DatabaseTest {
 protected:
  BattleTexts texts() {
    return BattleTexts::empty()
        .with(Database::kStates, kRuleStates)
        .with(Database::kAbilities, kRuleArts)
        .with(Database::kTools, kRuleTools)
        .with(Database::kShells, kRuleShells);
  }
  void SetUp() override {
    DatabaseTest::SetUp();
    load(texts());
  }
  const AbilityLevel& record(const char* fullName, i32 level = 1) {
    return database().findAbility(fullName).level(level);
  }
};

TEST_F(DatabaseRules, AnArtReadsEveryKey) {
  const AbilityLevel& r = record("一");
  EXPECT_EQ(std::vector<std::string>({r.name(), r.secondName(), r.fullName(), r.animationName(), r.help(),
                                      r.chainName(0), r.chainName(1), r.afterText(0), r.afterText(1)}),
            std::vector<std::string>({"一", "二", "一", "一", "助け", "連", "鎖", "奮う", "嗤う"}));
  EXPECT_FLOAT_EQ(r.chainAccuracy(0), 1.5f);
  EXPECT_FLOAT_EQ(r.chainAccuracy(1), 0.3f);
  // At most eight summons.
  EXPECT_EQ(std::vector<i32>({r.type(), r.range(), r.area(), r.power().constance, r.cost(), r.energy(), r.speed(),
                              r.accuracy(), r.charge(), r.recoil(), r.trigger().kind(), r.announces(), r.isVisible(),
                              r.artsSystem().isSet(2), static_cast<i32>(r.summons().size()), r.expression() != nullptr,
                              r.targetExpression() != nullptr, r.status()[Game::Parameters::kVitality],
                              r.defense().typeDefense(4)}),
            std::vector<i32>({1, 2, 5, 30, 2, 3, 4, 5, 6, 7, 5, 1, 0, 1, 8, 1, 1, 2, 3}));
  EXPECT_STREQ(r.summons()[7].c_str(), "h");

  const AbilityLevel& single = record("単");
  EXPECT_EQ(std::vector<std::string>({single.secondName(), single.chainName(0), single.chainName(1),
                                      single.afterText(0), single.afterText(1)}),
            std::vector<std::string>({"", "独", "", "済", ""}));
  EXPECT_FLOAT_EQ(single.chainAccuracy(0), 0.8f);
  EXPECT_FLOAT_EQ(single.chainAccuracy(1), 0.f);
  EXPECT_EQ(std::vector<i32>({static_cast<i32>(single.summons().size()), single.isVisible(),
                              single.expression() != nullptr, single.announces()}),
            std::vector<i32>({1, 1, 0, 0}));
}

// The attack block makes the effect normal, magic for 術, a spell card for
// 符; an "effect" word overrides it.
TEST_F(DatabaseRules, EffectKinds) {
  const std::pair<const char*, i32> cases[] = {
      {"単", AbilityLevel::kNoEffect}, {"打", AbilityLevel::kNormal},      {"術", AbilityLevel::kMagic},
      {"札", AbilityLevel::kSpellCard}, {"注", AbilityLevel::kCaution},    {"無", AbilityLevel::kNoEffect},
      {"変", AbilityLevel::kMagic},     {"謎", AbilityLevel::kNoEffect},   {"普", AbilityLevel::kNormal},
      {"符", AbilityLevel::kSpellCard},
  };
  for (const auto& [name, kind] : cases) {
    EXPECT_EQ(record(name).effectKind(), kind) << name;
  }
}

// Each upper is read over the record before it; a full or animation name
// once given is kept, otherwise they follow the name.
TEST_F(DatabaseRules, UpperRecordsKeepOrFollowTheNames) {
  const std::tuple<std::string, i32, std::string, std::string, std::string> cases[] = {
      {"火の術", 1, "火", "火の術", "火の絵"}, {"火の術", 2, "炎", "火の術", "火の絵"},
      {"火の術", 3, "炎", "業火", "火の絵"},   {"水", 2, "氷", "氷", "氷"},
  };
  for (const auto& [art, level, name, full, animation] : cases) {
    const AbilityLevel& r = record(art.c_str(), level);
    EXPECT_EQ(std::vector<std::string>({r.name(), r.fullName(), r.animationName()}),
              std::vector<std::string>({name, full, animation}))
        << art << " " << level;
  }
}

TEST_F(DatabaseRules, ToolsReadArtsSlotsAndShells) {
  const Game::ToolData& sword = *database().findTool("鉄剣");
  EXPECT_STREQ(sword.name(), "剣");
  EXPECT_STREQ(sword.help(), "鋭い");
  EXPECT_EQ(sword.slotMask(), 1 | 4 | 2) << "every slot line OR-ed";
  EXPECT_TRUE(sword.isUsableBy("甲") && sword.isUsableBy("乙") && !sword.isUsableBy("丙"));
  EXPECT_EQ(artsOf(sword.arts()) + " / " + artsOf(sword.passiveArts()) + " / " + artsOf(sword.throwArt()),
            "技:1 / 打:1 術:1 / 技:1");
  EXPECT_EQ(database().findTool("薬")->throwArt().count(), 0);
  EXPECT_EQ(database().findTool("剣"), nullptr) << "found by the full name";
}

// Font 1 for the name, then labels and values: "武器性能 6"; "物理防御 " and
// two digits, " 魔法防御 " and two digits; "耐久度 " and the uses; the help
// in font 0. 10 units a byte in font 1, 7 in font 0. The equipment screen's
// golden frame shows the panel; this row pins what a wrong line would move.
TEST_F(DatabaseRules, TheEquipmentSpecLines) {
  // 鉄剣 / 武器性能 6 / 物理防御  1 魔法防御  0 / 耐久度 2 / 鋭い
  Game::TextWriter writer(800, 600);
  database().findTool("鉄剣")->drawSpec(writer, 10.5f, -20.5f, 2, 1.f);
  i32 width = 0;
  i32 height = 0;
  writer.getExtent(&width, &height);
  i32 x = 0;
  i32 y = 0;
  writer.getOrigin(&x, &y);
  EXPECT_EQ(std::vector<i32>({width, height, x, y, writer.font()}), std::vector<i32>({230, 94, 10, -20, 0}));
  EXPECT_STREQ(writer.lastText().c_str(), "鋭い");
  EXPECT_EQ(writer.color(), 0xFFC0C0C0u);
}

// Status-up states add 8 to their parameter, status-down ones take 8;
// parameters outside 0..11 change nothing.
TEST_F(DatabaseRules, StatusStepsByParameter) {
  Game::StateTable table;
  Game::NmlNode node;
  ASSERT_TRUE(node.parse("state{name a;type statusUp;parameter 0;}state{name b;type statusUp;parameter 11;}"
                         "state{name c;type statusDown;parameter 11;}state{name d;type statusUp;parameter 12;}"
                         "state{name e;type statusDown;parameter -1;}state{name f;type other;parameter 3;}",
                         true));
  table.read(node);
  Game::Parameters p;
  for (i32 i = 0; i < table.count(); ++i) {
    table.at(i)->applyTo(p);
  }
  EXPECT_EQ(std::vector<i32>({p[0], p[11], p[3]}), std::vector<i32>({8, 0, 0}));
  Game::Parameters up;
  table.at(1)->applyTo(up);
  EXPECT_EQ(up[11], 8);
  // Parameter 12 would write past the block, into the next one here.
  std::array<Game::Parameters, 2> pair{};
  table.at(3)->applyTo(pair[0]);
  EXPECT_EQ(pair[1], Game::Parameters());
  EXPECT_STREQ(table.add("g").name(), "g");
  EXPECT_EQ(std::vector<i32>({table.indexOf("c"), table.at(0)->is("a"), table.at(0)->is(nullptr), table.at(0)->is("b"),
                              table.find("g")}),
            std::vector<i32>({2, 1, 0, 0, 6}));
}

// Level at rank r with bonus b: lowest + b + trunc(r × ((1 − r)(99 − lowest)
// + r (highest − lowest))), at most 99, then within lowest..highest.
TEST_F(DatabaseRules, EnemyLevelsByRankAndBonus) {
  load(texts().with(Database::kEnemies,
                    "enemy{name 狼;level 10,50;equip{}action{}}enemy{name 竜;level 10,150;equip{}action{}}"
                    "enemy{name 虫;equip{}action{}}"));
  const EnemyData& wolf = *database().findEnemy("狼");
  struct Case {
    float rank;
    i32 bonus, level;
  };
  // 0.5: 0.5 × (44.5 + 20) = 32.25; 0.25: 0.25 × (66.75 + 10) = 19.19.
  for (const Case& c : {Case{0.f, 0, 10}, Case{0.5f, 0, 42}, Case{0.25f, 0, 29}, Case{1.f, 0, 50}, Case{0.f, 5, 15},
                        Case{0.f, -20, 10}, Case{0.f, 100, 50}}) {
    EXPECT_EQ(wolf.levelAt(c.rank, c.bonus), c.level) << c.rank << " " << c.bonus;
  }
  EXPECT_EQ(database().findEnemy("竜")->levelAt(1.f, 0), 99) << "never above 99";
  const EnemyData& bug = *database().findEnemy("虫");
  EXPECT_EQ(std::make_pair(bug.lowestLevel(), bug.highestLevel()), std::make_pair(1, 99));
  EXPECT_EQ(bug.levelAt(0.5f, 0), 1 + 49);
}

TEST_F(DatabaseRules, EnemiesReadEveryKey) {
  load(texts().with(Database::kEnemies,
                    "enemy{name 狼;fullName 白狼;score 12;money 30;ABP 70;HP 400;equip{weapon 5;protector 2,1;}"
                    "  action{}drop 薬;drop 鉄剣,25,4;materials 石;materials 薬;}"
                    "enemy{name 影;face 顔;model 像;HP -400;equip{}action{}}"));
  const EnemyData& wolf = *database().findEnemy("白狼");
  EXPECT_EQ(std::vector<std::string>({wolf.name(), wolf.face(), wolf.model()}),
            std::vector<std::string>({"狼", "狼", "白狼"}));
  EXPECT_EQ(std::vector<i32>({wolf.score(), wolf.money(), wolf.performance().weapon, wolf.performance().magicDefense}),
            std::vector<i32>({12, 30, 5, 1}));
  EXPECT_FLOAT_EQ(wolf.abp(), 0.7f);
  EXPECT_FLOAT_EQ(wolf.hpScale(), 4.f);
  EXPECT_FLOAT_EQ(wolf.lifeFactor(), 1.4f);
  EXPECT_FLOAT_EQ(wolf.abpBonus(), 0.04f);
  EXPECT_FLOAT_EQ(wolf.abpComplement(), 0.3f);
  ASSERT_EQ(wolf.drops().size(), 2u);
  EXPECT_EQ(std::make_tuple(wolf.drops()[0].tool, wolf.drops()[0].weight, wolf.drops()[0].threshold),
            std::make_tuple(database().findTool("薬"), 0.f, 0));
  EXPECT_EQ(std::make_tuple(wolf.drops()[1].tool, wolf.drops()[1].weight, wolf.drops()[1].threshold),
            std::make_tuple(database().findTool("鉄剣"), 25.f, 4));
  EXPECT_EQ(wolf.materials(), (std::vector<const Game::ToolData*>{database().findTool("石"), database().findTool("薬")}));
  const EnemyData& shadow = *database().findEnemy("影");
  EXPECT_EQ(std::vector<std::string>({shadow.face(), shadow.model()}), std::vector<std::string>({"顔", "像"}));
  EXPECT_FLOAT_EQ(shadow.hpScale(), -4.f);
  EXPECT_FLOAT_EQ(shadow.lifeFactor(), 0.f) << "no root of a negative scale";
}

// Drop: one draw out of 100 over the weights (30 and 20: half the time
// nothing); steal: one pick among the candidates by weight (0.6 and 0.4).
TEST_F(DatabaseRules, DropAndStealShares) {
  load(texts().with(Database::kEnemies, "enemy{name 狼;equip{}action{}drop 薬,30;drop 石,20;drop 鉄剣,100,50;}"));
  const EnemyData& wolf = *database().findEnemy("狼");
  const Game::ToolData* herb = database().findTool("薬");
  const Game::ToolData* stone = database().findTool("石");
  const auto shares = [&](EnemyData::DropMode mode) {
    std::vector<double> out(3, 0.0);
    for (int i = 0; i < 4000; ++i) {
      const Game::ToolData* item = wolf.pickDrop(50, mode);
      out[item == herb ? 0 : item == stone ? 1 : 2] += 1.0 / 4000;
    }
    return out;
  };
  const std::vector<double> drop = shares(EnemyData::DropMode::kDrop);
  EXPECT_NEAR(drop[0], 0.3, 0.03);
  EXPECT_NEAR(drop[1], 0.2, 0.03);
  EXPECT_NEAR(drop[2], 0.5, 0.03);
  const std::vector<double> steal = shares(EnemyData::DropMode::kSteal);
  EXPECT_NEAR(steal[0], 0.6, 0.03);
  EXPECT_NEAR(steal[1], 0.4, 0.03);
  // From level 51 the sword's 100 joins: the weights pass 100 and no draw misses.
  for (int i = 0; i < 200; ++i) {
    EXPECT_NE(wolf.pickDrop(51, EnemyData::DropMode::kDrop), nullptr);
  }
}

TEST_F(DatabaseRules, ShellsSynchrosRacesAndSkillItems) {
  load(texts()
           .with(Database::kShells,
                 "shell{name 甲;face none;model 甲像;status{}skill{item{cost 1;arts{ability 技;}}}defense{}}"
                 "shell{name 乙;status{}skill{}defense{}}")
           .with(Database::kEnemies, "enemy{name 狼;equip{}action{}}enemy{name 熊;equip{}action{}}")
           .with(Database::kRaces,
                 "race{name 獣;member 狼;member 熊;symbol 獣の印;sense 聴覚;"
                 "  pattern{passiveSpeed 3/2;activeSpeed 5;activeTime 40;senseRange 120;}pattern{}}"
                 "race{name 影;sense 視覚;}race{name 謎;sense 何か;}race{name 神;sense 第六感;}")
           .with(Database::kSynchros,
                 "synchro{name 二人;help 協力;member 甲;member 乙;energySpeed 3;energyCapacity 50;"
                 "  arts{arts{ability 技;}}status{腕力 4;}attack{factor 物;}defense{element{熱 1;}}}"
                 "synchro{name 三人;member 甲;number 3;}"));
  const Game::ShellData& first = *database().findShellExactly("甲");
  EXPECT_EQ(std::vector<std::string>({first.face(), first.model(), database().findShellExactly("乙")->face(),
                                      database().findShellExactly("乙")->model()}),
            std::vector<std::string>({"", "甲像", "乙", "乙"}));
  EXPECT_EQ(first.performance().weapon, 0);

  const Game::RaceData& beasts = database().findRace("獣");
  EXPECT_EQ(beasts.members(), (std::vector<const EnemyData*>{database().findEnemy("狼"), database().findEnemy("熊")}));
  EXPECT_STREQ(beasts.symbol(), "獣の印");
  ASSERT_EQ(beasts.patterns().size(), 2u);
  const auto& p = beasts.patterns()[0];
  EXPECT_EQ(std::make_tuple(p.passiveSpeed, p.activeSpeed, p.activeTime, p.senseRange), std::make_tuple(1.5f, 5.f, 40, 120.f));
  EXPECT_EQ(beasts.patterns()[1].activeTime, 0);
  EXPECT_EQ(std::vector<i32>({beasts.sense(), database().findRace("影").sense(), database().findRace("謎").sense(),
                              database().findRace("神").sense()}),
            std::vector<i32>({Game::RaceData::kHearing, Game::RaceData::kSight, Game::RaceData::kSight,
                              Game::RaceData::kSixthSense}));

  const Game::SynchroData& pair = database().synchros().at(0);
  EXPECT_EQ(std::vector<i32>({static_cast<i32>(pair.members().size()), pair.number(), pair.energySpeed(),
                              pair.energyCapacity(), pair.arts().count(), pair.status()[Game::Parameters::kStrength],
                              pair.defense().typeDefense(4), pair.attack().elements().isSet(1),
                              database().synchros().at(1).number()}),
            std::vector<i32>({2, 2, 3, 50, 1, 4, 1, 1, 3}));
  EXPECT_STREQ(pair.help(), "協力");
}

// A skill item is a candidate while its art is not known at its level, its
// prerequisites are known at theirs and its condition holds.
TEST_F(DatabaseRules, SkillCandidates) {
  load(texts().with(Database::kSkillTree,
                    "item{cost 1;arts{ability 技;}}"
                    "item{cost 2;arts{ability 奥;}base{ability 技;}}"
                    "item{cost 3;arts{ability 火の術;level 2;}base{ability 技;level 2;}}"
                    "item{cost 4;arts{ability 広;}expression 0;}"
                    "item{cost 5;arts{ability 水;}base{ability 技;}base{ability 奥;}}"));
  const Game::SkillTree& tree = database().skillTree();
  struct Case {
    std::vector<std::pair<const char*, i32>> learned;
    std::vector<i32> costs;
  };
  const Case cases[] = {
      {{}, {1}},
      {{{"技", 1}}, {2}},
      {{{"技", 2}}, {2, 3}},
      {{{"技", 2}, {"火の術", 1}}, {2, 3}},
      {{{"技", 2}, {"火の術", 2}, {"奥", 1}}, {5}},
  };
  for (const Case& c : cases) {
    UnitTestSupport::TestUnit subject;
    for (const auto& [name, level] : c.learned) {
      subject.ghost.abilities().add(Game::Ability(&database().findAbility(name), level));
    }
    std::vector<const Game::SkillTreeItem*> out;
    Game::collectCandidates(tree, out, subject.ghost.abilities(), subject.unit);
    std::vector<i32> costs;
    for (const Game::SkillTreeItem* item : out) costs.push_back(item->cost());
    EXPECT_EQ(costs, c.costs) << c.learned.size();
  }
  // One more at the top level of a leveled art from level 2: 火の術 has 3.
  Game::AbilityList learned;
  const Game::SkillTreeItem& fire = tree[2];
  EXPECT_EQ(fire.effectiveCost(learned), 3);
  learned.add(Game::Ability(&database().findAbility("火の術"), 3));
  EXPECT_EQ(fire.effectiveCost(learned), 4);
  EXPECT_EQ(tree[0].effectiveCost(learned), 1) << "not a leveled art";
}

}  // namespace
