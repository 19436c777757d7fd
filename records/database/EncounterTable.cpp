#include "records/database/EncounterTable.h"

#include "core/file/nml/NmlNode.h"
#include "records/database/MapReading.h"

namespace Game {

using Engine::i32;

namespace {

constexpr Engine::f32 kPercent = 100.0f;

}  // namespace

void EncounterGroup::read(const NmlNode& node) {
  for (i32 i = 0; i < node.countAttributes("race"); ++i) {
    const NmlAttribute* line = node.findAttribute("race", i);
    for (i32 item = 0; item < line->itemCount(); ++item) {
      races.emplace_back(line->toString(item));
    }
  }
  for (i32 i = 0; i < node.countAttributes("member"); ++i) {
    const NmlAttribute* line = node.findAttribute("member", i);
    members.push_back({line->toString(0), line->toInt(1), line->toInt(2)});
  }
  priority = MapReading::number(node, "priority", priority);
  rank = MapReading::number(node, "rank", rank * kPercent) / kPercent;
  backAttack = MapReading::number(node, "backAttack", backAttack * kPercent) / kPercent;
  forestall = MapReading::number(node, "forestall", forestall * kPercent) / kPercent;
}

void EncounterTable::load(const NmlNode& node) {
  mGroups.clear();
  mFrequency = MapReading::number(node, "frequency", kPercent) / kPercent;
  mScene = MapReading::text(node, "scene");
  if (MapReading::present(node, "none")) {
    return;
  }
  const i32 n = node.countChildren("group");
  for (i32 i = 0; i < n; ++i) {
    mGroups.emplace_back().read(*node.findChild("group", i));
  }
}

}  // namespace Game
