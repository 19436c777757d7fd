#pragma once

// How a harness meets the data-error stop (Engine::halt), which shows its
// text in a message box and ends the process. Here the box decides instead:
//  - Shipped data (models, resources, databases, scripts): a stop that names
//    the file is an expected outcome. The box throws DataStop; the harness
//    catches it, checks that the text names the file, and goes on.
//  - A file the player hands the game (a save, config.ini): any stop is a
//    finding. The box prints the text and aborts, so the input is kept.
// A stop while a harness sets itself up is the harness's own fault: it is
// printed and aborts at once, never passing as a finding of the first input.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "Platform/Backend.h"
#include "PlatformFake/FakeBackend.h"

namespace FuzzSupport {

struct DataStop {
  std::string text;
};

enum class OnStop { Throw, Abort };

class StopBox : public Platform::MessageBox {
 public:
  explicit StopBox(OnStop onStop) : mOnStop(onStop) {}
  void show(std::string_view text, std::string_view, Platform::MessageIcon) override {
    if (mOnStop == OnStop::Throw) {
      throw DataStop{std::string(text)};
    }
    std::fprintf(stderr, "stopped: %.*s\n", static_cast<int>(text.size()), text.data());
    std::abort();
  }

 private:
  OnStop mOnStop;
};

// Debug lines are dropped: the file manager's loader thread writes them too,
// and the fake's list of lines is for one thread.
class QuietOutput : public Platform::DebugOutput {
 public:
  void write(std::string_view) override {}
};

// The fake platform with the stop box, installed while it lives.
class FuzzBackend : public PlatformFake::FakeBackend {
 public:
  explicit FuzzBackend(OnStop onStop) : mBox(onStop), mPrevious(Platform::hasBackend() ? &Platform::backend() : nullptr) {
    Platform::setBackend(this);
  }
  ~FuzzBackend() override { Platform::setBackend(mPrevious); }
  FuzzBackend(const FuzzBackend&) = delete;
  FuzzBackend& operator=(const FuzzBackend&) = delete;
  Platform::MessageBox& messageBox() override { return mBox; }
  Platform::DebugOutput& debugOutput() override { return mQuiet; }

  // What one input wrote and opened is dropped before the next (it would
  // grow without end).
  void startInput() {
    fakeDebugOutput.lines.clear();
    fakeFileSystem.forgetAccesses();
  }
  // A player's file names no path past the game's folder: the fake keeps a
  // path that climbed above its root (or an absolute one) as it is.
  void expectNothingOpenedOutside() {
    for (const std::string& name : fakeFileSystem.openedForReading()) {
      if (name.rfind("..", 0) == 0 || name.rfind('/', 0) == 0) {
        std::fprintf(stderr, "opened outside the game's folder: %s\n", name.c_str());
        std::abort();
      }
    }
  }

 private:
  StopBox mBox;
  QuietOutput mQuiet;
  Platform::Backend* mPrevious;
};

// Runs a harness's set-up; a stop in it ends the run with its text.
template <class SetUpSteps>
void setUpOrAbort(SetUpSteps&& steps) {
  try {
    std::forward<SetUpSteps>(steps)();
  } catch (const DataStop& stop) {
    std::fprintf(stderr, "the harness's set-up stopped: %s\n", stop.text.c_str());
    std::abort();
  }
}

// A stop of shipped data must name the file it is about.
inline void expectNamed(const DataStop& stop, std::string_view file) {
  if (stop.text.find(file) == std::string::npos) {
    std::fprintf(stderr, "a stop that does not name %.*s: %s\n", static_cast<int>(file.size()), file.data(),
                 stop.text.c_str());
    std::abort();
  }
}

}  // namespace FuzzSupport
