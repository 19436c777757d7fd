// The named special attacks of strikes, dashes and wards played on the
// sample data: their timings with every kind of action, what each timeline
// asks of the battle frame by frame, the storm orb at full depth and the
// moments that set single members apart.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "effect/Dashes.h"
#include "core/math/MathHelper.h"
#include "effect/EffectFactory.h"
#include "effect/NamedSpecial.h"
#include "effect/module/Transport.h"
#include "presentation/render/Color.h"
#include "presentation/model/Model.h"
#include "resource/Database.h"
#include "resource/database/BattlePictures.h"
#include "tests/effect/NamedScriptTest.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::Effect::Cast;
using EffectTestSupport::RecordingAction;

using EffectTestSupport::distance;
using EffectTestSupport::TimelineRow;

class NamedSpecialsTest : public EffectTestSupport::NamedScriptTest {};


TEST_F(NamedSpecialsTest, EachTimelineAsksTheBattleOnItsFrames) {
  const std::vector<TimelineRow> rows = {
      {"StormOrbBolts", "0:pitch 30,attack,attack+16,attack+32,attack+48,attack+64 32:flashWhite,pitch 30", "0", "0 64", "32x3", ""},
      {"SilkVeilDeflect", "0:success", "", "0", "", ""},
      {"SpiderThreadLift", "0:shot 32:attack 128:hit", "64", "0 32", "32", ""},
      {"BurrowedSleep", "0:attack", "", "0", "", ""},
      {"ProwlingPounce", "116:hit 132:hit 148:hit", "64 112 128 144 152", "0 116 132 148", "116", "64-95 112-119 128-135 144-211"},
      {"SpiralBoreStrike", "32:flashWhite,hit,hit+8,hit+16,hit+24 64:finish", "0 32 64 96", "32 48 64", "32x2 64", "0-125"},
      {"WhirlingDiscThrow", "0:shot,hit+64,shot+16,hit+80,shot+32,hit+96,shot+48,hit+112", "0x4", "0 64 80 96 112", "64x2", ""},
      {"FortuneCrestBoost", "0:hit", "", "0 32", "32", ""},
      {"PrimevalDeceiver", "0:ready 56:hit", "24 56", "0 56", "24 56", "24-115"},
      {"ChronicleRewrite", "24:shake 2,hit 48:shake 2,hit 72:shake 2,hit", "0 24 32 48 64 72 112", "24 48 72", "24x2 48x2 72x2", "0-95 112-141"},
      {"SacredRelicBlade", "28:flashWhite,hit,hit+4,hit+8", "", "0 28", "28", ""},
      {"TriangularSlam", "32:hit 64:shake 15,flash 2164195328 4,finish", "", "0 32 64", "64", ""},
      {"FiendSunderWave", "0:ready 64:shot 96:hit", "", "0 64 96", "96", ""},
      {"IcicleBladeChill", "0:heading 30,ready 88:flashWhite,heading -15 96:hit", "64 128", "0-88 96", "88x2", "64-95 128-187"},
      {"BoundaryRipple", "0:main,main+32,main+64,main+96,main+128", "0", "0 160", "160", ""},
      {"SinkingHookDrop", "0:heading 30 96:shake 5,hit", "", "0 32 96", "", ""},
      {"FeralFangs", "16:ready 57:main 64:flash 1090453504 4,hit", "0 48 112", "57 64", "64x2", "0-31 48-95 112-171"},
      {"PartingSeaWave", "16:flashBlack 80:flashBlack,hit", "16 80x2 96", "80", "", "16-79 96-155"},
      {"GildedCeilingCrush", "0:pitch 30,jump 96:pitch 15 160:attack 192:pitch 30 224:shake 16,hit", "0 64 160", "64 224", "224", "0-127"},
      {"CelestialShroud", "48:attack 116:screenEffect,hit", "0 64 116x2", "48 116", "116x2", "0-31 64-123"},
      {"JewelBranchVolley",
       "16:shot 20:shot 24:shot 28:shot 32:shot 36:shot 40:flashWhite,shot 44:shot 48:shot 52:shot 56:shot 60:shot "
       "88:hit",
       "0 16x2 17x2 18x2 19x2 20x2 21x2 22x2 23x2 24x2 25x2 26x2 27x2 28x2 29x2 30x2 31x2 32x3 33x2 34x2 35x2 36x2 "
       "37x2 38x2 39x2 40x2 41x2 42x2 43x2 44x2 45x2 46x2 47x2 48x2 49x2 50x2 51x2 52x2 53x2 54x2 55x2 56x2 57x2 "
       "58x2 59x2 60x2 61x2 62x2 63x2", "16-63 88", "40x3", "0-31 33-96"},
      {"ImmortalDraught", "48:hit", "", "0 48", "48", ""},
      {"DreadMemoryFlash", "0:heading 30,hit 32:flash 2147483648 32", "", "0 64", "32", ""},
      {"BlindingComet", "0:pitch 30,dim 1 32:attack", "", "32", "", ""},
  };
  expectTimelines(rows);
}

// Frame 32: the orb arrives after a straight flight; the flash, the
// target's hit flash, Pakapaka and Shake; on 64 the spray and the results.
TEST_F(NamedSpecialsTest, StormOrbBoltsReachesTheTargetOnThirtyTwoAndAppliesOnSixtyFour) {
  std::vector<RecordingAction*> actions = standardActions(0);
  RecordingAction& mixed = *actions[2];
  Vector3 caster;
  mixed.actor().getPosition(caster);
  Vector3 target;
  mixed.target(0).getPosition(target);
  auto effect = makeEffect("StormOrbBolts", mixed);
  step(*effect);
  const Game::SceneNode* orb = firstNodeOf("main");
  ASSERT_NE(orb, nullptr);
  EXPECT_LT(distance(orb->position.value(), caster), 1e-2f);
  stepThrough(*effect, 16);
  Vector3 halfway;
  Game::MathHelper::lerpVector(&halfway, 0.5f, caster, target);
  EXPECT_LT(distance(orb->position.value(), halfway), 1e-2f);
  stepThrough(*effect, 31);
  EXPECT_GT(distance(orb->position.value(), target), 1.f);
  EXPECT_TRUE(mixed.target(0).node()->overlays().empty());
  step(*effect);
  EXPECT_LT(distance(orb->position.value(), target), 1e-2f);
  EXPECT_EQ(mixed.target(0).node()->overlays().size(), 3u);  // hit flash, Pakapaka, Shake
  EXPECT_TRUE(mixed.target(1).node()->overlays().empty());   // missed
  EXPECT_EQ(mixed.target(2).node()->overlays().size(), 2u);  // a recovery takes no hit flash
  std::set<Engine::u32> seen;
  stepThrough(*effect, 63);
  newNodes(seen);
  EXPECT_EQ(mixed.resultsShown, 0);
  EXPECT_EQ(step(*effect), Cast::kApplied);
  EXPECT_EQ(mixed.resultsShown, 1);
  EXPECT_FALSE(newNodes(seen).empty());  // the spray
}

TEST_F(NamedSpecialsTest, ProwlingPouncesCornersLieAboutTheTargetCentre) {
  RecordingAction& action = *standardActions(0)[0];
  Game::Effect::ProwlingPounce pounce;
  pounce.bind(action);
  pounce.setCamera(&camera);
  step(pounce);
  // Toward the caster along the way from it, across that way, from the
  // centre: (128, 0), then 120 degrees on each time.
  Vector3 centre;
  action.target(0).getPosition(centre);
  Vector3 way;
  action.actor().getPosition(way);
  way -= centre;
  way *= 1.f / way.length();
  const Vector3 across(-way.y, way.x, 0.f);
  const float expected[3][2] = {{128.f, 0.f}, {-64.f, 110.851f}, {-64.f, -110.851f}};
  for (int i = 0; i < 3; ++i) {
    Vector3 corner = centre;
    corner += Game::Effect::Bank::scaled(way, expected[i][0]);
    corner += Game::Effect::Bank::scaled(across, expected[i][1]);
    corner.z = 0.f;
    EXPECT_LT(distance(pounce.corners()[static_cast<std::size_t>(i)], corner), 1e-2f) << i;
  }
  // The leaps land on corners 0, 1, 2 and 0 again, the last before the way home.
  for (const auto& [frame, i] : {std::pair{96, 0}, {120, 1}, {136, 2}, {152, 0}}) {
    while (pounce.frame() < frame) {
      step(pounce);
    }
    EXPECT_LT(flatDistance(feetOf(action.actor()), pounce.corners()[static_cast<std::size_t>(i)]), 1e-2f) << frame;
  }
}

// Ring i of ten at i/32 of the way from the caster to the first target,
// white and blue by turns, hidden i frames at half speed (so 2·i frames);
// mote j thrown at 16 across the way, turned (i/32)·360 + 36·j degrees from
// the side toward up. Seen after the frame's step of the pool, before the
// hidden motes move.
TEST_F(NamedSpecialsTest, CelestialShroudLaysItsRingsAlongTheWay) {
  RecordingAction& action = *standardActions(0)[0];
  auto effect = makeEffect("CelestialShroud", action);
  stepThrough(*effect, 47);
  std::set<Engine::u32> seen;
  newNodes(seen);
  Vector3 from;
  action.actor().getPosition(from);
  Vector3 to;
  action.target(0).getPosition(to);
  step(*effect);
  const std::vector<const Game::SceneNode*> made = newNodes(seen);
  ASSERT_EQ(made.size(), 321u);
  Vector3 way;
  way.setSub(to, from);
  way *= 1.f / way.length();
  Vector3 side;
  side.setCross(way, Vector3(0.f, 0.f, 1.f));
  Vector3 up;
  up.setCross(side, way);
  using Game::Effect::Bank::added;
  using Game::Effect::Bank::scaled;
  struct Mote {
    int ring;
    int j;
    Vector3 velocity;
  };
  // 90, 270, 180 and 216 degrees.
  const Mote motes[] = {{8, 0, scaled(up, 16.f)},
                        {8, 5, scaled(up, -16.f)},
                        {16, 0, scaled(side, -16.f)},
                        {16, 1, added(scaled(side, -0.809017f * 16.f), scaled(up, -0.587785f * 16.f))}};
  for (const Mote& mote : motes) {
    const Game::SceneNode& node = *made[static_cast<std::size_t>(mote.ring * 10 + mote.j)];
    Vector3 along;
    Game::MathHelper::lerpVector(&along, static_cast<float>(mote.ring) / 32.f, from, to);
    const std::string which = std::to_string(mote.ring) + " " + std::to_string(mote.j);
    EXPECT_LT(distance(node.position.value(), along), 1e-2f) << which;
    EXPECT_EQ(node.getTime(), 0.5f - static_cast<float>(mote.ring)) << which;
    EXPECT_EQ(node.position.x.damping(), 0.8f) << which;
    const Vector3 velocity(node.position.x.velocity(), node.position.y.velocity(), node.position.z.velocity());
    EXPECT_LT(distance(velocity, mote.velocity), 1e-3f) << which;
  }
  // The white set is the effect's first member, the blue its second.
  EXPECT_LT(made[0]->getModel()->owner(), made[10]->getModel()->owner());
  EXPECT_EQ(made[0]->getModel()->owner(), made[20]->getModel()->owner());
  const Game::SceneNode& light = *made[320];
  EXPECT_EQ(light.getModel(), nullptr);
  EXPECT_TRUE(light.hasLight());
  EXPECT_EQ(light.getLifetime(), 63);
}

// Step k = 1 (frame 17): two shots of hue 8 that pass the first target on
// their 24th frame at (k/4 + 4) along yaw a, pitch 15 (a = 33 and 213) and
// end 256 out from it along yaw 2·a.
TEST_F(NamedSpecialsTest, JewelBranchVolleysShotsSwingRoundTheTargetInTurningPairs) {
  RecordingAction& action = *standardActions(0)[0];
  Vector3 target;
  action.target(0).getPosition(target);
  auto effect = makeEffect("JewelBranchVolley", action);
  stepThrough(*effect, 16);
  std::set<Engine::u32> seen;
  newNodes(seen);
  const int before = effect->modules().count();
  step(*effect);
  ASSERT_EQ(effect->modules().count(), before + 2);
  Game::Color hue;
  hue.setHue(8.f);
  const std::vector<const Game::SceneNode*> shots = newNodes(seen);
  ASSERT_EQ(shots.size(), 2u);
  for (const Game::SceneNode* shot : shots) {
    EXPECT_EQ(shot->ambient.value().y, hue.green());
    EXPECT_EQ(shot->getLifetime(), 47);
  }
  const float yaws[2] = {33.f, 213.f};
  for (int j = 0; j < 2; ++j) {
    const auto& path = dynamic_cast<const Game::Effect::Module::Transport&>(effect->modules().at(before + j)).path();
    Vector3 out;
    Game::MathHelper::directionFromAngles(&out, 66.f, 0.f);
    Vector3 leaving;
    Game::MathHelper::directionFromAngles(&leaving, yaws[j], 15.f);
    EXPECT_LT(distance(path.valueAt(24.f), target), 1e-2f) << j;
    EXPECT_LT(distance(path.valueAt(48.f), Game::Effect::Bank::added(target, Game::Effect::Bank::scaled(out, 256.f))),
              1e-2f)
        << j;
    EXPECT_LT(distance(path.velocityAt(24.f), Game::Effect::Bank::scaled(leaving, 4.25f)), 1e-3f) << j;
  }
}

// The caster fetches the ceiling from its own side's far end, 1024 out on
// x; from 64 to 128 the ceiling rides on its head as it runs home, placed
// by the script before the frame's move of the caster; on 224 it lands and
// fades out in blend mode 2 over its last 64 frames.
TEST_F(NamedSpecialsTest, GildedCeilingCrushCarriesTheCeilingHomeOverhead) {
  for (int side = 0; side < 2; ++side) {
    RecordingAction& action = *standardActions(side)[0];
    auto effect = makeEffect("GildedCeilingCrush", action);
    stepThrough(*effect, 63);
    Vector3 front;
    action.actor().getFrontPoint(front);
    EXPECT_LT(distance(front, Vector3(side == 0 ? 1024.f : -1024.f, 0.f, 0.f)), 1e-2f) << side;
    std::set<Engine::u32> seen;
    newNodes(seen);
    step(*effect);
    const std::vector<const Game::SceneNode*> made = newNodes(seen);
    ASSERT_EQ(made.size(), 1u);
    for (int frame = 65; frame <= 128; frame += 21) {
      stepThrough(*effect, frame - 1);
      Vector3 overhead;
      action.actor().pointAlong(overhead, Vector3(0.f, 0.f, 1.5f));
      step(*effect);
      EXPECT_LT(distance(made[0]->position.value(), overhead), 1e-2f) << frame;
    }
    stepThrough(*effect, 224);
    EXPECT_EQ(made[0]->baseState.blendMode, 2u);
    EXPECT_EQ(made[0]->getLifetime(), 63);
  }
}

// The caster lands a quarter of its size (96 / 4) short of the target
// centre, on the ground, toward where it stood.
TEST_F(NamedSpecialsTest, PartingSeaWaveLandsTheCasterAQuarterOfItsSizeBeforeTheTargets) {
  RecordingAction& action = *standardActions(0)[0];
  Vector3 home;
  action.actor().getPosition(home);
  Vector3 centre;
  action.target(0).getPosition(centre);
  Vector3 back;
  back.setSub(home, centre);
  back *= 24.f / back.length();
  Vector3 landing = Game::Effect::Bank::added(centre, back);
  landing.z = 0.f;
  auto effect = makeEffect("PartingSeaWave", action);
  stepThrough(*effect, 16);
  Vector3 front;
  action.actor().getFrontPoint(front);
  EXPECT_GT(front.z, centre.z + 3000.f);
  stepThrough(*effect, 79);
  action.actor().getFrontPoint(front);
  EXPECT_LT(distance(front, landing), 1e-2f);
}

// The caster's own model: the frames it changes on and the model's name
// (the pounce's own "stand" on 32, the caster's again on 200).
struct PoseRow {
  const char* name;
  int frame;
  const char* model;
};

TEST_F(NamedSpecialsTest, TheCasterTakesOnItsPosesOnTheirFrames) {
  const PoseRow rows[] = {{"ProwlingPounce", 32, "stand"}, {"ProwlingPounce", 200, "stand"},
                          {"BurrowedSleep", 32, "down"}};
  for (const PoseRow& row : rows) {
    RecordingAction& action = *standardActions(0)[0];
    Game::SceneNode& body = *action.actor().node();
    auto effect = makeEffect(row.name, action);
    stepThrough(*effect, row.frame - 1);
    const Game::Model* before = body.getModel();
    step(*effect);
    EXPECT_NE(body.getModel(), before) << row.name << " " << row.frame;
    EXPECT_STREQ(body.getModel()->name(), row.model) << row.name << " " << row.frame;
  }
}

// The script words on a bare effect.
class Words : public Game::Effect::NamedSpecial {
 public:
  Engine::i32 update() override { return frame(); }
  using NamedSpecial::after;
  using NamedSpecial::dir;
  using NamedSpecial::flat;
  using NamedSpecial::moveHome;
  using NamedSpecial::node;
};

TEST_F(NamedSpecialsTest, TheScriptWordsHandTheirArgumentsOnAsWritten) {
  RecordingAction& action = *standardActions(0)[0];
  Words words;
  words.bind(action);
  Game::RandomGenerator& random = *Game::RandomGenerator::instance();
  // dir(10..30, -60..-90): minimum 10, range 20; minimum -60, range -30.
  random.setSeed(5);
  const Vector3 drawn = Words::dir(10.f, 30.f, -60.f, -90.f);
  random.setSeed(5);
  Vector3 expected;
  random.getDirection(&expected, 10.f, 20.f, -60.f, -30.f);
  EXPECT_LT(distance(drawn, expected), 1e-6f);
  random.setSeed(5);
  const Vector3 shortFlat = Words::flat(96.f);
  random.setSeed(5);
  random.getFlatVector(&expected, 96.f);
  EXPECT_LT(distance(shortFlat, expected), 1e-6f);

  Game::Effect::Module::Module* home = words.moveHome(64.f, 60);
  Words::after(home, 8);
  EXPECT_EQ(home->mDelay, 8);
  Words::after(nullptr, 8);

  Game::SceneNode* placed = words.node(nullptr, Vector3(1.f, 2.f, 3.f)).scale(2.f).rotZ(45.f).life(9).get();
  EXPECT_EQ(placed->scale.value().x, 2.f);
  EXPECT_EQ(placed->scale.value().y, 2.f);
  EXPECT_EQ(placed->scale.value().z, 2.f);
  EXPECT_EQ(placed->rotation.z.value(), 45.f);
  EXPECT_EQ(placed->getLifetime(), 9);
  EXPECT_EQ(distance(placed->position.value(), Vector3(1.f, 2.f, 3.f)), 0.f);
  // An empty handle takes every word and does nothing.
  EXPECT_EQ(Game::Effect::Placed(nullptr).delay(1.f).life(2).spinZ().spinXYZ().scale(3.f).rotZ(4.f).get(), nullptr);
}

TEST_F(NamedSpecialsTest, SilkVeilDeflectEndsInItsFirstTick) {
  RecordingAction& action = *standardActions(0)[0];
  auto effect = makeEffect("SilkVeilDeflect", action);
  EXPECT_EQ(step(*effect), Cast::kFinished);
  EXPECT_EQ(action.resultsShown, 1);
}

TEST_F(NamedSpecialsTest, IcicleBladeChillGrowsOneFrostNodeAFrameUpToEightySeven) {
  RecordingAction& action = *standardActions(0)[0];
  auto effect = makeEffect("IcicleBladeChill", action);
  std::set<Engine::u32> seen;
  newNodes(seen);
  step(*effect);
  const std::vector<const Game::SceneNode*> first = newNodes(seen);
  ASSERT_EQ(first.size(), 1u);
  const Game::Model* frost = first[0]->getModel();
  int frosts = 1;
  for (int frame = 1; frame < 100; ++frame) {
    step(*effect);
    int fresh = 0;
    for (const Game::SceneNode* node : newNodes(seen)) {
      fresh += node->getModel() == frost ? 1 : 0;
    }
    EXPECT_EQ(fresh, frame < 88 ? 1 : 0) << frame;
    frosts += fresh;
  }
  EXPECT_EQ(frosts, 88);
}

TEST_F(NamedSpecialsTest, SpiderThreadLiftOnAMissTiesTheKnotsButLiftsAndSpinsNothing) {
  std::vector<RecordingAction*> actions = standardActions(0);
  for (RecordingAction* action : {actions[1], actions[0]}) {
    const bool hit = action == actions[0];
    stage.sounds.clear();
    Game::SceneNode& body = *action->target(0).node();
    auto effect = makeEffect("SpiderThreadLift", *action);
    stepThrough(*effect, 32);
    EXPECT_EQ(countWhere(stage.pool, [&](const Game::SceneNode& node) { return node.parent() == &body; }), 8);
    ASSERT_NE(firstNodeOf("string"), nullptr);
    stepThrough(*effect, 64);
    EXPECT_EQ(body.rotation.z.velocity(), hit ? 22.5f : 0.f);
    EXPECT_EQ(effect->modules().count(), hit ? 1 : 0);
    stepThrough(*effect, 128);
    EXPECT_EQ(body.rotation.z.velocity(), 0.f);
    EXPECT_EQ(soundsOf("hit"), hit ? 1 : 0);
  }
}

}  // namespace
