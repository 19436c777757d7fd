#include "presentation/scene/TextWriter.h"

#include <algorithm>

#include "Engine/Base/Assert.h"
#include "Engine/Graphics/Texture.h"
#include "core/config/Config.h"
#include "core/string/ShiftJis.h"

namespace Game {

using Engine::i32;
using Engine::i64;

namespace {

constexpr const char* kFaceName = "ＭＳ ゴシック";
constexpr i32 kGlyphPageSize = 512;
constexpr i32 kCharCapacity = 4096;
constexpr i32 kRequestCapacity = 1024;
// Text sits at depth 500 of the interface's 0..512, above frames (490) and
// below the cursor (510).
constexpr float kTextDepth = 500.0f / 512.0f;
constexpr i32 kVirtualWidth = 800;
constexpr i32 kVirtualHeight = 600;

}  // namespace

TextWriter::TextWriter(i32 screenWidth, i32 screenHeight) : mScreenWidth(screenWidth), mScreenHeight(screenHeight) {}

void TextWriter::enableOutput() {
  rebuildFonts();
  if (!mStringRenderer) {
    mStringRenderer = Engine::Scene::StringRenderer::create(kCharCapacity, kRequestCapacity);
  }
}

void TextWriter::rebuildFonts() {
  // Smoothed at every size the setting allows: the face has no hand-made
  // bitmaps, and its outlines drawn in one bit at 10 to 14 pixels run the
  // strokes of a kanji into one another.
  const bool antialias = Config::instance().setting(Config::kTextAntialias).value() != 0;
  for (i32 i = 0; i < kFontCount; ++i) {
    const i32 pixels = fontPixels(i);
    const auto at = static_cast<std::size_t>(i);
    if (mFonts[at] && mFontAntialiased[at] == antialias) {
      continue;  // the screen height never changes: only the smoothing can
    }
    mFonts[at] = Engine::Scene::Font::createOS(kFaceName, pixels, false, false, false, antialias, kGlyphPageSize,
                                               kGlyphPageSize);
    mFontAntialiased[at] = antialias;
  }
}

// The layout counts a byte as half the nominal height, scaled by the screen's
// width: the face's cells must not be wider. Its full-width cell is its pixel
// height, and its half-width cell half of that rounded up, so the height is
// even and fits both the screen's height and its width.
i32 TextWriter::fontPixels(i32 font) const {
  const i32 byHeight = mScreenHeight * kFontHeights[font] / kVirtualHeight;
  const i32 byWidth = mScreenWidth * kFontHeights[font] / kVirtualWidth;
  return std::min(byHeight, byWidth) / 2 * 2;
}

void TextWriter::flush() {
  if (mStringRenderer) {
    mStringRenderer.draw();
  }
}

void TextWriter::releaseOutput() {
  mStringRenderer.release();
  for (Engine::Scene::Font& font : mFonts) {
    font.release();
  }
}

i32 TextWriter::nominalHeight(i32 font) {
  ENGINE_ASSERT(font >= 0 && font < kFontCount && "TextWriter : font index out of range.");
  return kFontHeights[font];
}

void TextWriter::setFont(i32 font) {
  nominalHeight(font);
  mFont = font;
}

void TextWriter::setPosition(i32 x, i32 y) {
  mOriginX = x;
  mOriginY = y;
  mCursorX = 0;
  mCursorY = 0;
  mExtentWidth = 0;
  mExtentHeight = 0;
  if (mAuditing) {
    mAudit.startBlock(toPixelX(static_cast<float>(x)), toPixelY(static_cast<float>(y)));
  }
}

void TextWriter::lineFeed() {
  mCursorX = 0;
  mCursorY -= nominalHeight(mFont);
}

void TextWriter::getExtent(i32* outWidth, i32* outHeight) const {
  if (outWidth) {
    *outWidth = mExtentWidth;
  }
  if (outHeight) {
    *outHeight = mExtentHeight;
  }
}

void TextWriter::getOrigin(i32* outX, i32* outY) const {
  if (outX) {
    *outX = mOriginX;
  }
  if (outY) {
    *outY = mOriginY;
  }
}

void TextWriter::getCursor(i32* outX, i32* outY) const {
  if (outX) {
    *outX = mOriginX + mCursorX;
  }
  if (outY) {
    *outY = mOriginY + mCursorY;
  }
}

void TextWriter::measureCells(i32* outWidth, i32* outHeight, i32 columns, i32 rows, i32 font) {
  const i32 height = nominalHeight(font);
  if (outWidth) {
    *outWidth = columns * height / 2;
  }
  if (outHeight) {
    *outHeight = rows * height;
  }
}

void TextWriter::measure(i32* outColumns, i32* outRows, i32* outWidth, i32* outHeight, const char* text, i32 font) {
  i32 columns = 0;
  i32 rows = 0;
  if (text) {
    String::measureLines(&rows, &columns, text, '\n');
  }
  if (outColumns) {
    *outColumns = columns;
  }
  if (outRows) {
    *outRows = rows;
  }
  measureCells(outWidth, outHeight, columns, rows, font);
}

// While hidden nothing moves; while faded out the layout still advances, so
// that frames sized by the extent keep their size through a fade.
void TextWriter::print(const char* text) {
  if (mHidden || !text) {
    mNewLine = true;
    return;
  }
  mLastText.assign(text);
  if (isDrawing() && hasOutput()) {
    queue(text);
  }
  if (mAuditing && isDrawing() && text[0] != '\0') {
    mAudit.addPrint(drawnBox(text), text);
  }
  i32 width = 0;
  i32 height = 0;
  measure(nullptr, nullptr, &width, &height, text, mFont);
  mExtentWidth = std::max(mExtentWidth, mCursorX + width);
  mExtentHeight = std::max(mExtentHeight, -mCursorY + height);
  if (mNewLine) {
    mCursorX = 0;
    mCursorY -= height;
  } else {
    mCursorX += width;
  }
  mNewLine = true;
}

// Virtual units to back-buffer pixels from the top-left; 64-bit products so
// that a cursor far off screen cannot overflow.
void TextWriter::queue(const char* text) {
  const i64 x = mOriginX + mCursorX;
  const i64 y = mOriginY + mCursorY;
  const auto pixelX = static_cast<i32>((x + kVirtualWidth / 2) * mScreenWidth / kVirtualWidth);
  const auto pixelY = static_cast<i32>((kVirtualHeight / 2 - y) * mScreenHeight / kVirtualHeight);
  mStringRenderer.setFont(mFonts[static_cast<std::size_t>(mFont)]);
  mStringRenderer.add(pixelX, pixelY, text, mColor, false, kTextDepth);
}

float TextWriter::toPixelX(float x) const {
  return (x + kVirtualWidth / 2) * static_cast<float>(mScreenWidth) / kVirtualWidth;
}

float TextWriter::toPixelY(float y) const {
  return (kVirtualHeight / 2 - y) * static_cast<float>(mScreenHeight) / kVirtualHeight;
}

void TextWriter::noteFrame(float left, float top, float width, float height, float border) {
  if (mAuditing) {
    const auto box = [this](float l, float t, float r, float b) {
      return TextAudit::Box{toPixelX(l), toPixelY(t), toPixelX(r), toPixelY(b)};
    };
    mAudit.addFrame(box(left, top, left + width, top - height),
                    box(left + border, top - border, left + width - border, top - height + border));
  }
}

// Laid out as the string renderer lays it out: each glyph's cell after the
// last, a newline back to the start one line down.
TextAudit::Box TextWriter::drawnBox(const char* text) const {
  const i64 x = mOriginX + mCursorX;
  const i64 y = mOriginY + mCursorY;
  TextAudit::Box box;
  box.left = static_cast<float>((x + kVirtualWidth / 2) * mScreenWidth / kVirtualWidth);
  box.top = static_cast<float>((kVirtualHeight / 2 - y) * mScreenHeight / kVirtualHeight);
  if (!hasOutput()) {
    i32 width = 0;
    i32 height = 0;
    measure(nullptr, nullptr, &width, &height, text, mFont);
    box.right = box.left + static_cast<float>(width * mScreenWidth) / kVirtualWidth;
    box.bottom = box.top + static_cast<float>(height * mScreenHeight) / kVirtualHeight;
    return box;
  }
  const Engine::Scene::Font& font = mFonts[static_cast<std::size_t>(mFont)];
  const auto lineHeight = static_cast<float>(font.charHeight());
  float penX = box.left;
  float lineTop = box.top;
  box.right = box.left;
  box.bottom = box.top + lineHeight;
  for (const char* p = text; *p != '\0';) {
    const auto lead = static_cast<Engine::u8>(*p++);
    Engine::u16 code = lead;
    if (ShiftJis::isLeadByte(static_cast<char>(lead)) && *p != '\0') {
      code = static_cast<Engine::u16>(lead << 8 | static_cast<Engine::u8>(*p++));
    }
    if (code == '\n') {
      penX = box.left;
      lineTop += lineHeight;
      continue;
    }
    Engine::Graphics::Texture texture;
    Engine::Math::Vector2 uv0;
    Engine::Math::Vector2 uv1;
    float width = lineHeight;
    float height = lineHeight;
    if (font.getChar(texture, uv0, uv1, code)) {
      width = (uv1.x - uv0.x) * static_cast<float>(texture.width());
      height = (uv1.y - uv0.y) * static_cast<float>(texture.height());
    }
    penX += width;
    box.right = std::max(box.right, penX);
    box.bottom = std::max(box.bottom, lineTop + height);
  }
  return box;
}

void TextWriter::printNumber(i32 value, i32 width, bool pad) {
  String text;
  text.assignNumber(value, width, pad);
  print(text.c_str());
}

void TextWriter::printRatio(i32 value, i32 max, i32 width) {
  const bool endsLine = mNewLine;
  const Engine::u32 color = mColor;
  continueLine();
  printNumber(value, width, false);
  continueLine();
  setColor(kRatioSlashColor);
  print("/");
  setColor(color);
  if (!endsLine) {
    continueLine();
  }
  printNumber(max);
}

}  // namespace Game
