#pragma once

// The shared fixture of the named special attacks' tests: the family sweep
// with a few probes of the pool and the sounds, and the timeline recorder.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "presentation/model/Model.h"
#include "records/Database.h"
#include "records/database/BattlePictures.h"
#include "tests/effect/FamilySweep.h"

namespace EffectTestSupport {

// What one play with the first target hit did, by hand from the timelines:
// what it asked of the battle, "frame:call,call,sound" with the screen and
// camera calls first, then the sounds ("key+delay" when delayed); the
// frames on which modules were added ("FxN" for N of them); the frames on
// which nodes other than dust were made ("a-b" for a run of frames); the
// frames on which the first target took on overlays; the frames on which
// the caster moved (a move of F frames added on A moves it on A .. A + F - 1).
struct TimelineRow {
  const char* name;
  const char* asked;
  const char* modules;
  const char* made;
  const char* laid;
  const char* moved;
};

// What one play with the first target hit asked of the battle, when it
// added modules, and how many nodes each tick made.
struct NodeCountRow {
  const char* name;
  const char* asked;
  const char* modules;
  const char* made;
};

// Frames in order as text, runs of three or more as "first-last".
inline std::string framesText(const std::vector<int>& frames) {
  std::string out;
  for (std::size_t i = 0; i < frames.size();) {
    std::size_t end = i;
    while (end + 1 < frames.size() && frames[end + 1] == frames[end] + 1) {
      ++end;
    }
    out += (out.empty() ? "" : " ") + std::to_string(frames[i]);
    if (end >= i + 2) {
      out += "-" + std::to_string(frames[end]);
      i = end + 1;
    } else {
      ++i;
    }
  }
  return out;
}

// framesText of the frames first, first + step, .. up to last of each run
// {first, last, step}.
inline std::string framesEvery(std::initializer_list<std::array<int, 3>> runs) {
  std::vector<int> frames;
  for (const auto& [first, last, step] : runs) {
    for (int f = first; f <= last; f += step) {
      frames.push_back(f);
    }
  }
  std::sort(frames.begin(), frames.end());
  frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
  return framesText(frames);
}

// "key,key+d,key+2d,..": count sounds of the key from the delay first on,
// step apart, each copies times over.
inline std::string soundSeries(const char* key, int first, int step, int count, int copies = 1) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    const int delay = first + i * step;
    for (int c = 0; c < copies; ++c) {
      out += (out.empty() ? "" : ",") + std::string(key) + (delay ? "+" + std::to_string(delay) : "");
    }
  }
  return out;
}

// "f:what" for the frames first, first + step, .. up to last, space apart.
inline std::string callSeries(const std::string& what, int first, int last, int step) {
  std::string out;
  for (int f = first; f <= last; f += step) {
    out += (out.empty() ? "" : " ") + std::to_string(f) + ":" + what;
  }
  return out;
}

// The distinct numbers sorted as text, runs of three or more with one step
// as "first-last" (step 1) or "first-last/step".
inline std::string runsText(std::vector<float> v) {
  std::sort(v.begin(), v.end());
  v.erase(std::unique(v.begin(), v.end()), v.end());
  const auto num = [](float x) {
    char text[24];
    std::snprintf(text, sizeof text, "%g", x);
    return std::string(text);
  };
  std::string out;
  for (std::size_t i = 0; i < v.size();) {
    std::size_t end = i;
    while (end + 1 < v.size() && std::abs(v[end + 1] - v[end] - (v[i + 1] - v[i])) < 1e-3f) {
      ++end;
    }
    end = end >= i + 2 ? end : i;
    const float step = end > i ? v[i + 1] - v[i] : 1.f;
    out += (out.empty() ? "" : " ") + num(v[i]) + (end > i ? "-" + num(v[end]) : "") + (step != 1.f ? "/" + num(step) : "");
    i = end + 1;
  }
  return out;
}

// What the tick of a frame made of a model ("" for nodes without one) with
// a caster of a side: census's text and, unless anywhere, the mean place.
struct CensusRow {
  const char* name;
  int frame;
  const char* model;
  const char* made;
  int casterSide = 0;
  Engine::Math::Vector3 centre{1e9f, 0.f, 0.f};
};

// Where the index-th node of a model that the tick of one frame made with
// a caster of a side stands after a later frame, how it stands turned
// (degrees about x, y and z) and scaled; components of 1e9 are not looked
// at. Without a model: where the caster's feet stand after the frame.
struct ProbeRow {
  const char* name;
  int madeOn;
  const char* model;
  std::size_t index;
  int frame;
  Engine::Math::Vector3 at;
  Engine::Math::Vector3 turn{1e9f, 1e9f, 1e9f};
  int casterSide = 0;
  Engine::Math::Vector3 scale{1e9f, 1e9f, 1e9f};
};

class NamedScriptTest : public FamilySweep {
 protected:
  using Vector3 = Engine::Math::Vector3;
  using Cast = Game::Effect::Cast;

  // The nodes in use that are newer than every node of the earlier list.
  std::vector<const Game::SceneNode*> newNodes(std::set<Engine::u32>& seen) {
    const std::vector<Game::SceneNode*> found =
        nodesWhere(stage.pool, [&](const Game::SceneNode& node) { return seen.insert(node.getId()).second; });
    return {found.begin(), found.end()};
  }
  const Game::SceneNode* firstNodeOf(const char* modelName) { return firstNodeNamed(stage.pool, modelName); }
  // Plays each row's effect with the first target hit and compares what
  // it recorded with the row.
  void expectTimelines(const std::vector<TimelineRow>& rows) {
    RecordingAction& action = *standardActions(0)[0];
    const Game::Model* dust = Game::Database::instance()->maps().battle.commonAnimation("土煙")->find("main");
    for (const TimelineRow& row : rows) {
      stage.calls.clear();
      stage.sounds.clear();
      auto effect = makeEffect(row.name, action);
      std::string asked;
      std::string modules;
      std::vector<int> made;
      std::string laid;
      std::vector<int> moved;
      Vector3 was;
      action.actor().getPosition(was);
      std::set<Engine::u32> seen;
      newNodes(seen);
      for (int frame = 0; frame < kCap; ++frame) {
        const std::size_t calls = stage.calls.size();
        const std::size_t sounds = stage.sounds.size();
        const int added = effect->modules().count();
        const std::size_t overlays = action.target(0).node()->overlays().size();
        const int answer = step(*effect);
        Vector3 is;
        action.actor().getPosition(is);
        if (distance(is, was) > 1e-3f) {
          moved.push_back(frame);
        }
        was = is;
        for (const Game::SceneNode* node : newNodes(seen)) {
          if (node->getModel() != dust && (made.empty() || made.back() != frame)) {
            made.push_back(frame);
          }
        }
        const int layers = static_cast<int>(action.target(0).node()->overlays().size()) - static_cast<int>(overlays);
        addFrame(laid, frame, "", layers);
        addFrame(asked, frame, askedSince(calls, sounds));
        addFrame(modules, frame, "", effect->modules().count() - added);
        if (answer == Cast::kFinished) {
          break;
        }
      }
      EXPECT_EQ(asked, row.asked) << row.name;
      EXPECT_EQ(modules, row.modules) << row.name;
      EXPECT_EQ(framesText(made), row.made) << row.name;
      EXPECT_EQ(laid, row.laid) << row.name;
      EXPECT_EQ(framesText(moved), row.moved) << row.name;
    }
  }

  // How many nodes came into use since the last call.
  int freshNodes() { return static_cast<int>(madeNodes().size()); }
  // The nodes that came into use since the last call, oldest first.
  std::vector<const Game::SceneNode*> madeNodes() {
    std::vector<const Game::SceneNode*> out = newNodes(mSeen);
    std::sort(out.begin(), out.end(), [](auto* a, auto* b) { return a->getId() < b->getId(); });
    return out;
  }
  // The nodes the tick of that frame made, before the pool's step.
  std::vector<const Game::SceneNode*> madeOn(Cast& effect, int frame) {
    while (effect.frame() < frame) {
      step(effect);
    }
    madeNodes();
    effect.tick();
    return madeNodes();
  }
  // The nodes of the model ("" for none) that the tick of the frame made.
  std::vector<const Game::SceneNode*> madeOf(Cast& effect, int frame, const char* model) {
    std::vector<const Game::SceneNode*> out = madeOn(effect, frame);
    std::erase_if(out, [&](auto* node) { return std::strcmp(node->getModel() ? node->getModel()->name() : "", model) != 0; });
    return out;
  }
  // Plays each row's effect with the first target hit and compares with the
  // row what it asked of the battle and when it added modules (as
  // expectTimelines writes them) and how many nodes each tick made
  // ("frame:count", before the pool's step, bank pieces and dust included),
  // or for a long play only "total N last F", the nodes made in all and
  // the last frame that made any.
  void expectNodeCounts(const std::vector<NodeCountRow>& rows) {
    RecordingAction& action = *standardActions(0)[0];
    for (const NodeCountRow& row : rows) {
      stage.calls.clear();
      stage.sounds.clear();
      freshNodes();
      auto effect = makeEffect(row.name, action);
      std::string asked;
      std::string modules;
      std::string made;
      int total = 0;
      int last = -1;
      for (int frame = 0; frame < kCap; ++frame) {
        const std::size_t calls = stage.calls.size();
        const std::size_t sounds = stage.sounds.size();
        const int added = effect->modules().count();
        const int answer = effect->tick();
        const int fresh = freshNodes();
        stage.pool.update();
        addFrame(asked, frame, askedSince(calls, sounds));
        addFrame(modules, frame, "", effect->modules().count() - added);
        addFrame(made, frame, fresh > 0 ? ":" + std::to_string(fresh) : "");
        total += fresh;
        last = fresh > 0 ? frame : last;
        if (answer == Cast::kFinished) {
          break;
        }
      }
      EXPECT_EQ(asked, row.asked) << row.name;
      EXPECT_EQ(modules, row.modules) << row.name;
      const bool summed = std::strncmp(row.made, "total ", 6) == 0;
      EXPECT_EQ(summed ? "total " + std::to_string(total) + " last " + std::to_string(last) : made, row.made) << row.name;
    }
  }
  // Plays each row's effect with the first target hit and compares with the
  // row whom the camera follows (C the caster, T the first target, P a
  // point) and its zoom when not 1, "frame:who" from each frame on which
  // that changes.
  void expectCameraTurns(const std::vector<std::pair<const char*, const char*>>& rows) {
    RecordingAction& action = *standardActions(0)[0];
    for (const auto& [name, expected] : rows) {
      camera = Game::Effect::CastCamera();
      auto effect = makeEffect(name, action);
      std::string seen;
      std::string was = "P";
      Vector3 focus = camera.focus;
      for (int frame = 0; frame < kCap && step(*effect) != Cast::kFinished; ++frame) {
        const Game::SceneNode* followed = camera.followed();
        std::string now = followed == action.actor().node() ? "C" : followed == action.target(0).node() ? "T" : "P";
        char zoom[16];
        std::snprintf(zoom, sizeof zoom, " %g", camera.zoom);
        now += camera.zoom != 1.f ? zoom : "";
        if (now != was || (!followed && distance(camera.focus, focus) > 1e-3f)) {
          seen += (seen.empty() ? "" : " ") + std::to_string(frame) + ":" + now;
        }
        was = now;
        focus = camera.focus;
      }
      EXPECT_EQ(seen, expected) << name;
    }
  }
  // The stage's calls and sounds since those counts: "call,call,key+delay".
  std::string askedSince(std::size_t calls, std::size_t sounds) const {
    std::string now;
    for (std::size_t i = calls; i < stage.calls.size(); ++i) {
      now += (now.empty() ? "" : ",") + stage.calls[i];
    }
    for (std::size_t i = sounds; i < stage.sounds.size(); ++i) {
      const auto& sound = stage.sounds[i];
      now += (now.empty() ? "" : ",") + sound.key + (sound.delay ? "+" + std::to_string(sound.delay) : "");
    }
    return now.empty() ? now : ":" + now;
  }
  // " frame" and what, unless what is empty and n is 0: "frame" alone for
  // n = 1, "framexN" for more.
  static void addFrame(std::string& text, int frame, const std::string& what, int n = 0) {
    if (what.empty() && n <= 0) {
      return;
    }
    text += (text.empty() ? "" : " ") + std::to_string(frame) + what + (n > 1 ? "x" + std::to_string(n) : "");
  }

  // What the tick of the frame made of the model ("" for nodes without
  // one), before the pool's step: "count", then " wait" and the frames the
  // nodes wait unless none does, " life" and their lifetimes unless none
  // has one, " mods" and what the modules the tick added still wait after
  // it (one frame less than given, 0 for none), when any; each list
  // distinct and sorted. The nodes' mean place goes to
  // centre.
  std::string census(Cast& effect, int frame, const char* model, Vector3& centre) {
    stepThrough(effect, frame - 1);
    const int before = effect.modules().count();
    std::vector<float> waits;
    std::vector<float> lives;
    centre = Vector3(0.f, 0.f, 0.f);
    for (const Game::SceneNode* node : madeOf(effect, frame, model)) {
      waits.push_back(0.f - node->getTime());
      if (node->getLifetime() >= 0) {
        lives.push_back(static_cast<float>(node->getLifetime()));
      }
      centre += node->position.value();
    }
    centre *= waits.empty() ? 0.f : 1.f / static_cast<float>(waits.size());
    std::vector<float> delays;
    for (int i = before; i < effect.modules().count(); ++i) {
      delays.push_back(static_cast<float>(effect.modules().at(i).mDelay));
    }
    const bool waiting = std::any_of(waits.begin(), waits.end(), [](float w) { return w != 0.f; });
    return std::to_string(waits.size()) + (waiting ? " wait " + runsText(waits) : "") +
           (lives.empty() ? "" : " life " + runsText(lives)) + (delays.empty() ? "" : " mods " + runsText(delays));
  }
  void expectCensus(const std::vector<CensusRow>& rows) {
    const std::vector<RecordingAction*> actions[2] = {standardActions(0), standardActions(1)};
    for (const CensusRow& row : rows) {
      auto effect = makeEffect(row.name, *actions[row.casterSide][0]);
      Vector3 centre;
      const std::string where = std::string(row.name) + " " + std::to_string(row.frame) + " " + row.model;
      EXPECT_EQ(census(*effect, row.frame, row.model, centre), row.made) << where;
      if (row.centre.x < 1e8f) {
        EXPECT_LT(distance(centre, row.centre), 0.5f) << where;
      }
      stage.pool.releaseAll();
    }
  }

  void expectProbes(const std::vector<ProbeRow>& rows) {
    const std::vector<RecordingAction*> actions[2] = {standardActions(0), standardActions(1)};
    for (const ProbeRow& row : rows) {
      auto effect = makeEffect(row.name, *actions[row.casterSide][0]);
      const std::string where = std::string(row.name) + " " + std::to_string(row.frame) + " side " + std::to_string(row.casterSide);
      if (!row.model) {
        RecordingAction& action = *standardActions(row.casterSide)[0];
        auto moving = makeEffect(row.name, action);
        stepThrough(*moving, row.frame);
        Vector3 feet;
        action.actor().getFrontPoint(feet);
        EXPECT_LT(distance(feet, row.at), 1e-2f) << where;
        continue;
      }
      const std::vector<const Game::SceneNode*> made = madeOf(*effect, row.madeOn, row.model);
      stage.pool.update();
      ASSERT_GT(made.size(), row.index) << where;
      const Game::SceneNode& node = *made[row.index];
      stepThrough(*effect, row.frame);
      const Vector3 got[3] = {node.position.value(), node.rotation.value(), node.scale.value()};
      const Vector3 want[3] = {row.at, row.turn, row.scale};
      for (int i = 0; i < 9; ++i) {
        const float wanted = i % 3 == 0 ? want[i / 3].x : i % 3 == 1 ? want[i / 3].y : want[i / 3].z;
        const float seen = i % 3 == 0 ? got[i / 3].x : i % 3 == 1 ? got[i / 3].y : got[i / 3].z;
        if (wanted < 1e8f) {
          EXPECT_NEAR(seen, wanted, 0.5f) << where << " vector " << i / 3 << " axis " << i % 3;
        }
      }
      stage.pool.releaseAll();
    }
  }

  std::set<Engine::u32> mSeen;
};

}  // namespace EffectTestSupport
