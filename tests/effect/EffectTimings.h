#pragma once

#include <array>
#include <cstdio>
#include <functional>
#include <string>

namespace EffectTestSupport {

// When a script shows the action's results, beyond the frames of its row
// (an apply frame of -1: never).
enum class ApplyRule {
  kFixed,
  // Apply and end frames move 8 later per target; the row holds them for
  // no target.
  kByTargetCount,
  // Without a hit target the script applies and finishes on frame 48.
  kEarlyOnMiss,
};

// One name of the effect factory: the class it builds and when that class's
// script shows the results and first finishes.
struct EffectTiming {
  const char* name;
  const char* className;
  int applyFrame;
  int endFrame;
  ApplyRule rule = ApplyRule::kFixed;
};

// Every name in the factory's order.
extern const std::array<EffectTiming, 204> kEffectTimings;

// The frames of one play: where the results show (-1: never) and when the
// script calls finish first.
struct PlayTiming {
  int applyFrame;
  int endFrame;
};
PlayTiming timingOf(const EffectTiming& row, int targetCount, bool anyTargetHit);

// The row of the name; null when there is none.
const EffectTiming* findTiming(const char* name);

// A number as printf's %g writes it: 7.5, 0.25, 180.
inline std::string numText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// "frame:value" for frame 0 and each later frame whose value differs from the
// frame before, the value read after that frame's step, up to the last frame.
inline std::string trace(int last, const std::function<void()>& step, const std::function<std::string()>& value) {
  std::string out;
  std::string was;
  for (int frame = 0; frame <= last; ++frame) {
    step();
    const std::string now = value();
    if (frame == 0 || now != was) {
      out += (out.empty() ? "" : " ") + std::to_string(frame) + ":" + now;
    }
    was = now;
  }
  return out;
}

}  // namespace EffectTestSupport
