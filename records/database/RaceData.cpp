#include "records/database/RaceData.h"

#include "core/string/StringRef.h"
#include "core/file/nml/NmlNode.h"
#include "records/Database.h"
#include "core/file/DataError.h"
#include "records/table/RecordReading.h"

namespace Game {

using Engine::i32;
using namespace RecordReading;

namespace {

float readFloat(const NmlNode& node, const char* key) {
  const NmlAttribute* line = node.findAttribute(key);
  return line ? line->toFloat(0) : 0.f;
}

i32 senseOf(const char* word) {
  if (StringRef(word) == "第六感") {
    return RaceData::kSixthSense;
  }
  if (StringRef(word) == "聴覚") {
    return RaceData::kHearing;
  }
  return RaceData::kSight;
}

}  // namespace

void RaceData::read(const NmlNode& node) {
  readText(node, "name", mName);
  for (i32 i = 0; const NmlAttribute* line = node.findAttribute("member", i); ++i) {
    const EnemyData* enemy = Database::instance()->findEnemy(line->toString(0));
    if (!enemy) {
      DataError::unknownName(__FILE__, __LINE__, "enemy", line->toString(0));
    }
    mMembers.push_back(enemy);
  }
  readText(node, "symbol", mSymbol);
  for (i32 i = 0; i < node.countChildren("pattern"); ++i) {
    const NmlNode& child = *node.findChild("pattern", i);
    Pattern pattern;
    pattern.passiveSpeed = readFloat(child, "passiveSpeed");
    pattern.activeSpeed = readFloat(child, "activeSpeed");
    readInt(child, "activeTime", pattern.activeTime);
    pattern.senseRange = readFloat(child, "senseRange");
    mPatterns.push_back(pattern);
  }
  if (const NmlAttribute* line = node.findAttribute("sense")) {
    mSense = senseOf(line->item(0));
  }
}

}  // namespace Game
