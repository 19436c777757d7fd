// The shots, missiles and beams played on the sample data: their timings
// with every kind of action, what each timeline sounds, lays and aims on
// which frame, complete misses, the missile volley, the laser's beam, the
// running fire's stand-off and the shock lights' own files.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "effect/Shots.h"
#include "Platform/TextCodec.h"
#include "presentation/model/Model.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::Effect::Cast;

class ProjectileEffectsTest : public EffectTestSupport::FamilySweep {
 protected:
  int countOf(const char* modelName) { return static_cast<int>(nodesNamed(stage.pool, modelName).size()); }
  // Id and world position of every node in use of the model.
  std::map<Engine::u32, Vector3> nodesOf(const char* modelName) {
    std::map<Engine::u32, Vector3> out;
    for (Game::SceneNode* node : nodesNamed(stage.pool, modelName)) {
      node->updateWorld();
      out[node->getId()] = *node->worldPosition();
    }
    return out;
  }
};

// One play with target 0 hit, frame by frame: "frame:index" of every sound
// ("+delay" when delayed), the frames target 0 took on overlays, the
// camera's changes of view and the stage's calls (a screen wobble noted
// once). Then a complete miss: how many sounds and whether sparks flew.
struct FlightRow {
  const char* name;
  const char* sounds;
  const char* overlays;
  const char* camera;
  const char* calls;
  int missSounds;
  bool missSparks;
};

TEST_F(ProjectileEffectsTest, EachTimelineSoundsLaysAimsAndCallsOnItsFrames) {
  const FlightRow rows[] = {
      {"射撃", "16:0 32:1", "32", "16:point", "", 1, false},
      {"連射", "8:0 104:1", "24", "8:point", "", 1, false},
      {"毒矢", "16:0 80:1", "80", "24:point", "", 1, false},
      {"針",
       "18:0 20:0 22:0 24:0 26:0 28:0 30:0 32:0 34:0 36:0 38:0 40:0 42:0 44:0 46:0 80:1", "48", "", "", 16,
       false},
      {"レーザー", "16:1 32:0", "48", "16:point", "", 2, true},
      {"グランドレーザー", "64:0 128:1", "64", "0:point", "", 2, false},
      {"レーザードライブ", "52:0 56:0 60:0 64:0 68:0 72:0 76:0 96:1", "", "0:caster 48:point", "48:pitch 30", 7,
       false},
      {"電子光線", "16:0 16:1+64 16:0+16 16:1+80 16:0+32 16:1+96 16:0+48 16:1+112", "80", "0:point", "", 8, false},
      {"冷凍光線", "30:0 80:1", "46", "46:point", "", 2, false},
      {"爆弾", "16:0 80:0", "80", "0:caster 16:node 80:target", "0:pitch 30 80:flashWhite", 2, false},
      {"核爆弾", "160:0", "144 200", "", "0:pitch 30 96:flashWhite 144:aspect", 1, false},
      {"火炎放射", "8:0 16:0 24:0 32:0 40:0 48:0 56:0", "64", "32:point", "", 7, false},
      {"マイクロミサイル", "24:0 32:0 40:0 48:0 56:0 64:0 72:0 112:1 120:1 128:1 136:1 144:1 152:1 160:1 168:1",
       "130", "0:point 90:target", "90:pitch 30", 15, false},
      {"レールガン", "60:0", "60", "", "", 1, false},
      {"マジックミサイル", "16:0 48:1", "48", "16:point", "", 1, false},
      {"マジックナパーム", "16:0 80:1", "80", "16:point", "16:pitch 30", 2, false},
      {"スターストライク", "0:0 64:1", "64", "0:node 32:target", "64:shake 16", 2, false},
      {"水弾", "32:0 80:1", "80", "0:point", "", 2, false},
      {"翼", "16:0 48:1", "", "0:point", "", 1, false},
      {"催眠光波", "0:0", "", "0:point", "", 1, false},
      {"発狂光波", "0:0", "", "0:point", "", 1, false},
      {"超音波", "32:0", "64", "32:point", "", 1, false},
      {"精神波動", "16:0", "48", "0:point", "", 1, false},
  };
  std::vector<RecordingAction*> actions = standardActions(0);
  RecordingAction& hit = *actions[0];
  RecordingAction& miss = *actions[1];
  for (const FlightRow& row : rows) {
    const std::string className = classOf(row.name);
    const PlayLog log = logPlay(row.name, hit);
    EXPECT_EQ(log.indexes, row.sounds) << className;
    EXPECT_EQ(log.laidOn, row.overlays) << className;
    EXPECT_EQ(log.views, row.camera) << className;
    EXPECT_EQ(log.calls, row.calls) << className;

    stage.sounds.clear();
    auto missed = makeEffect(row.name, miss);
    bool sparks = false;
    int answer = Cast::kRunning;
    for (int frame = 0; frame < kCap && answer != Cast::kFinished; ++frame) {
      const std::size_t laid = miss.target(0).node()->overlays().size();
      answer = step(*missed);
      sparks = sparks || countOf("shard") > 0;
      EXPECT_LE(miss.target(0).node()->overlays().size(), laid) << className;
    }
    EXPECT_EQ(static_cast<int>(stage.sounds.size()), row.missSounds) << className;
    EXPECT_EQ(sparks, row.missSparks) << className;
  }
}

// The bomb's glow, sixteen a frame apart, on 40; the bolt of its set's
// model on 16; a flame of its set's model, carried by a module, on every
// frame from 1 to 63; the napalm's eight blasts four frames apart on 96.
TEST_F(ProjectileEffectsTest, EachShotMakesItsNodesOnItsFrame) {
  expectCensus({
      {"爆弾", 40, "main", "16 wait 0-15"},
      {"マジックミサイル", 16, "bolt", "1"},
      {"火炎放射", 1, "flame", "1 mods 0"},
      {"火炎放射", 63, "flame", "1 mods 0"},
      {"マジックナパーム", 96, "main", "8 wait 0-28/4"},
  });
}

// The beam: the charge on 16, the beam's node with its module on 32, the
// sparks on 48; the tick answers 1 until the beam's node, living 80 frames
// from 32, has ended, and then 2. Traced: charges, beams, modules, shards,
// specks and the tick's answer.
TEST_F(ProjectileEffectsTest, LaserHoldsItsBeamFromThirtyTwoUntilTheBeamsNodeEnds) {
  auto effect = makeEffect("レーザー", *standardActions(0)[0]);
  int answer = 0;
  const auto counts = [&] {
    return std::to_string(countOf("charge")) + " " + std::to_string(countOf("beam")) + " " +
           std::to_string(effect->modules().count()) + " " + std::to_string(countOf("shard")) + " " +
           std::to_string(countOf("speck")) + " " + std::to_string(answer);
  };
  EXPECT_EQ(trace(120, [&] { answer = step(*effect); }, counts),
            "0:0 0 0 0 0 0 16:1 0 0 0 0 0 31:0 0 0 0 0 0 32:0 1 1 0 0 0 48:0 1 1 8 8 0 63:0 1 1 0 8 0 "
            "64:0 1 1 0 8 1 67:0 1 1 0 0 1 111:0 0 1 0 0 1 112:0 0 1 0 0 2");
}

// Missiles leave on the even frames 18 to 78 and each bursts on its 90th
// frame where it stood.
TEST_F(ProjectileEffectsTest, MicroMissilesBurstWhereTheyAreNinetyFramesAfterLeaving) {
  RecordingAction& action = *standardActions(0)[2];
  auto effect = makeEffect("マイクロミサイル", action);
  std::map<Engine::u32, std::pair<int, Vector3>> flying;  // id: frame left, place
  std::vector<int> departures;
  std::vector<int> flights;
  for (int frame = 0; frame <= 181; ++frame) {
    const std::map<Engine::u32, Vector3> burstsBefore = nodesOf("main");
    step(*effect);
    const std::map<Engine::u32, Vector3> missiles = nodesOf("missile");
    for (auto it = flying.begin(); it != flying.end();) {
      if (missiles.count(it->first)) {
        it->second.second = missiles.at(it->first);
        ++it;
        continue;
      }
      flights.push_back(frame - it->second.first);
      int burstsThere = 0;
      for (const auto& [id, at] : nodesOf("main")) {
        burstsThere += !burstsBefore.count(id) && distance(at, it->second.second) < 1e-3f ? 1 : 0;
      }
      EXPECT_EQ(burstsThere, 1) << frame;
      it = flying.erase(it);
    }
    for (const auto& [id, at] : missiles) {
      if (flying.emplace(id, std::make_pair(frame, at)).second) {
        departures.push_back(frame);
      }
    }
  }
  std::vector<int> even;
  for (int frame = 18; frame <= 78; frame += 2) {
    even.push_back(frame);
  }
  EXPECT_EQ(departures, even);
  EXPECT_EQ(flights, std::vector<int>(31, 90));
  EXPECT_TRUE(flying.empty());
}

// The bullets' speed crosses the target distance less 32 in 16 frames.
TEST_F(ProjectileEffectsTest, RunningFireBulletsStandStillThirtyTwoFromTheTargetsAndFlyBackNearer) {
  RecordingAction& action = *standardActions(0)[0];
  Vector3 caster;
  action.actor().getPosition(caster);
  Game::SceneNode& target = *action.target(0).node();
  for (const float apart : {32.f, 16.f, 64.f}) {
    target.position.setValue(caster.x + apart, caster.y, caster.z);
    target.updateWorld();
    auto effect = makeEffect("連射", action);
    const std::vector<const Game::SceneNode*> bullets = madeOf(*effect, 8, "");
    EXPECT_EQ(static_cast<int>(bullets.size()), Game::Effect::RunningFire::kBullets) << apart;
    for (const Game::SceneNode* bullet : bullets) {
      EXPECT_FLOAT_EQ(bullet->position.x.velocity(), (apart - 32.f) / 16.f) << apart;
      EXPECT_NEAR(bullet->position.y.velocity(), 0.f, 1e-5f) << apart;
      EXPECT_NEAR(bullet->position.z.velocity(), 0.f, 1e-5f) << apart;
    }
  }
}

// With the second colour's file emptied only the second name misses its
// pictures ("shot" on 0, "hit" on 32), and names that file.
TEST_F(ProjectileEffectsTest, EachShockLightLoadsItsOwnPicture) {
  const char* emptied = "src/picture/animation/光波B.txt";
  fs().put(emptied, std::vector<std::uint8_t>{});
  RecordingAction& action = *standardActions(0)[0];
  for (const auto& [name, misses] : {std::pair{"催眠光波", 0u}, std::pair{"発狂光波", 2u}}) {
    auto effect = makeEffect(name, action);
    stepThrough(*effect, 32);
    EXPECT_EQ(stage.failures.size(), misses) << name;
    for (const std::string& failure : stage.failures) {
      EXPECT_NE(failure.find(emptied), std::string::npos) << Platform::sjisToUtf8(failure);
    }
    stage.failures.clear();
  }
}

// Where and when what flies lands: bare carriers and rings moving onto
// their marks (place + velocity x frames), the wings from half the caster's
// size to either side of its front point, flattening over 72 frames; the
// arrow on target 0 on frame 80 and not before; the cloud's layers widening
// and waiting by their number; the reeling stars on 64; the caster's turn on
// 0 (its fall on 32 is among the poses of the named specials).
TEST_F(ProjectileEffectsTest, WhatFliesLandsOnItsMarkOnItsFrame) {
  std::vector<RecordingAction*> actions = standardActions(0);
  RecordingAction& one = *actions[0];
  RecordingAction& three = *actions[2];
  Game::Unit& caster = one.actor();
  Vector3 target;
  one.target(0).getPosition(target);
  Vector3 ground = target;
  ground.z = 0.f;

  // The marks: the targets, or the ground under target 0.
  const auto expectMarks = [&](const char* name, RecordingAction& action, int frame, const char* model, int frames,
                               std::size_t count, bool onGround = false) {
    auto effect = makeEffect(name, action);
    std::vector<const Game::SceneNode*> made = madeOf(*effect, frame, model);
    EXPECT_EQ(made.size(), count) << name;
    for (const Game::SceneNode* node : made) {
      Vector3 mark(node->position.x.velocity(), node->position.y.velocity(), node->position.z.velocity());
      mark *= static_cast<float>(frames);
      mark += node->position.value();
      int near = 0;
      for (int i = 0; i < action.targetCount(); ++i) {
        Vector3 at;
        action.target(i).getPosition(at);
        near += distance(mark, onGround ? ground : at) < 1e-2f ? 1 : 0;
      }
      EXPECT_EQ(near, 1) << name;
    }
    return made;
  };
  expectMarks("射撃", one, 16, "", 16, 1);
  expectMarks("精神波動", one, 16, "ring", 32, 16);
  expectMarks("催眠光波", one, 0, "shot", 16, 8);
  expectMarks("超音波", three, 32, "ring", 32, 36);
  const std::vector<const Game::SceneNode*> wings = expectMarks("翼", one, 16, "", 32, 2, true);
  ASSERT_EQ(wings.size(), 2u);
  Vector3 front;
  caster.getFrontPoint(front);
  Vector3 from;
  caster.getPosition(from);
  // The side direction is as long as the way's level part.
  const float side = std::hypot(target.x - from.x, target.y - from.y) / distance(target, from);
  EXPECT_NEAR(distance(wings[0]->position.value(), wings[1]->position.value()), caster.getSize() * side, 1e-2f);
  EXPECT_NEAR(distance(wings[0]->position.value(), front), caster.getSize() * side / 2.f, 1e-2f);
  EXPECT_FLOAT_EQ(wings[0]->scale.z.velocity() * 72.f, -1.f);

  auto arrow = makeEffect("毒矢", one);
  stepThrough(*arrow, 79);
  const std::map<Engine::u32, Vector3> flying = nodesOf("arrow");
  ASSERT_EQ(flying.size(), 1u);
  EXPECT_GT(distance(flying.begin()->second, target), 1.f);
  step(*arrow);
  EXPECT_LT(distance(nodesOf("arrow").begin()->second, target), 1e-2f);

  auto wave = makeEffect("精神波動", one);
  stepThrough(*wave, 63);
  const std::size_t stars = nodesOf("main").size();
  step(*wave);
  EXPECT_EQ(nodesOf("main").size(), stars + 8);
  step(*wave);
  EXPECT_EQ(nodesOf("main").size(), stars + 8);

  auto bomb = makeEffect("核爆弾", one);
  std::set<std::pair<float, float>> layers;
  for (const Game::SceneNode* layer : madeOf(*bomb, 96, "cloud")) {
    layers.emplace(layer->scale.x.value(), layer->getTime());
  }
  std::set<std::pair<float, float>> expected;
  for (int k = 1; k <= 15; ++k) {
    expected.emplace(0.2f * static_cast<float>(k * k) / 16.f, -5.f * static_cast<float>(k));
  }
  EXPECT_EQ(layers, expected);

  auto laser = makeEffect("レーザー", one);
  caster.node()->rotation.setValue(0.f, 0.f, 0.f);
  step(*laser);
  EXPECT_NEAR(caster.node()->rotation.value().z, Engine::Math::atan2(target.y - from.y, target.x - from.x), 1e-3f);
}

}  // namespace
