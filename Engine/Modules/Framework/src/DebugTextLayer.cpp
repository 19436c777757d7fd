#include "Framework/src/DebugTextLayer.h"

#include <string_view>

namespace Engine {

std::vector<DebugTextLine> DebugTextLayer::flush() {
  std::vector<DebugTextLine> lines;
  if (mStream.size() > 0) {
    Array<char> buffer;
    const std::string_view text(mStream.get(&buffer), static_cast<std::size_t>(mStream.size()));
    std::size_t start = 0;
    while (start <= text.size()) {
      const std::size_t newline = text.find('\n', start);
      const std::size_t end = newline == std::string_view::npos ? text.size() : newline;
      if (end > start) {
        lines.push_back({std::string(text.substr(start, end - start)), mColumn * kCellWidth, mRow * kCellHeight, mColor});
      }
      if (newline == std::string_view::npos) {
        mColumn += static_cast<i32>(end - start);
        break;
      }
      mColumn = mLineStartColumn;
      ++mRow;
      start = newline + 1;
    }
    mStream.clear();
  }
  mColumn = 0;
  mRow = 0;
  mLineStartColumn = 0;
  mColor = 0xFFFFFFFF;
  return lines;
}

}  // namespace Engine
