// What event scripts do to the open floor: symbols taken away, the automap
// filled, chests counted, enemies frozen or blown away, the camera's follow
// symbol and angles, and changes of floor.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "field/FieldEffect.h"
#include "field/FieldScene.h"
#include "records/database/MapSiteData.h"

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

// The symbols that pass the test, gathered before any is taken away.
template <class Test>
std::vector<Field::Symbol*> symbolsWhere(const std::vector<std::unique_ptr<Field::Symbol>>& symbols, Test test) {
  std::vector<Field::Symbol*> found;
  for (const auto& symbol : symbols) {
    if (test(*symbol)) {
      found.push_back(symbol.get());
    }
  }
  return found;
}

}  // namespace

void FieldScene::removeSymbolsNamed(const char* name) {
  const std::string gone = name ? name : "";
  for (Field::Symbol* symbol : symbolsWhere(mSymbols, [&gone](const Field::Symbol& s) { return s.name() == gone; })) {
    removeSymbol(*symbol);
  }
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
  for (Field::Symbol* symbol : symbolsWhere(mSymbols, [&player](const Field::Symbol& s) {
         return s.isEnemy() && isWithin(s, player, kVanishRadius);
       })) {
    removeSymbol(*symbol);
  }
}

void FieldScene::setFloorAngle(float angle) {
  mFloorAngle = angle;
  mCameraPitch = static_cast<float>(static_cast<i32>(kBasePitch + (mSite ? mSite->angle() : 0.f) + mFloorAngle));
}

}  // namespace Game
