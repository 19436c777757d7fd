#include "live/article/ItemDefenseLines.h"

#include "records/stats/DefenseBlock.h"
#include "records/constance/Constance.h"

namespace Game {

using Engine::i32;

namespace {

// The elements worth telling the player about (水 音 精神攻撃 レーザー 凝視 電気).
constexpr i32 kToldElements[] = {5, 8, 11, 12, 13, 16};

void addLine(std::vector<String>& lines, const char* name, bool strong) {
  String line(name);
  line.append(strong ? "に強い" : "に弱い");
  lines.push_back(line);
}

}  // namespace

void ItemDefenseLines(const DefenseBlock& defense, std::vector<String>& lines) {
  const Constance& constants = *Constance::instance();
  for (i32 t = 0; t < DefenseBlock::kTypeCount; ++t) {
    if (defense.typeDefense(t) != 0) {
      addLine(lines, constants.attributeName(t), defense.typeDefense(t) > 0);
    }
  }
  for (i32 e : kToldElements) {
    const float factor = defense.factors()[e];
    if (factor != 1.f) {
      addLine(lines, constants.abilityFlagName(e), factor < 1.f);
    }
  }
}

}  // namespace Game
