#pragma once

#include "Engine/Base/Types.h"
#include "core/container/OwnedList.h"
#include "presentation/motion/Tween.h"
#include "presentation/render/RenderState.h"

namespace Game {

class Model;

// Items as models evenly on a circle that turns the item under the cursor to
// the top. It opens with a flourish: a full turn unwinding while the radius
// grows from far below to its size; input waits until that is over.
class RingMenu {
 public:
  struct Item {
    Model* model = nullptr;
    Engine::i32 id = 0;
    RenderState state;
  };

  // durationFrames for a one-item turn; the opening takes twice as long.
  RingMenu(float durationFrames, float radius);

  Item* addItem(Engine::i32 id, Model* model);
  Item* findItem(Engine::i32 id) const;
  // The number of items when no item has the id.
  Engine::i32 indexOfId(Engine::i32 id) const;
  // The cursor is not wrapped, so that turning past the end keeps turning
  // the same way.
  void setCursor(Engine::i32 position);
  void setCursorById(Engine::i32 id) { setCursor(indexOfId(id)); }
  // The id of the item under the cursor; -1 without items.
  Engine::i32 selectedItem() const;
  void finishOpening();
  // The flourish again from its start (the ring may have been built long
  // before it shows).
  void startOpening();

  // Once per frame: 0 nothing, 1 decided, 2 cancelled.
  Engine::i32 update();
  void draw(const RenderState& baseState, float time);

  Engine::i32 cursor() const { return mCursor; }
  Engine::i32 itemCount() const { return mItems.count(); }
  const Tween& rotation() const { return mRotation; }
  const Tween& radius() const { return mRadius; }
  const Tween& spin() const { return mSpin; }
  Engine::i32 openingFramesLeft() const { return mOpeningFramesLeft; }

 private:
  OwnedList<Item> mItems;
  Engine::i32 mCursor = 0;
  Tween mRotation;
  Tween mRadius;
  Tween mSpin;
  Engine::i32 mFrameCount = 0;
  Engine::i32 mOpeningFramesLeft = 0;
  float mDuration;
  float mRadiusSize;
};

}  // namespace Game
