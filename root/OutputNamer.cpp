#include "root/OutputNamer.h"

#include "Engine/Base/DebugStream.h"
#include "Engine/Graphics/Manager.h"
#include "core/file/FileSystem.h"

namespace Game {

namespace {

constexpr Engine::i32 kRecordBlock = 10000;
// Five digits: past this every name would wrap onto one already taken.
constexpr Engine::i32 kLastNumber = 99999;

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

// Once every name is taken the probing stops and nothing is captured.
void OutputNamer::nextName(bool capture, Engine::i32 step) {
  while (mNumber <= kLastNumber && FileSystem::exists(currentName().c_str())) {
    mNumber += step;
  }
  if (mNumber > kLastNumber) {
    if (capture) {
      Engine::cout << "no free name left for " << mPrefix << Engine::endl;
    }
    return;
  }
  if (capture) {
    Engine::Graphics::Manager::instance().captureScreen(currentName().c_str());
    ++mNumber;
  }
}

}  // namespace Game
