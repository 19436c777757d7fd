#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/data/unit/BattleUnitFixture.h"

namespace {

using Game::AmountSpec;
using Game::AttackBlock;
using Game::Parameters;
using Game::Unit;

class AmountCompute : public UnitTestSupport::BattleUnitTest {
 protected:
  // Attacker: every attribute 40, weapon 20. Target: Defense 20, Magic
  // Defense 40 (M = 20), type defence 10 against 斬撃.
  Unit& attacker(int slashSupport = 0, int waterSupport = 0) {
    auto& ghost = makeGhost(false, 100, 100, 40);
    ghost.weaponValue = 20;
    for (const auto& [name, level] : {std::pair{"斬撃サポート", slashSupport}, std::pair{"水サポート", waterSupport}}) {
      if (level) ghost.abilities().add(art(name, level));
    }
    return makeUnit(ghost, true, 0, 2);
  }
  Unit& target(float physicalFactor = 1.f) {
    auto& ghost = makeGhost(true, 500, 300, 20);
    ghost.caps[Parameters::kIntellect] = 40;
    ghost.caps[Parameters::kSpirit] = 40;
    ghost.defense.setTypeDefense(0, 10);
    ghost.defense.factors()[1] = physicalFactor;
    return makeUnit(ghost, true, 0, 2);
  }
  // A spec of a constant amount without spread.
  static AmountSpec constant(int amount) {
    AmountSpec spec;
    spec.constance = amount;
    spec.random = 0.f;
    return spec;
  }
  static AttackBlock flags(const std::vector<int>& types, const std::vector<int>& elements) {
    AttackBlock block;
    for (int t : types) block.types().set(t);
    for (int e : elements) block.elements().set(e);
    return block;
  }
  // The amount of one compute, -1 - amount on a miss; aimed at the target itself
  // unless a place is given.
  static int amount(const AmountSpec& spec, int type, int range, const Unit& from, const Unit& to,
                    const AttackBlock& attack = {}, int area = 1, const Game::Place* at = nullptr) {
    bool hit = true;
    int out = -2;
    spec.compute(hit, out, type, range, from, attack, to, false, area, at ? *at : to.place());
    return hit ? out : -1 - out;
  }
};

TEST_F(AmountCompute, StatusTermOverAttributesDefencesAndSupports) {
  struct Case {
    const char* what;
    std::vector<int> types, elements;
    float physicalFactor;
    int slash, water, type;
    bool guarded;
    int amount;
  };
  // X = (20·0.5 + 40·0.5 + 30) · 90 / 70; v = (X − Dt) · 35 / 2; -1 a miss of 0.
  const Case cases[] = {
      {"no flags", {}, {}, 1.f, 0, 0, 0, false, 1350},
      {"slash meets type defence", {0}, {}, 1.f, 0, 0, 0, false, 1175},
      {"the lower of two types (0)", {0, 1}, {}, 1.f, 0, 0, 0, false, 1350},
      {"slash support 20", {0}, {}, 1.f, 20, 0, 0, false, 1410},
      {"support without its type", {1}, {}, 1.f, 20, 0, 0, false, 1350},
      {"physical factor 0.7", {0}, {1}, 0.7f, 0, 0, 0, false, 822},
      {"immune", {0}, {1}, 0.f, 0, 0, 0, false, -1},
      {"water support 15", {}, {5}, 1.f, 0, 15, 0, false, 1552},
      {"guarded attack", {0}, {}, 1.f, 0, 0, 0, true, 587},
      {"support art ignores defences", {0}, {}, 1.f, 0, 0, 1, true, 1890},
      {"all at once", {0}, {1, 5}, 0.7f, 20, 15, 0, true, 567},
  };
  AmountSpec spec;
  spec.statusIndex = Game::StatusBlock::kAttack;
  spec.statusPower = 30;
  spec.random = 0.f;
  for (const Case& c : cases) {
    Unit& from = attacker(c.slash, c.water);
    Unit& to = target(c.physicalFactor);
    if (c.guarded) {
      to.setStateLevel("防御", 1);
    }
    EXPECT_EQ(amount(spec, c.type, 2, from, to, flags(c.types, c.elements)), c.amount) << c.what;
  }
}

TEST_F(AmountCompute, MeleeFromAStackedCellHalvesAndACircleFallsOffWithDistance) {
  Unit& from = attacker();
  Unit& to = target();
  EXPECT_EQ(amount(constant(31), 0, 1, from, to), 31);
  battle.stacked.insert({0, 0, 2});
  EXPECT_EQ(amount(constant(31), 0, 1, from, to), 15);
  // Circle: one cell away halves, √2 away leaves 0.5^1.414.
  const Game::Place near{1, 1, 2};
  const Game::Place diagonal{1, 1, 3};
  EXPECT_EQ(amount(constant(31), 0, 2, from, to, {}, 5, &near), 15);
  EXPECT_EQ(amount(constant(31), 0, 2, from, to, {}, 5, &diagonal), 11);
  EXPECT_EQ(amount(constant(-5), 0, 2, from, to), 0);
}

TEST_F(AmountCompute, ChargeUpAndBerserkRaisePhysicalAttacks) {
  Unit& from = attacker();
  Unit& to = target();
  from.setStateLevel("チャージアップ", 50);
  from.setStateLevel("発狂", 1);
  EXPECT_EQ(amount(constant(100), 1, 2, from, to), 100);
  EXPECT_EQ(amount(constant(100), 1, 2, from, to, flags({}, {1})), 195);
}

TEST_F(AmountCompute, AnAdditionLevelAddsItsAmountOnlyOnAHit) {
  Unit& from = attacker();
  Unit& to = target();
  Game::AttackSpec entry;
  entry.level = 2;
  EXPECT_EQ(entry.amountAgainst(from, to, false, to.place()), 2);
  entry.amount = constant(5);
  EXPECT_EQ(entry.amountAgainst(from, to, false, to.place()), 7);
}

}  // namespace
