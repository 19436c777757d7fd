#include <gtest/gtest.h>

#include "Graphics/src/ScreenMapping.h"

namespace Engine::Graphics {
namespace {

using Platform::DisplayMode;

bool sameSize(const DisplayMode& mode, u32 width, u32 height) { return mode.width == width && mode.height == height; }

TEST(ChooseDisplayMode, TakesTheSmallestModeOfTheDesktopRatioThatHoldsTheRequest) {
  const std::vector<DisplayMode> modes = {{640, 400, 60},  {800, 600, 60},   {1024, 768, 60},
                                          {1280, 800, 60}, {1440, 900, 60}, {1680, 1050, 60}};
  EXPECT_TRUE(sameSize(chooseDisplayMode(modes, {1680, 1050, 60}, 800, 600), 1280, 800));
  // A 4:3 desktop takes the exact 4:3 mode.
  EXPECT_TRUE(sameSize(chooseDisplayMode(modes, {1024, 768, 60}, 800, 600), 800, 600));
}

TEST(ChooseDisplayMode, FallsBackToTheNearestWhenEveryModeIsSmaller) {
  const std::vector<DisplayMode> modes = {{640, 400, 60}, {1024, 640, 60}, {1152, 720, 60}, {1024, 768, 60}};
  // |1152 - 1200| + |720 - 900| = 228 beats |1024 - 1200| + |640 - 900| = 436.
  EXPECT_TRUE(sameSize(chooseDisplayMode(modes, {1680, 1050, 60}, 1200, 900), 1152, 720));
}

TEST(ChooseDisplayMode, KeepsTheEarlierModeOnATie) {
  const std::vector<DisplayMode> modes = {{1280, 800, 60}, {1280, 800, 75}};
  EXPECT_EQ(chooseDisplayMode(modes, {1280, 800, 60}, 800, 600).refreshRate, 60u);
  const std::vector<DisplayMode> smaller = {{640, 400, 50}, {640, 400, 60}};
  EXPECT_EQ(chooseDisplayMode(smaller, {1280, 800, 60}, 800, 600).refreshRate, 50u);
}

TEST(ChooseDisplayMode, UsesTheDesktopWhenNoModeHasItsRatio) {
  const std::vector<DisplayMode> modes = {{800, 600, 60}, {1024, 768, 60}};
  EXPECT_TRUE(sameSize(chooseDisplayMode(modes, {1920, 1080, 60}, 800, 600), 1920, 1080));
  EXPECT_TRUE(sameSize(chooseDisplayMode({}, {}, 800, 600), 800, 600));
}

TEST(MapViewport, LetterboxesBarsAboveAndBelowInATallBackBuffer) {
  const Platform::Viewport mapped = mapViewport(800, 800, 800, 600, {0, 0, 800, 600, 0.0f, 1.0f});
  EXPECT_EQ(mapped.x, 0u);
  EXPECT_EQ(mapped.y, 100u);
  EXPECT_EQ(mapped.width, 800u);
  EXPECT_EQ(mapped.height, 600u);
  const Platform::Viewport same = mapViewport(640, 480, 640, 480, {0, 0, 640, 480, 0.0f, 1.0f});
  EXPECT_EQ(same.x + same.y, 0u);
  EXPECT_EQ(same.width, 640u);
  EXPECT_EQ(same.height, 480u);
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
