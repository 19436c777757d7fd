#include "root/play/PlayRunner.h"

#include <charconv>

namespace Game::Play {

namespace {

// Both sides are whole numbers: the script's checked when read, the trace's
// frame written as one.
long long toNumber(const std::string& text) {
  long long value{};
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

const std::string* TraceState::find(const std::string& name) const {
  for (const auto& [field, value] : fields) {
    if (field == name) {
      return &value;
    }
  }
  return nullptr;
}

PlayRunner::PlayRunner(std::vector<Command> commands) : mCommands(std::move(commands)) {
  settle(TraceState());
}

const Command* PlayRunner::current() const {
  return mStatus == Status::kRunning && mIndex < mCommands.size() ? &mCommands[mIndex] : nullptr;
}

// A press releases its keys on its last frame, so that the next press of the
// same key is seen as new.
std::uint32_t PlayRunner::nextKeys() const {
  const Command* command = current();
  if (!command) {
    return 0;
  }
  switch (command->kind) {
    case CommandKind::kPress:
      return mFramesDone < command->frames ? command->keys : 0;
    case CommandKind::kHold:
      return command->keys;
    default:
      return 0;
  }
}

void PlayRunner::observe(const TraceState& state) {
  const Command* command = current();
  if (!command) {
    return;
  }
  ++mFramesDone;
  switch (command->kind) {
    case CommandKind::kWait:
      if (isMet(*command, state)) {
        advance();
      } else if (mFramesDone >= command->frames) {
        mStatus = Status::kFailed;
        mFailure = std::to_string(command->line) + ": waited " + std::to_string(command->frames) +
                   " frames in vain for " + command->field + "=" + command->value;
        return;
      }
      break;
    case CommandKind::kPress:
      if (mFramesDone > command->frames) {
        advance();
      }
      break;
    default:
      if (mFramesDone >= command->frames) {
        advance();
      }
      break;
  }
  settle(state);
}

void PlayRunner::settle(const TraceState& state) {
  while (const Command* command = current()) {
    if (command->kind == CommandKind::kShot) {
      mShots.push_back(command->field);
    } else if (command->kind == CommandKind::kEnd) {
      mStatus = Status::kFinished;
      return;
    } else if (command->kind != CommandKind::kWait || !isMet(*command, state)) {
      return;
    }
    advance();
  }
  if (mStatus == Status::kRunning) {
    mStatus = Status::kFinished;
  }
}

void PlayRunner::advance() {
  ++mIndex;
  mFramesDone = 0;
}

// The frame is a count reached; every other field is compared as text.
bool PlayRunner::isMet(const Command& wait, const TraceState& state) const {
  const std::string* value = state.find(wait.field);
  if (!value) {
    return false;
  }
  if (wait.field == "frame") {
    return toNumber(*value) >= toNumber(wait.value);
  }
  return *value == wait.value;
}

bool PlayRunner::isWaiting() const {
  const Command* command = current();
  return command && command->kind == CommandKind::kWait;
}

int PlayRunner::line() const {
  const Command* command = current();
  return command ? command->line : 0;
}

bool PlayRunner::mayShootAfterNextStep() const {
  const Command* command = current();
  if (!command) {
    return false;
  }
  const int done = mFramesDone + 1;
  switch (command->kind) {
    case CommandKind::kWait:
      if (done >= command->frames) {
        return true;
      }
      break;
    case CommandKind::kPress:
      if (done <= command->frames) {
        return false;
      }
      break;
    default:
      if (done < command->frames) {
        return false;
      }
      break;
  }
  for (std::size_t next = mIndex + 1; next < mCommands.size(); ++next) {
    if (mCommands[next].kind == CommandKind::kShot) {
      return true;
    }
    if (mCommands[next].kind != CommandKind::kWait) {
      return false;
    }
  }
  return false;
}

std::vector<std::string> PlayRunner::takeShots() { return std::exchange(mShots, {}); }

}  // namespace Game::Play
