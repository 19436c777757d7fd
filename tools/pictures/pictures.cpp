// Turns a picture's text grid into the TGA texture the game reads, written
// through the framework's own TGA writer.
//   pictures <picture.pic> <out.tga>
//
// The grid: "size <width> <height>", then "color <char> <argb hex>" lines
// naming the palette, then <height> rows of <width> palette characters, the
// top row first. ';' starts a comment line; blank lines are skipped.

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "Engine/Graphics/Image.h"
#include "Engine/Graphics/ImageFile.h"

namespace {

constexpr int kMaxSide = 1024;

[[noreturn]] void fail(const std::string& where, const std::string& what) {
  std::cerr << where << ": " << what << '\n';
  std::exit(1);
}

struct Grid {
  int width = 0;
  int height = 0;
  std::map<char, std::uint32_t> palette;
  std::vector<std::string> rows;
};

void readHeaderLine(const std::string& line, const std::string& where, Grid& grid) {
  std::istringstream words(line);
  std::string keyword;
  words >> keyword;
  if (keyword == "size") {
    words >> grid.width >> grid.height;
    if (!words || grid.width < 1 || grid.height < 1 || grid.width > kMaxSide || grid.height > kMaxSide) {
      fail(where, "expected \"size <width> <height>\" within 1 to 1024");
    }
  } else if (keyword == "color") {
    std::string key;
    std::string value;
    words >> key >> value;
    char* end = nullptr;
    const unsigned long argb = std::strtoul(value.c_str(), &end, 16);
    if (key.size() != 1 || value.empty() || *end != '\0') {
      fail(where, "expected \"color <one character> <argb hex>\"");
    }
    grid.palette[key[0]] = static_cast<std::uint32_t>(argb);
  } else {
    fail(where, "expected \"size\", \"color\" or a row");
  }
}

Grid readGrid(const std::string& path) {
  std::ifstream in(path);
  if (!in) {
    fail(path, "cannot be read");
  }
  Grid grid;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    const std::string where = path + ":" + std::to_string(number);
    if (line.empty() || line[0] == ';') {
      continue;
    }
    const bool isRow = grid.width > 0 && !grid.palette.empty() && line.rfind("color", 0) != 0;
    if (!isRow) {
      readHeaderLine(line, where, grid);
      continue;
    }
    if (static_cast<int>(line.size()) != grid.width) {
      fail(where, "a row of " + std::to_string(line.size()) + " characters, not " + std::to_string(grid.width));
    }
    for (char c : line) {
      if (grid.palette.count(c) == 0) {
        fail(where, std::string("'") + c + "' is not in the palette");
      }
    }
    grid.rows.push_back(line);
  }
  if (grid.width == 0 || static_cast<int>(grid.rows.size()) != grid.height) {
    fail(path, "expected " + std::to_string(grid.height) + " rows after the size and the palette");
  }
  return grid;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: pictures <picture.pic> <out.tga>\n";
    return 2;
  }
  const Grid grid = readGrid(argv[1]);
  Engine::Graphics::Image image(grid.width, grid.height);
  for (int y = 0; y < grid.height; ++y) {
    for (int x = 0; x < grid.width; ++x) {
      image.pixels[static_cast<std::size_t>(y * grid.width + x)] = grid.palette.at(grid.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]);
    }
  }
  const std::vector<Engine::u8> file = Engine::Graphics::writeTga(Engine::Graphics::sourceOf(image), true);
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  if (file.empty() || !out) {
    fail(argv[2], "cannot be written");
  }
  return 0;
}
