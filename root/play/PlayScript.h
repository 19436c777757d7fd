#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Game::Play {

// A play script drives the game in a scripted run: one command a line.
//   wait FIELD=VALUE [LIMIT]   until the trace's field has that value (frame:
//                              at least that frame), failing after LIMIT frames
//   press KEY[+KEY...] [N]     keys held N frames (1), then one frame released
//   hold KEY[+KEY...] N        keys held N frames
//   idle N                     N frames without keys
//   shot NAME                  a screenshot of the frame just drawn
//   repeat N {  ...  }         the block N times
//   end                        ends the run
// '#' starts a comment.
enum class CommandKind { kWait, kPress, kHold, kIdle, kShot, kEnd };

struct Command {
  CommandKind kind = CommandKind::kEnd;
  int line = 0;
  std::uint32_t keys = 0;  // bit n: logical key n
  int frames = 0;          // held or idle frames; a wait's limit
  std::string field;       // a wait's field, or a shot's name
  std::string value;       // a wait's value
};

inline constexpr int kDefaultWaitLimit = 600;
inline constexpr int kMaxFrames = 1000000;
inline constexpr int kMaxRepeat = 10000;
inline constexpr std::size_t kMaxCommands = 100000;
inline constexpr int kMaxDepth = 8;

struct Script {
  std::vector<Command> commands;  // repeats unrolled
  std::string error;              // "FILE:LINE: what", empty when read
};

Script parseScript(std::string_view text, const std::string& fileName);

// The logical key's bit for a name ("up", "x", "decide", "f1", ...); 0 for
// an unknown name.
std::uint32_t keyBit(std::string_view name);

}  // namespace Game::Play
