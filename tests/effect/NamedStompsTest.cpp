// The named special attacks of bounces, stomps and swoops played on the
// sample data: their timings with every kind of action and what each
// timeline asks of the battle frame by frame.

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "live/Unit.h"
#include "effect/Module.h"
#include "effect/ModuleList.h"
#include "presentation/scene/SceneNode.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::Effect::Cast;

class NamedStompsTest : public EffectTestSupport::FamilySweep {};

// The veil's one-frame white flashes: alpha f·(64 − f)/4096 in the top
// byte, truncated (frame 32: 0.25 · 255 → 63).
std::string veilFlashes() {
  std::string out;
  for (unsigned f = 0; f < 64; ++f) {
    const unsigned argb = (f * (64 - f) * 255 / 4096) << 24 | 0xFFFFFFu;
    out += (f ? " " + std::to_string(f) + ":" : ",") + "flash " + std::to_string(argb) + " 1" + (f ? "" : ",veil");
  }
  return out;
}

TEST_F(NamedStompsTest, EachTimelineAsksTheBattleOnItsFrames) {
  const std::string knives = "0:" + soundSeries("main", 0, 4, 16) + " 16:heading 30 88:hit";
  const std::string veil = "0:pitch 30" + veilFlashes() + " 96:hit";
  const std::string notes = "0:attack 32:" + soundSeries("main", 32, 6, 12);
  const std::string swarm = "0:pitch 5 96:flash 2164260608 4," + soundSeries("main", 0, 8, 8) + " " +
                            callSeries("flash 2164260608 4", 112, 144, 16);
  const std::string drift = "32:" + soundSeries("main", 0, 16, 7) + " " + callSeries("hit", 152, 220, 4) + " 224:explode";
  const std::string orbs = "32:" + soundSeries("main", 0, 16, 4) + " " + callSeries("flash 2164260863 4,shake 1,hit", 128, 176, 16);
  const std::string wards = "0:heading 30," + soundSeries("shot", 0, 4, 16) + " 64:finish";
  const std::string mist = "112:heading 30,pitch 30,main " + callSeries("main", 114, 158, 2);
  const std::string blades =
      "48:flashWhite,main 56:main 64:flashWhite,main 72:main 80:flashWhite,main 88:main 96:flashWhite,main 104:main "
      "112:flashWhite,main,explode";
  const std::string slashes = EffectTestSupport::framesEvery({{0, 125, 5}, {48, 112, 4}});
  const std::string trail = EffectTestSupport::framesEvery({{48, 110, 2}});
  expectTimelines({
      {"SilverDialStrike", knives.c_str(), "", "0 88", "88x2", ""},
      {"DoomedSwoop", "0:ready 48:go 80:hit", "0 48", trail.c_str(), "80", "0-31 49-176"},
      {"DarkeningWingVeil", veil.c_str(), "", "0 80 96", "96", ""},
      {"DuskChirpHaze", notes.c_str(), "", "0 32", "64x3", ""},
      {"ToxicWingDust", "0:main,main+8,main+16,main+24 64:hit", "", "0 64", "64", ""},
      {"MountainSmashWave", "80:shake 1,impact 144:shake 4,impact 224:shake 9,impact,main",
       "0 48x2 96x2 160x2 256x2", "80 144 224", "80 144 224", "0-31 48-88 96-152 160-195 197-232 256-315"},
      {"StompingRuin", "32:main,hit+12 56:main,hit+12 80:main,hit+12", "0 32 40 56 64 80x2 120", "32 56 80",
       "32 56 80 96", "0-31 40-55 64-79 120-179"},
      {"PinpointSwarm", swarm.c_str(), "32x16", "32 96", "96x2", ""},
      {"FieryGustRings", "0:ready 64:attack", "80x2", "0 64 80", "80", ""},
      {"UntouchableDrift", drift.c_str(), "108 256", ("32 " + framesEvery({{152, 220, 4}})).c_str(), "148 204 224", "108-139 256-315"},
      {"GoldenLatticeSnare", "0:pitch 30 32:snap 64:shake 4,main,main+5,main+10,main+15", "0 160", "64", "72x2",
       "0-31 160-219"},
      {"PrismOrbVolley", orbs.c_str(), "0 32x4 96", "32 128 144 160 176", "128", "0-31 97-112"},
      {"WardSlipFlurry", wards.c_str(), "", "0 64", "16", ""},
      {"GroundUpheaval", "0:shake 12,hit 96:land", "0", "0", "96", ""},
      {"HeavenlyMistColumn", mist.c_str(), "0 64 112 160 176x2", "32 112-160", "", "0-31 64-95 161-235"},
      {"CrimsonFocusGlow", "48:glow", "", "0 48", "80", ""},
      {"BlazingEdgeBurst", blades.c_str(), "0x2 48 128x2", slashes.c_str(), "48", "0-31 128-187"},
  });
}

// What a script shows just after one frame of one of the standard actions.
enum class Gag {
  kModulesAdded,   // x: modules added on the frame
  kFlashes,        // x: screen flashes asked on the frame
  kNodesMade,      // x: nodes with a model made on the frame
  kSprayColour,    // the ambient colour of the first node made on the frame
  kCasterScale,    // x: the caster's node scale over its unit scale
  kNodesInUse,     // x: the pool's nodes in use
  kTargetHeight,   // x: the first target's height
  kScaleSum,       // x: the x scales of the nodes made, summed
  kRotationZ,      // x: the first node made, its turn about z
  kTimeSum,        // x: the times of the nodes made (after the frame's step), summed
  kDelaySum,       // x: the delays left to the modules added on the frame, summed
  kTurnSum,        // x: the turns about z of the nodes made, summed
  kReachSum,       // x: how far along the line to the caster the nodes made stand from the first target, summed
};

struct GagRow {
  const char* name;
  int action;  // 0 hit, 1 missed
  int frame;
  Gag probe;
  Vector3 expected;
  // Counts only nodes of this model where given.
  const char* model = nullptr;
};

TEST_F(NamedStompsTest, EachGagShowsItsRuleOnItsFrame) {
  const GagRow rows[] = {
      // No hit: the way home on frame 48, with the results and the end (the
      // sweep's rows).
      {"MountainSmashWave", 1, 48, Gag::kModulesAdded, {1.f, 0.f, 0.f}},
      // Missed, the swarm still bursts (4 bursts of 4 shards) and flashes.
      {"PinpointSwarm", 1, 96, Gag::kNodesMade, {16.f, 0.f, 0.f}},
      {"PinpointSwarm", 1, 96, Gag::kFlashes, {1.f, 0.f, 0.f}},
      {"PinpointSwarm", 1, 144, Gag::kFlashes, {1.f, 0.f, 0.f}},
      {"PinpointSwarm", 1, 160, Gag::kFlashes, {0.f, 0.f, 0.f}},
      // Hues 0, 90, 180 and -90 in turn.
      {"PrismOrbVolley", 0, 128, Gag::kSprayColour, {1.f, 0.f, 0.f}},
      {"PrismOrbVolley", 0, 144, Gag::kSprayColour, {0.5f, 1.f, 0.f}},
      {"PrismOrbVolley", 0, 160, Gag::kSprayColour, {0.f, 1.f, 1.f}},
      {"PrismOrbVolley", 0, 176, Gag::kSprayColour, {0.5f, 0.f, 1.f}},
      // The jewel shots of step k (frame 16 + k) in the hue 8·k: red first.
      {"JewelBranchVolley", 0, 16, Gag::kSprayColour, {1.f, 0.f, 0.f}, "main"},
      // (f - 16)/16 + 1, (f - 40)/16 + 2, (f - 64)/16 + 3, 4 - 3(f - 120)/32.
      {"StompingRuin", 0, 16, Gag::kCasterScale, {1.f, 0.f, 0.f}},
      {"StompingRuin", 0, 31, Gag::kCasterScale, {1.9375f, 0.f, 0.f}},
      {"StompingRuin", 0, 79, Gag::kCasterScale, {3.9375f, 0.f, 0.f}},
      {"StompingRuin", 0, 136, Gag::kCasterScale, {2.5f, 0.f, 0.f}},
      {"StompingRuin", 0, 152, Gag::kCasterScale, {1.f, 0.f, 0.f}},
      // 128 nodes a frame from 112 fill the pool of 1024 within 8 frames.
      {"HeavenlyMistColumn", 0, 120, Gag::kNodesInUse, {1024.f, 0.f, 0.f}},
      // 128 nodes of 0.5 + 0.7·j/128 (sum 64 + 0.7·63.5), × 1.525 on odd frames.
      {"HeavenlyMistColumn", 0, 112, Gag::kScaleSum, {108.45f, 0.f, 0.f}, "main"},
      {"HeavenlyMistColumn", 0, 113, Gag::kScaleSum, {165.38625f, 0.f, 0.f}, "main"},
      {"StompingRuin", 0, 41, Gag::kCasterScale, {2.0625f, 0.f, 0.f}},
      {"StompingRuin", 0, 65, Gag::kCasterScale, {3.0625f, 0.f, 0.f}},
      // Stomp 2 on 80 steps the target (standing at 40) 32 up over 24
      // frames: after 12 updates 4·32·12/24 − 4·32·12·11/24² = 34.667, at
      // the slime picture's scale 5/16: 10.833.
      {"StompingRuin", 0, 79, Gag::kTargetHeight, {40.f, 0.f, 0.f}},
      {"StompingRuin", 0, 91, Gag::kTargetHeight, {50.8333f, 0.f, 0.f}},
      // 16 gusts of 4 rings and the shock wave; 32 wards and 8 bursts of 4
      // shards.
      {"FieryGustRings", 0, 64, Gag::kNodesMade, {65.f, 0.f, 0.f}, "main"},
      {"WardSlipFlurry", 0, 0, Gag::kNodesMade, {64.f, 0.f, 0.f}},
      // Slash k = 13 on 52: 180·(13 mod 2) + 6·13.
      {"BlazingEdgeBurst", 0, 52, Gag::kRotationZ, {258.f, 0.f, 0.f}, "main"},
      // Notes 6·i late, their waves 6·i + 32 (i < 12), one frame run:
      // −(396 + 780) + 24.
      {"DuskChirpHaze", 0, 32, Gag::kTimeSum, {-1152.f, 0.f, 0.f}},
      // Missed: 4 shards of the bursts 0, 16, 32 and 48 late: −4·96 + 16.
      {"PinpointSwarm", 1, 96, Gag::kTimeSum, {-368.f, 0.f, 0.f}},
      // Copies 8·i and 8·i + 60 late, i < 8 (928), one frame waited out by
      // each of the 15 that wait; orbs 16·i late (96) less 3.
      {"PinpointSwarm", 0, 32, Gag::kDelaySum, {913.f, 0.f, 0.f}},
      {"PrismOrbVolley", 0, 32, Gag::kDelaySum, {93.f, 0.f, 0.f}},
      // Two shadows every second frame; eight rings at the start.
      {"DoomedSwoop", 0, 50, Gag::kNodesMade, {2.f, 0.f, 0.f}},
      {"DuskChirpHaze", 0, 0, Gag::kNodesMade, {8.f, 0.f, 0.f}},
      {"StompingRuin", 0, 120, Gag::kCasterScale, {3.9375f, 0.f, 0.f}},
      // The smashed target, landed at 40, steps 64 up over 64 frames from
      // 256: after 32 updates 128 − 62 = 66, at 5/16: 20.625.
      {"MountainSmashWave", 0, 255, Gag::kTargetHeight, {40.f, 0.f, 0.f}},
      {"MountainSmashWave", 0, 287, Gag::kTargetHeight, {60.625f, 0.f, 0.f}},
      // Crystals turned 72·i, i < 5; arrows (50 − i)·4 toward the caster,
      // i < 100: 4·(5000 − 4950).
      {"ElementalCrystalRing", 0, 32, Gag::kTurnSum, {720.f, 0.f, 0.f}, "main"},
      {"ShaftVolley", 0, 48, Gag::kReachSum, {200.f, 0.f, 0.f}, "rain"},
      // The 16 flames made on 32 to live 88 − 4·i after their 4·i all leave
      // together on 32 + 88 − 1.
      {"SearingGlare", 0, 118, Gag::kNodesInUse, {37.f, 0.f, 0.f}},
      {"SearingGlare", 0, 119, Gag::kNodesInUse, {21.f, 0.f, 0.f}},
      // Two ridges of 12 steps of 4 spikes, spike i of step k 2·i + 3·k late,
      // and the shock wave: 2·(−12·66 − 12·8) + 1.
      {"FrozenLakeRidge", 0, 0, Gag::kTimeSum, {-1775.f, 0.f, 0.f}, "main"},
  };
  for (const GagRow& row : rows) {
    stage.pool.releaseAll();
    RecordingAction& action = *standardActions(0)[static_cast<std::size_t>(row.action)];
    auto effect = makeEffect(row.name, action);
    stepThrough(*effect, row.frame - 1);
    std::set<Engine::u32> seen;
    newNodes(seen);
    const int modules = effect->modules().count();
    const std::size_t calls = stage.calls.size();
    step(*effect);
    Vector3 got(0.f, 0.f, 0.f);
    int flashes = 0;
    for (std::size_t i = calls; i < stage.calls.size(); ++i) {
      flashes += stage.calls[i].rfind("flash", 0) == 0 ? 1 : 0;
    }
    std::vector<const Game::SceneNode*> made;
    for (const Game::SceneNode* node : newNodes(seen)) {
      if (node->getModel() && (!row.model || std::strcmp(node->getModel()->name(), row.model) == 0)) {
        made.push_back(node);
      }
    }
    const float nodes = static_cast<float>(stage.pool.activeCount());
    Vector3 target;
    Vector3 towardCaster;
    action.target(0).getPosition(target);
    action.actor().getPosition(towardCaster);
    towardCaster -= target;
    towardCaster.normalize();
    switch (row.probe) {
      case Gag::kModulesAdded: got.x = static_cast<float>(effect->modules().count() - modules); break;
      case Gag::kFlashes: got.x = static_cast<float>(flashes); break;
      case Gag::kNodesMade: got.x = static_cast<float>(made.size()); break;
      case Gag::kSprayColour: got = made.empty() ? Vector3() : made[0]->ambient.value(); break;
      case Gag::kCasterScale: got.x = action.actor().node()->scale.x.value() / action.actor().getScale(); break;
      case Gag::kNodesInUse: got.x = nodes; break;
      case Gag::kTargetHeight: got.x = action.target(0).node()->position.z.value(); break;
      case Gag::kRotationZ: got.x = made.empty() ? -1.f : made[0]->rotation.z.value(); break;
      case Gag::kDelaySum:
        for (int i = modules; i < effect->modules().count(); ++i) {
          got.x += static_cast<float>(effect->modules().at(i).mDelay);
        }
        break;
      case Gag::kScaleSum:
      case Gag::kTimeSum:
      case Gag::kTurnSum:
        for (const Game::SceneNode* node : made) {
          got.x += row.probe == Gag::kScaleSum  ? node->scale.x.value()
                   : row.probe == Gag::kTimeSum ? node->getTime()
                                                  : node->rotation.z.value();
        }
        break;
      case Gag::kReachSum:
        for (const Game::SceneNode* node : made) {
          Vector3 at = node->position.value();
          at -= target;
          const float ground = towardCaster.x * towardCaster.x + towardCaster.y * towardCaster.y;
          got.x += (at.x * towardCaster.x + at.y * towardCaster.y) / ground;
        }
        break;
    }
    EXPECT_LT(distance(got, row.expected), 1e-3f) << row.name << " frame " << row.frame << " probe "
                                                  << static_cast<int>(row.probe) << ": " << got.x << " " << got.y
                                                  << " " << got.z;
  }
  // The full pool does not keep the column from ending.
  stage.pool.releaseAll();
  RecordingAction& hit = *standardActions(0)[0];
  auto column = makeEffect("HeavenlyMistColumn", hit);
  EXPECT_EQ(play(*column, hit).finishedOn, 193);
}

}  // namespace
