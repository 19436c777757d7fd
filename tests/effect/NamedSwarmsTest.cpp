// The named special attacks of swarms, rains and fields played on the
// sample data: what each timeline asks of the battle frame by frame and the
// volleys they lay out.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tests/effect/NamedScriptTest.h"

namespace {

using namespace EffectTestSupport;

using EffectTestSupport::RecordingAction;

class NamedSwarmsTest : public EffectTestSupport::NamedScriptTest {};

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
  expectNodeCounts({
      {"PlanetaryBarrage",
       "0:distance "
       "0.100000,explode+128,explode+134,explode+140,explode+146,explode+152,explode+158,explode+164,explode+170,"
       "explode+176,explode+182,explode+188,ready "
       "48:attack 96:pitch 30 128:flash 1090518784 64,shake 16 192:distance 1",
       "0x64", "0:144 96:16"},
      {"SaucerRaid",
       "0:ready 64:attack,attack+8,attack+16,attack+24,attack+32,attack+40,attack+48,attack+56,explode+64 "
       "96:pitch 30 128:shake 5",
       "64x32",
       "total 2087 last 189"},
      {"HauntedHamlet",
       "0:ready,ready+5,ready+10,ready+15,ready+20,ready+25 32:hit+32,hit+40,hit+48,hit+56,hit+64 64:flashWhite",
       "0x12 32x12", "0:12 64:8 72:8 80:8 88:8 96:8"},
      {"GrudgeWraithFeast", "0:heading 30,attack", "0x8",
       "0:17 6:2 12:3 18:4 24:5 30:6 36:7 42:8 48:24 54:8 60:8 66:8 72:8 78:8 84:8 90:8 96:8"},
      {"TorrentCascade",
       "0:pitch 30 "
       "16:attack,attack+12,attack+24,attack+36,attack+48,attack+60,attack+72,attack+84",
       "", "16:1 48:8"},
      {"GoldenSunburst", "0:pitch 30,main 16:flashWhite", "", "0:48"},
      {"IcePillarRise", "0:pitch 30,main", "", "0:49 48:16"},
      {"DarkTwinBeams", "16:flashWhite,main,main+8,main+16,main+24,main+32,main+40,main+48,main+56", "", "16:40 80:64"},
      {"ShaftVolley",
       "16:shot 48:flash 2164260863 12,pitch "
       "30,flash,hit+32,hit+35,hit+38,hit+41,hit+44,hit+47,hit+50,hit+53,hit+56,hit+59,hit+62,hit+65,hit+68,hit+71,hit+"
       "74,hit+77",
       "", "16:1 48:200 80:16 104:16 128:16"},
      {"VioletGlassOmen", "0:ready 96:attack 112:flash 1090461696 16,hit", "0x24", "0:24 112:32"},
      {"DrowningSwirl",
       "0:pitch 30,attack,attack+24,attack+48 31:flash 2164260863 4 63:flash 2164260863 4 "
       "95:flash 2164260863 4",
       "", "0:24 32:72 128:16"},
      {"FlawedHelixSpiral", "0:attack,attack+8,attack+16,attack+24 128:screenEffect,hit", "128x2",
       "0:64 64:128 96:16 128:128 207:1"},
      {"BuriedEmberTrap", "0:shot 96:explode,explode+16,explode+32,explode+48", "0x32", "0:64"},
      {"PlagueFogCloud", "0:attack,attack+4,attack+8,attack+12", "", "0:64"},
      {"SerpentIdolCurse",
       "0:pitch 5 32:attack 64:heading 30 96:flashWhite,hit 112:flashWhite,hit "
       "128:flashWhite,hit 144:flashWhite,hit 160:flashWhite,hit",
       "32x16",
       "total 1824 last 160"},
      {"VerdantRockCrush", "0:heading 30,hit+32,hit+40,hit+48,hit+56,hit+64,hit+72,hit+80,hit+88", "0x64", "0:192"},
      {"FrozenLakeRidge", "0:pitch 30,shake 8,attack 32:flashWhite", "", "0:97 32:16"},
      {"FallingPillarStorm",
       "0:pitch "
       "30,fall+16,explode+64,fall+32,explode+80,fall+48,explode+96,fall+64,explode+112,fall+80,explode+128,fall+96,"
       "explode+144,fall+112,explode+160,fall+128,explode+176 "
       "64:shake 2,flash 1090453504 2 80:shake 2,flash 1090453504 2 96:shake 2,flash 1090453504 "
       "2 112:shake 2,flash 1090453504 2 128:shake 2,flash 1090453504 2 144:shake 2,flash "
       "1090453504 2 160:shake 2,flash 1090453504 2 176:shake 2,flash 1090453504 2 192:shake "
       "2,flash 1090453504 2 208:shake 2,flash 1090453504 2",
       "", "0:16"},
      {"FallingFishShower",
       "0:pitch "
       "30,land+32,land+36,land+40,land+44,land+48,land+52,land+56,land+60,land+64,land+68,land+72,land+76,land+80,"
       "land+84,land+88,land+92",
       "", "0:384"},
      {"WanderersVolley", "0:shot 32:hit,hit+12,hit+24,hit+36", "0", "0:64"},
      {"VerdictPillar",
       "0:pitch 30 "
       "32:explode+32,explode+36,explode+40,explode+44,explode+48,explode+52,explode+56,explode+60,explode+64,explode+"
       "68 "
       "64:shake 4,flashWhite 68:shake 4 72:shake 4 76:shake 4 80:shake 4 84:shake 4 88:shake 4 "
       "92:shake 4 96:shake 4 100:shake 4 104:shake 4 108:shake 4 112:shake 4 116:shake 4 "
       "120:shake 4 124:shake 4 128:shake 4 132:shake 4 136:shake 4 140:shake 4 144:shake 4 "
       "148:shake 4 152:shake 4 156:shake 4 160:shake 4,shake 8,explodeL 164:shake 4 168:shake 4 "
       "172:shake 4 176:shake 4 180:shake 4 184:shake 4 188:shake 4 192:shake 4",
       "", "32:36 128:2"},
      {"TenfoldTribunal",
       "0:attack+64,attack+70,attack+76,attack+82,attack+88,attack+94,attack+100,attack+106,attack+112,attack+118",
       "0x10", "0:20 66:8 72:8 78:8 84:8 90:8 96:8 102:8 108:8 114:8 120:8 126:8 128:64"},
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

// Flare j of ring r stands R = rnd(64) + 64·(r + 1) out from the caster
// and waits R / 6; icicle 15 stands 15²/2 + rnd(32) high (scale of 256),
// and the fans spread evenly about the way to the target.
TEST_F(NamedSwarmsTest, FlaresWaitBySizeAndIciclesGrowAlongTheFan) {
  RecordingAction& action = *standardActions(0)[0];
  Engine::Math::Vector3 caster;
  action.actor().getPosition(caster);
  auto sunburst = makeEffect("GoldenSunburst", action);
  const auto flares = madeOn(*sunburst, 0);
  ASSERT_EQ(flares.size(), 48u);
  for (std::size_t i = 0; i < flares.size(); ++i) {
    const Engine::Math::Vector3 at = flares[i]->position.value();
    const float reach = std::hypot(at.x - caster.x, at.y - caster.y);
    const float ring = static_cast<float>(i / 12 + 1);
    EXPECT_NEAR(reach, -6.f * flares[i]->getTime(), 1e-2f) << i;
    EXPECT_GE(reach, 64.f * ring - 1e-2f) << i;
    EXPECT_LT(reach, 64.f * ring + 64.f) << i;
  }
  auto ice = makeEffect("IcePillarRise", action);
  const auto icicles = madeOn(*ice, 0);
  const float height = icicles[15]->scale.value().z * 256.f;
  EXPECT_GE(height, 112.5f);
  EXPECT_LT(height, 144.5f);
  // The fans 25 degrees apart (±5) about the way D from the caster's front
  // (64, 32, 0) to the target, icicle k 32·k along: on average
  // 240·(1 + 2·cos 25)/3 along D in x and y, 240 in z.
  Engine::Math::Vector3 centre(0.f, 0.f, 0.f);
  for (std::size_t i = 0; i < 48; ++i) {
    centre += icicles[i]->position.value();
  }
  centre *= 1.f / 48.f;
  EXPECT_LT(EffectTestSupport::distance(centre, Engine::Math::Vector3(-129.83f, -64.91f, 64.61f)), 10.f);
}

// The fish centre on (−16, −16), half a cell off the origin.
TEST_F(NamedSwarmsTest, TheFishFallAboutTheOrigin) {
  RecordingAction& action = *standardActions(0)[0];
  auto fish = makeEffect("FallingFishShower", action);
  const auto school = madeOn(*fish, 0);
  ASSERT_EQ(school.size(), 384u);
  float x = 0.f;
  float y = 0.f;
  for (const Game::SceneNode* one : school) {
    x += one->position.value().x / 384.f;
    y += one->position.value().y / 384.f;
  }
  EXPECT_NEAR(x, -16.f, 4.f);
  EXPECT_NEAR(y, -16.f, 4.f);
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

