#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/config/Config.h"
#include "core/file/nml/NmlDocument.h"
#include "presentation/model/Animation.h"
#include "presentation/model/Model.h"
#include "presentation/Near.h"
#include "presentation/model/ModelTestSupport.h"
#include "presentation/render/RenderState.h"
#include "presentation/render/Transform.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/scene/SceneRenderer.h"

namespace Game {
namespace {

using ModelTestSupport::ModelTest;
using Strings = std::vector<std::string>;

TEST_F(ModelTest, InstancesAreDrawnAtTheirTimes) {
  const struct {
    const char* keys;
    float time;
    Strings draws;
  } cases[] = {
      {"", 5.f, {"b@5"}},
      {"repeat 3,10;speed 100;", 5.f, {"b@5", "b@15", "b@25"}},
      {"speed 50;", 20.f, {"b@10"}},
      {"count 30;", 5.f, {"b@35"}},  // a time offset, not a count
      {"count -10;", 5.f, {}},       // not begun yet
      {"repeat 3,-10;", 15.f, {"b@15", "b@5"}},  // the third would come before 0
      {"repeat 0,10;", 5.f, {}},
      {"repeat -2,10;", 5.f, {}},
      {"time 20;repeat 3,10;", 5.f, {"b@5", "b@15"}},  // the third reaches the end; no next
  };
  for (const auto& c : cases) {
    load(std::string("model{name m;") + c.keys + timed("b") + "}");
    EXPECT_EQ(drawn("m", c.time), c.draws) << c.keys;
  }
}

TEST_F(ModelTest, TheNextModelTakesOverWhenTheDurationRunsOut) {
  load("model{name a;time 60;" + timed("a") + "next{name b;" + timed("b") + "}}");
  EXPECT_EQ(drawn("a", 70.f), Strings({"b@10"}));
  EXPECT_EQ(drawn("b", 70.f), Strings({"b@70"}));
  // The instances before the one that reaches the end are drawn as well.
  load("model{name a;time 60;repeat 3,10;" + timed("a") + "next{name b;" + timed("b") + "}}");
  EXPECT_EQ(drawn("a", 45.f), Strings({"a@45", "a@55", "b@5"}));
}

TEST_F(ModelTest, CircuitFramesFollowEachOtherByTheirTimes) {
  const std::string stays =
      "model{name m;circuit{frame{time 10;" + timed("f0") + "}frame{time 10;" + timed("f1") + "}frame{" +
      timed("f2") + "}}}";
  load(stays);
  EXPECT_EQ(drawn("m", 15.f), Strings({"f1@5"}));
  EXPECT_EQ(drawn("m", 95.f), Strings({"f2@75"}));  // the frame of time 0 stays
  EXPECT_FALSE(logged("lasts"));

  load("model{name m;circuit{frame{time 10;" + timed("f0") + "}frame{time 10;" + timed("f1") + "}}}");
  EXPECT_EQ(drawn("m", 35.f), Strings({"f1@5"}));
  EXPECT_EQ(drawn("m", 1000005.f), Strings({"f0@5"}));
}

TEST_F(ModelTest, FramesReadTheirShapesInMatrixUnits) {
  load("model{name m;circuit{frame{name a;}note{name n;}frame{name b;collision{rect{size 80,40;}}}}}");
  const Model::Circuit& circuit = model("m").circuits().at(0);
  ASSERT_EQ(circuit.frames.size(), 2u);
  EXPECT_EQ(circuit.frames[0].model, &model("a"));
  ASSERT_EQ(circuit.frames[0].shape.count(), 4);
  EXPECT_FLOAT_EQ(circuit.frames[0].shape.corner(0).x, -0.25f);
  ASSERT_EQ(circuit.frames[1].shape.count(), 4);
  const auto& wide = circuit.frames[1].shape;
  EXPECT_FLOAT_EQ(std::max({wide.corner(0).x, wide.corner(1).x, wide.corner(2).x, wide.corner(3).x}), 0.1f);
}

TEST_F(ModelTest, ACircuitWithoutFramesAndANegativeFrameTimeDoNoHarm) {
  load("model{name m;circuit{}}");
  EXPECT_EQ(drawn("m", 5.f), Strings());
  load("model{name m;circuit{frame{time -5;" + timed("f0") + "}frame{" + timed("f1") + "}}}");
  EXPECT_TRUE(logged(".txt : a frame of \"m\" lasts -5 frames"));
  EXPECT_EQ(model("m").circuits()[0].frames[0].time, 0);
  // The first frame stays; its model, of duration -5, shows nothing.
  EXPECT_EQ(drawn("m", 50.f), Strings());
}

// Four circuits, one per side; the camera looks along −y.
class CircuitChoiceTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    std::string text = "model{name m;";
    for (int i = 0; i < 4; ++i) {
      text += "circuit{frame{batch{name c" + std::to_string(i) + ";rect 0,0,2,2;}}}";
    }
    load(text + "}");
  }
  std::string pickedAt(float turn, bool frontEnd = false) {
    RenderState state;
    Transform transform;
    transform.rotation.set(0.f, 0.f, turn);
    transform.position.set(48.f, 96.f, 0.f);
    state.applyTransform(transform);
    state.frontEnd = frontEnd;
    model("m").draw(state, 0.f);
    const Strings draws = hook.take();
    return draws.size() == 1 ? draws[0].substr(0, 2) : "none";
  }
};

TEST_F(CircuitChoiceTest, EachSideShowsItsOwnCircuitUnlessFarOrFrontEnd) {
  // Turned by 45 degrees the camera sees the middle of a side.
  const std::pair<float, const char*> sides[] = {{45.f, "c3"},  {135.f, "c0"}, {225.f, "c1"},
                                                 {315.f, "c2"}, {-45.f, "c2"}};
  for (const auto& [turn, circuit] : sides) {
    EXPECT_EQ(pickedAt(turn), circuit) << turn;
  }
  hook.depthOffset = 1000.f;  // beyond the far plane the first is shown
  EXPECT_EQ(pickedAt(45.f), "c0");
  hook.depthOffset = 0.f;
  // A front-end state is its own screen: its z is turned to depth.
  EXPECT_EQ(pickedAt(90.f, true), "c1");
}

TEST_F(ModelTest, LinksThatWouldDrawAModelWithinItselfAreRefused) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"model{name a;model{name a;}}", "\"a\" has a child \"a\" that leads back to it"},
      {"model{name a;model{name b;model{name a;}}}", "\"a\" has a child \"b\" that leads back to it"},
      {"model{name a;circuit{frame{name a;}}}", "\"a\" has a circuit frame \"a\" that leads back to it"},
      {"model{name a;next{name b;model{name a;}}}", "\"a\" hands over to \"b\", which draws \"a\""},
      {"model{name a;model{name b;next{name a;}}}", "\"a\" has a child \"b\" that leads back to it"},
  };
  for (const auto& c : cases) {
    debugLines().clear();
    load(c.text);
    EXPECT_TRUE(logged(std::string(".txt : ") + c.message)) << c.text;
    model("a").draw(RenderState(), 100.f);  // ends
    EXPECT_EQ(model("a").cyclesDone(100.f), 0) << c.text;
  }
}

TEST_F(ModelTest, ANextChainThatComesRoundLoops) {
  load("model{name a;time 10;" + timed("a") + "next{name b;time 20;" + timed("b") + "next{name a;}}}");
  EXPECT_EQ(drawn("a", 25.f), Strings({"b@15"}));
  EXPECT_EQ(drawn("a", 35.f), Strings({"a@5"}));
  // Far more loops than hand-overs are followed one by one.
  EXPECT_EQ(drawn("a", 3000035.f), Strings({"a@5"}));
  EXPECT_EQ(drawn("b", 3000035.f), Strings({"b@5"}));
  EXPECT_EQ(model("a").cyclesDone(3000035.f), 0);
}

TEST_F(ModelTest, ALoopThatNeverSettlesStopsDrawing) {
  // Each hand-over moves the time forward: nothing is ever drawn.
  load("model{name a;time 10;count 20;" + timed("a") + "next{name a;}}");
  EXPECT_EQ(drawn("a", 5.f), Strings());
  EXPECT_EQ(model("a").cyclesDone(5.f), 0);
  // Unequal speeds round the loop: followed one hand-over at a time.
  load("model{name a;time 10;speed 50;" + timed("a") + "next{name b;time 10;" + timed("b") + "next{name a;}}}");
  EXPECT_EQ(drawn("a", 24.f), Strings({"b@2"}));
  EXPECT_EQ(drawn("a", 44.f), Strings({"a@1"}));
}

TEST_F(ModelTest, CyclesDoneCountsWholeRunsOnceTheModelHasEnded) {
  const struct {
    const char* text;
    float time;
    int cycles;
  } cases[] = {
      {"model{name a;}", 1000.f, 0},
      {"model{name a;time 60;}", 59.f, 0},
      {"model{name a;time 60;}", 60.f, 1},
      {"model{name a;time 60;speed 50;}", 130.f, 1},
      {"model{name a;time 30;count -100;}", 0.f, 0},  // not begun
      {"model{name a;time 60;next{time 30;}}", 100.f, 1},  // 40 into the next
      {"model{name a;time 60;next{}}", 1000.f, 0},         // an endless next
      {"model{name a;next{time 30;}}", 1000.f, 0},         // never handed over
      {"model{name a;time 1;}", 1e30f, 2147483647},
  };
  for (const auto& c : cases) {
    load(c.text);
    EXPECT_EQ(model("a").cyclesDone(c.time), c.cycles) << c.text << " at " << c.time;
  }
}

TEST_F(ModelTest, RepeatsAreCappedAndNamed) {
  load("model{name m;repeat 4096,1;}");
  EXPECT_EQ(model("m").count(), 4096);
  EXPECT_FALSE(logged("repeats"));
  load("model{name m;repeat 2000000000,1;}");
  EXPECT_EQ(model("m").count(), Model::kMaxInstances);
  EXPECT_TRUE(logged(".txt : \"m\" repeats 2000000000 times; it is drawn 4096 times"));
}

// Materials refine the state in order, then the animations; children draw
// under that state, a batch under its own material as well.
TEST_F(ModelTest, OwnStateCombinesMaterialsThenAnimations) {
  load("model{name m;materials{ambient 50;}materials{ambient 50;}animation{ambient{all{value 50;}}}"
       "model{name c;batch{name k;rect 0,0,2,2;}}batch{name b;rect 0,0,2,2;materials{ambient 50;}}}");
  model("m").draw(RenderState(), 0.f);
  ASSERT_EQ(hook.draws.size(), 2u);
  EXPECT_FLOAT_EQ(hook.draws[0].state.colors.ambient.x, 0.125f);
  EXPECT_FLOAT_EQ(hook.draws[1].state.colors.ambient.x, 0.0625f);
  ModelRef::draw(nullptr, RenderState(), 0.f);
  EXPECT_EQ(hook.draws.size(), 2u);
}

// Batches are read before the model's own materials: the batch's node
// defines the material "m" (25%) that both use, though the model's node lists
// its own "m" (50%) first. Drawn: 0.25 from the model, 0.25 from the batch.
TEST_F(ModelTest, BatchesAreReadBeforeMaterialsWhateverTheNodeOrder) {
  load("model{name x;materials{name m;ambient 50;}batch{name b;rect 0,0,2,2;materials{name m;ambient 25;}}}");
  model("x").draw(RenderState(), 0.f);
  ASSERT_EQ(hook.draws.size(), 1u);
  EXPECT_FLOAT_EQ(hook.draws[0].state.colors.ambient.x, 0.0625f);
}

// Without the hook, models draw into the scene renderer's own queue.
TEST_F(ModelTest, BatchesAreQueuedInTheLayerOfTheirFinishedState) {
  Config::instance().setDefaults();
  SceneRenderer::create(800, 600);
  for (int i = 0; i < 200; ++i) SceneRenderer::instance()->beginFrame();  // the camera's tweens come to rest
  DrawHook::install(nullptr);
  load("model{name m;repeat 3,10;batch{name solid;rect 0,0,2,2;}"
       "batch{name glass;rect 0,0,2,2;materials{blendMode 1;}}}");
  model("m").draw(RenderState(), 0.f);
  RenderQueue& queue = SceneRenderer::instance()->renderQueue();
  EXPECT_EQ(queue.count(RenderQueue::kOpaque), 3);
  EXPECT_EQ(queue.count(RenderQueue::kSeeThrough), 3);  // the material turns depth writing off
  queue.clear();
  SceneRenderer::destroy();
}

using Engine::Math::Vector3;

Animation read(const std::string& text) {
  NmlDocument doc;
  doc.loadFromText("a.txt", text.c_str());
  Animation animation;
  animation.load(*doc.findChild("animation"));
  return animation;
}

float xAt(const Animation& animation, float time) {
  RenderState state;
  animation.apply(state, time);
  return state.transform(0, 3) * 400.f;
}

TEST(AnimationTest, AppliesWithinItsDurationFromItsOffset) {
  const Animation endless = read("animation{position{x{value 8;}}}");
  const Animation timed = read("animation{time 20;position{x{value 8;}}}");
  const Animation shifted = read("animation{time 20;count -5;position{x{value 8;}}}");
  const struct {
    const Animation* animation;
    float time;
    float x;
  } cases[] = {{&endless, -1.f, 0.f}, {&endless, 0.f, 8.f},  {&endless, 1e6f, 8.f}, {&timed, 19.f, 8.f},
               {&timed, 20.f, 0.f},   {&shifted, 4.f, 0.f},  {&shifted, 5.f, 8.f},  {&shifted, 24.f, 8.f},
               {&shifted, 25.f, 0.f}};
  for (const auto& c : cases) {
    EXPECT_FLOAT_EQ(xAt(*c.animation, c.time), c.x) << c.time;
  }
}

// A curve node that gives no value keeps the default, where reading it as 0
// would leave the model see-through or black.
TEST(AnimationTest, CurvesReadInPercentKeepTheirDefaultsWhereLeftOut) {
  const struct {
    const char* keys;
    const char* colors;
    float xx, yx, zz;
  } cases[] = {
      // x turned onto y, z doubled.
      {"ambient{x{value 50;}}emission{all{value 20;}}transparency{value 40;}scale{z{value 200;}}rotate{z{value 90;}}",
       "amb 0.5,1,1 emi 0.2,0.2,0.2 dif 1,1,1 spe 0,0,0 sharp 0 tr 0.4 blend 1", 0.f, 1.f, 2.f},
      {"transparency{}ambient{x{}y{point{time 1;value 5;}}}diffuse{all{}z{value 50;}}scale{x{}}",
       "amb 1,1,1 emi 0,0,0 dif 1,1,0.5 spe 0,0,0 sharp 0 tr 1 blend 1", 1.f, 0.f, 1.f},
  };
  for (const auto& c : cases) {
    RenderState state;
    read(std::string("animation{") + c.keys + "}").apply(state, 3.f);
    EXPECT_EQ(PresentationTest::colorsOf(state), c.colors) << c.keys;
    EXPECT_EQ(PresentationTest::digits(Vector3(state.transform(0, 0), state.transform(1, 0), state.transform(2, 2))),
              PresentationTest::digits(Vector3(c.xx, c.yx, c.zz)))
        << c.keys;
  }
}

// Colours multiply into what the state holds; an empty handle changes nothing.
TEST(AnimationTest, ColoursMultiplyIntoTheState) {
  RenderState state;
  state.colors.diffuse = Vector3(0.5f);
  read("animation{diffuse{all{{value 100;delay 10;}{value 0;}}}}").apply(state, 5.f);
  EXPECT_FLOAT_EQ(state.colors.diffuse.x, 0.25f);
  Animation().apply(state, 0.f);
  EXPECT_EQ(state.transform(0, 3), 0.f);
  EXPECT_FLOAT_EQ(state.colors.diffuse.x, 0.25f);
}

}  // namespace
}  // namespace Game
