// The named wards, bells, curses and stopped time on the sample data: their
// timings, timelines, cameras and the nodes a few of them count out.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "presentation/scene/SceneNode.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::Effect::Cast;

class NamedCursesTest : public EffectTestSupport::FamilySweep {
 protected:
  // The nodes the effect makes on the frame, stepped up to and through it.
  std::vector<const Game::SceneNode*> madeOn(Cast& effect, int frame) {
    stepThrough(effect, frame - 1);
    std::set<Engine::u32> seen;
    newNodes(seen);
    step(effect);
    return newNodes(seen);
  }
  // Active nodes of the model name, visible ones for "+name" (lights of the
  // range for a null name).
  int countOf(const char* model, float lightRange) {
    const bool visible = model && model[0] == '+';
    model += model && visible ? 1 : 0;
    return countWhere(stage.pool, [&](const Game::SceneNode& node) {
      return (!visible || node.isVisible()) &&
             (model ? modelName(node) == model : node.hasLight() && node.lightRange() == lightRange);
    });
  }
};

TEST_F(NamedCursesTest, EachTimelineAsksTheBattleOnItsFrames) {
  // Charms and afterimages every 2 frames until the last charm (30 late) lands
  // 64 on; storm afterimages every 5, cuts every 4 from 48 to 111.
  const std::string charms = EffectTestSupport::framesEvery({{32, 132, 2}});
  const char* storm =
      "48:flashWhite,main 52:main 56:main 60:main 64:flashWhite,main 68:main 72:main 76:main "
      "80:flashWhite,main 84:main 88:main 92:main 96:flashWhite,main 100:main 104:main 108:main";
  const std::string cuts = EffectTestSupport::framesEvery({{0, 125, 5}, {48, 108, 4}});
  expectTimelines({
      {"QuietPaleRadiance", "32:pitch 30,attack 64:heading -30,main,main+24,main+48,main+72", "0 112", "32 64 144", "112x2",
       "0-31 112-171"},
      {"FloatingBellSplash", "0:main", "", "0", "", ""},
      {"FloatingBellWard", "32:main", "", "32", "", ""},
      {"MindShredShot", "0:shot 8:hit", "0", "0-8", "8", ""},
      {"EclipseSidestep", "16:main", "", "0", "", ""},
      {"EclipseRipple", "40:main", "", "32", "", ""},
      {"副作用", "0:pitch 30,main", "", "0", "0", ""},
      {"BitterElixir", "32:main", "", "32 64", "64", ""},
      {"SpinningWoeRing", "0:shot,hit+64,shot+16,hit+80,shot+32,hit+96,shot+48,hit+112", "0x4", "0 64 80 96 112", "64x3", ""},
      {"HexedFigurine", "32:main 64:hit 112:explode", "0 64", "32 64 112", "64x2", "0-31 64-123"},
      {"BlueTormentTide", "0:pitch 30,main 96:hit,hit+6,hit+12", "", "0 96", "40x3", ""},
      {"ShatteredCharmHex", "32:main,hit+64,main+8,hit+72,main+16,hit+80,main+24,hit+88", "32x32", charms.c_str(), "96x2", ""},
      {"RadiantVigorSurge", "16:main", "", "0 16", "", ""},
      {"GlintBladeWard", "92:flashWhite,main", "", "60 92", "", ""},
      {"GaleCodexWave", "0:main 24:main 48:main 72:main 84:hit", "0 24 48 72 84x2 128", "0 24 48 72 84", "84",
       "1-96 128-187"},
      {"PrismWhirlpool", "0:pitch 30 32:main,main+15,main+30,main+45,main,main+15,main+30,main+45", "32x64", "32-108",
       "64x2", ""},
      {"HaltedHandsCurse", "0:pitch 30,main,main+15,main+32,main+51,main+72,main+95,main+120", "", "0", "48", ""},
      {"TimeHalt", "16:main 32:flashWhite", "", "", "", ""},
      {"CarvingBladeStorm", storm, "0x2 48 128", cuts.c_str(), "48", "0-31 48-111 128-157"},
  });
}

// How many nodes of a model (lights of a range for a null model; "*": any
// node made on that frame) stand just after the frame, the first target hit.
struct CountRow {
  const char* name;
  int frame;
  const char* model;
  float lightRange;
  int count;
};

TEST_F(NamedCursesTest, EachScriptPlacesItsNodesInTheirNumbers) {
  const CountRow rows[] = {
      {"QuietPaleRadiance", 64, "mote", 0.f, 512},  // two arms of 256 steps, all in the pool
      {"QuietPaleRadiance", 64, "+mote", 0.f, 4},   // steps 0 and 1: 1 − 0.75·i ≥ 0 after a step
      {"QuietPaleRadiance", 32, nullptr, 3.f, 1},
      {"QuietPaleRadiance", 94, nullptr, 3.f, 1},   // 64 pool steps from 32 on
      {"QuietPaleRadiance", 95, nullptr, 3.f, 0},
      {"QuietPaleRadiance", 144, "*", 0.f, 16},     // the sparks
      {"FloatingBellWard", 32, nullptr, 2.f, 1},
      {"FloatingBellWard", 32, "*", 0.f, 17},       // 16 bells and the light
      {"RadiantVigorSurge", 0, "*", 0.f, 32},       // 64 / 2 motes on the one target
      {"HypnoticStareWave", 0, "eye", 0.f, 1},
      {"BitterElixir", 32, "*", 0.f, 32},           // 64 / 2 motes
      {"RadiantVigorSurge", 16, "*", 0.f, 6},
      {"ShatteredCharmHex", 32, "main", 0.f, 16},
      {"BlueTormentTide", 0, "main", 0.f, 32},
      {"GaleCodexWave", 72, "page3", 0.f, 1},       // one scroll a leg, by the leg's model
      {"GaleCodexWave", 143, "page0", 0.f, 0},      // 16 pool steps from 128 on
      {"GaleCodexWave", 143, "page3", 0.f, 0},
  };
  for (const CountRow& row : rows) {
    stage.pool.releaseAll();
    RecordingAction& action = *standardActions(0)[0];
    auto effect = makeEffect(row.name, action);
    const int made = static_cast<int>(madeOn(*effect, row.frame).size());
    const int count = std::strcmp(row.model ? row.model : "", "*") == 0 ? made : countOf(row.model, row.lightRange);
    EXPECT_EQ(count, row.count) << row.name << " " << row.frame;
  }
}

// BitterElixir's lights on 64: hues 120..180 over black are green with
// some blue and no red.
TEST_F(NamedCursesTest, BitterElixirLightsHoldHuesFromGreenToCyan) {
  RecordingAction& action = *standardActions(0)[0];
  auto effect = makeEffect("BitterElixir", action);
  int lights = 0;
  for (const Game::SceneNode* node : madeOn(*effect, 64)) {
    const Engine::Math::Vector3 colour = node->ambient.value();
    EXPECT_EQ(colour.x, 0.f);
    EXPECT_EQ(colour.y, 1.f);
    ++lights;
  }
  EXPECT_EQ(lights, 8);
}

// Missed, SpinningWoeRing makes only its four rings and lays nothing.
TEST_F(NamedCursesTest, SpinningWoeRingMissedShowsOnlyItsRings) {
  RecordingAction& action = *standardActions(0)[1];
  auto effect = makeEffect("SpinningWoeRing", action);
  EXPECT_EQ(madeOn(*effect, 0).size(), 4u);
  std::set<Engine::u32> seen;
  newNodes(seen);
  stepThrough(*effect, 144);
  EXPECT_TRUE(newNodes(seen).empty());
  EXPECT_TRUE(action.target(0).node()->overlays().empty());
}

// ShatteredCharmHex's sixteen charms on 32 stand on a ring of 64: no two
// closer than neighbours 22.5 degrees apart, 2·64·sin(11.25°) ≈ 25 (a
// little less where the ring leans with the way to the target).
TEST_F(NamedCursesTest, ShatteredCharmHexSpreadsItsCharmsEvenlyOnTheRing) {
  RecordingAction& action = *standardActions(0)[0];
  auto effect = makeEffect("ShatteredCharmHex", action);
  std::vector<Vector3> charms;
  for (const Game::SceneNode* node : madeOn(*effect, 32)) {
    if (node->getModel() && std::strcmp(node->getModel()->name(), "main") == 0) {
      charms.push_back(node->position.value());
    }
  }
  ASSERT_EQ(charms.size(), 16u);
  float closest = 1e9f;
  for (std::size_t i = 0; i < charms.size(); ++i) {
    for (std::size_t j = i + 1; j < charms.size(); ++j) {
      closest = std::min(closest, EffectTestSupport::distance(charms[i], charms[j]));
    }
  }
  EXPECT_GT(closest, 24.f);
  EXPECT_LT(closest, 25.f);
}

// GaleCodexWave's scroll k spans path points k to k + 1, i/3.5 of the way to
// the target and 0, +64, -128, +192, -256 to its right: 64·(2k + 1) sideways
// and a 3.5th of the way, flat. All four take on "vanish" on 128.
TEST_F(NamedCursesTest, GaleCodexWaveScrollsZigzagTowardTheTargetAndVanishTogether) {
  RecordingAction& action = *standardActions(0)[0];
  Vector3 caster;
  action.actor().getPosition(caster);
  Vector3 target;
  action.target(0).getPosition(target);
  auto effect = makeEffect("GaleCodexWave", action);
  stepThrough(*effect, 12);
  Vector3 midLeg;
  action.actor().getPosition(midLeg);
  stepThrough(*effect, 72);
  Vector3 way;
  way.setSub(target, caster);
  const float slope = std::sqrt(way.x * way.x + way.y * way.y) / way.length();
  const float flat = std::sqrt(way.x * way.x + way.y * way.y);
  const char* pages[] = {"page0", "page1", "page2", "page3"};
  for (int k = 0; k < 4; ++k) {
    const Game::SceneNode* scroll = firstNodeOf(pages[k]);
    ASSERT_NE(scroll, nullptr) << k;
    const float sideways = 64.f * static_cast<float>(2 * k + 1) * slope;
    EXPECT_NEAR(scroll->scale.x.value(), std::sqrt(sideways * sideways + flat * flat / 12.25f), 0.01f) << k;
    EXPECT_NEAR(scroll->position.value().z, caster.z, 0.01f) << k;
  }
  const Game::SceneNode* start = firstNodeOf("page0");
  const Game::SceneNode* turn = firstNodeOf("page1");
  ASSERT_TRUE(start && turn);
  Vector3 first;
  first.setSub(turn->position.value(), start->position.value());
  EXPECT_GT(first.x * way.y - first.y * way.x, 0.f);
  first *= 0.5f;
  first += start->position.value();
  EXPECT_LT(EffectTestSupport::distance(midLeg, first), 0.01f);  // half the leg in half its 24 frames
  stepThrough(*effect, 128);
  for (const char* page : pages) {
    const Game::SceneNode* scroll = firstNodeOf(page);
    ASSERT_NE(scroll, nullptr) << page;
    EXPECT_EQ(scroll->overlays().size(), 1u) << page;
    EXPECT_EQ(scroll->getLifetime(), 15) << page;
  }
}

// HypnoticStareWave sounds its first entry on 0 and "hit" on 32.
TEST_F(NamedCursesTest, HypnoticStareWaveSoundsItsEntryThenHit) {
  auto effect = makeEffect("HypnoticStareWave", *standardActions(0)[0]);
  stepThrough(*effect, 32);
  EXPECT_EQ(soundsOf("main") * 10 + soundsOf("hit"), 11);
}

// BlueTormentTide's 32 shards on 0 speed up by 2·d/40² (d from the caster to
// the targets' centre) within 30 degrees of the way from the caster's front.
TEST_F(NamedCursesTest, BlueTormentTideFansItsShardsAtTheTargets) {
  RecordingAction& action = *standardActions(0)[0];
  Vector3 caster, target, front;
  action.actor().getPosition(caster);
  action.target(0).getPosition(target);
  action.actor().getFrontPoint(front);
  const float angle = std::atan2(target.y - front.y, target.x - front.x);
  auto effect = makeEffect("BlueTormentTide", action);
  for (const Game::SceneNode* shard : madeOn(*effect, 0)) {
    const Vector3 push(shard->position.x.acceleration(), shard->position.y.acceleration(), 0.f);
    EXPECT_NEAR(push.length(), 2.f * EffectTestSupport::distance(target, caster) / 1600.f, 1e-5f);
    EXPECT_GT(std::cos(std::atan2(push.y, push.x) - angle), std::cos(30.f * 3.14159265f / 180.f) - 1e-4f);
  }
}

}  // namespace
