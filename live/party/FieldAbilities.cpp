#include "live/party/FieldAbilities.h"

#include "records/ability/AbilityList.h"

namespace Game {

namespace {

float levelOf(const AbilityList& abilities, const char* name) {
  return static_cast<float>(abilities.levelOfNamed(name));
}

}  // namespace

void FieldAbilities::read(const AbilityList& abilities) {
  hide = abilities.has("隠れ身");
  sneak = abilities.has("忍び足");
  clairvoyance = abilities.levelOfNamed("千里眼");
  lockpicking = abilities.levelOfNamed("鍵開け");
  encounterAvoidance = levelOf(abilities, "エンカウント回避") * 0.2f;
  ambushFactor = 1.f - levelOf(abilities, "奇襲回避") * 0.3f;
  backAttackFactor = 1.f - levelOf(abilities, "バックアタック回避") * 0.3f;
  forestallFactor = 1.f + levelOf(abilities, "奇襲サポート") * 0.5f;
  dash = abilities.has("ダッシュ");
  luck = abilities.levelOfNamed("幸運");
  merchant = abilities.has("あきんど");
}

}  // namespace Game
