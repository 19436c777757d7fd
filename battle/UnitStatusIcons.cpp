// The status icons over a unit in battle, and its messages shown from there.

#include "battle/UnitStatusIcons.h"

#include "Engine/Math/Vector3.h"
#include "battle/UnitMessageView.h"
#include "live/Unit.h"
#include "presentation/render/RenderState.h"
#include "presentation/render/Transform.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/ui/ModelDraw.h"
#include "records/Database.h"
#include "records/database/BattlePictures.h"

namespace Game {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

// When a unit shows an icon: while charging, while held back after an art,
// while it holds the state, or while the state's level is not 0 (the
// states read as factors, which are 1 exactly at level 0).
enum class Shows { kCharging, kHeldBack, kHeld, kChanged };

struct IconRule {
  const char* set;
  const char* state;
  Shows when;
};

// "カウンター無効付加" has no set of its own: it shows the charm's ("幸運").
constexpr IconRule kIconRules[] = {
    {"チャージ", nullptr, Shows::kCharging},
    {"反動", nullptr, Shows::kHeldBack},
    {"ElementalCrystalRing", "ElementalCrystalRing", Shows::kHeld},
    {"麻痺", "麻痺", Shows::kHeld},
    {"暗闇", "暗闇", Shows::kHeld},
    {"毒", "毒", Shows::kHeld},
    {"発狂", "発狂", Shows::kHeld},
    {"呪い", "呪い", Shows::kHeld},
    {"睡眠", "睡眠", Shows::kHeld},
    {"封印", "封印", Shows::kHeld},
    {"マジックバリア", "マジックバリア", Shows::kChanged},
    {"集中", "集中", Shows::kHeld},
    {"チャージアップ", "チャージアップ", Shows::kChanged},
    {"幸運", "カウンター無効付加", Shows::kHeld},
    {"ディレイ", "ディレイ", Shows::kHeld},
    {"恐怖", "恐怖", Shows::kHeld},
    {"CrimsonFocus", "CrimsonFocus", Shows::kHeld},
    {"FloatingBellSplash", "FloatingBellSplash", Shows::kHeld},
};

bool shows(const Unit& unit, const IconRule& rule) {
  switch (rule.when) {
    case Shows::kCharging:
      return unit.charge() > 0;
    case Shows::kHeldBack:
      return unit.hold() > 0;
    case Shows::kHeld:
      return unit.stateLevel(rule.state) > 0;
    case Shows::kChanged:
      return unit.stateLevel(rule.state) != 0;
  }
  return false;
}

}  // namespace

void UnitStatusIcons::collect(const Unit& unit, std::vector<const char*>& out) {
  out.clear();
  for (const IconRule& rule : kIconRules) {
    if (shows(unit, rule)) {
      out.push_back(rule.set);
    }
  }
}

float UnitStatusIcons::iconX(float x, i32 i, i32 count) {
  return x + (static_cast<float>(i) - static_cast<float>(count - 1) / 2.f) * kStep;
}

void UnitStatusIcons::draw(SceneNodePool& pool, Unit& unit, PictureLookup pictures) {
  drawIcons(unit, pictures);
  UnitMessageView messages(pool, unit);
  unit.messages().update(messages);
}

// Over the head's point on the screen, in front of the scene.
void UnitStatusIcons::drawIcons(const Unit& unit, PictureLookup pictures) {
  const SceneRenderer* renderer = SceneRenderer::instance();
  std::vector<const char*> sets;
  collect(unit, sets);
  if (!renderer || sets.empty()) {
    return;
  }
  Vector3 head;
  unit.pointAlong(head, Vector3(0.f, 0.f, 1.f));
  Vector3 screen;
  renderer->project(&screen, head);
  const i32 count = static_cast<i32>(sets.size());
  for (i32 i = 0; i < count; ++i) {
    RenderState state;
    state.transform.setTranslation(iconX(screen.x, i, count) / Transform::kWorldUnitsPerMatrixUnit,
                                   (screen.y + kRaise) / Transform::kWorldUnitsPerMatrixUnit, 0.f);
    state.frontEnd = true;
    drawModel(pictures(sets[static_cast<std::size_t>(i)]), state, static_cast<float>(interfaceFrameCount()));
  }
}

Model* UnitStatusIcons::iconPicture(const char* set) {
  Database* database = Database::instance();
  PictureList* pictures = database ? database->maps().battle.stateSet(set) : nullptr;
  return pictures ? pictures->find(kIconModel) : nullptr;
}

}  // namespace Game
