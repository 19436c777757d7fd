#include <gtest/gtest.h>

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
    if (slashSupport) {
      ghost.abilities().add(art("斬撃サポート", slashSupport));
    }
    if (waterSupport) {
      ghost.abilities().add(art("水サポート", waterSupport));
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
  static AmountSpec statusSpec(int power) {
    AmountSpec spec;
    spec.statusIndex = Game::StatusBlock::kAttack;
    spec.statusPower = power;
    spec.random = 0.f;
    return spec;
  }
  static AttackBlock flags(std::initializer_list<int> types, std::initializer_list<int> elements) {
    AttackBlock block;
    for (int t : types) {
      block.types().set(t);
    }
    for (int e : elements) {
      block.elements().set(e);
    }
    return block;
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
    bool hit;
  };
  // X = (20·0.5 + 40·0.5 + 30) · 90 / 70; v = (X − Dt) · 35 / 2.
  const Case cases[] = {
      {"no flags", {}, {}, 1.f, 0, 0, 0, false, 1350, true},
      {"slash meets type defence", {0}, {}, 1.f, 0, 0, 0, false, 1175, true},
      {"blow has none", {1}, {}, 1.f, 0, 0, 0, false, 1350, true},
      {"the lower of two types (0)", {0, 1}, {}, 1.f, 0, 0, 0, false, 1350, true},
      {"slash support 20", {0}, {}, 1.f, 20, 0, 0, false, 1410, true},
      {"support without its type", {1}, {}, 1.f, 20, 0, 0, false, 1350, true},
      {"physical factor 0.7", {0}, {1}, 0.7f, 0, 0, 0, false, 822, true},
      {"immune", {0}, {1}, 0.f, 0, 0, 0, false, 0, false},
      {"water support 15", {}, {5}, 1.f, 0, 15, 0, false, 1552, true},
      {"guarded attack", {0}, {}, 1.f, 0, 0, 0, true, 587, true},
      {"support art ignores defences", {0}, {}, 1.f, 0, 0, 1, true, 1890, true},
      {"all at once", {0}, {1, 5}, 0.7f, 20, 15, 0, true, 567, true},
  };
  for (const Case& c : cases) {
    Unit& from = attacker(c.slash, c.water);
    Unit& to = target(c.physicalFactor);
    if (c.guarded) {
      to.setStateLevel("防御", 1);
    }
    AttackBlock attack;
    for (int t : c.types) {
      attack.types().set(t);
    }
    for (int e : c.elements) {
      attack.elements().set(e);
    }
    bool hit = true;
    int amount = -1;
    statusSpec(30).compute(hit, amount, c.type, 2, from, attack, to, false, 1, to.place());
    EXPECT_EQ(amount, c.amount) << c.what;
    EXPECT_EQ(hit, c.hit) << c.what;
  }
}

TEST_F(AmountCompute, TargetTermIsAtLeastOneAndAtMost9999) {
  Unit& from = attacker();
  AmountSpec spec;
  spec.random = 0.f;
  spec.rateCurrentHP = 0.001f;
  bool hit = false;
  int amount = 0;
  Unit& small = target();
  spec.compute(hit, amount, 1, 0, from, AttackBlock{}, small, false, 1, small.place());
  EXPECT_EQ(amount, 1);
  spec.rateCurrentHP = 0.f;
  spec.rateMaxHP = 100.f;
  spec.compute(hit, amount, 1, 0, from, AttackBlock{}, small, false, 1, small.place());
  EXPECT_EQ(amount, 9999);
}

TEST_F(AmountCompute, MeleeFromAStackedCellHalvesAndACircleFallsOffWithDistance) {
  Unit& from = attacker();
  Unit& to = target();
  AmountSpec spec;
  spec.constance = 31;
  spec.random = 0.f;
  bool hit = false;
  int amount = 0;
  spec.compute(hit, amount, 0, 1, from, AttackBlock{}, to, false, 1, to.place());
  EXPECT_EQ(amount, 31);
  battle.stacked.insert({0, 0, 2});
  spec.compute(hit, amount, 0, 1, from, AttackBlock{}, to, false, 1, to.place());
  EXPECT_EQ(amount, 15);
  // Circle: one cell away halves, √2 away leaves 0.5^1.414.
  spec.compute(hit, amount, 0, 2, from, AttackBlock{}, to, false, 5, Game::Place{1, 1, 2});
  EXPECT_EQ(amount, 15);
  spec.compute(hit, amount, 0, 2, from, AttackBlock{}, to, false, 5, Game::Place{1, 1, 3});
  EXPECT_EQ(amount, 11);
  spec.constance = -5;
  spec.compute(hit, amount, 0, 2, from, AttackBlock{}, to, false, 1, to.place());
  EXPECT_EQ(amount, 0);
}

TEST_F(AmountCompute, ChargeUpAndBerserkRaisePhysicalAttacks) {
  Unit& from = attacker();
  Unit& to = target();
  from.setStateLevel("チャージアップ", 50);
  from.setStateLevel("発狂", 1);
  AmountSpec spec;
  spec.constance = 100;
  spec.random = 0.f;
  bool hit = false;
  int amount = 0;
  spec.compute(hit, amount, 1, 2, from, AttackBlock{}, to, false, 1, to.place());
  EXPECT_EQ(amount, 100);
  AttackBlock physical;
  physical.elements().set(1);
  spec.compute(hit, amount, 1, 2, from, physical, to, false, 1, to.place());
  EXPECT_EQ(amount, 195);
}

TEST_F(AmountCompute, AnAdditionLevelAddsItsAmountOnlyOnAHit) {
  Unit& from = attacker();
  Unit& to = target();
  Game::AttackSpec entry;
  entry.level = 2;
  EXPECT_EQ(entry.amountAgainst(from, to, false, to.place()), 2);
  AmountSpec spec;
  spec.constance = 5;
  spec.random = 0.f;
  entry.amount = spec;
  EXPECT_EQ(entry.amountAgainst(from, to, false, to.place()), 7);
}

}  // namespace
