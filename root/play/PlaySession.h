#pragma once

#include <cstdint>
#include <deque>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/input/KeyInput.h"
#include "root/Application.h"
#include "root/play/PlayRunner.h"

namespace Game::Play {

// A scripted run's switches, from the command line (--play SCRIPT --trace
// FILE --seed N --home DIR --shots DIR) or else the environment
// (MARROWDEEP_PLAY_SCRIPT, _TRACE, _SEED, _HOME, _SHOTS).
struct PlayOptions {
  std::string script;  // empty: a normal run
  std::string trace;
  std::string home;
  std::string shots = ".";
  int seed = 1;
};

// False with error set for a switch without its value or a bad seed.
bool readOptions(int argc, const char* const* argv, const char* (*environment)(const char*), PlayOptions& options,
                 std::string& error);

// The traced variables and every other field a wait looks at.
std::vector<std::string> tracedVariables(const std::vector<Command>& commands);

// The scripted run: keys from the script instead of the devices, the random
// generator seeded, frames unpaced, the player's files in the home folder,
// one trace line a step. Hooks itself into the root while it lives.
class PlaySession final : public StepHooks, public KeyInput::KeySource {
 public:
  // Null with error set when the script cannot be read.
  static std::unique_ptr<PlaySession> open(const PlayOptions& options, std::string& error);
  ~PlaySession() override;
  PlaySession(const PlaySession&) = delete;
  PlaySession& operator=(const PlaySession&) = delete;

  void configure(Engine::Framework::Configuration configuration) override;
  bool afterStep() override;
  Engine::u32 nextKeys() override { return mRunner.nextKeys(); }

  // 0 when the script ran through (or the game ended outside a wait), 1 on
  // a failed wait; the reason goes to the error stream with the last trace
  // lines.
  int finish();

 private:
  PlaySession(const PlayOptions& options, std::vector<Command> commands);
  void writeTrace(const TraceState& state);
  void capture(const std::string& name) const;
  void awaitReads() const;
  // With shots asked for, every text that leaves its window frame goes
  // once, with its frame number, to SHOTS/strays.txt.
  void auditText();
  void reportFailure(const std::string& reason) const;

  PlayOptions mOptions;
  PlayRunner mRunner;
  std::vector<std::string> mVariables;
  std::ofstream mTrace;
  std::deque<std::string> mLastLines;
  std::uint32_t mStart = 0;  // the platform clock at the start, in ms
  int mFrame = 0;
  std::set<std::string> mStrays;
};

}  // namespace Game::Play
