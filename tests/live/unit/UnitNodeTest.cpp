#include <gtest/gtest.h>

#include "live/Unit.h"
#include "live/unit/BattleServices.h"
#include "presentation/model/Model.h"
#include "presentation/scene/SceneNode.h"
#include "records/Database.h"
#include "records/database/UnitPictureData.h"
#include "tests/effect/EffectFixture.h"
#include "tests/presentation/Near.h"

namespace {

using Engine::Math::Vector3;
using Game::UnitPose;
using PresentationTest::expectNear;

// Units over the test pictures "Kessa" (scale 1, size 256) and "Slime"
// (scale 3/4, size 192). A party unit on cell (0, 2) has its home at
// (64, 32, 0) and faces the enemies' centre cell (-192, 32): along -x.
class UnitNodeTest : public EffectTestSupport::EffectTest {
 protected:
  Game::Model* motion(const char* picture, const char* name) {
    return Game::Database::instance()->findUnitPicture(picture)->motion(name);
  }
  // What one of the unit's getters writes.
  static Vector3 got(const Game::Unit& unit, void (Game::Unit::*getter)(Vector3&) const) {
    Vector3 out;
    (unit.*getter)(out);
    return out;
  }
};

TEST_F(UnitNodeTest, APlacedUnitStandsWithItsFeetOnItsCellFacingTheOtherSide) {
  Game::Unit& unit = makeUnit(0, 0, 2);
  ASSERT_NE(unit.node(), nullptr);
  EXPECT_EQ(unit.node()->index(), 0u);  // the pool's first free slot
  expectNear(got(unit, &Game::Unit::getPosition), Vector3(64.f, 32.f, 128.f));
  expectNear(got(unit, &Game::Unit::getFrontPoint), Vector3(64.f, 32.f, 0.f));
  expectNear(got(unit, &Game::Unit::getRightVector), Vector3(-1.f, 0.f, 0.f));
  Vector3 out;
  unit.pointAlong(out, Vector3(0.f, 1.f, 0.f));  // local y turned half round
  expectNear(out, Vector3(64.f, -96.f, 128.f));
  unit.pointAlong(out, Vector3(0.f, 0.f, 3.f));  // three halves up
  expectNear(out, Vector3(64.f, 32.f, 512.f));
  expectNear(got(unit, &Game::Unit::getApproachOffset), Vector3(64.f, 32.f, -128.f));
  EXPECT_EQ(unit.node()->getModel(), motion("Kessa", "stand"));
  EXPECT_EQ(battle.poses, (std::vector<UnitPose>{UnitPose::kStand}));
}

TEST_F(UnitNodeTest, SizeAndScaleComeFromThePicturesScale) {
  Game::Unit& slime = makeUnit(1, 2, 4, "Slime");
  EXPECT_FLOAT_EQ(slime.getSize(), 192.f);
  EXPECT_FLOAT_EQ(slime.getScale(), 0.75f);
  expectNear(slime.node()->scale.value(), Vector3(0.75f, 0.75f, 0.75f));
  // On the enemies' cell (2, 4): (-192, 160), toward the party's centre cell (192, 32).
  expectNear(got(slime, &Game::Unit::getPosition), Vector3(-192.f, 160.f, 96.f));
  Vector3 toward(384.f, -128.f, 0.f);
  toward *= 1.f / toward.length();
  expectNear(got(slime, &Game::Unit::getRightVector), toward);
}

TEST_F(UnitNodeTest, MotionsFollowThePoses) {
  Game::Unit& unit = makeUnit(0, 0, 2);
  const Engine::u32 firstId = unit.node()->getId();
  unit.playDown();
  EXPECT_EQ(unit.node()->getModel(), motion("Kessa", "down"));
  unit.playStand();
  EXPECT_EQ(unit.node()->getModel(), motion("Kessa", "stand"));
  unit.node()->setTime(5.f);
  unit.playStand();  // already standing: the motion goes on
  EXPECT_FLOAT_EQ(unit.node()->getTime(), 5.f);
  unit.show(UnitPose::kAppear);  // a fresh node for the new form
  ASSERT_NE(unit.node(), nullptr);
  EXPECT_EQ(unit.node()->getModel(), motion("Kessa", "appear"));
  EXPECT_NE(unit.node()->getId(), firstId);
  EXPECT_EQ(battle.poses.back(), UnitPose::kAppear);
  unit.show(UnitPose::kDown);
  EXPECT_EQ(unit.node()->getModel(), motion("Kessa", "down"));
}

TEST_F(UnitNodeTest, AUnitLeavingTheBattleGivesItsNodeBack) {
  const int before = stage.pool.activeCount();
  {
    UnitTestSupport::TestGhost ghost;
    ghost.appearance = "Kessa";
    Game::Unit unit(ghost, &battle);
    EXPECT_EQ(stage.pool.activeCount(), before + 1);
  }
  EXPECT_EQ(stage.pool.activeCount(), before);
}

TEST_F(UnitNodeTest, WithoutAPoolAUnitHasNoNodeAndStandsOnItsCell) {
  battle.pool = nullptr;
  Game::Unit& unit = makeUnit(1, 1, 0, "Slime");  // (-128, -96)
  EXPECT_EQ(unit.node(), nullptr);
  expectNear(got(unit, &Game::Unit::getPosition), Vector3(-128.f, -96.f, 96.f));
  expectNear(got(unit, &Game::Unit::getFrontPoint), Vector3(-128.f, -96.f, 0.f));
  EXPECT_EQ(unit.createNode(nullptr), nullptr);
  EXPECT_EQ(battle.poses, (std::vector<UnitPose>{UnitPose::kStand}));
}

}  // namespace
