#include "presentation/widget/MessageWindow.h"

#include <string>

#include "core/input/KeyInput.h"
#include "core/string/ShiftJis.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "presentation/picture/FaceSet.h"
#include "presentation/render/RenderState.h"
#include "presentation/render/Transform.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/ui/UiDraw.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kDownKey = 2;
constexpr i32 kFastForwardKey = 4;
constexpr i32 kMessageDecideKey = 5;
constexpr i32 kTextFont = 2;
constexpr Engine::u32 kNameColor = 0xFFA0A0FF;
constexpr Engine::u32 kMessageTextColor = 0xFFC0C0C0;
constexpr const char* kNameSpace = "　";

// Columns a line of the box holds: the box's width in half-cells of the
// text font, less a margin, less the name printed before the text (every
// line of the text starts after it).
i32 wrapColumns(const String& name) {
  return static_cast<i32>(MessageBox::kWidth) / (TextWriter::kFontHeights[kTextFont] / 2) - 4 -
         static_cast<i32>(name.length());
}

// The longest prefix of text within capacity bytes that ends on a
// character boundary.
i32 clampedLength(const char* text, i32 capacity) {
  i32 length = 0;
  while (text[length] != '\0') {
    const i32 size = ShiftJis::characterSize(text + length);
    if (length + size > capacity) {
      break;
    }
    length += size;
  }
  return length;
}

}  // namespace

void MessageBox::setText(const char* name, const char* text, bool showFrame) {
  mRevealed = 0;
  mName.assign(name ? name : "");
  if (!text || text[0] == '\0') {
    mActive = false;
    return;
  }
  const std::string kept(text, static_cast<std::size_t>(clampedLength(text, kTextCapacity)));
  mText.assign(kept.c_str());
  mText.wrapLines(wrapColumns(mName));
  mShowFrame = showFrame;
  mActive = true;
  mRevealing = true;
  mWaitingForKey = true;
}

void MessageBox::clear() {
  mActive = false;
  mShowFrame = true;
  mRevealing = false;
  mWaitingForKey = false;
  mRevealed = 0;
  mName.assign("");
  mText.assign("");
}

bool MessageBox::advance(bool autoFinish) {
  if (autoFinish && !mRevealing) {
    mWaitingForKey = false;
  }
  if (!mWaitingForKey) {
    return true;
  }
  if (!KeyInput::isTriggered(kMessageDecideKey) && !KeyInput::isTriggered(kDownKey) &&
      !KeyInput::isPressed(kFastForwardKey)) {
    return false;
  }
  if (mRevealing) {
    mRevealed = kRevealAll;
    mRevealing = false;
    return false;
  }
  mWaitingForKey = false;
  return true;
}

i32 MessageBox::visibleBytes() const {
  const char* text = mText.c_str() ? mText.c_str() : "";
  i32 shown = 0;
  while (shown < 2 * mRevealed && text[shown] != '\0') {
    shown += ShiftJis::characterSize(text + shown);
  }
  return shown;
}

void MessageBox::draw() {
  if (!mActive) {
    return;
  }
  ++mRevealed;
  if (mShowFrame) {
    UiDraw::drawFrame(static_cast<float>(mX) - kWidth / 2.f, static_cast<float>(mY) + kHeight / 2.f, kWidth, kHeight,
                      0xFFFFFFFF, false);
  }
  const char* text = mText.c_str() ? mText.c_str() : "";
  const i32 shown = visibleBytes();
  if (text[shown] == '\0') {
    mRevealed = kRevealAll;
    mRevealing = false;
  }
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer) {
    return;
  }
  TextWriter& writer = renderer->textWriter();
  writer.setFont(kTextFont);
  writer.setPosition(mX - 240, mY + 44);
  if (mName.length() > 0) {
    writer.setColor(kNameColor);
    writer.continueLine();
    writer.print(mName.c_str());
  }
  writer.setColor(kMessageTextColor);
  writer.print(std::string(text, static_cast<std::size_t>(shown)).c_str());
}

bool FaceSlot::isSettled() {
  if (!mFace) {
    return true;
  }
  if (KeyInput::isPressed(kFastForwardKey)) {
    mStep = mTargetStep;
  }
  return mStep == mTargetStep;
}

void FaceSlot::draw() {
  if (!mFace) {
    return;
  }
  RenderState state;
  Transform t;
  t.scale.set(scale(), scale(), scale());
  state.setTransform(t);
  mFace->draw(mSide, state);
  mStep += mStep < mTargetStep ? 1 : mStep > mTargetStep ? -1 : 0;
}

void MessageScript::load(const NmlNode& node) {
  lines.clear();
  close = false;
  chara = true;
  skip = false;
  for (i32 i = 0; i < node.attributeCount(); ++i) {
    const NmlAttribute& line = *node.attribute(i);
    const std::string key = line.key();
    // Only a flag's item is read as a number: a talk line's text is no number.
    const auto last = [&line] { return line.itemCount() > 0 && line.toBool(line.itemCount() - 1); };
    if (key == "close") {
      close = last();
    } else if (key == "chara") {
      chara = last();
    } else if (key == "skip") {
      skip = last();
    } else {
      Line* added = lines.addNew();
      added->side = key == "R" ? 1 : 0;
      added->name.assign(line.itemCount() > 0 ? line.item(0) : "");
      added->text.assign(line.itemCount() > 1 ? line.item(1) : "");
    }
  }
}

MessageWindow::MessageWindow() : mBox(0, -180) { clear(); }

void MessageWindow::clear() {
  mLeft.setFace(nullptr);
  mRight.setFace(nullptr);
  mBox.clear();
  mQueue.clear();
  mChara = true;
  mClose = false;
  mSkip = false;
}

void MessageWindow::open(const MessageScript& script) {
  for (OwnedList<MessageScript::Line>::Iterator it(script.lines); !it.isEnd(); it.next()) {
    addLine(it.value()->side, it.value()->name.c_str(), it.value()->text.c_str());
  }
  mClose = script.close;
  mChara = script.chara;
  if (script.skip) {
    mSkip = true;
  }
}

void MessageWindow::addLine(i32 side, const char* faceName, const char* text) {
  const FaceSet* faces = FaceSet::instance();
  if (const Face* face = faces ? faces->find(faceName) : nullptr) {
    postLine(side, face, face->chara.c_str(), text);
  } else {
    postLine(side, nullptr, faceName, text);
  }
}

// A named line's text starts after a full-width space, so that it reads
// apart from the name printed before it; a line without text stays empty.
void MessageWindow::postLine(i32 side, const Face* face, const char* name, const char* text) {
  MessageLine* line = mQueue.addNew();
  line->side = side == 1 ? 1 : 0;
  line->face = face;
  line->name.assign(name ? name : "");
  const bool hasText = text && text[0] != '\0';
  line->text.assign(hasText && line->name.length() > 0 ? kNameSpace : "");
  line->text.append(hasText ? text : "");
}

bool MessageWindow::isIdle() {
  bool settled = true;
  if (mChara) {
    const bool left = mLeft.isSettled();
    const bool right = mRight.isSettled();
    settled = left && right;
  }
  const bool lineDone = mBox.advance(mSkip);
  if (!lineDone || !settled) {
    return false;
  }
  if (mQueue.isEmpty()) {
    if (mClose) {
      clear();
      mClose = false;
    }
    mSkip = false;
    return true;
  }
  showNextLine();
  return false;
}

void MessageWindow::showNextLine() {
  mLeft.setShown(false);
  mRight.setShown(false);
  while (!mQueue.isEmpty()) {
    const MessageLine* line = mQueue.front();
    FaceSlot& target = slot(line->side);
    target.setFace(line->face);
    target.setShown(true);
    const bool hasText = line->text.length() > 0;
    if (hasText) {
      mSpeakerName = line->name;
      mBox.setText(line->name.c_str(), line->text.c_str(), true);
    }
    mQueue.deleteAt(0);
    if (hasText) {
      return;
    }
  }
}

void MessageWindow::draw() {
  SceneRenderer* renderer = SceneRenderer::instance();
  if (renderer) {
    renderer->flush();
  }
  if (mChara) {
    mLeft.draw();
    mRight.draw();
  }
  mBox.draw();
  if (renderer) {
    renderer->flush();
  }
}

}  // namespace Game
