#pragma once

#include <array>

namespace EffectTestSupport {

// How a script finishes: on every frame from its end frame on, or only on
// that frame.
enum class EndKind { kFrom, kExactly };

// When a script shows the action's results.
enum class ApplyRule {
  // applyResult once, on the apply frame.
  kFixed,
  // Never (the ward that only raises itself).
  kNone,
  // The results shown on the apply frame without a change of state (0 to 2
  // directly).
  kDisplayOnly,
  // Apply and end frames move 8 later per target; the row holds them for
  // no target.
  kByTargetCount,
  // Without a hit target the script applies and finishes on frame 48.
  kEarlyOnMiss,
};

// One name of the effect factory: the class it builds and when that class's
// script shows the results and finishes.
struct EffectTiming {
  const char* name;
  const char* className;
  int applyFrame;
  int endFrame;
  EndKind endKind;
  ApplyRule rule;
};

// Every name in the factory's order.
extern const std::array<EffectTiming, 204> kEffectTimings;

// The frames of one play: where the results show and when the script calls
// finish first.
struct PlayTiming {
  // -1: never.
  int applyFrame;
  int endFrame;
  EndKind endKind;
  // Whether showing the results moves the state to 1.
  bool applyChangesState;
};
PlayTiming timingOf(const EffectTiming& row, int targetCount, bool anyTargetHit);

// The row of the name; null when there is none.
const EffectTiming* findTiming(const char* name);

}  // namespace EffectTestSupport
