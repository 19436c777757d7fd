#include <gtest/gtest.h>

#include <limits>

#include "Engine/Input/Keyboard.h"
#include "Input/src/DeviceReadings.h"
#include "Input/src/KeyCodes.h"
#include "Platform/Joysticks.h"

namespace {

using Engine::Input::hatButtons;
using Engine::Input::keyForCode;
using Platform::Key;

TEST(KeyCodesTest, LettersReadTheSameKeyInEitherCase) {
  EXPECT_EQ(keyForCode('a'), Key::A);
  EXPECT_EQ(keyForCode('A'), Key::A);
  EXPECT_EQ(keyForCode('z'), Key::Z);
  EXPECT_EQ(keyForCode('Z'), Key::Z);
  EXPECT_EQ(keyForCode('q'), keyForCode('Q'));
}

TEST(KeyCodesTest, DigitsPunctuationAndNamedKeys) {
  EXPECT_EQ(keyForCode('0'), Key::Digit0);
  EXPECT_EQ(keyForCode('9'), Key::Digit9);
  EXPECT_EQ(keyForCode(' '), Key::Space);
  EXPECT_EQ(keyForCode('+'), Key::Plus);
  EXPECT_EQ(keyForCode(','), Key::Comma);
  EXPECT_EQ(keyForCode('-'), Key::Minus);
  EXPECT_EQ(keyForCode('.'), Key::Period);
  namespace Code = Engine::Input::KeyCode;
  EXPECT_EQ(keyForCode(Code::kReturn), Key::Return);
  EXPECT_EQ(keyForCode(Code::kTab), Key::Tab);
  EXPECT_EQ(keyForCode(Code::kEscape), Key::Escape);
  EXPECT_EQ(keyForCode(Code::kShift), Key::Shift);
  EXPECT_EQ(keyForCode(Code::kControl), Key::Control);
  EXPECT_EQ(keyForCode(Code::kAlt), Key::Alt);
  EXPECT_EQ(keyForCode(134), Key::F1);
  EXPECT_EQ(keyForCode(145), Key::F12);
  EXPECT_EQ(keyForCode(146), Key::Up);
  EXPECT_EQ(keyForCode(147), Key::Down);
  EXPECT_EQ(keyForCode(148), Key::Left);
  EXPECT_EQ(keyForCode(149), Key::Right);
  EXPECT_EQ(keyForCode(150), Key::Numpad0);
  EXPECT_EQ(keyForCode(159), Key::Numpad9);
}

TEST(KeyCodesTest, CodesWithoutAKeyReadNothing) {
  for (int code : {0, 13, 31, 33, 42, 47, 58, 64, 91, 96, 123, 127, 160, 200, 255, 256, -1, 1 << 20,
                   std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
    EXPECT_FALSE(keyForCode(code).has_value()) << code;
  }
}

TEST(HatSectorsTest, CenteredByItsLowSixteenBits) {
  const auto centered = hatButtons(0xFFFFFFFFu);
  EXPECT_FALSE(centered.up || centered.down || centered.left || centered.right);
  const auto lowOnly = hatButtons(0x0000FFFFu);
  EXPECT_FALSE(lowOnly.up || lowOnly.down || lowOnly.left || lowOnly.right);
}

struct Sector {
  unsigned angle;
  bool up, right, down, left;
};

TEST(HatSectorsTest, EachDirectionCovers135DegreesWithExactBoundaries) {
  const Sector sectors[] = {
      {0, true, false, false, false},      {2250, true, false, false, false},  {2251, true, true, false, false},
      {4500, true, true, false, false},    {6750, true, true, false, false},   {6751, false, true, false, false},
      {9000, false, true, false, false},   {11250, false, true, false, false}, {11251, false, true, true, false},
      {13500, false, true, true, false},   {15750, false, true, true, false},  {15751, false, false, true, false},
      {18000, false, false, true, false},  {20250, false, false, true, false}, {20251, false, false, true, true},
      {24750, false, false, true, true},   {24751, false, false, false, true}, {27000, false, false, false, true},
      {29250, false, false, false, true},  {29251, true, false, false, true},  {31500, true, false, false, true},
      {33750, true, false, false, true},   {33751, true, false, false, false}, {35999, true, false, false, false},
  };
  for (const Sector& sector : sectors) {
    const auto hat = hatButtons(sector.angle);
    EXPECT_EQ(hat.up, sector.up) << sector.angle;
    EXPECT_EQ(hat.right, sector.right) << sector.angle;
    EXPECT_EQ(hat.down, sector.down) << sector.angle;
    EXPECT_EQ(hat.left, sector.left) << sector.angle;
  }
}

TEST(HatSectorsTest, EightWayHatDirectionsBecomeTheirAngles) {
  using Platform::hatAngle;
  EXPECT_EQ(hatAngle(false, false, false, false), Platform::JoystickState::kHatCentered);
  EXPECT_EQ(hatAngle(true, false, false, false), 0u);
  EXPECT_EQ(hatAngle(true, true, false, false), 4500u);
  EXPECT_EQ(hatAngle(false, true, false, false), 9000u);
  EXPECT_EQ(hatAngle(false, true, true, false), 13500u);
  EXPECT_EQ(hatAngle(false, false, true, false), 18000u);
  EXPECT_EQ(hatAngle(false, false, true, true), 22500u);
  EXPECT_EQ(hatAngle(false, false, false, true), 27000u);
  EXPECT_EQ(hatAngle(true, false, false, true), 31500u);
  // Opposite directions cancel out.
  EXPECT_EQ(hatAngle(true, true, true, false), 9000u);
  EXPECT_EQ(hatAngle(true, true, true, true), Platform::JoystickState::kHatCentered);
}

TEST(AxisConversionTest, SignedAxisIsOffsetToTheUnsignedRange) {
  using Engine::Input::analogFromAxis;
  EXPECT_EQ(analogFromAxis(-32768), 0);
  EXPECT_EQ(analogFromAxis(0), 32768);
  EXPECT_EQ(analogFromAxis(32767), 65535);
  // The game's pad thresholds fall where a half-pushed stick would be.
  EXPECT_LT(analogFromAxis(-16385), 16384);
  EXPECT_GT(analogFromAxis(16385), 49152);
  EXPECT_EQ(analogFromAxis(-100000), 0);
  EXPECT_EQ(analogFromAxis(100000), 65535);
}

TEST(PointerRoundingTest, ScaledCoordinatesRoundHalfUp) {
  using Engine::Input::pointerCoordinate;
  EXPECT_EQ(pointerCoordinate(133, 0.0f, 0.75f), 100);  // 99.75
  EXPECT_EQ(pointerCoordinate(1, 0.0f, 0.5f), 1);       // 0.5
  EXPECT_EQ(pointerCoordinate(3, 0.0f, 0.5f), 2);       // 1.5
  EXPECT_EQ(pointerCoordinate(2, 0.0f, 0.7f), 1);       // 1.4
  EXPECT_EQ(pointerCoordinate(10, -80.0f, 1.25f), -87); // -87.5 truncates toward zero
  EXPECT_EQ(pointerCoordinate(640, 0.0f, 1.0f), 640);
}

TEST(PointerRoundingTest, AbsurdModifiersGiveBoundedCoordinates) {
  using Engine::Input::pointerCoordinate;
  EXPECT_EQ(pointerCoordinate(10, 0.0f, std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_GT(pointerCoordinate(10, 0.0f, std::numeric_limits<float>::infinity()), 0);
  EXPECT_LT(pointerCoordinate(-10, 0.0f, 1.0e30f), 0);
}

}  // namespace
