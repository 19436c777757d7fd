// An ability's entries, triggers, conditions, names, colours and help text,
// and the list's lookups, learning, scaling and recall, over arts of their
// own.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/random/RandomGenerator.h"
#include "records/ability/AbilityHosts.h"
#include "records/ability/AbilityList.h"
#include "records/ability/TriggerSpec.h"
#include "records/stats/DefenseBlock.h"
#include "core/file/nml/NmlNode.h"
#include "presentation/scene/SceneRenderer.h"
#include "tests/Services.h"
#include "tests/core/random/SeededDraws.h"
#include "tests/live/unit/TestGhost.h"
#include "tests/records/database/DatabaseFixture.h"

namespace {

using DatabaseTestSupport::artsOf;
using DatabaseTestSupport::BattleTexts;
using Engine::i32;
using Game::Ability;
using Game::AbilityList;
using Game::Database;
using Game::TriggerSpec;
using RandomTestSupport::seedsDrawing;

constexpr const char* kAbilityRuleArts =
    "ability{name 打;type 攻撃;attack{factor 物;}}"
    "ability{name 札;fullName 霊符;type 攻撃;attack{factor 符;}}"
    "ability{name 印;type 攻撃;attack{factor 符;}}"
    "ability{name 癒;type 補助;area 陣;energy 3;cost 2;charge 1;recoil 4;help 傷を癒す;}"
    "ability{name 払;type 攻撃;area 全;}ability{name 列;type 攻撃;area 列;}"
    "ability{name 短;type 攻撃;area 陣;help x;}"
    "ability{name 槍;fullName 長槍;type 攻撃;}ability{name 刃;type 攻撃;trigger{type 自動反撃;element 斬撃;}}"
    "ability{name 返;type 攻撃;trigger{type 自動反撃;accuracy 40;parry 9;element 打撃;target 術;followUnit true;}}"
    "ability{name 終;type 攻撃;trigger{type ファイナルアタック;}}"
    "ability{name 続;type 攻撃;trigger{type 追撃;}}"
    "ability{name 構;type 補助;trigger{type 反撃;}}"
    "ability{name 常;passive;status{体力 3;}defense{element{熱 2;}factor{水 50;}}}"
    "ability{name 隠;type 攻撃;visible false;}"
    "ability{name 条;type 攻撃;expression 1;targetExpression 1;}"
    "ability{name 否;type 攻撃;expression 0;targetExpression 0;}"
    "ability{base{name 雷;type 攻撃;help "
    "0123456789012345678901234567890123456789abcdef;}upper{}upper{}upper{}}"
    "ability{name 斬;help 斬る;area 単;attack{element 斬撃,光;factor 物,接触;}}"
    "ability{base{name 霆;help 落とす;area 全;energy 4;cost 2;charge 1;recoil 3;attack{element 天;factor 符,術,電気;}}"
    "  upper{help 強く落とす;area 列;energy 6;}}"
    "ability{name 想起;}"
    "ability{name 多;help x;attack{factor 符,物,射,術,接触,水,対空攻撃,地上攻撃,音,吸収,薬;}}";

class AbilityRules : public DatabaseTestSupport::DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    load(BattleTexts::empty().with(Database::kStates, "state{name 毒;}").with(Database::kAbilities, kAbilityRuleArts));
  }
  Ability art(const char* name, i32 level = 1) { return Ability(&database().findAbility(name), level); }
  Ability loaded(const char* text) {
    Game::NmlNode node;
    EXPECT_TRUE(node.parse(text, true)) << text;
    Ability out;
    out.load(node);
    return out;
  }
  static std::string help(const Ability& ability) {
    Game::String out;
    ability.helpText(out);
    return out.c_str() ? out.c_str() : "";
  }
};

TEST_F(AbilityRules, AnEntryReadsEveryKey) {
  const Ability plain = loaded("ability 打;");
  EXPECT_EQ(std::make_tuple(plain.level(), plain.priority(), plain.costCancel(), plain.triggerKind()),
            std::make_tuple(1, 100.f, false, static_cast<i32>(TriggerSpec::kPlain)));
  const Ability full = loaded(
      "ability 癒;level 3;priority 51/2;costCancel true;trigger{type 反撃;}expression 0;targetExpression 0;"
      "relationExpression 0;");
  EXPECT_EQ(std::make_tuple(full.level(), full.priority(), full.costCancel(), full.triggerKind()),
            std::make_tuple(3, 25.5f, true, static_cast<i32>(TriggerSpec::kCounter)));
  EXPECT_EQ(std::vector<i32>({full.energy(), full.cost(), full.charge(), full.recoil()}), std::vector<i32>(4, 0));
  EXPECT_EQ(std::vector<i32>({art("癒").energy(), art("癒").cost(), art("癒").charge(), art("癒").recoil()}),
            std::vector<i32>({3, 2, 1, 4}));
  EXPECT_STREQ(Ability::fromName("霊符").name(), "札");

  Game::NmlNode saved;
  art("霊符", 2).save(saved);
  Game::String text;
  saved.toString(text, false);
  EXPECT_STREQ(text.c_str(), "ability 霊符;level 2;") << "saved by the full name";
}

// The entry's own expression and the art's must both hold; any non-zero
// value holds.
TEST_F(AbilityRules, ConditionsOfEntryAndArt) {
  struct Case {
    const char* text;
    bool holds, targetHolds;
  };
  const Case cases[] = {
      {"ability 打;", true, true},
      {"ability 打;expression 2;targetExpression 2;", true, true},
      {"ability 打;expression 0;", false, true},
      {"ability 打;targetExpression 0;", true, false},
      {"ability 打;relationExpression 0;", true, false},
      {"ability 打;relationExpression 3;", true, true},
      {"ability 条;", true, true},
      {"ability 否;", false, false},
      {"ability 否;expression 1;targetExpression 1;relationExpression 1;", false, false},
  };
  UnitTestSupport::TestUnit subject;
  for (const Case& c : cases) {
    const Ability ability = loaded(c.text);
    EXPECT_EQ(ability.conditionHolds(subject.unit), c.holds) << c.text;
    EXPECT_EQ(ability.targetConditionHolds(subject.unit, subject.unit), c.targetHolds) << c.text;
  }
}

// A trigger reads its six parts; an entry's own parts override the art's,
// one by one (an entry without any shows the art's own).
TEST_F(AbilityRules, TriggerPartsAndTheirFallback) {
  TriggerSpec none;
  EXPECT_EQ(std::vector<i32>({none.kind(), none.accuracy(), none.parry()}), std::vector<i32>({1, 100, 0}));
  EXPECT_FALSE(none.followsUnit());

  struct Case {
    const char* own;
    std::vector<i32> parts;  // kind, accuracy, parry, follows, 打撃 element, 術 target
  };
  const Case cases[] = {
      {"", {3, 40, 9, 1, 1, 1}},
      {"type 追撃;", {5, 40, 9, 1, 1, 1}},
      {"accuracy 70;", {3, 70, 9, 1, 1, 1}},
      {"parry 2;", {3, 40, 2, 1, 1, 1}},
      {"followUnit false;", {3, 40, 9, 0, 1, 1}},
      {"element 斬撃;", {3, 40, 9, 1, 0, 1}},
      {"target 物;", {3, 40, 9, 1, 1, 0}},
  };
  for (const Case& c : cases) {
    const Ability entry = loaded((std::string("ability 返;trigger{") + c.own + "}").c_str());
    const TriggerSpec spec = entry.trigger();
    EXPECT_EQ(std::vector<i32>({spec.kind(), spec.accuracy(), spec.parry(), spec.followsUnit() ? 1 : 0,
                                spec.element().isSet(1) ? 1 : 0, spec.target().isSet(3) ? 1 : 0}),
              c.parts)
        << c.own;
  }
}

// Set off when a damage type or an ability flag is shared (or none is
// named), and a draw of 0..99 is at most the accuracy.
TEST_F(AbilityRules, RelationByFlagsAndDraw) {
  Game::AttackBlock blow;  // 打撃
  blow.types().set(1);
  Game::AttackBlock spell;  // 術
  spell.elements().set(3);
  Game::AttackBlock cut;  // 斬撃 and 物
  cut.types().set(0);
  cut.elements().set(1);
  const Ability counter = loaded("ability 返;trigger{accuracy 100;}");
  const Ability cutOnly = loaded("ability 返;trigger{element 斬撃;target 物;accuracy 100;}");
  const Ability blowOrCut = loaded("ability 返;trigger{element 打撃,斬撃;accuracy 100;}");
  // 打 names no flags; 刃 names damage types, none of them the spell's.
  EXPECT_EQ(std::vector<bool>({counter.relationHolds(blow), counter.relationHolds(spell), counter.relationHolds(cut),
                               art("打").relationHolds(cut), cutOnly.relationHolds(blow), blowOrCut.relationHolds(cut),
                               art("刃").relationHolds(spell), art("刃").relationHolds(cut)}),
            std::vector<bool>({true, true, false, true, false, true, false, true}));

  for (i32 seed : seedsDrawing({39, 40, 41})) {
    const i32 draw = RandomTestSupport::firstPercentDraw(seed);
    EXPECT_EQ(art("返").relationHolds(blow), draw <= 40) << draw;
  }
}

TEST_F(AbilityRules, CaptionsNamesAndColours) {
  struct Case {
    const char* art;
    i32 level;
    std::string caption, display;
    Engine::u32 color;
  };
  const Case cases[] = {
      {"打", 1, "打", "打", 0xFFFF8080u},          {"打", 2, "打Lv2", "打", 0xFFFF8080u},
      {"霊符", 1, "札", "霊符「札」", 0xFFFF8080u},  {"印", 1, "印", "印「印」", 0xFFFF8080u},
      {"長槍", 1, "槍", "長槍「槍」", 0xFFFF8080u},
      {"癒", 1, "癒", "癒", 0xFF8080FFu},          {"構", 1, "構", "構", 0xFF8080FFu},
      {"返", 1, "返", "返", 0xFF80FFFFu},          {"終", 1, "終", "終", 0xFF80FFFFu},
      {"続", 1, "続", "続", 0xFFC0C0C0u},          {"常", 1, "常", "常", 0xFFC0C0C0u},
  };
  for (const Case& c : cases) {
    const Ability ability = art(c.art, c.level);
    Game::String caption;
    ability.caption(caption);
    Game::String display;
    ability.displayName(display);
    EXPECT_EQ(std::make_tuple(std::string(caption.c_str()), std::string(display.c_str()), ability.menuColor()),
              std::make_tuple(c.caption, c.display, c.color))
        << c.art;
  }
}

// "Level" from 2, the help wrapped at 40 columns, the attack's ability flags
// then its damage types in table order (wrapped as the help), the area word,
// then the costs that are not 0; cancelled costs show none. Every area but
// none and the two whole-side ones (全, 陣) shows "範囲", as 斬's does. An
// upper level shows its own help, area and costs.
TEST_F(AbilityRules, HelpText) {
  struct Case {
    Ability ability;
    std::string text;
  };
  Ability free = art("癒");
  free.setCostCancel(true);
  const Case cases[] = {
      {art("打"), "物"},
      {art("雷", 2), "Level 2\n0123456789012345678901234567890123456789a\nbcdef"},
      {art("癒"), "傷を癒す\n全体\n溜め 1\n反動 4\n消費呪力 3\n消費AP 2"},
      {free, "傷を癒す\n全体"},
      {art("払"), "全体"},
      {art("短"), "x\n全体"},
      {Ability(), ""},
      {art("斬"), "斬る\n物 接触 斬撃 光\n範囲"},
      {art("霆", 2), "Level 2\n強く落とす\n符 術 電気 天\n範囲\n溜め 1\n反動 3\n消費呪力 6\n消費AP 2"},
      {art("多"), "x\n符 物 射 術 接触 水 対空攻撃 地上攻撃 音 \n吸収 薬"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(help(c.ability), c.text) << (c.ability.isValid() ? c.ability.name() : "none");
  }
}

// The caption (the name, "Lv" and the level from 2) cut to n characters.
TEST_F(AbilityRules, AShortCaptionEndsInDotsWhenCut) {
  const std::pair<int, const char*> cases[] = {{2, "雷L..."}, {3, "雷Lv..."}, {4, "雷Lv2"}, {9, "雷Lv2"}};
  for (const auto& [n, text] : cases) {
    Game::String out;
    art("雷", 2).shortCaption(out, n);
    EXPECT_STREQ(out.c_str(), text) << n;
  }
}

// One line of font 0 (14 high, 7 a byte) per line of the help, whatever
// font the writer held.
TEST_F(AbilityRules, TheHelpPanelPrintsEachLine) {
  art("癒").drawHelp(0.f, 0.f, 0);
  const TestServices::Scoped renderer(TestServices::kRenderer);
  Game::TextWriter& writer = Game::SceneRenderer::instance()->textWriter();
  writer.setFont(2);
  Ability().drawHelp(0.f, 0.f, 0);
  EXPECT_EQ(writer.lastText().c_str(), nullptr) << "nothing printed";
  art("癒").drawHelp(-120.f, 80.f, 0);
  i32 width = 0;
  i32 height = 0;
  writer.getExtent(&width, &height);
  i32 x = 0;
  i32 y = 0;
  writer.getOrigin(&x, &y);
  EXPECT_EQ(std::vector<i32>({writer.font(), width, height, x, y}), std::vector<i32>({0, 70, 84, -120, 80}));
  EXPECT_STREQ(writer.lastText().c_str(), "消費AP 2");
  EXPECT_EQ(writer.color(), 0xFFC0C0C0u);
}

TEST_F(AbilityRules, ListLookupsByFullName) {
  AbilityList list;
  list.add(art("霊符", 2));
  list.add(art("霊符", 3));
  list.add(art("打", 0));
  // Found by the full name, and not at level 0.
  EXPECT_EQ(std::vector<bool>({list.has("霊符"), list.has("札"), list.has("打")}), std::vector<bool>({true, false, false}));
  EXPECT_EQ(std::vector<i32>({list.levelOfNamed("霊符"), list.firstLevelOf("霊符"), list.firstLevelOf("打"),
                              list.firstLevelOf("無い")}),
            std::vector<i32>({5, 3, 0, 0}));
  EXPECT_EQ(list.highestOf(&database().findAbility("霊符"))->level(), 3);
  EXPECT_EQ(list.highestOf(&database().findAbility("癒")), nullptr);

  list.appendFrom(list);
  EXPECT_EQ(list.highestOf(&database().findAbility("霊符")), &list.at(1)) << "the first of the highest";
  list.appendDefinitions({&database().findAbility("払"), &database().findAbility("列")});
  EXPECT_EQ(artsOf(list), "札:2 札:3 打:0 札:2 札:3 打:0 払:1 列:1");
}

TEST_F(AbilityRules, FiltersAndPassives) {
  AbilityList list;
  list.add(art("条"));
  list.add(art("否"));
  list.add(Ability());
  list.add(art("隠"));
  list.add(art("常"));
  UnitTestSupport::TestUnit subject;
  AbilityList usable = list;
  usable.filterUsable(subject.unit);
  EXPECT_EQ(artsOf(usable), "条:1 隠:1 常:1");
  AbilityList shown = list;
  shown.dropHidden();
  EXPECT_EQ(artsOf(shown), "条:1 否:1 常:1");

  list.add(art("常"));
  Game::Parameters parameters;
  parameters[Game::Parameters::kVitality] = 1;
  Game::DefenseBlock defense;
  defense.factors()[5] = 0.8f;
  list.applyPassives(parameters, defense);
  EXPECT_EQ(parameters[Game::Parameters::kVitality], 7);
  EXPECT_EQ(defense.typeDefense(4), 4);
  EXPECT_FLOAT_EQ(defense.factors()[5], 0.2f);
  EXPECT_EQ(list.passiveParameters()[Game::Parameters::kVitality], 6);

  Game::NmlNode node;
  list.save(node);
  AbilityList again;
  again.add(art("打"));
  Game::NmlNode reread;
  ASSERT_TRUE(reread.parse("arts{ability 霊符;level 2;}arts{ability 癒;}", true));
  again.load(reread);
  ASSERT_EQ(again.count(), 2);
  EXPECT_EQ(std::make_pair(std::string(again.at(0).name()), again.at(0).level()), std::make_pair(std::string("札"), 2));
  EXPECT_EQ(node.countChildren("arts"), 6);
}

struct LevelledGhost : Game::GhostLevel {
  int mLevel = 1;
  float mBonus = 0.f;
  int level() const override { return mLevel; }
  float getArtLevelBonus() const override { return mBonus; }
};

struct RecallingBattle : Game::SpellMemory {
  const Ability* mSpell = nullptr;
  const Ability* lastSpell() const override { return mSpell; }
};

TEST_F(AbilityRules, LearnReplacesTheHighestAndAddIfHigherKeepsTheBest) {
  AbilityList list;
  list.add(art("雷", 1));
  list.add(art("雷", 3));
  list.learn(art("雷", 2));
  list.learn(art("斬"));
  list.addIfHigher(art("雷", 2));
  EXPECT_EQ(artsOf(list), "雷:1 雷:2 斬:1");
  list.addIfHigher(art("雷", 4));
  EXPECT_EQ(artsOf(list), "雷:1 雷:2 斬:1 雷:4");
  EXPECT_EQ(std::make_pair(list.firstLevelOf("雷"), list.levelOfNamed("雷")), std::make_pair(4, 1 + 2 + 4));
}

// level := trunc((maxLevel − 1) × f + 1.5), f from the ghost's level and bonus.
TEST_F(AbilityRules, ScaleToGhostRoundsTheLevelFactor) {
  struct Case {
    int ghostLevel;
    float bonus;
    int expected;
  };
  for (const Case& c : {Case{1, 0.f, 1}, Case{99, 0.f, 4}, Case{17, 0.f, 1}, Case{18, 0.f, 2},
                        Case{1, 2.f, 4}, Case{1, -1.f, 1}}) {
    LevelledGhost ghost;
    ghost.mLevel = c.ghostLevel;
    ghost.mBonus = c.bonus;
    AbilityList list;
    list.add(art("雷"));
    list.add(art("雷", 2));
    list.add(art("斬"));
    list.scaleToGhost(ghost);
    // Only level 1 grows; an art without levels stays.
    EXPECT_EQ(artsOf(list), "雷:" + std::to_string(c.expected) + " 雷:2 斬:1") << c.ghostLevel << " " << c.bonus;
  }
}

TEST_F(AbilityRules, RecallTakesTheLastSpellFreeOfCostFromItsLevel) {
  RecallingBattle battle;
  AbilityList list;
  list.add(art("想起"));
  list.bind(battle);
  EXPECT_STREQ(list.at(0).name(), "想起");

  const Ability spell = art("霆", 2);
  battle.mSpell = &spell;
  list.bind(battle);
  EXPECT_EQ(artsOf(list), "霆:2");
  EXPECT_EQ(std::make_pair(list.at(0).energy(), list.at(0).cost()), std::make_pair(0, 0));
  Game::String text;
  list.at(0).displayName(text);
  EXPECT_STREQ(text.c_str(), "想起「霆」");
}

TEST_F(AbilityRules, AnUnknownSavedArtStopsNamingIt) {
  AbilityList list;
  Game::NmlNode unknown;
  ASSERT_TRUE(unknown.parse("arts{ability 無い術;}", true));
  EXPECT_DEATH(list.load(unknown), "無い術");
}

}  // namespace
