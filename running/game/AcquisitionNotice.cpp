#include "running/game/AcquisitionNotice.h"

#include <algorithm>
#include <limits>

#include "running/game/GameData.h"
#include "live/article/Article.h"
#include "presentation/widget/ListMenu.h"
#include "records/database/ToolData.h"

namespace Game {

using Engine::i32;
using Engine::i64;

namespace {

constexpr Engine::u32 kHeadingColor = 0xFFFFFF80;
constexpr Engine::u32 kLineColor = 0xFFC0C0C0;
constexpr i32 kFont = 1;

// a + b held in 32 bits: loaded money and gains may be anything.
i32 saturatedSum(i32 a, i32 b) {
  const i64 sum = static_cast<i64>(a) + b;
  return static_cast<i32>(std::clamp<i64>(sum, std::numeric_limits<i32>::min(), std::numeric_limits<i32>::max()));
}

}  // namespace

void AcquisitionNotice::addItem(const ToolData* item) {
  if (item) {
    mItems.push_back(item);
  }
}

void AcquisitionNotice::addMoney(i32 n) { mMoney = saturatedSum(mMoney, n); }

ListMenu* AcquisitionNotice::post(OwnedList<ListMenu>& queue) {
  if (isEmpty()) {
    return nullptr;
  }
  ListMenu* window = ListMenu::create();
  queue.pushBack(window);
  if (mSource.length() > 0) {
    window->addText(mSource.c_str(), kHeadingColor, kFont);
  }
  if (mMoney != 0) {
    String line("");
    line.appendInt(mMoney);
    line.append(kMoneyUnit);
    window->addText(line.c_str(), kLineColor, kFont);
    mGame.money() = saturatedSum(mGame.money(), mMoney);
  }
  for (const ToolData* item : mItems) {
    window->addText(item->displayName(), kLineColor, kFont);
    mGame.bag().add(Article::fromItem(item), 1);
  }
  window->setPosition(0.f, 0.f);
  mMoney = 0;
  mItems.clear();
  mSource.assign("");
  return window;
}

}  // namespace Game
