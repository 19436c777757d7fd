#include "records/table/StateData.h"

#include <cstring>

#include "records/stats/Parameters.h"
#include "core/file/nml/NmlNode.h"
#include "records/table/RecordReading.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kStatusStep = 8;

StateData::Type typeOf(const char* word) {
  if (std::strcmp(word, "statusUp") == 0) {
    return StateData::kStatusUp;
  }
  if (std::strcmp(word, "statusDown") == 0) {
    return StateData::kStatusDown;
  }
  return StateData::kOther;
}

}  // namespace

void StateData::read(const NmlNode& node) {
  mName.assign(RecordReading::required(node, "name").toString(0));
  if (const NmlAttribute* line = node.findAttribute("timer")) {
    mTimer = line->toInt(0);
  }
  if (const NmlAttribute* line = node.findAttribute("vanish")) {
    mVanish = line->toInt(0);
  }
  if (const NmlAttribute* line = node.findAttribute("overWrite")) {
    mOverWrite = line->toInt(0);
  }
  mHarm = node.findAttribute("harm") != nullptr;
  mCritical = node.findAttribute("critical") != nullptr;
  if (const NmlAttribute* type = node.findAttribute("type")) {
    mType = typeOf(type->toString(0));
    if (const NmlAttribute* parameter = node.findAttribute("parameter")) {
      mParameter = parameter->toInt(0);
    }
  }
}

bool StateData::is(const char* name) const { return name && mName.equals(name); }

void StateData::applyTo(Parameters& parameters) const {
  if (mType == kOther || mParameter < 0 || mParameter >= Parameters::kCount) {
    return;
  }
  parameters[mParameter] += mType == kStatusUp ? kStatusStep : -kStatusStep;
}

}  // namespace Game
