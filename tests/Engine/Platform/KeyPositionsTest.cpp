#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "Engine/Platform/sdl/KeyPositions.h"
#include "Engine/Platform/sdl/WheelStep.h"

namespace {

using Platform::Key;
using Platform::Sdl::keyPositions;
using Platform::Sdl::LabelLookup;

// Key positions as USB usage numbers (SDL's scancodes).
enum Position : int {
  kNone = 0, kA = 4, kM = 16, kQ = 20, kW = 26, kY = 28, kZ = 29, kSix = 35, kReturn = 40, kMinus = 45, kEquals = 46,
  kRightBracket = 48, kComma = 54, kPeriod = 55, kKeypadEnter = 88,
};

// A layout: the labels it moves away from their US place; any other letter
// keeps it, and a label missing from both types nothing unshifted.
LabelLookup layout(std::map<char, int> moved, std::string missing = "") {
  return [moved, missing](char label) {
    if (const auto it = moved.find(label); it != moved.end()) return it->second;
    if (missing.find(label) != std::string::npos) return static_cast<int>(kNone);
    if (label >= 'a' && label <= 'z') return kA + (label - 'a');
    const std::map<char, int> us = {{',', kComma}, {'-', kMinus}, {'.', kPeriod}};
    const auto it = us.find(label);
    return it == us.end() ? static_cast<int>(kNone) : it->second;
  };
}

TEST(KeyPositionsTest, LettersAndPunctuationFollowTheLabelsOfTheLayout) {
  const LabelLookup us = layout({}, "+");
  const LabelLookup azerty = layout({{'z', kW}, {'w', kZ}, {',', kM}}, "+.");
  const LabelLookup qwertz = layout({{'y', kZ}, {'z', kY}, {'+', kRightBracket}});
  const struct {
    const char* layoutName;
    const LabelLookup& lookup;
    Key key;
    int position;
  } kCases[] = {
      {"US", us, Key::Z, kZ},
      {"US", us, Key::Plus, kEquals},  // '+' is shifted there: the key of '=' by position
      {"AZERTY", azerty, Key::Z, kW},
      {"AZERTY", azerty, Key::Comma, kM},
      {"AZERTY", azerty, Key::Period, kPeriod},  // no key types '.' unshifted: its US place
      {"QWERTZ", qwertz, Key::Z, kY},
      {"QWERTZ", qwertz, Key::X, kA + ('x' - 'a')},
      {"QWERTZ", qwertz, Key::Plus, kRightBracket},
  };
  for (const auto& c : kCases) {
    const auto at = keyPositions(c.key, c.lookup);
    EXPECT_EQ(at.first, c.position) << c.layoutName << " key " << static_cast<int>(c.key);
    EXPECT_EQ(at.second, kNone) << c.layoutName << " key " << static_cast<int>(c.key);
  }
}

TEST(KeyPositionsTest, DigitsAndNamedKeysStayWhereTheyAreOnEveryLayout) {
  int asked = 0;
  const LabelLookup counting = [&](char) {
    ++asked;
    return static_cast<int>(kQ);
  };
  EXPECT_EQ(keyPositions(Key::Digit6, counting).first, kSix);
  const auto enter = keyPositions(Key::Return, counting);
  EXPECT_EQ(enter.first, kReturn);
  EXPECT_EQ(enter.second, kKeypadEnter);
  EXPECT_EQ(asked, 0);
}

TEST(KeyPositionsTest, TheActiveLayoutLookupFindsTheLettersOrFallsBack) {
  // Without a video system SDL has no keymap; either way every letter has a key.
  for (char label = 'a'; label <= 'z'; ++label) {
    const int position = Platform::Sdl::activeLayoutPosition(label);
    EXPECT_TRUE(position == kNone || position == kA + (label - 'a')) << label;
    const auto at = keyPositions(static_cast<Key>(static_cast<int>(Key::A) + (label - 'a')),
                                 Platform::Sdl::activeLayoutPosition);
    EXPECT_EQ(at.first, kA + (label - 'a')) << label;
  }
}

TEST(KeyPositionsTest, OnlyAVerticalWheelMoveIsAStep) {
  using Platform::Sdl::wheelStep;
  EXPECT_EQ(std::vector<int>({wheelStep(0, false), wheelStep(0, true), wheelStep(1, false), wheelStep(1, true),
                              wheelStep(-2, false)}),
            std::vector<int>({0, 0, 1, -1, -2}));
}

}  // namespace
