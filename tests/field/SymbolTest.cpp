#include "field/Symbol.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "field/MoveCommand.h"
#include "tests/field/FieldFixture.h"

namespace {

using Engine::i32;
using FieldTestSupport::FieldTest;
using Game::Field::MoveCommand;
using Game::Field::MoveController;
using Game::Field::Symbol;

TEST(MoveCommandTest, KeywordsReadAsTheirCodesAndUnknownOnesAsDelete) {
  const std::tuple<const char*, i32> cases[] = {
      {"delete", 0}, {"wait", 1}, {"vanish", 2}, {"random", 3},  {"move", 4},  {"go", 5},
      {"hop", 6},    {"jump", 7}, {"advance", 8}, {"chase", 9}, {"Move", 0}, {"", 0},
  };
  for (const auto& [keyword, code] : cases) {
    EXPECT_EQ(MoveCommand::codeOf(keyword), code) << keyword;
  }
  EXPECT_EQ(MoveCommand::codeOf(nullptr), 0);
  EXPECT_EQ(std::tuple(std::string(MoveCommand::keywordOf(9)), std::string(MoveCommand::keywordOf(10)),
                       std::string(MoveCommand::keywordOf(-1))),
            std::tuple("chase", "delete", "delete"));
}

TEST(MoveControllerTest, WaitRunsDownBeforeTheStepAndFractionRunsToOne) {
  MoveController move;
  move.addWait(2);
  move.addWait(0);
  move.addWait(-5);
  EXPECT_EQ(move.wait, 2);
  EXPECT_TRUE(move.isMoving());
  move.tick();
  move.tick();
  EXPECT_EQ(move.progress, 16) << "the wait took both frames";
  EXPECT_FALSE(move.isMoving());
  move.tick();
  EXPECT_EQ(move.progress, 17);
  move.addWait(INT32_MAX);
  move.addWait(5);
  EXPECT_EQ(move.wait, INT32_MAX);
  move.wait = 0;
  move.progress = INT32_MAX;
  move.tick();
  EXPECT_EQ(move.progress, INT32_MAX);
  // The fraction runs from zero to one; a step takes a frame at least.
  MoveController stepping;
  stepping.start(0, 0, 1, 0, 4, false);
  EXPECT_FLOAT_EQ(stepping.fraction(), 0.f);
  stepping.tick();
  EXPECT_FLOAT_EQ(stepping.fraction(), 0.25f);
  stepping.start(0, 0, 1, 0, 0, true);
  EXPECT_EQ(std::tuple(stepping.total, stepping.hop), std::tuple(1, true));
  stepping.tick();
  EXPECT_EQ(std::tuple(stepping.hasArrived(), stepping.fraction()), std::tuple(true, 1.f));
  stepping.total = -3;
  EXPECT_FLOAT_EQ(stepping.fraction(), 1.f);
}

// "delete" takes what ran before it and itself, and the rest starts over;
// without it the queue goes round.
TEST_F(FieldTest, DeleteDropsTheCommandsRunSoFarAndAHopRises) {
  Symbol& s = place("s", 2, 2);
  s.move("wait", 1);
  s.move("delete", 0);
  s.move("wait", 3);
  s.update();
  s.update();
  EXPECT_EQ(keywords(s), std::vector<std::string>({"wait 3"}));
  EXPECT_EQ(s.cursor(), 0);
  Symbol& alone = place("alone", 2, 2);
  alone.move("delete", 0);
  alone.update();
  EXPECT_FALSE(alone.hasCommands());
  Symbol& round = place("round", 0, 0);
  round.move("move", 1, 1, 0);
  round.move("move", 1, -1, 0);
  run(round, 6);
  EXPECT_EQ(std::tuple(round.x(), round.commands().size()), std::tuple(0, 2u));
  // (1 − t) × t × 4 × 8 × 3 at t = progress / 8: 24 at the middle.
  Symbol& hop = place("hop", 1, 1);
  hop.move("hop", 8, 0, 1);
  hop.move("delete", 0);
  const float expected[] = {0.f, 10.5f, 18.f, 22.5f, 24.f, 22.5f, 18.f, 10.5f, 0.f};
  const float startY = hop.position().y;
  for (int frame = 0; frame < 9; ++frame) {
    hop.update();
    EXPECT_FLOAT_EQ(hop.position().z, expected[frame]) << frame;
    EXPECT_FLOAT_EQ(hop.position().y, startY + 6.f * static_cast<float>(frame)) << frame;
  }
  EXPECT_FLOAT_EQ(hop.motionSpeed(), 1.f) << "at rest again";
}

TEST_F(FieldTest, AWalkIsInterpolatedAndPlaysWalkAtItsSpeed) {
  Symbol& s = place("s", 1, 1);
  const Engine::Math::Vector3 from = s.position();
  s.move("move", 8, 1, 0);
  s.move("delete", 0);
  s.update();
  s.update();
  s.update();
  // Two frames of eight of 48, at speed 48 / 40 × 10 / 8.
  EXPECT_EQ(std::tuple(s.position().x, s.position().y, s.motion(), s.motionSpeed(), s.angle()),
            std::tuple(from.x + 12.f, from.y, "walk", 1.5f, 0.f));
  run(s, 6);
  EXPECT_EQ(std::tuple(s.position().x, s.motion()), std::tuple(from.x + 48.f, "stand"));
  Symbol& h = place("h", 3, 3);
  h.move("hop", 4, -1, 0);
  h.update();
  h.update();
  EXPECT_EQ(std::tuple(h.motionSpeed(), h.angle()), std::tuple(0.5f, 180.f));
}

TEST_F(FieldTest, WaitingStandsAtTheCellCentreAndAVanishWaitsItsTurn) {
  Symbol& s = place("s", 1, 1);
  s.move("wait", 3);
  s.move("move", 2, 0, 1);
  s.update();
  EXPECT_EQ(std::tuple(s.isMoving(), s.motion()), std::tuple(true, "stand"));
  run(s, 2);
  EXPECT_EQ(s.motion(), "stand") << "on the wait's last frame too";
  EXPECT_EQ(s.y(), 1) << "the wait lasts three frames";
  s.update();
  EXPECT_EQ(s.y(), 2);
  // A vanish after a wait reports the symbol finished a frame later.
  Symbol& gone = place("gone", 2, 2);
  gone.move("wait", 1);
  gone.move("vanish", 0);
  EXPECT_FALSE(gone.update()) << "waits a frame";
  EXPECT_TRUE(gone.update());
}

// Advance steps the way the symbol faces: the quarter of angle + 45.
TEST_F(FieldTest, AdvanceStepsTheWayTheSymbolFacesAndRefusedStepsCountAsRun) {
  const std::tuple<float, i32, i32> cases[] = {
      {0.f, 3, 2}, {44.f, 3, 2}, {45.f, 2, 3}, {90.f, 2, 3}, {135.f, 1, 2}, {225.f, 2, 1}, {314.f, 2, 1}, {315.f, 3, 2},
  };
  for (const auto& [angle, x, y] : cases) {
    Symbol s(*field, "a", nullptr, "stand", 2, 2, angle);
    s.move("advance", 2);
    s.update();
    EXPECT_EQ(std::tuple(s.x(), s.y()), std::tuple(x, y)) << angle;
  }
  // Steps off the map or refused leave the symbol and count as run.
  Symbol& s = place("s", 0, 0);
  field->wall(1, 0);
  s.move("move", 2, -1, 0);
  s.move("move", 2, 1, 0);
  s.move("move", 2, 0, 5);
  s.update();
  s.update();
  s.update();
  // Turned toward the wall it could not enter.
  EXPECT_EQ(std::tuple(s.x(), s.y(), s.isMoving(), s.cursor(), s.angle()), std::tuple(0, 0, false, 3, 0.f));
  s.move("hop", 2, 1, 0);
  s.update();
  EXPECT_EQ(s.x(), 1) << "a hop may enter";
}

TEST_F(FieldTest, GoAndJumpHeadForTheCellOfTheirEventAndSkipAMissingOne) {
  Game::FloorSpecGrid specs = MapTestSupport::grid(5, 5, &field->pictures.chip());
  specs.at(3, 4).eventId = 7;
  field->rebuild(specs);
  Symbol& s = place("s", 0, 0);
  s.move("go", 2, 0, 0, 9);
  s.update();
  EXPECT_FALSE(s.isMoving());
  s.move("go", 2, 0, 0, 7);
  s.update();
  EXPECT_EQ(std::tuple(s.x(), s.y()), std::tuple(3, 4));
  run(s, 2);
  s.clearCommands();
  s.move("jump", 2, 0, 0, 7);
  s.update();
  EXPECT_TRUE(s.controller().hop);
}

TEST_F(FieldTest, RandomPicksAnEnterableNeighbourAndChaseAHigherValue) {
  field->wall(1, 0);
  for (int i = 0; i < 6; ++i) {
    Symbol s(*field, "s", nullptr, "stand", 0, 0, 0.f);
    s.move("random", 1);
    s.update();
    EXPECT_EQ(std::tuple(s.x(), s.y()), std::tuple(0, 1)) << "the one open neighbour";
    EXPECT_EQ(std::tuple(s.controller().fromX, s.controller().fromY), std::tuple(0, 0)) << "a step, not a jump";
  }
  field->wall(0, 1);
  Symbol shut(*field, "s", nullptr, "stand", 0, 0, 0.f);
  shut.move("random", 1);
  shut.update();
  EXPECT_FALSE(shut.isMoving());
  // Chase climbs the value grid; with nowhere higher it wanders.
  Symbol& s = place("s", 2, 2);
  field->setValue(2, 2, 100);
  field->setValue(2, 1, 101);
  field->setValue(3, 2, 100);
  s.move("chase", 1);
  s.update();
  EXPECT_EQ(std::tuple(s.x(), s.y()), std::tuple(2, 1));
  field->setValue(2, 1, 0);
  field->setValue(2, 2, -5);
  field->wall(1, 1);
  field->wall(3, 1);
  field->wall(2, 0);
  s.clearCommands();
  s.move("chase", 1);
  s.update();
  EXPECT_EQ(std::tuple(s.x(), s.y()), std::tuple(2, 2)) << "only back down is open";
}

// A reacting chara stops before an occupied cell; others walk in. Both
// report the contact when the other stands within 32 of the probe.
TEST_F(FieldTest, AReactingSymbolNeverEntersAnOccupiedCellAndReportsTheContact) {
  Symbol& wall = place("wall", 3, 2);
  Symbol& s = place("s", 2, 2, chara("reaction true;"));
  s.move("move", 2, 1, 0);
  s.move("delete", 0);
  run(s, 4);
  EXPECT_EQ(std::tuple(s.x(), s.y()), std::tuple(2, 2));
  EXPECT_EQ(field->contacts, std::vector<std::string>({"s-wall"}));
  Symbol& ghost = place("ghost", 3, 3);
  ghost.move("move", 2, 0, -1);
  ghost.update();
  EXPECT_EQ(std::tuple(ghost.x(), ghost.y()), std::tuple(3, 2)) << "no reaction: it walks in";
  EXPECT_EQ(field->contacts.back(), "ghost-wall");
  (void)wall;
}

// The probe lies 24 toward the target; a symbol just setting out from 48
// beyond it is 72 away.
TEST_F(FieldTest, NoContactWhenTheOtherIsStillFarFromTheProbe) {
  Symbol& other = place("other", 4, 2);
  other.move("move", 8, -1, 0);
  other.update();
  ASSERT_EQ(other.x(), 3);
  Symbol& s = place("s", 2, 2, chara("reaction true;"));
  s.move("move", 2, 1, 0);
  s.update();
  EXPECT_TRUE(field->contacts.empty());
  EXPECT_EQ(s.x(), 2) << "the cell is taken all the same";
}

// Half way from height 1 (z 10) up to 3 (z 30) the symbol stands at z 20;
// a floating chara stays at height 0.
TEST_F(FieldTest, AWalkClimbsWithTheFloorUnlessTheCharaFloatsAndOffTheGridAtTheOrigin) {
  Game::FloorSpecGrid specs = MapTestSupport::grid(5, 5, &field->pictures.chip());
  specs.at(1, 1).height = 1;
  specs.at(2, 1).height = 3;
  field->rebuild(specs);
  Symbol& floating = place("f", 2, 1, chara("float true;"));
  floating.update();
  EXPECT_FLOAT_EQ(floating.position().z, 0.f);
  Symbol& s = place("s", 1, 1);
  s.move("move", 4, 1, 0);
  s.move("delete", 0);
  run(s, 3);
  EXPECT_FLOAT_EQ(s.position().z, 20.f);
  run(s, 3);
  EXPECT_FLOAT_EQ(s.position().z, 30.f);
  // Off the grid a symbol stands where the cell would be, at the origin's height.
  Symbol& off = place("off", -1, 6);
  const Engine::Math::Vector3 origin = field->map().origin();
  EXPECT_EQ(std::tuple(off.position().x, off.position().y, off.position().z),
            std::tuple(origin.x - 48.f, origin.y + 288.f, origin.z));
}

// A step onto its own cell, shared with another: the probe is the symbol's
// own place, so the other is met.
TEST_F(FieldTest, AStepInPlaceMeetsWhoeverSharesTheCellATouchRemovesNothingAndCharasChange) {
  place("other", 2, 2);
  Symbol& s = place("s", 2, 2, chara("reaction true;"));
  s.move("move", 2, 0, 0);
  s.update();
  EXPECT_EQ(field->contacts, std::vector<std::string>({"s-other"}));
  // A touch without parameter is handled and removes nothing; a change of chara takes the look and idle motion.
  Symbol& touched = place("touched", 1, 1);
  bool remove = true;
  EXPECT_TRUE(touched.touch(remove));
  EXPECT_EQ(std::tuple(remove, touched.isEnemy(), touched.isContainer()), std::tuple(false, false, false));
  Game::SymbolCharaData* other = chara("float true;");
  touched.changeChara(other, "sit");
  EXPECT_EQ(std::tuple(touched.chara(), touched.idleMotion()), std::tuple(other, "sit"));
  touched.update();
  EXPECT_EQ(touched.motion(), "sit");
}

}  // namespace
