#include "core/playtime/PlayTime.h"

#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kFramesPerHour = 216000;
constexpr i32 kFramesPerMinute = 3600;

}  // namespace

void PlayTime::set(i32 frames) {
  mLow = frames % kWrap;
  mHigh = frames / kWrap;
}

void PlayTime::tick() {
  ++mLow;
  if (mLow >= kWrap) {
    mLow = 0;
    ++mHigh;
  }
}

void PlayTime::read(const NmlAttribute& attribute) {
  const i32 low = attribute.toInt(0);
  const i32 high = attribute.toInt(1);
  mLow = low < 0 ? 0 : low % kWrap;
  const Engine::i64 carried = static_cast<Engine::i64>(high < 0 ? 0 : high) + (low < 0 ? 0 : low / kWrap);
  mHigh = static_cast<i32>(carried > 0x7FFFFFFF ? 0x7FFFFFFF : carried);
}

void PlayTime::write(NmlNode& node, const char* key) const {
  NmlAttribute* line = node.addAttribute(key);
  line->addInt(mLow);
  line->addInt(mHigh);
}

String PlayTime::format() const {
  String text;
  text.assignNumber(mLow / kFramesPerHour, 4, false);
  text.append("時間");
  String minutes;
  minutes.assignNumber(mLow % kFramesPerHour / kFramesPerMinute, 2, true);
  text.append(minutes.c_str());
  text.append("分");
  return text;
}

}  // namespace Game
