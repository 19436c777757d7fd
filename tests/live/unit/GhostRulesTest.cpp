// Characters and enemies over small records whose numbers are worked by
// hand: at level 99 a growth table gives its end row (HP × 50, LP × 99.99,
// AP × 0.3, 0.2, 0.1, 霊力 × 0.15 of what is written).

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "live/Unit.h"
#include "records/ability/AbilityHosts.h"
#include "records/stats/Experience.h"
#include "live/unit/EnemyGhost.h"
#include "live/unit/PlayerGhost.h"
#include "core/file/nml/NmlNode.h"
#include "records/database/EnemyData.h"
#include "records/database/ShellData.h"
#include "records/database/SkillTreeItem.h"
#include "records/database/ToolData.h"
#include "tests/records/database/DatabaseFixture.h"

namespace {

using DatabaseTestSupport::BattleTexts;
using Engine::i32;
using Game::Database;
using Game::Parameters;
using Game::PlayerGhost;

constexpr const char* kGhostArts =
    "ability{name 体術技;type 攻撃;artsSystem 体術;}"
    "ability{name 剣技;type 攻撃;artsSystem 武器;}"
    "ability{name 魔技;type 攻撃;artsSystem 魔法;}"
    "ability{name 剣心;passive;}"
    "ability{name 鎧心;passive;}"
    "ability{name 鎧技;type 補助;}"
    "ability{name 想起;type 攻撃;}"
    "ability{base{name 連撃;type 攻撃;}upper{}upper{}}";
constexpr const char* kGhostTools =
    "tool{name 剣;icon 剣;price 100;energy 3;artsSystem 武器;equip{weapon 6;protector 1,0;}status{腕力 2;}"
    "  attack{element 斬撃;factor 物;}defense{factor{水 50;}}arts{ability 剣技;}passiveArts{ability 剣心;}}"
    "tool{name 鎧;icon 鎧;price 50;equip{protector 4,3;}status{体力 5;}attack{factor 水;}"
    "  arts{ability 鎧技;}passiveArts{ability 鎧心;}}"
    "tool{name 石;icon 石;price 0;}tool{name 札;icon 札;price 1;}";
constexpr const char* kGhostShells =
    "shell{name 甲;face none;model 甲像;"
    "  status{end{HP 2;LP 1;AP1 100;AP2 50;AP3 30;腕力 40;器用さ 30;知力 20;敏捷 10;体力 8;精神 4;霊力 100;}}"
    "  skill{item{cost 2;arts{ability 剣技;}}item{cost 3;arts{ability 連撃;level 3;}}}"
    "  equip{weapon 7;protector 3,2;}attack{factor 音;}defense{element{熱 5;}}"
    "  arts{ability 体術技;}arts{ability 連撃;level 2;}gear{slot 0;name 剣;}gear{slot 4;name 鎧;}}"
    "shell{name 乙;status{}skill{}defense{}}";
constexpr const char* kGhostEnemies =
    "enemy{name 骨;fullName 骨の兵;face 骨顔;model 骨像;money 7;ABP 50;HP 900;level 99;"
    "  equip{weapon 10;protector 6,4;}"
    "  status{end{HP 2;LP 1;腕力 40;器用さ 30;知力 20;敏捷 10;体力 5;精神 3;霊力 100;}}"
    "  defense{element{熱 9;}factor{水 50;}}attack{factor 物;}action{}passive{arts{ability 連撃;}}"
    "  drop 剣,100;materials 鎧;metamorphose{name 骨王;expression 1;}}"
    "enemy{name 骨王;level 50,99;ABP 80;equip{weapon 10;protector 6,4;}status{end{HP 4;LP 2;腕力 1;}}action{}}";

// The end row of 甲 at level 99, HP raised by a fifth, with the sword's
// 腕力 2 and the armour's 体力 5.
const std::vector<i32> kShellEnd = {120, 99, 30, 10, 3, 42, 30, 20, 10, 13, 4, 15};

std::vector<i32> parameterValues(const Parameters& p) {
  std::vector<i32> out;
  for (i32 i = 0; i < Parameters::kCount; ++i) {
    out.push_back(p[i]);
  }
  return out;
}

std::vector<std::string> artNames(const Game::AbilityList& list) {
  std::vector<std::string> out;
  for (i32 i = 0; i < list.count(); ++i) {
    out.emplace_back(list.at(i).name());
    if (list.at(i).level() > 1) {
      out.back() += std::to_string(list.at(i).level());
    }
  }
  return out;
}

class GhostRulesTest : public DatabaseTestSupport::DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    load(BattleTexts::empty()
             .with(Database::kAbilities, kGhostArts)
             .with(Database::kTools, kGhostTools)
             .with(Database::kShells, kGhostShells)
             .with(Database::kEnemies, kGhostEnemies));
    ghost.setUp(shell("甲"), Game::Experience::forLevel(99));
  }
  const Game::ShellData& shell(const char* name) { return *database().findShellExactly(name); }
  const Game::EnemyData& enemy(const char* name) { return *database().findEnemy(name); }
  const Game::ToolData* tool(const char* name) { return database().findTool(name); }

  struct Stats {
    Parameters parameters;
    i32 weapon = 0;
    Game::AttackBlock attack;
    Game::DefenseBlock defense;
    Game::AbilityList abilities;
  };
  static Stats stats(const Game::Ghost& g, i32 weaponSlot) {
    Stats s;
    g.computeStats(s.parameters, s.weapon, s.attack, s.defense, s.abilities, weaponSlot);
    return s;
  }
  // "weapon | type defences | defence factors 0 and 5 | attack type 0,
  // elements 1, 5 and 8 | arts".
  static std::string describe(const Stats& s) {
    std::ostringstream out;
    out << s.weapon << " |";
    for (i32 t = 0; t < Game::DefenseBlock::kTypeCount; ++t) out << " " << s.defense.typeDefense(t);
    out << " | " << s.defense.factors()[0] << " " << s.defense.factors()[5] << " | " << s.attack.types().isSet(0);
    out << " ";
    for (i32 e : {1, 5, 8}) out << s.attack.elements().isSet(e);
    out << " |";
    for (const std::string& name : artNames(s.abilities)) out << " " << name;
    return out.str();
  }
  // Name, definition key, appearance and face.
  static std::string names(const Game::Ghost& g) {
    return std::string(g.getName()) + "|" + g.getDefinitionKey() + "|" + g.getAppearance() + "|" + g.getFace();
  }

  PlayerGhost ghost;  // 甲 at level 99
};

class PlayerGhostRules : public GhostRulesTest {};
class EnemyGhostRules : public GhostRulesTest {};

// Weapon 7 of the shell and 6 of the sword; type defences 3 and 2 of the
// shell (its own 熱 5 replaced), then 1, 0 of the sword and 4, 3 of the
// armour; the sword's attack and arts only while it is the weapon.
TEST_F(PlayerGhostRules, EquipmentAddsByTheWeaponSlot) {
  // The factor 水 (5) of the sword; the type defences only are replaced.
  const Stats sword = stats(ghost, 0);
  EXPECT_EQ(parameterValues(sword.parameters), kShellEnd);
  EXPECT_EQ(describe(sword), "13 | 8 8 8 5 5 5 5 5 5 | 1 0.5 | 1 111 | 剣技 鎧技 剣心 鎧心 体術技 連撃2");
  for (i32 slot : {-1, 1, 4}) {
    const Stats bare = stats(ghost, slot);
    EXPECT_EQ(parameterValues(bare.parameters), kShellEnd) << slot;
    EXPECT_EQ(describe(bare), "7 | 8 8 8 5 5 5 5 5 5 | 1 0.5 | 0 011 | 鎧技 剣心 鎧心 体術技 連撃2") << slot;
  }
  // A sword in a protector slot is no weapon but still adds its arts.
  ghost.slot(6) = ghost.slot(0);
  ghost.slot(0).clear();
  EXPECT_EQ(describe(stats(ghost, 6)), "13 | 8 8 8 5 5 5 5 5 5 | 1 0.5 | 1 111 | 鎧技 剣技 鎧心 剣心 体術技 連撃2");
  // A ghost of no shell has nothing of its own.
  const Stats none = stats(PlayerGhost(), -1);
  EXPECT_EQ(parameterValues(none.parameters), std::vector<i32>(Parameters::kCount, 0));
  EXPECT_EQ(describe(none), "0 | 0 0 0 0 0 0 0 0 0 | 1 1 | 0 000 |");
  // Bonus points add before the fifth: HP 100 + 10 → 132.
  ghost.bonus()[Parameters::kHp] = 10;
  EXPECT_EQ(stats(ghost, -1).parameters[Parameters::kHp], 132);
}

// Without a weapon: arts of 体術 or of no category; with one: the learned
// arts that share its categories, then its own arts and passives.
TEST_F(PlayerGhostRules, AbilitiesForAWeaponSlot) {
  ghost.abilities().add(Game::Ability(&database().findAbility("剣技")));
  ghost.abilities().add(Game::Ability(&database().findAbility("魔技")));
  ghost.abilities().add(Game::Ability());
  Game::AbilityList list;
  ghost.abilitiesForSlot(list, PlayerGhost::kNoWeapon, nullptr);
  EXPECT_EQ(artNames(list), (std::vector<std::string>{"体術技", "連撃2"}));
  ghost.abilitiesForSlot(list, 0, nullptr);
  EXPECT_EQ(artNames(list), (std::vector<std::string>{"剣技", "剣技", "剣心"}));
  ghost.abilitiesForSlot(list, 4, nullptr);
  EXPECT_EQ(artNames(list), (std::vector<std::string>{"鎧技", "鎧心"}));
  ghost.abilitiesForSlot(list, 2, nullptr);
  EXPECT_TRUE(list.isEmpty());
  // A weapon art learned first is offered first.
  PlayerGhost plain;
  plain.setUp(shell("乙"), 0);
  plain.abilities().add(Game::Ability(&database().findAbility("剣技")));
  plain.slot(1) = Game::Article::fromItem(tool("剣"));
  plain.abilitiesForSlot(list, 1, nullptr);
  EXPECT_EQ(artNames(list), (std::vector<std::string>{"剣技", "剣技", "剣心"}));

  struct Memory : Game::SpellMemory {
    const Game::Ability* spell = nullptr;
    const Game::Ability* lastSpell() const override { return spell; }
  } battle;
  const Game::Ability last(&database().findAbility("魔技"));
  battle.spell = &last;
  ghost.abilities().add(Game::Ability(&database().findAbility("想起")));
  ghost.abilitiesForSlot(list, PlayerGhost::kNoWeapon, &battle);
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(std::pair(list.at(2).isRecalled(), std::string(list.at(2).name())), std::pair(true, std::string("魔技")));
}

TEST_F(PlayerGhostRules, ApLifeAndEquipmentSlots) {
  ghost.spendAp(0);
  ghost.spendAp(3);
  ghost.spendAp(-1);
  EXPECT_EQ(std::vector<i32>({ghost.getAp(0), ghost.getAp(1), ghost.getAp(2), ghost.getAp(3), ghost.getAp(-1)}),
            std::vector<i32>({29, 10, 3, 0, 0}));
  EXPECT_EQ(ghost.slot(0).item(), tool("剣")) << "no tier past the third to spend from";
  // Nor is the first slot, next to the AP, touched when its item lies
  // elsewhere (here on the stack rather than in the tables).
  const Game::ToolData staff("杖", "杖");
  PlayerGhost other;
  other.slot(0) = Game::Article::fromItem(&staff);
  other.spendAp(3);
  EXPECT_EQ(other.slot(0).item(), &staff);
  for (int i = 0; i < 5; ++i) {
    ghost.spendAp(2);
  }
  EXPECT_EQ(ghost.getAp(2), 0) << "not below 0";
  // Slot 1 is empty.
  EXPECT_EQ(std::vector<const Game::Article*>({ghost.getEquipment(1), ghost.getEquipment(8), ghost.getEquipment(-1),
                                               ghost.getEquipment(4)}),
            std::vector<const Game::Article*>({nullptr, nullptr, nullptr, &ghost.slot(4)}));
  ghost.useEquipment(0);
  ghost.useEquipment(4);
  ghost.useEquipment(8);
  EXPECT_EQ(ghost.slot(0).uses(), 2);
  ghost.clearEquipment(0);
  ghost.clearEquipment(-1);
  EXPECT_EQ(std::pair(ghost.slot(0).isEmpty(), ghost.slot(4).isEmpty()), std::pair(true, false));

  Game::Article previous;
  const Game::Article stone = Game::Article::fromItem(tool("石"));
  ghost.swapEquipment(previous, stone, 4);
  EXPECT_EQ(std::pair(previous.item(), ghost.slot(4).item()), std::pair(tool("鎧"), tool("石")));
  ghost.swapEquipment(previous, Game::Article::fromItem(tool("剣")), 8);
  EXPECT_EQ(previous.item(), tool("剣")) << "no slot 8: the article comes back";
  ghost.swapEquipment(previous, Game::Article::fromItem(tool("剣")), -1);
  EXPECT_EQ(previous.item(), tool("剣"));
  ghost.setLastCommand(4);
  EXPECT_EQ(ghost.getLastCommand(), 4);
  ghost.setUp(shell("甲"), 0);
  EXPECT_EQ(ghost.getLastCommand(), 0) << "a character set up afresh";
}

// Learning costs the item's cost; 連撃 at its top level (3 of 3) costs one more.
TEST_F(PlayerGhostRules, LearningSpendsMasterPoints) {
  const Game::SkillTreeItem& swordArt = shell("甲").skillTree().at(0);
  const Game::SkillTreeItem& combo = shell("甲").skillTree().at(1);
  ghost.gainExperience(nullptr, 0, Game::Experience::forMasterLevel(2));
  EXPECT_EQ(ghost.masterPoint(), 2);
  EXPECT_TRUE(ghost.learnAbility(swordArt));
  EXPECT_EQ(ghost.masterPoint(), 0);
  EXPECT_FALSE(ghost.learnAbility(combo));
  ghost.gainExperience(nullptr, 0, Game::Experience::forMasterLevel(5) - Game::Experience::forMasterLevel(2));
  EXPECT_EQ(ghost.masterPoint(), 3);
  EXPECT_TRUE(ghost.learnAbility(combo));
  EXPECT_EQ(artNames(ghost.abilities()), (std::vector<std::string>{"体術技", "連撃3", "剣技"}));
  EXPECT_EQ(combo.effectiveCost(ghost.abilities()), 4);
  // Experience never falls below 0.
  ghost.gainExperience(nullptr, -0x7fffffff, -0x7fffffff);
  EXPECT_EQ(std::make_pair(ghost.experience(), ghost.masterExperience()), std::make_pair(0, 0));
}

TEST_F(PlayerGhostRules, ANewCycleKeepsSaleableGearAndMasterLevel) {
  ghost.slot(5) = Game::Article::fromItem(tool("石"));
  ghost.slot(6) = Game::Article::fromItem(tool("札"));
  ghost.gainExperience(nullptr, 0, Game::Experience::forMasterLevel(3));
  ghost.learnAbility(shell("甲").skillTree().at(0));
  ghost.bonus()[Parameters::kStrength] = 3;
  ghost.startNewCycle();
  EXPECT_EQ(std::vector<i32>({ghost.experience(), ghost.bonusPoint(), ghost.bonus()[Parameters::kStrength],
                              ghost.masterPoint(), ghost.getLevel()}),
            std::vector<i32>({0, 0, 0, 3, 1}));
  // 石 in slot 5 is worth nothing, 札 in slot 6 worth 1.
  EXPECT_EQ(std::vector<bool>({ghost.slot(5).isEmpty(), ghost.slot(6).isEmpty(), ghost.slot(0).isEmpty(),
                               ghost.slot(4).isEmpty()}),
            std::vector<bool>({true, false, false, false}));
  EXPECT_EQ(artNames(ghost.abilities()), (std::vector<std::string>{"体術技", "連撃2"}));
}

// A node without points keeps the fresh values (30 master points); innate
// arts missing from the list, or held lower, are added.
TEST_F(PlayerGhostRules, LoadingKeepsDefaultsAndAddsInnateArts) {
  Game::NmlNode node;
  ASSERT_TRUE(node.parse("name 甲;experience 199;LP 12;AP 4,5;equip{}equip{tool 石;energy 1;defensePerformance 80;}"
                         "bonus{体力 2;}artsList{arts{ability 連撃;level 1;}arts{ability 剣技;level 1;}}",
                         true));
  PlayerGhost loaded;
  loaded.load(node);
  EXPECT_EQ(std::vector<i32>({loaded.getLevel(), loaded.lp(), loaded.getAp(0), loaded.getAp(1), loaded.getAp(2),
                              loaded.masterPoint(), loaded.bonusPoint(), loaded.bonus()[Parameters::kVitality],
                              loaded.bonus()[Parameters::kHp]}),
            std::vector<i32>({2, 12, 4, 5, 0x7fffffff, 30, 0, 2, 0}));
  EXPECT_EQ(std::tuple(loaded.slot(0).isEmpty(), loaded.slot(1).item(), loaded.slot(1).condition()),
            std::tuple(true, tool("石"), 80));
  EXPECT_EQ(artNames(loaded.abilities()), (std::vector<std::string>{"連撃", "剣技", "体術技", "連撃2"}));
  EXPECT_EQ(loaded.shell(), &shell("甲"));
}

TEST_F(EnemyGhostRules, SetUpScalesLifeAndGrowsTheArts) {
  Game::EnemyGhost bones;
  bones.setUp(enemy("骨の兵"), 1.f, 0, 1.5f);
  // HP 100 and LP 99 at scale 1.5: 150 and 148.
  EXPECT_EQ(parameterValues(bones.parameters()), (std::vector<i32>{150, 148, 0, 0, 0, 40, 30, 20, 10, 5, 3, 15}));
  EXPECT_EQ(std::vector<i32>({bones.getLevel(), bones.lp(), bones.getAp(0)}), std::vector<i32>({99, 148, 0x7fffff}));
  EXPECT_EQ(artNames(bones.abilities()), std::vector<std::string>{"連撃3"}) << "level 99 at ABP 0.5: the top level";
  EXPECT_EQ(names(bones), "骨の兵|骨の兵|骨像|骨顔");
  EXPECT_FLOAT_EQ(bones.getArtLevelBonus(), 0.f);
  ASSERT_NE(bones.getMaterials(), nullptr);
  EXPECT_EQ(*bones.getMaterials(), std::vector<const Game::ToolData*>{tool("鎧")});
}

// Sorted parameters 150 148 40 30 20 15 10 5 3 0 0 0, ABP 0.5, HP 9.0:
// experience ((150 + 148) / 4 + 30 × 20) × 0.5 = 337; master 40 × 3 × 0.5
// = 60; money (10² + 5²) / 4 + 7 = 38.
TEST_F(EnemyGhostRules, RewardsFromTheSortedParameters) {
  Game::EnemyGhost bones;
  bones.setUp(enemy("骨の兵"), 1.f, 0, 1.5f);
  EXPECT_EQ(std::vector<i32>({bones.getExperienceReward(), bones.getMasterExperienceReward(), bones.getMoneyReward()}),
            std::vector<i32>({337, 60, 38}));
}

// Equipment through the level factor: at level 99 whole, at level 50 half.
TEST_F(EnemyGhostRules, BaseStatsFromTheRecordAtTheLevel) {
  // Weapon and type defences.
  for (const auto& [name, head] : {std::pair<const char*, std::string>{"骨の兵", "10 | 6 6 6 4 4 4 4 4 4 |"},
                                   {"骨王", "5 | 3 3 3 2 2 2 2 2 2 |"}}) {
    Game::EnemyGhost foe;
    foe.setUp(enemy(name), 0.f, 0, 1.f);
    Stats s;
    s.weapon = -1;
    foe.gatherBaseStats(s.parameters, s.weapon, s.attack, s.defense);
    EXPECT_EQ(parameterValues(s.parameters), parameterValues(foe.parameters())) << name;
    EXPECT_EQ(describe(s).substr(0, head.size()), head) << name;
  }
  Game::EnemyGhost bones;
  bones.setUp(enemy("骨の兵"), 0.f, 0, 1.f);
  EXPECT_EQ(describe(stats(bones, 0)), "10 | 6 6 6 4 4 4 4 4 4 | 1 0.5 | 0 100 | 連撃3");
}

// 骨 becomes 骨王 at its own level factor (1.0: level 99) and scale.
TEST_F(EnemyGhostRules, MetamorphosisDropsAndSteals) {
  Game::EnemyGhost bones;
  bones.setUp(enemy("骨の兵"), 1.f, 0, 1.5f);
  ASSERT_TRUE(bones.dropItem() == tool("剣"));
  EXPECT_FALSE(bones.hasItem());
  EXPECT_EQ(bones.dropItem(), nullptr);
  EXPECT_EQ(bones.stealItem(), nullptr);
  ASSERT_TRUE(bones.metamorphose());
  // A new form brings its own loot.
  EXPECT_EQ(std::tuple(std::string(bones.getName()), bones.getLevel(), bones.parameters()[Parameters::kHp],
                       bones.hasItem()),
            std::tuple("骨王", 99, 300, true));
  EXPECT_FLOAT_EQ(bones.getArtLevelBonus(), 0.06f);
  EXPECT_EQ(bones.stealItem(), nullptr) << "骨王 drops nothing";
  EXPECT_TRUE(bones.hasItem());
  EXPECT_FALSE(bones.metamorphose());

  Game::EnemyGhost thief;
  thief.setUp(enemy("骨の兵"), 1.f, 0, 1.f);
  EXPECT_EQ(thief.stealItem(), tool("剣"));
  EXPECT_EQ(thief.dropItem(), nullptr);

  // An enemy of no record has nothing of its own.
  Game::EnemyGhost none;
  EXPECT_EQ(describe(stats(none, 0)), "0 | 0 0 0 0 0 0 0 0 0 | 1 1 | 0 000 |");
  EXPECT_EQ(std::vector<i32>({none.getExperienceReward(), none.getMasterExperienceReward(), none.getMoneyReward()}),
            std::vector<i32>({0, 0, 0}));
  EXPECT_EQ(std::tuple(none.metamorphose(), none.dropItem(), none.stealItem(), none.getMaterials(), names(none),
                       none.getArtLevelBonus()),
            std::tuple(false, nullptr, nullptr, nullptr, "|||", 0.f));
}

}  // namespace
