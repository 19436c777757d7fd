// The named special attacks of swarms, rains and fields played on the
// sample data: their timings with every kind of action, what each timeline
// asks of the battle frame by frame, and the volleys they lay out.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "effect/EffectFactory.h"
#include "tests/effect/FamilySweep.h"

namespace {

using EffectTestSupport::RecordingAction;
using Game::Effect::Cast;

const std::vector<const char *> kNames = {"GrudgeWraithFeast", "TorrentCascade",  "GoldenSunburst",  "IcePillarRise",
                                          "DarkTwinBeams",     "ShaftVolley",     "VioletGlassOmen", "DrowningSwirl",
                                          "FlawedHelixSpiral", "BuriedEmberTrap", "PlagueFogCloud"};

class NamedSwarmsTest : public EffectTestSupport::FamilySweep {
 protected:
  // How many nodes came into use since the last call.
  int freshNodes() {
    int n = 0;
    for (int i = 0; i < stage.pool.capacity(); ++i) {
      const Game::SceneNode &node = stage.pool.node(i);
      n += node.isActive() && mSeen.insert(node.getId()).second ? 1 : 0;
    }
    return n;
  }
  std::set<Engine::u32> mSeen;
};

TEST_F(NamedSwarmsTest, EveryNameIsItsOwnClassAndPlaysToItsTimings) {
  for (const char *name : kNames) {
    const Game::Effect::FactoryRow *row = Game::Effect::findFactoryRow(name);
    ASSERT_NE(row, nullptr) << name;
    EXPECT_FALSE(row->isStandIn()) << name;
  }
  sweep(kNames);
}

// One play with the first target hit, by hand from the timelines: what it
// asked of the battle, "frame:call,sound+delay"; the frames modules were
// added on ("FxN" for N); the nodes made, "frame:count" (bank pieces
// included: a wave or a blood drop each adds its own; a riser that has
// started leaves a copy every 6 frames from its first, so the eight risers
// 6 frames apart add one more copy every 6 frames until all eight run).
struct TimelineRow {
  const char *name;
  const char *asked;
  const char *modules;
  const char *made;
};

TEST_F(NamedSwarmsTest, EachTimelineAsksTheBattleOnItsFrames) {
  const TimelineRow rows[] = {
      {"GrudgeWraithFeast", "0:heading 30,attack", "0x8",
       "0:17 6:2 12:3 18:4 24:5 30:6 36:7 42:8 48:24 54:8 60:8 66:8 72:8 78:8 "
       "84:8 90:8 96:8"},
      {"TorrentCascade",
       "0:pitch 30 "
       "16:attack,attack+12,attack+24,attack+36,attack+48,attack+60,attack+72,"
       "attack+84",
       "", "16:1 48:8"},
      {"GoldenSunburst", "0:pitch 30,main 16:flashWhite", "", "0:48"},
      {"IcePillarRise", "0:pitch 30,main", "", "0:49 48:16"},
      {"DarkTwinBeams",
       "16:flashWhite,main,main+8,main+16,main+24,main+32,main+40,main+48,main+"
       "56",
       "", "16:40 80:64"},
      {"ShaftVolley",
       "16:shot 48:flash 2164260863 12,pitch "
       "30,flash,hit+32,hit+35,hit+38,hit+41,hit+44,hit+47,hit+50,hit+53,hit+"
       "56,hit+59,hit+62,hit+65,hit+68,hit+71,hit+74,hit+77",
       "", "16:1 48:200 80:16 104:16 128:16"},
      {"VioletGlassOmen", "0:ready 96:attack 112:flash 1090461696 16,hit", "0x24", "0:24 112:32"},
      {"DrowningSwirl",
       "0:pitch 30,attack,attack+24,attack+48 31:flash 2164260863 4 63:flash "
       "2164260863 4 95:flash 2164260863 4",
       "", "0:24 32:72 128:16"},
      {"FlawedHelixSpiral", "0:attack,attack+8,attack+16,attack+24 128:screenEffect,hit", "128x2",
       "0:64 64:128 96:16 128:128 207:1"},
      {"BuriedEmberTrap", "0:shot 96:explode,explode+16,explode+32,explode+48", "0x32", "0:64"},
      {"PlagueFogCloud", "0:attack,attack+4,attack+8,attack+12", "", "0:64"},
  };
  RecordingAction &action = *standardActions(0)[0];
  for (const TimelineRow &row : rows) {
    stage.calls.clear();
    stage.sounds.clear();
    freshNodes();
    auto effect = makeEffect(row.name, action);
    std::string asked;
    std::string modules;
    std::string made;
    for (int frame = 0; frame < kCap; ++frame) {
      const std::size_t calls = stage.calls.size();
      const std::size_t sounds = stage.sounds.size();
      const int added = effect->modules().count();
      const int answer = effect->tick();
      const int fresh = freshNodes();
      stage.pool.update();
      std::string now;
      for (std::size_t i = calls; i < stage.calls.size(); ++i) {
        now += (now.empty() ? "" : ",") + stage.calls[i];
      }
      for (std::size_t i = sounds; i < stage.sounds.size(); ++i) {
        const auto &sound = stage.sounds[i];
        now += (now.empty() ? "" : ",") + sound.key + (sound.delay ? "+" + std::to_string(sound.delay) : "");
      }
      if (!now.empty()) {
        asked += (asked.empty() ? "" : " ") + std::to_string(frame) + ":" + now;
      }
      const int more = effect->modules().count() - added;
      if (more > 0) {
        modules += (modules.empty() ? "" : " ") + std::to_string(frame) + (more > 1 ? "x" + std::to_string(more) : "");
      }
      if (fresh > 0) {
        made += (made.empty() ? "" : " ") + std::to_string(frame) + ":" + std::to_string(fresh);
      }
      if (answer == Cast::kFinished) {
        break;
      }
    }
    EXPECT_EQ(asked, row.asked) << row.name;
    EXPECT_EQ(modules, row.modules) << row.name;
    EXPECT_EQ(made, row.made) << row.name;
  }
}

}  // namespace
