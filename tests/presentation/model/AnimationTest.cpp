#include "presentation/model/Animation.h"

#include <gtest/gtest.h>

#include <string>

#include "file/nml/NmlDocument.h"
#include "presentation/render/RenderState.h"
#include "presentation/resource/ResourceSet.h"

namespace Game {
namespace {

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
    float time, x;
  } cases[] = {{&endless, -1.f, 0.f}, {&endless, 0.f, 8.f},  {&endless, 1e6f, 8.f}, {&timed, 19.f, 8.f},
               {&timed, 20.f, 0.f},   {&shifted, 4.f, 0.f},  {&shifted, 5.f, 8.f},  {&shifted, 24.f, 8.f},
               {&shifted, 25.f, 0.f}};
  for (const auto& c : cases) EXPECT_FLOAT_EQ(xAt(*c.animation, c.time), c.x) << c.time;
}

TEST(AnimationTest, CurvesReadInPercentKeepTheirDefaultsWhereLeftOut) {
  const Animation animation = read(
      "animation{ambient{x{value 50;}}emission{all{value 20;}}transparency{value 40;}"
      "scale{z{value 200;}}rotate{z{value 90;}}}");
  RenderState state;
  animation.apply(state, 0.f);
  EXPECT_FLOAT_EQ(state.colors.ambient.x, 0.5f);
  EXPECT_FLOAT_EQ(state.colors.ambient.y, 1.f);
  EXPECT_FLOAT_EQ(state.colors.emission.z, 0.2f);
  EXPECT_FLOAT_EQ(state.colors.transparency, 0.4f);
  // x turned onto y, z doubled.
  EXPECT_NEAR(state.transform(1, 0), 1.f, 1e-6f);
  EXPECT_FLOAT_EQ(state.transform(2, 2), 2.f);
}

// A curve node that gives no value keeps the default, where reading it as 0
// would leave the model see-through or black.
TEST(AnimationTest, CurveNodesWithoutValuesKeepTheirDefaults) {
  const Animation animation = read(
      "animation{transparency{}ambient{x{}y{point{time 1;value 5;}}}diffuse{all{}z{value 50;}}"
      "scale{x{}}}");
  RenderState state;
  animation.apply(state, 3.f);
  EXPECT_FLOAT_EQ(state.colors.transparency, 1.f);
  EXPECT_FLOAT_EQ(state.colors.ambient.x, 1.f);
  EXPECT_FLOAT_EQ(state.colors.ambient.y, 1.f);
  EXPECT_FLOAT_EQ(state.colors.diffuse.x, 1.f);
  EXPECT_FLOAT_EQ(state.colors.diffuse.z, 0.5f);
  EXPECT_FLOAT_EQ(state.transform(0, 0), 1.f);
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
