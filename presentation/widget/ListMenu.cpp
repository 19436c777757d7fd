#include "presentation/widget/ListMenu.h"

#include <algorithm>

#include "core/input/KeyInput.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/ui/UiDraw.h"

namespace Game {

using Engine::i32;
using Engine::u32;

namespace {

constexpr i32 kRepeatRate = 4;
constexpr i32 kDecideKey = 5;
constexpr i32 kCancelKey = 6;
constexpr i32 kPageUpKey = 10;
constexpr i32 kPageDownKey = 11;
constexpr u32 kTextColor = 0xFFC0C0C0;
constexpr u32 kTrackColor = 0x88888888;
constexpr u32 kThumbColor = 0xFFFFFFFF;
constexpr float kScrollBarWidth = 8.f;
constexpr float kMarkOffset = 4.f;
constexpr i32 kYesId = 1;
constexpr i32 kNoId = 2;

}  // namespace

void ListMenu::reset() {
  clear();
  mWidth = 0.f;
  mHeight = 0.f;
  mScroll = 0.f;
  mFramesOpen = 0;
  mKeepTopLeft = true;
  mCursor = 0;
  mHasCursor = false;
  mFrameStyle = -1;
  mSideKeys = 2;
  mScreenPlaced = true;
  mTitle.assign("");
  mTitleHeight = 0.f;
  mTitleFont = 0;
  mTitleColor = 0xFFFFFFFF;
  mMaxChoices = 1;
  mChosen.clear();
}

void ListMenu::clear() {
  mItems.clear();
  mNextX = 0.f;
  mNextY = 0.f;
  mContentHeight = 0.f;
  mVisibleSelectable = 0;
}

i32 ListMenu::addEntry(Widget::Widget* widget, bool selectable) {
  widget->selectable = selectable;
  const i32 index = mItems.count();
  if (!mHasCursor && selectable) {
    mHasCursor = true;
    mCursor = index;
  }
  widget->x = mNextX;
  widget->y = mNextY;
  mItems.pushBack(widget);
  mContentHeight = std::max(mContentHeight, static_cast<float>(static_cast<i32>(widget->height - widget->y)));
  mWidth = std::max(mWidth, widget->x + widget->width);
  mHeight = std::max(mHeight, -widget->y + widget->height);
  mNextY -= widget->height;
  return index;
}

Widget::Text* ListMenu::addTextWidget(const char* text, u32 argb, i32 font, bool selectable) {
  auto* widget = new Widget::Text();
  widget->set(text, argb, font);
  addEntry(widget, selectable);
  return widget;
}

Widget::Text* ListMenu::addText(const char* text, u32 argb, i32 font) {
  return addTextWidget(text, argb, font, false);
}

Widget::Text* ListMenu::addItem(const char* text, i32 id, u32 argb, i32 font) {
  Widget::Text* widget = addTextWidget(text, argb, font, true);
  widget->id = id;
  return widget;
}

void ListMenu::appendWidget(Widget::Widget* widget) { mItems.pushBack(widget); }

void ListMenu::setItemId(i32 index, i32 id) {
  if (Widget::Widget* widget = item(index)) {
    widget->id = id;
  }
}

Widget::Widget* ListMenu::findById(i32 id) const {
  for (OwnedList<Widget::Widget>::Iterator it(mItems); !it.isEnd(); it.next()) {
    if (it.value()->id == id) {
      return it.value();
    }
  }
  return nullptr;
}

bool ListMenu::isSelectable(i32 index) const {
  const Widget::Widget* widget = item(index);
  return widget && widget->selectable;
}

Widget::Widget* ListMenu::item(i32 index) const {
  if (index < 0) {
    return nullptr;
  }
  i32 i = 0;
  for (OwnedList<Widget::Widget>::Iterator it(mItems); !it.isEnd(); it.next(), ++i) {
    if (i == index) {
      return it.value();
    }
  }
  return nullptr;
}

void ListMenu::setTitle(const char* text, i32 font, u32 argb) {
  i32 columns = 0;
  i32 rows = 0;
  i32 w = 0;
  i32 h = 0;
  TextWriter::measure(&columns, &rows, &w, &h, text, font);
  mTitle.assign(text);
  mTitleFont = font;
  mTitleColor = argb;
  mTitleHeight = static_cast<float>(h);
  mWidth = std::max(mWidth, static_cast<float>(w));
}

void ListMenu::setNextItemPosition(float x, float y) {
  mNextX = x;
  mNextY = y;
}

void ListMenu::setVisibleRows(i32 n) {
  i32 found = 0;
  for (OwnedList<Widget::Widget>::Iterator it(mItems); !it.isEnd(); it.next()) {
    if (it.value()->selectable && ++found == n) {
      mHeight = -it.value()->y + it.value()->height;
      return;
    }
  }
}

void ListMenu::setPosition(float x, float y) {
  mX = x;
  mY = y;
  mKeepTopLeft = false;
  mScreenPlaced = true;
}

void ListMenu::placeCentered(float x, float y) {
  mX = x + mWidth / 2.f;
  mY = y - mHeight / 2.f;
  mKeepTopLeft = true;
  mScreenPlaced = true;
}

void ListMenu::setWorldAnchor(const Engine::Math::Vector3& point) {
  mX = point.x;
  mY = point.y;
  mZ = point.z;
  mKeepTopLeft = false;
  mScreenPlaced = false;
}

void ListMenu::setSize(float width, float height) {
  if (!mKeepTopLeft) {
    mWidth = width;
    mHeight = height;
    return;
  }
  const float left = mX - mWidth / 2.f;
  const float top = mY + mHeight / 2.f;
  mWidth = width;
  mHeight = height;
  placeCentered(left, top);
}

void ListMenu::growTo(float width, float height) { setSize(std::max(width, mWidth), std::max(height, mHeight)); }

void ListMenu::shrinkTo(float width, float height) { setSize(std::min(width, mWidth), std::min(height, mHeight)); }

void ListMenu::fitWidthToItem(const Widget::Widget& item, bool grow) {
  const float right = item.x + item.width;
  grow ? growTo(right, 1.f) : shrinkTo(right, 1024.f);
}

void ListMenu::fitHeightToItem(const Widget::Widget& item, bool grow) {
  const float bottom = -item.y + item.height;
  grow ? growTo(1.f, bottom) : shrinkTo(1024.f, bottom);
}

void ListMenu::centre(float* x, float* y) const {
  *x = mX;
  *y = mY;
  const SceneRenderer* renderer = SceneRenderer::instance();
  if (!mScreenPlaced && renderer) {
    Engine::Math::Vector3 screen;
    renderer->project(&screen, Engine::Math::Vector3(mX, mY, mZ));
    *x = screen.x;
    *y = screen.y;
  }
}

float ListMenu::rowY(float fraction) const {
  float x = 0.f;
  float y = 0.f;
  centre(&x, &y);
  return y + mHeight / 2.f - (mHeight + mTitleHeight) * fraction;
}

float ListMenu::columnX(float fraction) const {
  float x = 0.f;
  float y = 0.f;
  centre(&x, &y);
  return x - mWidth / 2.f + mWidth * fraction;
}

bool ListMenu::isItemVisible(const Widget::Widget& item) const {
  return mScroll + item.y <= 0.f && mScroll + item.y >= item.height - mHeight;
}

float ListMenu::cursorX(i32 index) const {
  const Widget::Widget* widget = item(index);
  return widget ? contentLeft() + widget->x + widget->cursorOffsetX : contentLeft();
}

float ListMenu::cursorY(i32 index) const {
  const Widget::Widget* widget = item(index);
  return widget ? contentTop() + widget->y + widget->cursorOffsetY + mScroll : contentTop();
}

void ListMenu::setCursorById(i32 id) {
  mCursor = 0;
  mHasCursor = false;
  mCursorPoint.reset();
  i32 index = 0;
  for (OwnedList<Widget::Widget>::Iterator it(mItems); !it.isEnd(); it.next(), ++index) {
    if (!it.value()->selectable) {
      continue;
    }
    if (!mHasCursor || it.value()->id == id) {
      mHasCursor = true;
      mCursor = index;
    }
    if (it.value()->id == id) {
      return;
    }
  }
}

void ListMenu::resetCursor() {
  mScroll = 0.f;
  mCursorPoint.reset();
  mCursor = 0;
  mHasCursor = false;
  i32 index = 0;
  for (OwnedList<Widget::Widget>::Iterator it(mItems); !it.isEnd(); it.next(), ++index) {
    if (it.value()->selectable) {
      mCursor = index;
      mHasCursor = true;
      return;
    }
  }
}

i32 ListMenu::selectedId(i32 i) const {
  const i32 marked = static_cast<i32>(mChosen.size());
  const Widget::Widget* widget = nullptr;
  if (i >= 0 && i < marked) {
    widget = item(mChosen[static_cast<std::size_t>(i)]);
  } else if (i == marked && mHasCursor) {
    widget = item(mCursor);
  }
  return widget ? widget->id : -1;
}

void ListMenu::setupYesNo(const char* question, const char* yesText, const char* noText, bool cancelAllowed) {
  mCancelAllowed = cancelAllowed;
  clear();
  addText(question, kTextColor, 1);
  addItem(yesText ? yesText : "はい", kYesId, kTextColor, 2);
  addItem(noText ? noText : "いいえ", kNoId, kTextColor, 2);
  setPosition(0.f, 0.f);
}

i32 ListMenu::updateYesNo() {
  i32 result = kNothing;
  switch (update()) {
    case kDecided:
      result = selectedId(0) == kYesId ? 1 : 2;
      break;
    case kCancelled:
      result = mCancelAllowed ? 2 : 0;
      break;
    default:
      break;
  }
  if (result != kNothing) {
    resetCursor();
  }
  return result;
}

void ListMenu::draw(bool withCursor) {
  mVisibleSelectable = 0;
  ++mFramesOpen;
  UiDraw::flushAndDrawFrame(columnX(0.f), rowY(0.f), mWidth, totalHeight(), static_cast<u32>(mFrameStyle), false);
  drawScrollBar();
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    TextWriter& writer = renderer->textWriter();
    writer.setFont(mTitleFont);
    writer.setColor(mTitleColor);
    writer.setPosition(static_cast<i32>(columnX(0.f)), static_cast<i32>(rowY(0.f)));
    writer.print(mTitle.c_str());
  }
  const float left = contentLeft();
  const float top = contentTop() + mScroll;
  for (OwnedList<Widget::Widget>::Iterator it(mItems); !it.isEnd(); it.next()) {
    Widget::Widget* widget = it.value();
    if (isItemVisible(*widget)) {
      widget->drawTree(left, top);
      mVisibleSelectable += widget->selectable ? 1 : 0;
    }
  }
  if (!mHasCursor || !item(mCursor)) {
    return;
  }
  keepCursorInView();
  if (withCursor) {
    drawMarksAndCursor();
  }
}

void ListMenu::drawScrollBar() {
  if (mContentHeight <= mHeight) {
    return;
  }
  const float start = mScroll / mContentHeight;
  float length = mHeight / mContentHeight;
  if (start + length > 1.f) {
    length = 1.f - start;
  }
  const float x = mWidth + contentLeft();
  const float y = contentTop();
  UiDraw::drawRect(x, y, kScrollBarWidth, mHeight, kTrackColor);
  UiDraw::drawRect(x, y - mHeight * start, kScrollBarWidth, mHeight * length, kThumbColor);
}

void ListMenu::keepCursorInView() {
  const Widget::Widget* widget = item(mCursor);
  if (!widget) {
    return;
  }
  if (mScroll + widget->y > 0.f) {
    mScroll = -widget->y;
  }
  if (widget->height - mHeight > widget->y + mScroll) {
    mScroll = widget->height - mHeight - widget->y;
  }
}

void ListMenu::drawMarksAndCursor() {
  if ((mFramesOpen / 2) % 2 == 1) {
    for (const i32 index : mChosen) {
      const Widget::Widget* widget = item(index);
      if (widget && isItemVisible(*widget)) {
        UiDraw::drawCursorMark(cursorX(index) - kMarkOffset, cursorY(index));
      }
    }
  }
  mCursorPoint.setTarget(cursorX(mCursor), cursorY(mCursor));
  mCursorPoint.step();
  UiDraw::drawCursorAt(mCursorPoint);
}

i32 ListMenu::update() {
  if (mFramesOpen <= kInputDelay) {
    return kNothing;
  }
  i32 result = kNothing;
  Widget::Widget* cursorItem = settleCursor() ? item(mCursor) : nullptr;
  if (cursorItem) {
    if (cursorItem->isDecided()) {
      result = decide();
    } else {
      i32 direction = 0;
      i32 steps = 1;
      bool paging = false;
      readMoveKeys(&direction, &steps, &paging);
      if (direction != 0) {
        move(direction, steps, !paging);
      }
    }
  }
  if (KeyInput::isTriggered(kCancelKey)) {
    if (mChosen.empty()) {
      if (SystemResources* resources = SystemResources::instance()) {
        resources->playSound("cursorCancel", 0);
      }
      result = kCancelled;
    } else {
      mChosen.pop_back();
      result = kNothing;
    }
  }
  return result;
}

// A list cleared or shortened under the cursor: the cursor walks back to a
// selectable item, and no item at all means no cursor.
bool ListMenu::settleCursor() {
  const i32 count = mItems.count();
  if (mCursor >= count) {
    mCursor = count - 1;
    while (mCursor > 0 && !isSelectable(mCursor)) {
      --mCursor;
    }
  }
  if (mCursor < 0 || count == 0) {
    mCursor = 0;
    return false;
  }
  return mHasCursor;
}

i32 ListMenu::decide() {
  const auto marked = std::find(mChosen.begin(), mChosen.end(), mCursor);
  if (marked != mChosen.end()) {
    mChosen.erase(marked);
    return kNothing;
  }
  if (static_cast<i32>(mChosen.size()) < mMaxChoices - 1) {
    mChosen.push_back(mCursor);
    return kNothing;
  }
  return kDecided;
}

void ListMenu::readMoveKeys(i32* direction, i32* steps, bool* paging) const {
  const auto set = [&](i32 dir, bool page) {
    *direction = dir;
    *paging = page;
    *steps = page ? std::max(mVisibleSelectable, 1) : 1;
  };
  if (KeyInput::isRepeated(KeyInput::kUp, kRepeatRate)) set(-1, false);
  if (KeyInput::isRepeated(KeyInput::kDown, kRepeatRate)) set(1, false);
  if (KeyInput::isRepeated(kPageDownKey, kRepeatRate)) set(1, true);
  if (KeyInput::isRepeated(kPageUpKey, kRepeatRate)) set(-1, true);
  if (mSideKeys == 2 || mSideKeys == 1) {
    const bool page = mSideKeys == 2;
    if (KeyInput::isRepeated(KeyInput::kRight, kRepeatRate)) set(1, page);
    if (KeyInput::isRepeated(KeyInput::kLeft, kRepeatRate)) set(-1, page);
  }
}

// Walks from the cursor one index at a time; each selectable item reached
// takes the cursor and counts one step. A single step wraps past the ends, a
// page stops there. The walk is bounded, so a list with no other selectable
// item ends it.
void ListMenu::move(i32 direction, i32 steps, bool wrap) {
  const i32 count = mItems.count();
  i32 index = mCursor;
  i32 taken = 0;
  for (i32 walked = 0; taken < steps && walked < count * (steps + 1); ++walked) {
    index += direction;
    if (index < 0 || index >= count) {
      if (!wrap) {
        return;
      }
      index = index < 0 ? count - 1 : 0;
    }
    if (isSelectable(index)) {
      mCursor = index;
      ++taken;
    }
  }
}

ListMenu* ListMenu::pushMessage(OwnedList<ListMenu>& stack, const char* text) {
  ListMenu* menu = create();
  stack.pushBack(menu);
  menu->addText(text, kTextColor, 1);
  menu->setPosition(0.f, 0.f);
  return menu;
}

namespace MenuStack {

i32 update(OwnedList<ListMenu>& stack) {
  if (stack.isEmpty()) {
    return 0;
  }
  ListMenu* front = stack.front();
  front->draw(true);
  front->update();
  if (KeyInput::isRepeated(kDecideKey, kRepeatRate)) {
    stack.deleteAt(0);
  }
  return stack.isEmpty() ? 0 : 1;
}

}  // namespace MenuStack
}  // namespace Game
