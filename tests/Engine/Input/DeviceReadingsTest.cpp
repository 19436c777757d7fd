#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>

#include "Engine/Input/Keyboard.h"
#include "Input/src/DeviceReadings.h"
#include "Input/src/KeyCodes.h"
#include "Platform/Joysticks.h"

namespace {

using Engine::Input::hatButtons;
using Engine::Input::keyForCode;
using Platform::Key;

TEST(KeyCodesTest, CodesMapToTheirKeysLettersInEitherCase) {
  namespace Code = Engine::Input::KeyCode;
  const std::pair<int, Key> mapped[] = {
      {'a', Key::A},      {'A', Key::A},       {'Z', Key::Z},   {'0', Key::Digit0},   {'9', Key::Digit9},
      {' ', Key::Space},  {Code::kReturn, Key::Return}, {Code::kAlt, Key::Alt}, {134, Key::F1}, {145, Key::F12},
      {146, Key::Up},     {149, Key::Right},   {150, Key::Numpad0}, {159, Key::Numpad9},
  };
  for (const auto& [code, key] : mapped) {
    EXPECT_EQ(keyForCode(code), key) << code;
  }
  for (int code : {0, 13, 33, 47, 58, 64, 91, 96, 123, 127, 160, 256, -1, std::numeric_limits<int>::min(),
                   std::numeric_limits<int>::max()}) {
    EXPECT_FALSE(keyForCode(code).has_value()) << code;
  }
}

// Each direction covers 135 degrees; the letters are the buttons set.
TEST(HatSectorsTest, SectorBoundariesAreExactAndACentredHatSetsNothing) {
  const std::pair<unsigned, const char*> sectors[] = {
      {0, "U"},      {2250, "U"},   {2251, "UR"},  {6750, "UR"},  {6751, "R"},   {11250, "R"},
      {11251, "RD"}, {15750, "RD"}, {15751, "D"},  {20250, "D"},  {20251, "DL"}, {24750, "DL"}, {24751, "L"},
      {29250, "L"},  {29251, "UL"}, {33750, "UL"}, {33751, "U"},  {35999, "U"},  {0xFFFFFFFFu, ""}, {0x0000FFFFu, ""},
  };
  for (const auto& [angle, buttons] : sectors) {
    const auto hat = hatButtons(angle);
    std::string set;
    set += hat.up ? "U" : "";
    set += hat.right ? "R" : "";
    set += hat.down ? "D" : "";
    set += hat.left ? "L" : "";
    EXPECT_EQ(set, buttons) << angle;
  }
}

TEST(HatSectorsTest, EightWayHatDirectionsBecomeTheirAnglesAndOppositesCancel) {
  using Platform::hatAngle;
  constexpr unsigned kCentered = Platform::JoystickState::kHatCentered;
  EXPECT_EQ(hatAngle(false, false, false, false), kCentered);
  EXPECT_EQ(hatAngle(false, false, true, true), 22500u);
  EXPECT_EQ(hatAngle(true, false, false, true), 31500u);
  EXPECT_EQ(hatAngle(true, true, true, false), 9000u);
  EXPECT_EQ(hatAngle(true, true, true, true), kCentered);
}

// The axis range itself is read through the manager's joystick test.
TEST(AxisConversionTest, SignedAxisBeyondItsRangeIsClamped) {
  using Engine::Input::analogFromAxis;
  EXPECT_EQ(analogFromAxis(-100000), 0);
  EXPECT_EQ(analogFromAxis(100000), 65535);
}

TEST(PointerRoundingTest, ScaledCoordinatesRoundHalfUpAndStayBounded) {
  using Engine::Input::pointerCoordinate;
  EXPECT_EQ(pointerCoordinate(1, 0.0f, 0.5f), 1);        // 0.5
  EXPECT_EQ(pointerCoordinate(10, -80.0f, 1.25f), -87);  // -87.5 truncates toward zero
  EXPECT_EQ(pointerCoordinate(10, 0.0f, std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_GT(pointerCoordinate(10, 0.0f, std::numeric_limits<float>::infinity()), 0);
  EXPECT_LT(pointerCoordinate(-10, 0.0f, 1.0e30f), 0);
}

}  // namespace
