// The named special attacks of bounces, stomps and swoops played on the
// sample data: their timings with every kind of action and what each
// timeline asks of the battle frame by frame.

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "data/Unit.h"
#include "effect/EffectFactory.h"
#include "effect/Module.h"
#include "effect/ModuleList.h"
#include "presentation/scene/SceneNode.h"
#include "tests/effect/NamedScriptTest.h"

namespace {

using namespace EffectTestSupport;

using EffectTestSupport::RecordingAction;
using EffectTestSupport::TimelineRow;
using EffectTestSupport::distance;
using Engine::Math::Vector3;
using Game::Effect::Cast;

class NamedStompsTest : public EffectTestSupport::NamedScriptTest {};

// "key+d" for each delay d.
std::string soundRow(const char* key, std::vector<int> delays) {
  std::string out;
  for (int d : delays) {
    out += std::string(out.empty() ? "" : ",") + key + (d ? "+" + std::to_string(d) : "");
  }
  return out;
}

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
  const std::string knives = "0:" + soundRow("main", {0, 4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44, 48, 52, 56, 60}) +
                             " 16:heading 30 88:hit";
  const std::string veil = "0:pitch 30" + veilFlashes() + " 96:hit";
  const std::string notes = "0:attack 32:" + soundRow("main", {32, 38, 44, 50, 56, 62, 68, 74, 80, 86, 92, 98});
  const std::string swarm = "0:pitch 5 96:flash 2164260608 4," + soundRow("main", {0, 8, 16, 24, 32, 40, 48, 56}) +
                            " 112:flash 2164260608 4 128:flash 2164260608 4 144:flash 2164260608 4";
  std::string drift = "32:" + soundRow("main", {0, 16, 32, 48, 64, 80, 96});
  std::string driftHits;
  for (int f = 152; f <= 220; f += 4) {
    drift += " " + std::to_string(f) + ":hit";
    driftHits += " " + std::to_string(f);
  }
  drift += " 224:explode";
  std::string orbs = "32:" + soundRow("main", {0, 16, 32, 48});
  for (int f : {128, 144, 160, 176}) {
    orbs += " " + std::to_string(f) + ":flash 2164260863 4,shake 1,hit";
  }
  const std::string wards = "0:heading 30," + soundRow("shot", {0, 4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44, 48, 52, 56, 60}) +
                            " 64:finish";
  std::string mist = "112:heading 30,pitch 30,main";
  for (int f = 114; f <= 158; f += 2) {
    mist += " " + std::to_string(f) + ":main";
  }
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
      {"UntouchableDrift", drift.c_str(), "108 256", ("32" + driftHits).c_str(), "148 204 224", "108-139 256-315"},
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
enum class Probe {
  kState,          // x: the effect's state
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

struct ProbeRow {
  const char* name;
  int action;  // 0 hit, 1 missed
  int frame;
  Probe probe;
  Vector3 expected;
  // Counts only nodes of this model where given.
  const char* model = nullptr;
};

TEST_F(NamedStompsTest, EachGagShowsItsRuleOnItsFrame) {
  const ProbeRow rows[] = {
      // No hit: the results, the way home and the end all on frame 48.
      {"MountainSmashWave", 1, 47, Probe::kState, {0.f, 0.f, 0.f}},
      {"MountainSmashWave", 1, 48, Probe::kState, {2.f, 0.f, 0.f}},
      {"MountainSmashWave", 1, 48, Probe::kModulesAdded, {1.f, 0.f, 0.f}},
      {"MountainSmashWave", 0, 48, Probe::kState, {0.f, 0.f, 0.f}},
      // Missed, the swarm still bursts (4 bursts of 4 shards) and flashes.
      {"PinpointSwarm", 1, 96, Probe::kNodesMade, {16.f, 0.f, 0.f}},
      {"PinpointSwarm", 1, 96, Probe::kFlashes, {1.f, 0.f, 0.f}},
      {"PinpointSwarm", 1, 144, Probe::kFlashes, {1.f, 0.f, 0.f}},
      {"PinpointSwarm", 1, 160, Probe::kFlashes, {0.f, 0.f, 0.f}},
      // Hues 0, 90, 180 and -90 in turn.
      {"PrismOrbVolley", 0, 128, Probe::kSprayColour, {1.f, 0.f, 0.f}},
      {"PrismOrbVolley", 0, 144, Probe::kSprayColour, {0.5f, 1.f, 0.f}},
      {"PrismOrbVolley", 0, 160, Probe::kSprayColour, {0.f, 1.f, 1.f}},
      {"PrismOrbVolley", 0, 176, Probe::kSprayColour, {0.5f, 0.f, 1.f}},
      // (f - 16)/16 + 1, (f - 40)/16 + 2, (f - 64)/16 + 3, 4 - 3(f - 120)/32.
      {"StompingRuin", 0, 16, Probe::kCasterScale, {1.f, 0.f, 0.f}},
      {"StompingRuin", 0, 24, Probe::kCasterScale, {1.5f, 0.f, 0.f}},
      {"StompingRuin", 0, 31, Probe::kCasterScale, {1.9375f, 0.f, 0.f}},
      {"StompingRuin", 0, 48, Probe::kCasterScale, {2.5f, 0.f, 0.f}},
      {"StompingRuin", 0, 72, Probe::kCasterScale, {3.5f, 0.f, 0.f}},
      {"StompingRuin", 0, 79, Probe::kCasterScale, {3.9375f, 0.f, 0.f}},
      {"StompingRuin", 0, 100, Probe::kCasterScale, {3.9375f, 0.f, 0.f}},
      {"StompingRuin", 0, 136, Probe::kCasterScale, {2.5f, 0.f, 0.f}},
      {"StompingRuin", 0, 152, Probe::kCasterScale, {1.f, 0.f, 0.f}},
      {"StompingRuin", 0, 160, Probe::kCasterScale, {1.f, 0.f, 0.f}},
      // 128 nodes a frame from 112 fill the pool of 1024 within 8 frames.
      {"HeavenlyMistColumn", 0, 120, Probe::kNodesInUse, {1024.f, 0.f, 0.f}},
      // 128 nodes of 0.5 + 0.7·j/128 (sum 64 + 0.7·63.5), × 1.525 on odd frames.
      {"HeavenlyMistColumn", 0, 112, Probe::kScaleSum, {108.45f, 0.f, 0.f}, "main"},
      {"HeavenlyMistColumn", 0, 113, Probe::kScaleSum, {165.38625f, 0.f, 0.f}, "main"},
      {"StompingRuin", 0, 41, Probe::kCasterScale, {2.0625f, 0.f, 0.f}},
      {"StompingRuin", 0, 65, Probe::kCasterScale, {3.0625f, 0.f, 0.f}},
      // Stomp 2 on 80 steps the target (standing at 40) 32 up over 24
      // frames: after 12 updates 4·32·12/24 − 4·32·12·11/24² = 34.667, at
      // the slime picture's scale 5/16: 10.833.
      {"StompingRuin", 0, 79, Probe::kTargetHeight, {40.f, 0.f, 0.f}},
      {"StompingRuin", 0, 91, Probe::kTargetHeight, {50.8333f, 0.f, 0.f}},
      // 16 gusts of 4 rings and the shock wave; 32 wards and 8 bursts of 4
      // shards.
      {"FieryGustRings", 0, 64, Probe::kNodesMade, {65.f, 0.f, 0.f}, "main"},
      {"WardSlipFlurry", 0, 0, Probe::kNodesMade, {64.f, 0.f, 0.f}},
      // Slash k = 13 on 52: 180·(13 mod 2) + 6·13.
      {"BlazingEdgeBurst", 0, 52, Probe::kRotationZ, {258.f, 0.f, 0.f}, "main"},
      // Notes 6·i late, their waves 6·i + 32 (i < 12), one frame run:
      // −(396 + 780) + 24.
      {"DuskChirpHaze", 0, 32, Probe::kTimeSum, {-1152.f, 0.f, 0.f}},
      // Missed: 4 shards of the bursts 0, 16, 32 and 48 late: −4·96 + 16.
      {"PinpointSwarm", 1, 96, Probe::kTimeSum, {-368.f, 0.f, 0.f}},
      // Copies 8·i and 8·i + 60 late, i < 8 (928), one frame waited out by
      // each of the 15 that wait; orbs 16·i late (96) less 3.
      {"PinpointSwarm", 0, 32, Probe::kDelaySum, {913.f, 0.f, 0.f}},
      {"PrismOrbVolley", 0, 32, Probe::kDelaySum, {93.f, 0.f, 0.f}},
      // Two shadows every second frame; eight rings at the start.
      {"DoomedSwoop", 0, 50, Probe::kNodesMade, {2.f, 0.f, 0.f}},
      {"DuskChirpHaze", 0, 0, Probe::kNodesMade, {8.f, 0.f, 0.f}},
      {"StompingRuin", 0, 120, Probe::kCasterScale, {3.9375f, 0.f, 0.f}},
      // The smashed target, landed at 40, steps 64 up over 64 frames from
      // 256: after 32 updates 128 − 62 = 66, at 5/16: 20.625.
      {"MountainSmashWave", 0, 255, Probe::kTargetHeight, {40.f, 0.f, 0.f}},
      {"MountainSmashWave", 0, 287, Probe::kTargetHeight, {60.625f, 0.f, 0.f}},
      // Crystals turned 72·i, i < 5; fiend nodes 2·i late, i < 16: −240 + 16;
      // arrows (50 − i)·4 toward the caster, i < 100: 4·(5000 − 4950).
      {"ElementalCrystalRing", 0, 32, Probe::kTurnSum, {720.f, 0.f, 0.f}, "main"},
      {"ForeseeingFiend", 0, 0, Probe::kTimeSum, {-224.f, 0.f, 0.f}},
      {"ShaftVolley", 0, 48, Probe::kReachSum, {200.f, 0.f, 0.f}, "rain"},
      // Embers 4·i late, i < 64: −4·2016 + 64. The 16 flames made on 32
      // to live 88 − 4·i after their 4·i all leave together on 32 + 88 − 1.
      {"CoreMeltdownBurst", 0, 48, Probe::kTimeSum, {-8000.f, 0.f, 0.f}, "main"},
      {"SearingGlare", 0, 118, Probe::kNodesInUse, {37.f, 0.f, 0.f}},
      {"SearingGlare", 0, 119, Probe::kNodesInUse, {21.f, 0.f, 0.f}},
      // Two ridges of 12 steps of 4 spikes, spike i of step k 2·i + 3·k late,
      // and the shock wave: 2·(−12·66 − 12·8) + 1.
      {"FrozenLakeRidge", 0, 0, Probe::kTimeSum, {-1775.f, 0.f, 0.f}, "main"},
      // Eight dolls coming 8·i late and eight going 8·i + 60 late: −216 − 696.
      {"MarchingHordeRush", 0, 32, Probe::kTimeSum, {-912.f, 0.f, 0.f}},
  };
  for (const ProbeRow& row : rows) {
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
      case Probe::kState: got.x = static_cast<float>(effect->state()); break;
      case Probe::kModulesAdded: got.x = static_cast<float>(effect->modules().count() - modules); break;
      case Probe::kFlashes: got.x = static_cast<float>(flashes); break;
      case Probe::kNodesMade: got.x = static_cast<float>(made.size()); break;
      case Probe::kSprayColour: got = made.empty() ? Vector3() : made[0]->ambient.value(); break;
      case Probe::kCasterScale: got.x = action.actor().node()->scale.x.value() / action.actor().getScale(); break;
      case Probe::kNodesInUse: got.x = nodes; break;
      case Probe::kTargetHeight: got.x = action.target(0).node()->position.z.value(); break;
      case Probe::kRotationZ: got.x = made.empty() ? -1.f : made[0]->rotation.z.value(); break;
      case Probe::kDelaySum:
        for (int i = modules; i < effect->modules().count(); ++i) {
          got.x += static_cast<float>(effect->modules().at(i).mDelay);
        }
        break;
      case Probe::kScaleSum:
      case Probe::kTimeSum:
      case Probe::kTurnSum:
        for (const Game::SceneNode* node : made) {
          got.x += row.probe == Probe::kScaleSum  ? node->scale.x.value()
                   : row.probe == Probe::kTimeSum ? node->getTime()
                                                  : node->rotation.z.value();
        }
        break;
      case Probe::kReachSum:
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
