#pragma once

#include "Engine/Base/Types.h"
#include "core/string/String.h"

namespace Game {

// Names numbered image files (prefix + five digits + ".bmp") on from the
// first name that is free on disk, and captures the screen into them.
class OutputNamer {
 public:
  static constexpr const char* kScreenshotPrefix = "snapshot/ss";
  static constexpr const char* kRecordPrefix = "record/";

  // Screenshots probe one number at a time; record mode probes blocks of
  // 10000, so that each recording starts a block of its own.
  explicit OutputNamer(bool recordMode);

  // Skips numbers whose files exist, by step; with capture, the back buffer
  // is written under the free name and the number moves on by one.
  void nextName(bool capture, Engine::i32 step);
  void capture() { nextName(true, 1); }

  // The name for the current number.
  String currentName() const;
  Engine::i32 number() const { return mNumber; }

 private:
  const char* mPrefix;
  Engine::i32 mNumber = 0;
};

}  // namespace Game
