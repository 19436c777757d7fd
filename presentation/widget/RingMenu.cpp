#include "presentation/widget/RingMenu.h"

#include "core/input/KeyInput.h"
#include "presentation/render/Transform.h"
#include "presentation/ui/ModelDraw.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kRingRepeatRate = 4;
constexpr i32 kRingDecideKey = 5;
constexpr i32 kRingCancelKey = 6;
constexpr float kOpeningTurn = 360.f;
constexpr float kOpeningRadiusFactor = -10.f;

}  // namespace

RingMenu::RingMenu(float durationFrames, float radius) : mDuration(durationFrames), mRadiusSize(radius) {
  mRotation.setDuration(durationFrames);
  mRadius.setDuration(2.f * durationFrames);
  mSpin.setDuration(2.f * durationFrames);
  mRotation.setTarget(0.f);
  startOpening();
}

void RingMenu::startOpening() {
  mRadius.setTarget(kOpeningRadiusFactor * mRadiusSize);
  mRadius.finish();
  mRadius.setTarget(mRadiusSize);
  mSpin.setTarget(kOpeningTurn);
  mSpin.finish();
  mSpin.setTarget(0.f);
  mOpeningFramesLeft = static_cast<i32>(2.f * mDuration);
}

RingMenu::Item* RingMenu::addItem(i32 id, Model* model) {
  Item* item = mItems.addNew();
  item->id = id;
  item->model = model;
  return item;
}

RingMenu::Item* RingMenu::findItem(i32 id) const {
  for (OwnedList<Item>::Iterator it(mItems); !it.isEnd(); it.next()) {
    if (it.value()->id == id) {
      return it.value();
    }
  }
  return nullptr;
}

i32 RingMenu::indexOfId(i32 id) const {
  i32 index = 0;
  for (OwnedList<Item>::Iterator it(mItems); !it.isEnd(); it.next(), ++index) {
    if (it.value()->id == id) {
      return index;
    }
  }
  return index;
}

// With no items there is no step to turn by: the ring stays where it is.
void RingMenu::setCursor(i32 position) {
  mCursor = position;
  const i32 count = mItems.count();
  if (count > 0) {
    mRotation.setTarget(static_cast<float>(position) * (-360.f / static_cast<float>(count)));
  }
}

i32 RingMenu::selectedItem() const {
  const i32 count = mItems.count();
  if (count == 0) {
    return -1;
  }
  return mItems.at(((mCursor % count) + count) % count)->id;
}

void RingMenu::finishOpening() {
  mOpeningFramesLeft = 0;
  mRotation.finish();
  mRadius.finish();
  mSpin.finish();
}

i32 RingMenu::update() {
  ++mFrameCount;
  --mOpeningFramesLeft;
  mRotation.step();
  mRadius.step();
  mSpin.step();
  if (mOpeningFramesLeft >= 1) {
    return 0;
  }
  if (!mItems.isEmpty()) {
    i32 step = 0;
    if (KeyInput::isRepeated(KeyInput::kRight, kRingRepeatRate)) step = 1;
    if (KeyInput::isRepeated(KeyInput::kLeft, kRingRepeatRate)) step = -1;
    if (step != 0) {
      setCursor(mCursor + step);
    }
  }
  if (KeyInput::isRepeated(kRingDecideKey, kRingRepeatRate)) {
    return 1;
  }
  return KeyInput::isRepeated(kRingCancelKey, kRingRepeatRate) ? 2 : 0;
}

void RingMenu::draw(const RenderState& baseState, float time) {
  const i32 count = mItems.count();
  if (count == 0) {
    return;
  }
  const float step = 360.f / static_cast<float>(count);
  i32 k = 0;
  for (OwnedList<Item>::Iterator it(mItems); !it.isEnd(); it.next(), ++k) {
    RenderState state = RenderState::combined(baseState, it.value()->state);
    Transform turn;
    turn.rotation.set(0.f, 0.f, step * static_cast<float>(k) + mRotation.value() + mSpin.value());
    Transform lift;
    lift.position.set(0.f, mRadius.value(), 0.f);
    state.applyTransform(turn);
    state.applyTransform(lift);
    state.frontEnd = true;
    drawModel(it.value()->model, state, time);
  }
}

}  // namespace Game
