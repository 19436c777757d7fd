// What event scripts do to the open floor: symbols taken away, the automap
// filled, chests counted, enemies frozen or blown away, the camera's follow
// symbol and angles, and changes of floor.
#include <algorithm>
#include <string>

#include "field/FieldEffect.h"
#include "field/FieldScene.h"
#include "resource/database/MapSiteData.h"

namespace Game {

using Engine::i32;

namespace {

constexpr const char* kChestsBefore = "このフロアには宝箱が";
constexpr const char* kChestsAfter = "個あるみたいだ";
constexpr const char* kNoChests = "このフロアには宝箱はないみたい……";

// Distance on the ground plane: a symbol up a step is no farther away.
bool isWithin(const Field::Symbol& symbol, const Field::Symbol& centre, float radius) {
  const float dx = symbol.position().x - centre.position().x;
  const float dy = symbol.position().y - centre.position().y;
  return dx * dx + dy * dy <= radius * radius;
}

}  // namespace

void FieldScene::removeSymbolsNamed(const char* name) {
  const std::string gone = name ? name : "";
  const auto named = [&gone](const Field::Symbol* symbol) { return symbol->name() == gone; };
  std::erase_if(mTouchQueue, named);
  if (mFollowed && named(mFollowed)) {
    mFollowed = nullptr;
  }
  if (mPlayer && named(mPlayer)) {
    mPlayer = nullptr;
  }
  std::erase_if(mSymbols, [&named](const auto& symbol) { return named(symbol.get()); });
}

void FieldScene::completeFloorMap() { std::fill(mMapped.begin(), mMapped.end(), Engine::u8{1}); }

i32 FieldScene::seekContainers() {
  const auto count = std::count_if(mSymbols.begin(), mSymbols.end(),
                                   [](const auto& symbol) { return symbol->isContainer(); });
  const std::string line = count > 0 ? kChestsBefore + std::to_string(count) + kChestsAfter : kNoChests;
  say(nullptr, line.c_str());
  return static_cast<i32>(count);
}

void FieldScene::freezeEnemies() {
  if (!mPlayer) {
    return;
  }
  mEffect = std::make_unique<Field::Icicle>();
  mEffect->spawn(*this, mPlayer->position());
  for (const auto& symbol : mSymbols) {
    if (symbol->isEnemy() && isWithin(*symbol, *mPlayer, kFreezeRadius)) {
      symbol->clearCommands();
      symbol->controller().addWait(kFreezeFrames);
    }
  }
}

void FieldScene::vanishEnemies() {
  if (!mPlayer) {
    return;
  }
  mEffect = std::make_unique<Field::Explode>();
  mEffect->spawn(*this, mPlayer->position());
  const Field::Symbol& player = *mPlayer;
  const auto blown = [&player](const Field::Symbol* symbol) {
    return symbol->isEnemy() && isWithin(*symbol, player, kVanishRadius);
  };
  std::erase_if(mTouchQueue, blown);
  std::erase_if(mSymbols, [&blown](const auto& symbol) { return blown(symbol.get()); });
}

void FieldScene::setFloorAngle(float angle) {
  mFloorAngle = angle;
  mCameraPitch = static_cast<float>(static_cast<i32>(kBasePitch + (mSite ? mSite->angle() : 0.f) + mFloorAngle));
}

}  // namespace Game
