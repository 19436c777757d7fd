#include "presentation/render/Color.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace Game {
namespace {

TEST(ColorTest, SettersClampAndNaNBecomesZero) {
  Color c(2.f, -1.f, 0.5f, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(c.alpha(), 1.f);
  EXPECT_EQ(c.red(), 0.f);
  EXPECT_EQ(c.blue(), 0.f);
  c.add(Color(1.f, 1.f, 1.f, 1.f));
  EXPECT_EQ(c.toPacked(), 0xFFFFFFFFu);
  c.subtract(Color(0.25f, 2.f, 2.f, 2.f));
  EXPECT_EQ(c.toPacked(), 0xBF000000u);
}

TEST(ColorTest, PackedRoundTripsEveryByteAndTruncates) {
  for (Engine::u32 argb : {0x00000000u, 0xFFFFFFFFu, 0x01FE7F80u}) {
    EXPECT_EQ(Color(argb).toPacked(), argb) << std::hex << argb;
  }
  // 0.5 × 255 = 127.5 truncates to 127.
  EXPECT_EQ(Color(2.f, -1.f, 0.5f, 3.f).toPacked(), 0xFF007FFFu);
  // 0.999 × 255 = 254.7: truncated, not rounded.
  EXPECT_EQ(Color(0.999f, 0.f, 0.f, 0.f).toPacked(), 0xFE000000u);
}

TEST(ColorTest, HueWheel) {
  struct Case {
    float degrees;
    Engine::u32 packed;
  } const cases[] = {{0.f, 0xFFFF0000u},   {60.f, 0xFFFFFF00u},  {120.f, 0xFF00FF00u}, {240.f, 0xFF0000FFu},
                     {360.f, 0xFFFF0000u}, {-120.f, 0xFF0000FFu}, {30.f, 0xFFFF7F00u},  {7260.f, 0xFFFFFF00u}};
  for (const Case& c : cases) {
    Color color(0.f, 0.f, 0.f, 0.f);
    color.setHue(c.degrees);
    EXPECT_EQ(color.toPacked(), c.packed) << c.degrees;
  }
}

TEST(ColorTest, ComponentWiseMixing) {
  Color m(0.1f, 0.9f, 0.1f, 0.9f);
  m.max(Color(0.5f, 0.5f, 0.5f, 0.5f));
  EXPECT_EQ(m, Color(0.5f, 0.9f, 0.5f, 0.9f));
  Color l;
  l.lerp(0.25f, Color(0.f, 0.f, 0.f, 0.f), Color(1.f, 1.f, 0.f, 0.5f));
  EXPECT_FLOAT_EQ(l.alpha(), 0.25f);
  EXPECT_FLOAT_EQ(l.blue(), 0.125f);
  EXPECT_FLOAT_EQ(Color(1.f, 0.3f, 0.6f, 0.9f).rgb(), 0.6f);
}

}  // namespace
}  // namespace Game
