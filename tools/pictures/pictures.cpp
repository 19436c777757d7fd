// Draws a picture from its readable description into the TGA file the game
// loads, through the framework's own TGA writer.
//   pictures <in.pic> <out.tga> [<font.txt>]
//
// A description is a list of lines; ';' starts a comment line. Colours are
// packed ARGB in hex ("0xc0102040"); rectangles are x y width height in
// pixels from the top-left corner, clipped to the picture.
//   size <width> <height>          first: a transparent picture
//   fill <rect> <colour>           a filled rectangle
//   outline <rect> <thickness> <colour>
//   vgradient <rect> <top colour> <bottom colour>
//   ink <char> <colour>            a grid character's colour ('.' is clear)
//   grid <x> <y> <scale>           the following rows, up to "end", each
//                                  character a scale x scale block of its ink
//   speckle <rect> <percent> <seed> <colour>
//                                  scattered pixels, the same for a seed
//   text <centre x> <top y> <scale> <top colour> <bottom colour> <words>
//                                  the rest of the line in the bitmap font
//                                  (8 x 16 dots of scale pixels each), centred

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <optional>
#include <vector>

#include "BitmapFont.h"
#include "Canvas.h"
#include "Engine/Graphics/ImageFile.h"

namespace {

using Engine::u32;

[[noreturn]] void fail(const std::string& where, const std::string& what) {
  std::cerr << where << ": " << what << '\n';
  std::exit(1);
}

class Reader {
 public:
  Reader(const char* path, const char* fontPath) : mPath(path), mIn(path), mFontPath(fontPath ? fontPath : "") {
    if (!mIn) {
      fail(mPath, "cannot be read");
    }
    mInks['.'] = 0;
  }

  Canvas read() {
    std::string line;
    while (nextLine(line)) {
      std::istringstream words(line);
      std::string keyword;
      if (!(words >> keyword) || keyword[0] == ';') {
        continue;
      }
      command(keyword, words);
    }
    if (mCanvas.empty()) {
      fail(mPath, "no \"size\" line");
    }
    return mCanvas;
  }

 private:
  bool nextLine(std::string& line) {
    ++mLine;
    return static_cast<bool>(std::getline(mIn, line));
  }
  std::string where() const { return mPath + ":" + std::to_string(mLine); }

  void command(const std::string& keyword, std::istringstream& words) {
    if (keyword == "size") {
      const int width = number(words);
      const int height = number(words);
      if (width < 1 || height < 1 || width > 4096 || height > 4096) {
        fail(where(), "a size from 1 to 4096 on each side is needed");
      }
      mCanvas.resize(width, height);
      return;
    }
    if (mCanvas.empty()) {
      fail(where(), "\"" + keyword + "\" before \"size\"");
    }
    if (keyword == "fill") {
      const Rect r = rect(words);
      mCanvas.fill(r, colour(words));
    } else if (keyword == "outline") {
      const Rect r = rect(words);
      const int thickness = number(words);
      mCanvas.outline(r, thickness, colour(words));
    } else if (keyword == "vgradient") {
      const Rect r = rect(words);
      const u32 top = colour(words);
      mCanvas.verticalGradient(r, top, colour(words));
    } else if (keyword == "ink") {
      std::string mark;
      if (!(words >> mark) || mark.size() != 1) {
        fail(where(), "\"ink\" takes one character and a colour");
      }
      mInks[mark[0]] = colour(words);
    } else if (keyword == "speckle") {
      const Rect r = rect(words);
      const int percent = number(words);
      const int seed = number(words);
      mCanvas.speckle(r, percent, static_cast<u32>(seed), colour(words));
    } else if (keyword == "text") {
      text(words);
    } else if (keyword == "grid") {
      const int x = number(words);
      const int y = number(words);
      grid(x, y, number(words));
    } else {
      fail(where(), "unknown command \"" + keyword + "\"");
    }
  }

  void grid(int left, int top, int scale) {
    if (scale < 1) {
      fail(where(), "a grid's scale is at least 1");
    }
    std::string row;
    for (int y = top; nextLine(row); y += scale) {
      if (row == "end") {
        return;
      }
      for (std::size_t column = 0; column < row.size(); ++column) {
        const auto ink = mInks.find(row[column]);
        if (ink == mInks.end()) {
          fail(where(), std::string("no ink for '") + row[column] + "'");
        }
        mCanvas.fill({left + static_cast<int>(column) * scale, y, scale, scale}, ink->second);
      }
    }
    fail(where(), "a grid without its \"end\"");
  }

  void text(std::istringstream& words) {
    const int centre = number(words);
    const int top = number(words);
    const int scale = number(words);
    const u32 topColour = colour(words);
    const u32 bottomColour = colour(words);
    std::string line;
    std::getline(words >> std::ws, line);
    if (scale < 1 || line.empty()) {
      fail(where(), "\"text\" takes a scale of at least 1 and some words");
    }
    mCanvas.text(centre, top, scale, topColour, bottomColour, line, font());
  }
  const BitmapFont& font() {
    if (mFontPath.empty()) {
      fail(where(), "\"text\" needs the font file on the command line");
    }
    if (!mFont) {
      mFont.emplace(mFontPath);
    }
    return *mFont;
  }

  int number(std::istringstream& words) {
    std::string token;
    char* end = nullptr;
    if (!(words >> token)) {
      fail(where(), "a number is missing");
    }
    const long value = std::strtol(token.c_str(), &end, 10);
    if (*end != '\0') {
      fail(where(), "\"" + token + "\" is not a number");
    }
    return static_cast<int>(value);
  }
  Rect rect(std::istringstream& words) {
    Rect r;
    r.x = number(words);
    r.y = number(words);
    r.width = number(words);
    r.height = number(words);
    return r;
  }
  u32 colour(std::istringstream& words) {
    std::string token;
    char* end = nullptr;
    if (!(words >> token) || token.rfind("0x", 0) != 0) {
      fail(where(), "a colour is written 0xAARRGGBB");
    }
    const unsigned long value = std::strtoul(token.c_str() + 2, &end, 16);
    if (*end != '\0' || token.size() != 10) {
      fail(where(), "\"" + token + "\" is not a colour 0xAARRGGBB");
    }
    return static_cast<u32>(value);
  }

  std::string mPath;
  std::ifstream mIn;
  int mLine = 0;
  std::string mFontPath;
  std::optional<BitmapFont> mFont;
  Canvas mCanvas;
  std::map<char, u32> mInks;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::cerr << "usage: pictures <in.pic> <out.tga> [<font.txt>]\n";
    return 2;
  }
  const Canvas canvas = Reader(argv[1], argc == 4 ? argv[3] : nullptr).read();
  const std::vector<Engine::u8> file = Engine::Graphics::writeTga(Engine::Graphics::sourceOf(canvas.image()), true);
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  if (file.empty() || !out) {
    fail(argv[2], "cannot be written");
  }
  return 0;
}
