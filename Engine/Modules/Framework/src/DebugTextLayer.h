#pragma once

#include <string>
#include <vector>

#include "Engine/Base/OStringStream.h"
#include "Engine/Base/Types.h"
#include "Engine/Scene/Font.h"
#include "Engine/Scene/StringRenderer.h"

namespace Engine {

// A line of the debug text layer, placed in back-buffer pixels.
struct DebugTextLine {
  std::string text;
  i32 x = 0;
  i32 y = 0;
  u32 color = 0xFFFFFFFF;
};

// Text written over everything at the end of a frame, in 8x16 cells.
class DebugTextLayer {
 public:
  static constexpr i32 kCellWidth = 8;
  static constexpr i32 kCellHeight = 16;
  static constexpr i32 kCharCapacity = 2048;
  static constexpr i32 kRequestCapacity = 128;

  DebugTextLayer() = default;

  // The built-in bitmap font and the string renderer that draws the layer;
  // the graphics manager must exist.
  void createRenderer();

  OStringStream& stream() { return mStream; }
  void setColor(u32 color) { mColor = color; }
  void setCursor(i32 column, i32 row) {
    mColumn = column;
    mLineStartColumn = column;
    mRow = row;
  }

  // Splits the collected text into placed lines, then returns to the first
  // cell and white, and empties the stream.
  std::vector<DebugTextLine> flush();
  // Flushes and draws the lines over everything; without a renderer the text
  // is only dropped.
  void draw();

 private:
  OStringStream mStream{1024};
  u32 mColor = 0xFFFFFFFF;
  i32 mColumn = 0;
  i32 mRow = 0;
  i32 mLineStartColumn = 0;
  Scene::Font mFont;
  Scene::StringRenderer mRenderer;
};

}  // namespace Engine
