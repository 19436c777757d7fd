#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "core/container/OwnedList.h"
#include "core/string/String.h"
#include "presentation/ui/SmoothPoint.h"
#include "presentation/widget/Widget.h"

namespace Game {

// The vertical menu of the whole game: a framed panel with an optional
// title, a column of widget items of which some can be chosen, a cursor that
// glides between them, scrolling with a scroll bar when the items are taller
// than the panel, optional multiple choice and the yes/no form. Drawn and
// updated once per frame; input is taken only after the first 7 draws.
//
// Interface space, y up: an item's y is its top, 0 or below, and items go
// down from the content origin.
class ListMenu {
 public:
  // Results of update.
  static constexpr Engine::i32 kNothing = 0;
  static constexpr Engine::i32 kDecided = 1;
  static constexpr Engine::i32 kCancelled = 2;
  // Draws before a freshly reset menu takes input.
  static constexpr Engine::i32 kInputDelay = 7;

  ListMenu() { reset(); }
  virtual ~ListMenu() = default;
  ListMenu(const ListMenu&) = delete;
  ListMenu& operator=(const ListMenu&) = delete;

  // A new menu on the heap, for lists of menus that own them.
  static ListMenu* create() { return new ListMenu(); }

  void reset();
  // Deletes the items; size, title, cursor and marks stay.
  void clear();

  // Lays the widget out under the last item and takes ownership; the first
  // selectable item takes the cursor. Returns its index.
  Engine::i32 addEntry(Widget::Widget* widget, bool selectable);
  Widget::Text* addTextWidget(const char* text, Engine::u32 argb, Engine::i32 font, bool selectable);
  Widget::Text* addText(const char* text, Engine::u32 argb, Engine::i32 font);
  Widget::Text* addItem(const char* text, Engine::i32 id, Engine::u32 argb, Engine::i32 font);
  // Takes ownership without layout: decorations placed by hand.
  void appendWidget(Widget::Widget* widget);
  void setItemId(Engine::i32 index, Engine::i32 id);
  Widget::Widget* findById(Engine::i32 id) const;
  void setTitle(const char* text, Engine::i32 font, Engine::u32 argb);
  void setNextItemPosition(float x, float y);
  void setMaxChoices(Engine::i32 n) { mMaxChoices = n; }
  void clearChosen() { mChosen.clear(); }
  // The height that shows exactly n selectable rows; nothing with fewer.
  void setVisibleRows(Engine::i32 n);
  void setFrameStyle(Engine::i32 style) { mFrameStyle = style; }
  // 2: right and left page; 1: they step; 0: they do nothing.
  void setSideKeys(Engine::i32 mode) { mSideKeys = mode; }

  // Placement: by the centre, by the top-left corner (which then stays put
  // when the size changes), or at a world point projected every draw.
  void setPosition(float x, float y);
  void placeCentered(float x, float y);
  void setWorldAnchor(const Engine::Math::Vector3& point);
  void setSize(float width, float height);
  void growTo(float width, float height);
  void shrinkTo(float width, float height);
  // One item's right edge or bottom as the new width or height, grown to or
  // shrunk to.
  void fitWidthToItem(const Widget::Widget& item, bool grow);
  void fitHeightToItem(const Widget::Widget& item, bool grow);

  // The panel's rows and columns as fractions of its size.
  float rowY(float fraction) const;
  float columnX(float fraction) const;
  float contentLeft() const { return columnX(0.f); }
  float contentTop() const { return rowY(0.f) - mTitleHeight; }
  bool isItemVisible(const Widget::Widget& item) const;
  // Where the cursor points at item i.
  float cursorX(Engine::i32 index) const;
  float cursorY(Engine::i32 index) const;

  float width() const { return mWidth; }
  float height() const { return mHeight; }
  float totalHeight() const { return mHeight + mTitleHeight; }
  float scroll() const { return mScroll; }
  float contentHeight() const { return mContentHeight; }
  bool hasCursor() const { return mHasCursor; }
  Engine::i32 cursor() const { return mCursor; }
  Engine::i32 itemCount() const { return mItems.count(); }
  // Null past the end.
  Widget::Widget* item(Engine::i32 index) const;
  bool isSelectable(Engine::i32 index) const;
  Engine::i32 framesOpen() const { return mFramesOpen; }
  Engine::i32 visibleSelectable() const { return mVisibleSelectable; }
  const std::vector<Engine::i32>& chosen() const { return mChosen; }
  const SmoothPoint& cursorPoint() const { return mCursorPoint; }

  void setCursorById(Engine::i32 id);
  void resetCursor();
  // The ids of the marked items in order, then (i equal to their number) the
  // cursor item's; -1 beyond, or without such an item.
  Engine::i32 selectedId(Engine::i32 i) const;

  // The confirmation form of event scripts: a question and two items, yes
  // (id 1) and no (id 2); null texts are "はい" and "いいえ".
  void setupYesNo(const char* question, const char* yesText, const char* noText, bool cancelAllowed);
  // 0 nothing yet, 1 yes, 2 no (a cancel counts only when allowed).
  Engine::i32 updateYesNo();

  // Once per frame: frame, scroll bar, title, the visible items, the cursor.
  void draw(bool withCursor);
  void drawDefault() { draw(true); }
  // Once per frame: kNothing, kDecided or kCancelled.
  Engine::i32 update();

  // A message menu (one line of text, centred) at the end of a queue.
  static ListMenu* pushMessage(OwnedList<ListMenu>& stack, const char* text);

 private:
  void centre(float* x, float* y) const;
  void drawScrollBar();
  void keepCursorInView();
  void drawMarksAndCursor();
  // The cursor moved back onto an item after the list shrank under it;
  // false when no item can carry it.
  bool settleCursor();
  Engine::i32 decide();
  void move(Engine::i32 direction, Engine::i32 steps, bool wrap);
  void readMoveKeys(Engine::i32* direction, Engine::i32* steps, bool* paging) const;

  OwnedList<Widget::Widget> mItems;
  bool mScreenPlaced = true;
  float mX = 0.f;
  float mY = 0.f;
  float mZ = 0.f;
  Engine::i32 mFramesOpen = 0;
  float mWidth = 0.f;
  float mHeight = 0.f;
  bool mKeepTopLeft = true;
  float mScroll = 0.f;
  float mContentHeight = 0.f;
  Engine::i32 mVisibleSelectable = 0;
  Engine::i32 mCursor = 0;
  float mNextX = 0.f;
  float mNextY = 0.f;
  SmoothPoint mCursorPoint;
  Engine::i32 mMaxChoices = 1;
  std::vector<Engine::i32> mChosen;
  String mTitle;
  float mTitleHeight = 0.f;
  Engine::i32 mTitleFont = 0;
  Engine::u32 mTitleColor = 0xFFFFFFFF;
  bool mHasCursor = false;
  Engine::i32 mFrameStyle = -1;
  Engine::i32 mSideKeys = 2;
  bool mCancelAllowed = false;
};

// A queue of message menus shown one at a time.
namespace MenuStack {

// Draws and polls the first menu, removes it when decide repeats; 1 while
// the queue is not empty, 0 once it is.
Engine::i32 update(OwnedList<ListMenu>& stack);

}  // namespace MenuStack
}  // namespace Game
