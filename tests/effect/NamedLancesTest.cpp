// The named special attacks of lances, prism beams and flames played on the
// sample data: what each timeline asks of the battle frame by frame, the
// nodes each script makes and where they go.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "live/Unit.h"
#include "presentation/scene/SceneNode.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;

class NamedLancesTest : public EffectTestSupport::FamilySweep {};

// The meltdown's shake grows by a twelfth every 4 frames from 1 on 48,
// printed whole with a white flash on each whole size.
std::string meltdownShakes() {
  std::string out = "0:ready 48:pitch 30,main";
  char size[16];
  for (int f = 52; f <= 252; f += 4) {
    const bool whole = (f - 48) % 48 == 0;
    std::snprintf(size, sizeof size, whole ? "%.0f" : "%f", 1.0 + (f - 48) / 48.0);
    out += " " + std::to_string(f) + ":shake " + size + (whole ? ",flashWhite" : "");
  }
  return out;
}

TEST_F(NamedLancesTest, EachTimelineAsksTheBattleOnItsFrames) {
  const std::string chains = "0:" + soundSeries("main", 0, 8, 5, 14) + " " + callSeries("screenEffect", 24, 56, 8);
  expectTimelines({
      {"TwinRingWhirl", "0:ready 72:hit", "0x2 64x2", "0 64 72", "72", ""},
      {"ForeseeingFiend", "0:hit+32,hit+38,hit+44,hit+50,hit+56,hit+62", "", "0 40", "40x3", ""},
      {"LuringBaitStrike", "0:heading 30,ready 56:flashWhite,hit", "", "0 56", "56x2", ""},
      {"MarchingHordeRush", "0:pitch 5 96:flash 2164260608 4,main,main+8,main+16,main+24,main+32,main+40,main+48,main+56 112:flash 2164260608 4 128:flash 2164260608 4 144:flash 2164260608 4", "32x16", "32 96", "96x2", ""},
      {"FlameBrandSweep", "0:heading 45 64:main,explode+64 68:explode+64 72:explode+64 76:explode+64 80:explode+64 84:explode+64 88:explode+64 92:explode+64 136:shake 3 144:shake 3 152:shake 3", "", "0 64-95 160", "160x3", ""},
      {"AgelessDuskFangs", "0:main", "", "0", "32", ""},
      {"BindingChainLash", chains.c_str(), "0x70", "0 24", "24 56", ""},
      {"FallingPrismBeam", "0:jump 64:pitch 30,shot 72:flashWhite 96:flashWhite 120:flashWhite", "0 144", "64 144", "72 144", "0-31 33-48 144-203"},
      {"GreatPrismBeam", "32:pitch 30 64:main 72:flashWhite 96:flashWhite 120:flashWhite", "0 144x3", "64 144", "72x2 144x2", "0-31 144-203"},
      {"OrbitingStarlets", "0:ready 48:shot", "", "0 64", "64", ""},
      {"BlazingSkyPlunge", "32:pitch 30,attack 64:flash 2164228096 4", "32 96", "0 36 40 44 48 52 56 60 64 68 72 76 80 84 88 92", "64x3", "33-155"},
      {"CinderConstellation", "0:ready 64:flashWhite,hit 72:flashWhite,hit 80:flashWhite,hit 88:flashWhite,hit 96:flashWhite,hit 104:flashWhite,hit 112:flashWhite,hit 128:flashWhite,hit 160:flash 4294901760 80,explode", "", "64 160", "160", ""},
      {"CoreMeltdownBurst", meltdownShakes().c_str(), "", "0 48 256", "256", ""},
      {"SearingGlare", "0:pitch 30 32:main,main+8,main+16,main+24,main+32,main+40,main+48,main+56 112:shake 4,explode", "32x16", "32 112", "112", ""},
      {"EruptingPeak", "32:shake 16,flash 4294934528 4,hit 48:flash 4294934528 4 64:flash 4294934528 4 80:flash 4294934528 4", "", "0 32", "32x2 96", ""},
      {"AshenReturn", "0:heading -30 32:battleSoundStart リヴァイヴァ 0 48:main", "", "32 64", "48", ""},
      {"WailingPulse", "0:ready 64:shot 80:hit", "64", EffectTestSupport::framesEvery({{0, 0, 1}, {64, 126, 2}}).c_str(), "80", ""},
      {"FlameWingAscent", "32:main 128:hit 136:flashWhite", "", EffectTestSupport::framesEvery({{32, 160, 4}}).c_str(), "136x4", ""},
      {"ElementalCrystalRing", "32:main,main+20,main+40,main+60,main+80", "", "32", "", ""},
      {"CrimsonLanceThrow", "64:ready,ready+24,ready+34,ready+42,ready+48,ready+54,ready+60,ready+64 160:flashWhite,shake 2,hit,shot", "0 192", "64 160", "160x2", "0-31 192-251"},
  });
}

// By hand from the timelines: sixteen flames 4 apart, living 88 − 4·i,
// with their pillars and the 64 sparks of the splash; 32 throws of three
// rocks; the five chains' links 8 apart; the four orbs and their beams,
// 128 round the caster and 32 above it, on average over it.
TEST_F(NamedLancesTest, EachScriptMakesItsNodesWithTheirWaitsAndLives) {
  expectCensus({
      {"ForeseeingFiend", 0, "main", "16 wait 0-30/2"},
      {"LuringBaitStrike", 0, "sight", "8 wait 0-14/2 life 50-64/2"},
      {"LuringBaitStrike", 0, "main", "8 wait 32", 0, {-64.f, -32.f, 40.f}},
      {"MarchingHordeRush", 32, "stand", "16 wait 0-56/8 60-116/8 life 60 mods 0 7-55/8 59-115/8"},
      {"CoreMeltdownBurst", 48, "main", "64 wait 0-252/4", 0, {64.f, 32.f, 48.f}},
      {"CrimsonLanceThrow", 64, "main", "1", 0, {64.f, 80.f, 48.f}},  // half its 96 along its side
      {"SearingGlare", 32, "main", "96 wait 0-60/4 80 life 28-88/4 mods 0 3-59/4"},
      {"EruptingPeak", 32, "弾", "96 wait 0-64 life 64", 0, {-128.f, 32.f, 0.f}},
      {"BindingChainLash", 0, "chain", "65 mods 0 7-31/8"},  // 13 links behind each head
      {"BindingChainLash", 0, "main", "5 mods 0 7-31/8"},
      {"OrbitingStarlets", 0, "main", "8 wait 0 48", 0, {64.f, 32.f, 64.f}},
      {"OrbitingStarlets", 64, "shard", "8"},
      {"WailingPulse", 0, "charge", "4 wait 0-24/8"},
      {"WailingPulse", 64, "", "1 life 64 mods 0"},
      {"MarchingHordeRush", 96, "main", "16 wait 0-48/16"},  // four bursts 16 apart
      {"CrimsonLanceThrow", 160, "main", "98"},  // two rings of 32, the ring, a jet of 32, the shock
      {"BlazingSkyPlunge", 64, "main", "65 wait 0-63"},  // 64 blasts a frame apart and the trail
      {"FlameBrandSweep", 72, "heat", "1", 0, {-128.f, 192.f, 0.f}},  // a quarter way from y = 384 to −384
      {"EruptingPeak", 0, "main", "16 wait 0-120/8", 0, {-128.f, 32.f, 0.f}},  // the ground heat's glows
      // The lights, at the caster, the aim point raised to 4 or 32, the target.
      {"FlameBrandSweep", 64, "", "1 life 32", 0, {64.f, 32.f, 48.f}},
      {"FlameBrandSweep", 160, "", "1 life 16", 0, {-128.f, 32.f, 4.f}},
      {"GreatPrismBeam", 64, "", "1 life 128", 0, {64.f, 32.f, 48.f}},
      {"SearingGlare", 112, "", "1 life 32", 0, {-128.f, 32.f, 32.f}},
      {"FlameWingAscent", 32, "", "1 life 32", 0, {64.f, 32.f, 48.f}},
      {"FlameWingAscent", 128, "", "1 life 32", 0, {-64.f, -32.f, 40.f}},
      {"FlameWingAscent", 32, "main", "0"},  // the wings beat from 36
  });
}

// Carried nodes by hand, in a hop of height h peaking half way: flame 0
// of the glare half way (8 of 16 frames) from the caster to the ground,
// 24 + h = 16 up; doll 0 three quarters of its 60 frames from the
// caster's front (64, 32) to the target's (−64, −32), both 16 up, and
// the first doll to run off half way on its hop of 64; familiar 0 half
// way to the caster − 64·side + (target − caster)/2, side (−0.447, 0.894,
// 0), and 128 up; chain 0's head half way in from 512 back along
// (0, −0.6, −0.8) to its place 128 along it from the target + (32, 0, 48).
TEST_F(NamedLancesTest, EachCarriedNodeKeepsItsPaceAndTurn) {
  const float any = 1e9f;
  expectProbes({
      {"SearingGlare", 32, "main", 0, 40, {any, any, 40.f}},
      {"MarchingHordeRush", 32, "stand", 0, 77, {-32.f, -16.f, 16.f}},
      {"MarchingHordeRush", 32, "stand", 1, 122, {any, any, 80.f}},
      {"TwinRingWhirl", 0, "Isbeth", 0, 16, {46.289f, -12.577f, 174.f}},
      {"BindingChainLash", 0, "main", 0, 8, {-32.f, 44.8f, 190.4f}},
      // Familiar 0 half way across in 16 frames to the caster + 64·side +
      // 1.5·(target − caster).
      {"TwinRingWhirl", 0, "Isbeth", 0, 72, {-64.02f, -31.96f, 40.f}},
      // Turned to the targeted side (1 for a caster of side 0): the lance by
      // side × 180 about z, the ring (after the rings' 64 motes) and the beam
      // by (2·side − 1)·(−90) about y.
      {"CrimsonLanceThrow", 64, "main", 0, 64, {any, any, any}, {0.f, 0.f, 180.f}},
      {"CrimsonLanceThrow", 64, "main", 0, 64, {any, any, any}, {0.f, 0.f, 0.f}, 1},
      {"CrimsonLanceThrow", 160, "main", 64, 160, {any, any, any}, {0.f, -90.f, 0.f}},
      {"CrimsonLanceThrow", 160, "main", 64, 160, {any, any, any}, {0.f, 90.f, 0.f}, 1},
      {"GreatPrismBeam", 64, "main", 0, 64, {any, any, any}, {0.f, -90.f, 0.f}},
      {"GreatPrismBeam", 64, "main", 0, 64, {any, any, any}, {0.f, 90.f, 0.f}, 1},
      // The fourth ring of the cry 1 + 3·0.2 large, mirrored in x.
      {"WailingPulse", 0, "charge", 3, 0, {any, any, any}, {any, any, any}, 0, {-1.6f, 1.6f, 1.6f}},
  });
}

// Each rock leaves the crater at 20 a frame and falls back at 40/64 a
// frame each frame.
TEST_F(NamedLancesTest, EruptingPeaksRocksFallBackUnderGravity) {
  auto effect = makeEffect("EruptingPeak", *standardActions(0)[0]);
  for (const Game::SceneNode* rock : madeOf(*effect, 32, "弾")) {
    const Vector3 velocity(rock->position.x.velocity(), rock->position.y.velocity(), rock->position.z.velocity());
    EXPECT_NEAR(velocity.length(), 20.f, 1e-3f);
    EXPECT_FLOAT_EQ(rock->position.z.acceleration(), -0.625f);
  }
}

}  // namespace
