// The named special attacks of swarms, rains and fields played on the
// sample data: what each timeline asks of the battle frame by frame and the
// volleys they lay out.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

class NamedSwarmsTest : public EffectTestSupport::FamilySweep {};

// One play with the first target hit, by hand from the timelines: what it
// asked of the battle, "frame:call,sound+delay"; the frames modules were
// added on ("FxN" for N); the nodes made, "frame:count", bank pieces
// included (a riser that has started leaves a copy every 6 frames from its
// first, so the eight risers 6 frames apart add one more copy every 6
// frames until all eight run). A trailed shot leaves a trail on every
// update of its flight but the first while it lives: 7 saucers, 32
// missiles and their bursts, 63 trails each, the last from 62 + 64 + 63;
// 16 serpents and 63 + 4·i trails each, with 64 sparks on each of five
// pulses 96..160.
TEST_F(NamedSwarmsTest, EachTimelineAsksTheBattleOnItsFrames) {
  std::string pillars = "0:pitch 30";
  for (int i = 0; i < 8; ++i) {
    pillars += ",fall+" + std::to_string(16 * i + 16) + ",explode+" + std::to_string(16 * i + 64);
  }
  pillars += " " + callSeries("shake 2,flash 1090453504 2", 64, 208, 16);
  const std::string verdict = "0:pitch 30 32:" + soundSeries("explode", 32, 4, 10) + " 64:shake 4,flashWhite " +
                              callSeries("shake 4", 68, 156, 4) + " 160:shake 4,shake 8,explodeL " +
                              callSeries("shake 4", 164, 192, 4);
  expectNodeCounts({
      {"PlanetaryBarrage",
       ("0:distance 0.100000," + soundSeries("explode", 128, 6, 11) +
        ",ready 48:attack 96:pitch 30 128:flash 1090518784 64,shake 16 192:distance 1")
           .c_str(),
       "0x64", "0:144 96:16"},
      {"SaucerRaid", ("0:ready 64:" + soundSeries("attack", 0, 8, 8) + ",explode+64 96:pitch 30 128:shake 5").c_str(),
       "64x32", "total 2087 last 189"},
      {"HauntedHamlet", ("0:" + soundSeries("ready", 0, 5, 6) + " 32:" + soundSeries("hit", 32, 8, 5) + " 64:flashWhite").c_str(),
       "0x12 32x12", "0:12 64:8 72:8 80:8 88:8 96:8"},
      {"GrudgeWraithFeast", "0:heading 30,attack", "0x8",
       "0:17 6:2 12:3 18:4 24:5 30:6 36:7 42:8 48:24 54:8 60:8 66:8 72:8 78:8 84:8 90:8 96:8"},
      {"TorrentCascade", ("0:pitch 30 16:" + soundSeries("attack", 0, 12, 8)).c_str(), "", "16:1 48:8"},
      {"GoldenSunburst", "0:pitch 30,main 16:flashWhite", "", "0:48"},
      {"IcePillarRise", "0:pitch 30,main", "", "0:49 48:16"},
      {"DarkTwinBeams", ("16:flashWhite," + soundSeries("main", 0, 8, 8)).c_str(), "", "16:40 80:64"},
      {"ShaftVolley", ("16:shot 48:flash 2164260863 12,pitch 30,flash," + soundSeries("hit", 32, 3, 16)).c_str(), "",
       "16:1 48:200 80:16 104:16 128:16"},
      {"VioletGlassOmen", "0:ready 96:attack 112:flash 1090461696 16,hit", "0x24", "0:24 112:32"},
      {"DrowningSwirl",
       ("0:pitch 30," + soundSeries("attack", 0, 24, 3) + " " + callSeries("flash 2164260863 4", 31, 95, 32)).c_str(), "",
       "0:24 32:72 128:16"},
      {"FlawedHelixSpiral", ("0:" + soundSeries("attack", 0, 8, 4) + " 128:screenEffect,hit").c_str(), "128x2",
       "0:64 64:128 96:16 128:128 207:1"},
      {"BuriedEmberTrap", ("0:shot 96:" + soundSeries("explode", 0, 16, 4)).c_str(), "0x32", "0:64"},
      {"PlagueFogCloud", ("0:" + soundSeries("attack", 0, 4, 4)).c_str(), "", "0:64"},
      {"SerpentIdolCurse", ("0:pitch 5 32:attack 64:heading 30 " + callSeries("flashWhite,hit", 96, 160, 16)).c_str(),
       "32x16", "total 1824 last 160"},
      {"VerdantRockCrush", ("0:heading 30," + soundSeries("hit", 32, 8, 8)).c_str(), "0x64", "0:192"},
      {"FrozenLakeRidge", "0:pitch 30,shake 8,attack 32:flashWhite", "", "0:97 32:16"},
      {"FallingPillarStorm", pillars.c_str(), "", "0:16"},
      {"FallingFishShower", ("0:pitch 30," + soundSeries("land", 32, 4, 16)).c_str(), "", "0:384"},
      {"WanderersVolley", ("0:shot 32:" + soundSeries("hit", 0, 12, 4)).c_str(), "0", "0:64"},
      {"VerdictPillar", verdict.c_str(), "", "32:36 128:2"},
      {"TenfoldTribunal", ("0:" + soundSeries("attack", 64, 6, 10)).c_str(), "0x10",
       ("0:20 " + callSeries("8", 66, 126, 6) + " 128:64").c_str()},
      {"SlumberCapsuleMist", "0:shot,hit+64", "0", "0:5"},
  });
}

// All missed: no "hit" and no twinkles, yet the wisps gather and the twelve
// dives leave 3
// frames apart (see the census) and the wisp in place p lives 3·p + 32
// frames from 32, in an order that is not the ring's, and the flash plays.
TEST_F(NamedSwarmsTest, HauntedHamletDivesOnAMissWithoutHitsOrTwinkles) {
  auto effect = makeEffect("HauntedHamlet", *standardActions(0)[1]);
  const std::vector<const Game::SceneNode*> ring = madeOn(*effect, 0);
  stage.pool.update();
  // Wisp 0 half way in 32 frames from where it came to (64 + 128, 32, 48).
  const Engine::Math::Vector3 came = ring[0]->position.value();
  stepThrough(*effect, 16);
  Engine::Math::Vector3 half = came;
  half += Engine::Math::Vector3(192.f, 32.f, 48.f);
  half *= 0.5f;
  EXPECT_LT(EffectTestSupport::distance(ring[0]->position.value(), half), 0.5f);
  stepThrough(*effect, 32);
  std::vector<int> lives;
  for (const Game::SceneNode* wisp : ring) {
    lives.push_back(wisp->getLifetime() + 1);  // one step of the pool has passed
  }
  std::vector<int> sorted = lives;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<int>{32, 35, 38, 41, 44, 47, 50, 53, 56, 59, 62, 65}));
  EXPECT_NE(lives, sorted);
  freshNodes();
  stage.calls.clear();
  stepThrough(*effect, 100);
  EXPECT_EQ(freshNodes(), 0);
  EXPECT_EQ(stage.calls, (std::vector<std::string>{"flashWhite"}));
  EXPECT_EQ(soundsOf("hit"), 0);
}

// By hand from the timelines, caster (64, 32, 48), first target
// (−64, −32, 40), aim point (−128, 32, 0), all mirrored in x for a caster
// of side 1: 24 nodes in three whole turns about the aim point; the helix
// 12·31.5 on average along the way from the caster; the volley's shots
// 48.5/64 of the way to the target on average; the flock 64 apart about
// (±256, 0, 512); ridges, rocks, pillars and their blasts, icicles and
// beams with their bursts in one census each.
TEST_F(NamedSwarmsTest, EachVolleyMakesItsNodesWithTheirWaitsAndLives) {
  expectCensus({
      {"GrudgeWraithFeast", 0, "", "8 wait 0-42/6 life 128 mods 0 5-41/6"},
      {"TorrentCascade", 16, "main", "1", 0, {0.f, 0.f, 0.f}},
      {"TorrentCascade", 48, "main", "8 wait 0-56/8"},  // the waves
      {"DrowningSwirl", 32, "main", "72 wait 0-84/12"},
      {"DrowningSwirl", 0, "main", "24 wait 0-92/4", 0, {-128.f, 32.f, 0.f}},
      {"VioletGlassOmen", 0, "main", "24 wait 0-23 mods 0-22", 0, {-64.f, -32.f, 168.f}},
      {"ShaftVolley", 48, "rain", "100 wait 0-49.5/0.5"},
      {"ShaftVolley", 48, "main", "100 wait 32-81.5/0.5"},  // the ripples
      {"FlawedHelixSpiral", 0, "main", "64 wait 0-31.5/0.5", 0, {-273.57f, -136.78f, 26.90f}},
      {"BuriedEmberTrap", 0, "main", "64 wait 0-62/2 96-158/2 mods 0 1-61/2"},
      {"SerpentIdolCurse", 32, "main", "16 life 64-124/4 mods 0", 0, {64.f, 32.f, 48.f}},
      {"WanderersVolley", 0, "main", "64 wait 0-63 mods 0", 0, {-33.f, -16.5f, 41.94f}},
      {"VerdictPillar", 32, "red", "5 wait 0-32/8"},
      {"VerdictPillar", 32, "blue", "5 wait 4-36/8"},
      {"TenfoldTribunal", 0, "gold", "5 mods 0", 0, {64.f, 32.f, 48.f}},  // orbs 1, 3, ...
      {"TenfoldTribunal", 0, "main", "15 wait 0 64-118/6 mods 0"},          // orbs 0, 2, ... and beams
      {"SlumberCapsuleMist", 0, "main", "4 wait 64-70/2 mods 0", 0, {-64.f, -32.f, 40.f}},
      {"SaucerRaid", 0, "stand", "7 life 128", 0, {256.f, 0.f, 512.f}},
      {"SaucerRaid", 0, "stand", "7 life 128", 1, {-256.f, 0.f, 512.f}},
      {"SaucerRaid", 64, "missile", "32 wait 0-62/2 life 64 mods 0 1-61/2"},
      {"SaucerRaid", 64, "main", "32 wait 64-126/2 mods 0 1-61/2"},
      {"PlanetaryBarrage", 0, "moon", "16 wait 1-61/4 life 128 mods 0-62", 0, {0.f, 0.f, 1000.f}},
      {"FallingPillarStorm", 0, "main", "16 wait 0-176/16"},
      {"VerdantRockCrush", 0, "main", "192 wait 0-87 mods 0-62"},
      {"IcePillarRise", 0, "main", "49 wait 0-30/2"},
      {"DarkTwinBeams", 16, "main", "40 wait 0-60/4"},
      {"HauntedHamlet", 0, "stand", "12 mods 0"},
      {"HauntedHamlet", 32, "stand", "0 mods 0 2-32/3"},  // the dives, 3 apart
  });
}

// Half way by hand: the capsule from the caster to the target in 64
// frames, 192 up; the first moon (shot 1) from 1000 over the field down
// to the ground from rest (velocity 0 at time 0), 1 − (1/2)² of the way up.
TEST_F(NamedSwarmsTest, EachCarriedNodeKeepsItsPaceAndTurn) {
  const float any = 1e9f;
  expectProbes({
      {"SlumberCapsuleMist", 0, "shot", 0, 32, {0.f, 0.f, 236.f}},
      {"PlanetaryBarrage", 0, "moon", 0, 65, {any, any, 750.f}},
      // The pillars stand turned 180 about z where the action aims at side
      // 1 (the storm's) or 0 (the verdict's, on the caster's own side).
      {"FallingPillarStorm", 0, "main", 0, 0, {any, any, any}, {0.f, 0.f, 180.f}},
      {"FallingPillarStorm", 0, "main", 0, 0, {any, any, any}, {0.f, 0.f, 0.f}, 1},
      {"VerdictPillar", 32, "red", 0, 32, {any, any, any}, {0.f, 0.f, 0.f}},
      {"VerdictPillar", 32, "blue", 0, 32, {any, any, any}, {0.f, 0.f, 180.f}, 1},
      {"VerdictPillar", 128, "main", 0, 128, {any, any, any}, {0.f, 0.f, 180.f}, 1},
  });
}

// The camera's point on frame 0: 1024 from the aim point, 30 degrees
// toward the caster's side from overhead; over the flock; over the field.
TEST_F(NamedSwarmsTest, TheSkyShotsLookFromTheirPoints) {
  const struct {
    const char* name;
    int casterSide;
    Engine::Math::Vector3 focus;
  } rows[] = {{"VerdictPillar", 0, {384.f, 32.f, 886.81f}},  {"VerdictPillar", 1, {-384.f, 32.f, 886.81f}},
              {"SaucerRaid", 0, {256.f, 0.f, 512.f}},        {"SaucerRaid", 1, {-256.f, 0.f, 512.f}},
              {"PlanetaryBarrage", 0, {0.f, 0.f, 1000.f}}};
  for (const auto& row : rows) {
    auto effect = makeEffect(row.name, *standardActions(row.casterSide)[0]);
    step(*effect);
    EXPECT_LT(EffectTestSupport::distance(camera.focus, row.focus), 0.5f) << row.name << " " << row.casterSide;
  }
}

// The pillars and their blasts lie within 128 of x = +128 for an action
// aimed at side 0 and of x = −128 at side 1.
TEST_F(NamedSwarmsTest, FallingPillarStormFallsOnTheAimedHalf) {
  const struct {
    int casterSide;
    float x;
  } rows[] = {{1, 128.f}, {0, -128.f}};
  for (const auto& row : rows) {
    RecordingAction& action = *standardActions(row.casterSide)[0];
    auto effect = makeEffect("FallingPillarStorm", action);
    freshNodes();
    effect->tick();
    const std::vector<const Game::SceneNode*> placed = madeNodes();
    for (const Game::SceneNode* node : placed) {
      const Engine::Math::Vector3 at = node->position.value();
      EXPECT_LT(std::hypot(at.x - row.x, at.y), 128.f) << row.x;
    }
    EXPECT_EQ(placed.size(), 16u) << row.x;
  }
}

// The poison lands with the last capsule, on H = 8·n + 56 for n targets
// (the effect sweep checks the results on H + 32 and the end on H + 65).
TEST_F(NamedSwarmsTest, SlumberCapsuleMistWaitsForItsLastCapsule) {
  using ResultKind = Game::Effect::ActionRecord::ResultKind;
  std::vector<RecordingAction*> actions = standardActions(0);
  RecordingAction& three = *actions[2];
  RecordingAction& four = makeAction(three.actor(), {{&three.target(0), ResultKind::kDamage},
                                                     {&three.target(1), ResultKind::kMiss},
                                                     {&three.target(2), ResultKind::kRecovery},
                                                     {&makeUnit(1, 1, 0, "Kessa"), ResultKind::kDamage}});
  const std::pair<RecordingAction*, int> rows[] = {{actions[0], 64}, {&three, 80}, {&four, 88}};
  for (const auto& [action, hit] : rows) {
    auto effect = makeEffect("SlumberCapsuleMist", *action);
    const Game::SceneNode& body = *action->target(0).node();
    stepThrough(*effect, hit - 1);
    const std::size_t before = body.overlays().size();
    step(*effect);
    EXPECT_GT(body.overlays().size(), before) << hit;
  }
}

}  // namespace

