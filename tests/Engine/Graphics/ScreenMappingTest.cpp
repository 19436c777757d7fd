#include <gtest/gtest.h>

#include "Graphics/src/ScreenMapping.h"

namespace Engine::Graphics {
namespace {

using Platform::DisplayMode;

// The smallest mode of the desktop's ratio that holds the request; else the nearest smaller one; the earlier
// mode on a tie; the desktop when no mode has its ratio. A refresh rate of 0 is not checked.
TEST(ChooseDisplayMode, TakesTheSmallestModeOfTheDesktopRatioThatHoldsTheRequest) {
  const std::vector<DisplayMode> wide = {{640, 400, 60},  {800, 600, 60},  {1024, 768, 60},
                                         {1280, 800, 60}, {1440, 900, 60}, {1680, 1050, 60}};
  struct Case {
    std::vector<DisplayMode> modes;
    DisplayMode desktop;
    u32 width, height;
    DisplayMode expected;
  };
  const Case cases[] = {
      {wide, {1680, 1050, 60}, 800, 600, {1280, 800, 0}},
      // |1152 - 1200| + |720 - 900| = 228 beats |1024 - 1200| + |640 - 900| = 436.
      {{{640, 400, 60}, {1024, 640, 60}, {1152, 720, 60}, {1024, 768, 60}}, {1680, 1050, 60}, 1200, 900,
       {1152, 720, 0}},
      {{{1280, 800, 60}, {1280, 800, 75}}, {1280, 800, 60}, 800, 600, {1280, 800, 60}},
      {{{640, 400, 50}, {640, 400, 60}}, {1280, 800, 60}, 800, 600, {640, 400, 50}},
      {{{800, 600, 60}, {1024, 768, 60}}, {1920, 1080, 60}, 800, 600, {1920, 1080, 0}},
      {{}, {}, 800, 600, {800, 600, 0}},
  };
  for (const Case& test : cases) {
    const DisplayMode chosen = chooseDisplayMode(test.modes, test.desktop, test.width, test.height);
    EXPECT_EQ(chosen.width, test.expected.width) << test.desktop.width << " " << test.width;
    EXPECT_EQ(chosen.height, test.expected.height) << test.desktop.width << " " << test.width;
    if (test.expected.refreshRate != 0) {
      EXPECT_EQ(chosen.refreshRate, test.expected.refreshRate);
    }
  }
}

TEST(PointerModifier, MapsTheLetterboxedScreenBackToLogicalPixels) {
  // Side bars of 160 pixels: window x 160 is logical 0, x 1120 is logical 800.
  const PointerModifier wide = pointerModifier(1280, 720, 800, 600);
  EXPECT_FLOAT_EQ((160.0f + wide.offsetX) * wide.scale, 0.0f);
  EXPECT_FLOAT_EQ((1120.0f + wide.offsetX) * wide.scale, 800.0f);
  EXPECT_FLOAT_EQ(wide.offsetY, 0.0f);
  // Bars of 100 pixels above and below.
  const PointerModifier tall = pointerModifier(800, 800, 800, 600);
  EXPECT_FLOAT_EQ(tall.offsetX, 0.0f);
  EXPECT_FLOAT_EQ((100.0f + tall.offsetY) * tall.scale, 0.0f);
  EXPECT_FLOAT_EQ((700.0f + tall.offsetY) * tall.scale, 600.0f);
}

}  // namespace
}  // namespace Engine::Graphics
