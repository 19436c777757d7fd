// Every effect of the factory drawn offscreen on the frame it shows its
// results (its last frame for one that shows none), three targets hit, the
// frames shrunk into one contact sheet kept as an image of the build tree.

#include <memory>
#include <string>

#include "effect/Cast.h"
#include "effect/EffectFactory.h"
#include "tests/render/effect/EffectRender.h"

namespace RenderTest {
namespace {

constexpr int kShrink = 8;
constexpr int kColumns = 12;
constexpr int kFrameCap = 400;

class ContactSheetRender : public EffectRender {
 protected:
  ContactSheetRender() : EffectRender(61) {}

  // A caster and three targets afresh on an empty pool, all targets hit.
  EffectTestSupport::RecordingAction& freshAction() {
    clearBattle();
    Game::Unit& caster = unit(0, 1, 2, "Kessa");
    EffectTestSupport::RecordingAction& action = hitAction(caster, unit(1, 1, 2, "泥スライム"));
    action.add(unit(1, 0, 1, "Kessa"), Game::Effect::ActionRecord::kDamage);
    action.add(unit(1, 2, 3, "泥スライム"), Game::Effect::ActionRecord::kDamage);
    return action;
  }
  // The frame copied into its tile of the sheet, one pixel in kShrink.
  static void pasteTile(Image& sheet, const Image& frame, int index) {
    const u32 tileWidth = frame.width / kShrink;
    const u32 tileHeight = frame.height / kShrink;
    const u32 left = static_cast<u32>(index % kColumns) * tileWidth;
    const u32 top = static_cast<u32>(index / kColumns) * tileHeight;
    for (u32 y = 0; y < tileHeight; ++y) {
      for (u32 x = 0; x < tileWidth; ++x) {
        sheet.pixels[std::size_t{top + y} * sheet.width + left + x] = frame.at(x * kShrink, y * kShrink);
      }
    }
  }

};

TEST_F(ContactSheetRender, EveryEffectDrawnOnItsApplyFrame) {
  const auto rows = Game::Effect::factoryRows();
  const int count = static_cast<int>(rows.size());
  Image sheet;
  for (int i = 0; i < count; ++i) {
    EffectTestSupport::RecordingAction& action = freshAction();
    std::unique_ptr<Game::Effect::Cast> effect = Game::Effect::Cast::create(rows[i].name);
    ASSERT_NE(effect, nullptr) << rows[i].className;
    effect->bind(action);
    int answer = Game::Effect::Cast::kRunning;
    for (int frame = 0; frame < kFrameCap && action.resultsShown == 0 && answer != Game::Effect::Cast::kFinished;
         ++frame) {
      answer = effect->tick();
      stage.pool.update();
    }
    stage.pool.draw();
    const Image frame = finishFrame();
    nextFrame();
    if (sheet.pixels.empty()) {
      sheet.width = frame.width / kShrink * kColumns;
      sheet.height = frame.height / kShrink * static_cast<u32>((count + kColumns - 1) / kColumns);
      sheet.pixels.assign(std::size_t{sheet.width} * sheet.height, kBlack);
    }
    pasteTile(sheet, frame, i);
    EXPECT_TRUE(stage.failures.empty()) << rows[i].className << ": " << stage.failures.front();
    stage.failures.clear();
  }
  keep(sheet, "effect_contact_sheet.tga");
}

}  // namespace
}  // namespace RenderTest
