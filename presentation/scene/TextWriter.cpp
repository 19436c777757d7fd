#include "presentation/scene/TextWriter.h"

#include <algorithm>

#include "Engine/Base/Assert.h"
#include "core/config/Config.h"

namespace Game {

using Engine::i32;
using Engine::i64;

namespace {

constexpr const char* kFaceName = "ＭＳ ゴシック";
constexpr i32 kGlyphPageSize = 512;
constexpr i32 kCharCapacity = 4096;
constexpr i32 kRequestCapacity = 1024;
// Small glyphs stay sharp whatever the setting.
constexpr i32 kLargestPlainFont = 14;
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
  const bool antialiasSetting = Config::instance().setting(Config::kTextAntialias).value() != 0;
  for (i32 i = 0; i < kFontCount; ++i) {
    const i32 pixels = mScreenHeight * kFontHeights[i] / kVirtualHeight;
    const bool antialias = antialiasSetting && pixels > kLargestPlainFont;
    const auto at = static_cast<std::size_t>(i);
    if (mFonts[at] && mFontAntialiased[at] == antialias) {
      continue;  // the screen height never changes: only the smoothing can
    }
    mFonts[at] = Engine::Scene::Font::createOS(kFaceName, pixels, false, false, false, antialias, kGlyphPageSize,
                                               kGlyphPageSize);
    mFontAntialiased[at] = antialias;
  }
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
