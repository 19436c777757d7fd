#include "Framework/src/DebugTextLayer.h"

#include <string_view>

#include "Framework/src/DebugFont.h"

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

void DebugTextLayer::createRenderer() {
  const std::span<const u8> image = DebugFont::image();
  const char* const images[] = {reinterpret_cast<const char*>(image.data())};
  const i32 imageSizes[] = {static_cast<i32>(image.size())};
  const std::vector<u8> glyphTable = DebugFont::glyphTable();
  mFont = Scene::Font::createBitmap(images, imageSizes, 1, glyphTable.data(), DebugFont::kGlyphCount);
  mRenderer = Scene::StringRenderer::create(kCharCapacity, kRequestCapacity);
  mRenderer.setFont(mFont);
}

void DebugTextLayer::draw() {
  const std::vector<DebugTextLine> lines = flush();
  if (!mRenderer) {
    return;
  }
  for (const DebugTextLine& line : lines) {
    mRenderer.add(line.x, line.y, line.text.c_str(), line.color, false, 0.0f);
  }
  mRenderer.draw();
}

}  // namespace Engine
