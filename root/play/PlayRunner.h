#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "root/play/PlayScript.h"

namespace Game::Play {

// What the trace shows of one frame: named fields in order, values as text.
struct TraceState {
  std::vector<std::pair<std::string, std::string>> fields;

  // The field's value, or null when the trace has no such field.
  const std::string* find(const std::string& name) const;
};

// Runs a script's commands against the trace, one logic step at a time:
// nextKeys before the step, observe after it.
class PlayRunner {
 public:
  enum class Status { kRunning, kFinished, kFailed };

  explicit PlayRunner(std::vector<Command> commands);

  // The logical keys held during the coming step.
  std::uint32_t nextKeys() const;
  // The trace after the step; moves on through the commands it completes.
  void observe(const TraceState& state);

  Status status() const { return mStatus; }
  // A wait not yet met: the game must not end here.
  bool isWaiting() const;
  // The line of the command under way; 0 when none is.
  int line() const;
  // "LINE: what was waited for", once failed.
  const std::string& failure() const { return mFailure; }
  // The screenshots asked for since the last call.
  std::vector<std::string> takeShots();
  // Whether a screenshot may be asked for right after the coming step: the
  // command under way may end with it and only waits stand between it and a
  // shot, or a wait may fail with it (its frame is shot then).
  bool mayShootAfterNextStep() const;

 private:
  const Command* current() const;
  // Skips screenshots, the end and waits already met.
  void settle(const TraceState& state);
  void advance();
  bool isMet(const Command& wait, const TraceState& state) const;

  std::vector<Command> mCommands;
  std::size_t mIndex = 0;
  int mFramesDone = 0;
  Status mStatus = Status::kRunning;
  std::string mFailure;
  std::vector<std::string> mShots;
};

}  // namespace Game::Play
