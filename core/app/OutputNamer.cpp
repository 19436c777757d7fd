#include "core/app/OutputNamer.h"

#include "Engine/Graphics/Manager.h"
#include "file/FileSystem.h"

namespace Game {

namespace {

constexpr Engine::i32 kRecordBlock = 10000;

}  // namespace

OutputNamer::OutputNamer(bool recordMode) : mPrefix(recordMode ? kRecordPrefix : kScreenshotPrefix) {
  nextName(false, recordMode ? kRecordBlock : 1);
}

String OutputNamer::currentName() const {
  String name(mPrefix);
  String digits;
  digits.assignNumber(mNumber, 5, true);
  name.append(digits.c_str());
  name.append(".bmp");
  return name;
}

void OutputNamer::nextName(bool capture, Engine::i32 step) {
  while (FileSystem::exists(currentName().c_str())) {
    mNumber += step;
  }
  if (capture) {
    Engine::Graphics::Manager::instance().captureScreen(currentName().c_str());
    ++mNumber;
  }
}

}  // namespace Game
