#pragma once

#include <array>

#include "Engine/Base/Types.h"
#include "Engine/Scene/Font.h"
#include "Engine/Scene/StringRenderer.h"
#include "core/string/String.h"
#include "presentation/scene/GlyphInk.h"
#include "presentation/scene/TextAudit.h"

namespace Game {

// All on-screen text: three font sizes, a current font and colour, and a
// cursor that walks down (or along) from an origin on the 800x600 virtual
// screen (centre (0, 0), x to the right, y up). The extent is the area
// covered since the origin was set, which frames and windows size
// themselves by. Text is queued during the frame and drawn by flush.
//
// Layout is integer arithmetic in virtual units: a byte of text is half the
// font's nominal height wide, so a two-byte character is a square.
class TextWriter {
 public:
  static constexpr Engine::i32 kFontCount = 3;
  // Nominal heights in virtual units (600 lines to the screen).
  static constexpr Engine::i32 kFontHeights[kFontCount] = {14, 20, 26};
  // Text is drawn only while the fade is below this level.
  static constexpr Engine::i32 kVisibleFadeLimit = 128;
  static constexpr Engine::u32 kRatioSlashColor = 0xFFC0C0C0;

  TextWriter(Engine::i32 screenWidth, Engine::i32 screenHeight);

  // Creates the fonts and the string renderer (needs the graphics manager).
  // Until then text is laid out but never drawn.
  void enableOutput();
  bool hasOutput() const { return static_cast<bool>(mStringRenderer); }
  // Makes the fonts again, so that a changed "textAntialias" setting shows;
  // a font made with the same size and smoothing already is kept.
  void rebuildFonts();
  // Draws the text queued since the last flush.
  void flush();
  // Frees the fonts and the string renderer.
  void releaseOutput();

  // The renderer's state that print obeys.
  void setHidden(bool hidden) { mHidden = hidden; }
  void setFadeLevel(Engine::i32 level) { mFadeLevel = level; }

  void setFont(Engine::i32 font);
  void setColor(Engine::u32 argb) { mColor = argb; }
  // Moves the origin and clears the cursor and the extent.
  void setPosition(Engine::i32 x, Engine::i32 y);
  // The next print continues to the right instead of ending its line.
  void continueLine() { mNewLine = false; }
  void lineFeed();

  // Each output may be null.
  void getExtent(Engine::i32* outWidth, Engine::i32* outHeight) const;
  void getOrigin(Engine::i32* outX, Engine::i32* outY) const;
  // Origin plus cursor.
  void getCursor(Engine::i32* outX, Engine::i32* outY) const;

  // The virtual size of a block of columns bytes by rows lines in a font.
  static void measureCells(Engine::i32* outWidth, Engine::i32* outHeight, Engine::i32 columns, Engine::i32 rows,
                           Engine::i32 font);
  // The bytes of the widest line and the lines of a text (newline-separated),
  // and their virtual size; all zero for a null text.
  static void measure(Engine::i32* outColumns, Engine::i32* outRows, Engine::i32* outWidth, Engine::i32* outHeight,
                      const char* text, Engine::i32 font);

  void print(const char* text);
  // The decimal text in the last width characters of a field of '0's (pad)
  // or blanks; width 0 prints it plain.
  void printNumber(Engine::i32 value, Engine::i32 width = 0, bool pad = false);
  // "value/max" on one line: value blank-filled to width, the slash in grey,
  // max in the current colour; whether the line ends after max is decided
  // by the state before the call.
  void printRatio(Engine::i32 value, Engine::i32 max, Engine::i32 width);

  Engine::i32 font() const { return mFont; }
  Engine::u32 color() const { return mColor; }
  bool continuesLine() const { return !mNewLine; }
  // The last text given to print, drawn or not.
  const String& lastText() const { return mLastText; }

  // While auditing, the text drawn and the frames noted since beginFrame
  // are kept for checking that each frame holds its text.
  void setAuditing(bool auditing) { mAuditing = auditing; }
  void beginFrame() { mAudit.clear(); }
  // A window frame in virtual units: its top-left corner and size, and the
  // width of the border inside them.
  void noteFrame(float left, float top, float width, float height, float border);
  const TextAudit& audit() const { return mAudit; }

 private:
  static Engine::i32 nominalHeight(Engine::i32 font);
  // The device font's height in pixels for this screen.
  Engine::i32 fontPixels(Engine::i32 font) const;
  bool isDrawing() const { return !mHidden && mFadeLevel < kVisibleFadeLimit; }
  void queue(const char* text);
  float toPixelX(float x) const;
  float toPixelY(float y) const;
  // The box the text inks on the back buffer (right below left when it inks
  // nothing): the inked part of the font's glyph cells where fonts exist,
  // else the measured cells.
  TextAudit::Box inkBox(const char* text) const;

  std::array<Engine::Scene::Font, kFontCount> mFonts;
  std::array<bool, kFontCount> mFontAntialiased{};  // how each font was made
  Engine::Scene::StringRenderer mStringRenderer;
  Engine::i32 mScreenWidth;
  Engine::i32 mScreenHeight;
  Engine::i32 mFont = 1;
  Engine::u32 mColor = 0xFFFFFFFF;
  Engine::i32 mCursorX = 0;
  Engine::i32 mCursorY = 0;
  Engine::i32 mOriginX = 0;
  Engine::i32 mOriginY = 0;
  Engine::i32 mExtentWidth = 0;
  Engine::i32 mExtentHeight = 0;
  bool mNewLine = true;
  bool mHidden = false;
  Engine::i32 mFadeLevel = 0;
  String mLastText;
  bool mAuditing = false;
  TextAudit mAudit;
  mutable GlyphInk mInk;
};

}  // namespace Game
