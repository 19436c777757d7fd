// The named special attacks of strikes, dashes and wards played on the
// sample data: their timings with every kind of action, what each timeline
// asks of the battle frame by frame, the storm orb at full depth and the
// moments that set single members apart.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effect/Dashes.h"
#include "effect/NamedSpecial.h"
#include "presentation/model/Model.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;

class NamedSpecialsTest : public EffectTestSupport::FamilySweep {};

TEST_F(NamedSpecialsTest, EachTimelineAsksTheBattleOnItsFrames) {
  // Two shots a frame from 16 to 63, the way home with the third on 32.
  std::string jewelModules = "0";
  for (int f = 16; f < 64; ++f) {
    jewelModules += " " + std::to_string(f) + (f == 32 ? "x3" : "x2");
  }
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
       jewelModules.c_str(), "16-63 88", "40x3", "0-31 33-96"},
      {"ImmortalDraught", "48:hit", "", "0 48", "48", ""},
      {"DreadMemoryFlash", "0:heading 30,hit 32:flash 2147483648 32", "", "0 64", "32", ""},
      {"BlindingComet", "0:pitch 30,dim 1 32:attack", "", "32", "", ""},
  };
  expectTimelines(rows);
}

// By hand, caster (64, 32, 48), first target (−64, −32, 40): the storm
// orb flies straight to the target in 32 frames; the shroud's ring i of
// ten stands i/32 of the way there, white and blue by turns, hidden i
// frames at half speed; the jewel shots pass the target on their 24th
// frame.
TEST_F(NamedSpecialsTest, EachScriptMakesItsNodesWhereAndWhenTheirRulesSay) {
  expectProbes({
      {"StormOrbBolts", 0, "main", 0, 16, {0.f, 0.f, 44.f}},
      {"StormOrbBolts", 0, "main", 0, 32, {-64.f, -32.f, 40.f}},
      {"CelestialShroud", 48, "main", 80, 48, {32.f, 16.f, 46.f}},
      {"CelestialShroud", 48, "main", 165, 48, {0.f, 0.f, 44.f}},
      {"JewelBranchVolley", 17, "main", 1, 41, {-64.f, -32.f, 40.f}},
      // The ceiling fetched from the caster's own far end, 1024 out on x.
      {"GildedCeilingCrush", 0, nullptr, 0, 63, {1024.f, 0.f, 0.f}},
      {"GildedCeilingCrush", 0, nullptr, 0, 63, {-1024.f, 0.f, 0.f}, {}, 1},
  });
  expectCensus({
      {"CelestialShroud", 48, "main", "320 wait 0-31"},
      {"CelestialShroud", 48, "", "1 life 64"},
  });
}

// Shot j of step k heads past the target for the target + 256·(cos 2a,
// sin 2a, 0), a = 180·j + 33·k: shot 1 of step 1 toward 66 degrees, by frame
// 60 past the caster's y of 32 (toward −66, it would fall below −32).
TEST_F(NamedSpecialsTest, JewelShotsSwingOutTowardTwiceTheirAngle) {
  auto effect = makeEffect("JewelBranchVolley", *standardActions(0)[0]);
  const std::vector<const Game::SceneNode*> shots = madeOf(*effect, 17, "main");
  ASSERT_EQ(shots.size(), 2u);
  stepThrough(*effect, 60);
  EXPECT_GT(shots[1]->position.value().y, 32.f);
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

// The caster's own model: the frames it changes on and the model's name
// (the pounce's own "stand" on 32, the caster's again on 200; the bomb's
// thrower falls on 32).
struct PoseRow {
  const char* name;
  int frame;
  const char* model;
};

TEST_F(NamedSpecialsTest, TheCasterTakesOnItsPosesOnTheirFrames) {
  const PoseRow rows[] = {{"ProwlingPounce", 32, "stand"}, {"ProwlingPounce", 200, "stand"},
                          {"BurrowedSleep", 32, "down"}, {"核爆弾", 32, "down"}};
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
  using NamedSpecial::moveHome;
};

TEST_F(NamedSpecialsTest, TheScriptWordsHandTheirArgumentsOnAsWritten) {
  RecordingAction& action = *standardActions(0)[0];
  Words words;
  words.bind(action);
  Game::Effect::Module::Module* home = words.moveHome(64.f, 60);
  Words::after(home, 8);
  EXPECT_EQ(home->mDelay, 8);
  Words::after(nullptr, 8);
  // An empty handle takes every word and does nothing.
  EXPECT_EQ(Game::Effect::Placed(nullptr).delay(1.f).life(2).spinZ().spinXYZ().scale(3.f).rotZ(4.f).get(), nullptr);
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
