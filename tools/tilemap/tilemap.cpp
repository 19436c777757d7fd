// Turns a tile map's text grid into the ".fmf" file the game reads, and back.
//   tilemap <map.grid> <out.fmf>
//   tilemap --grid <map.fmf> <out.grid> [<legends.grid>]
// Going back, the legends of a grid (its layers' "legend" lines) may be
// given, so that those layers are written as pictures again. The grid's form
// is described in TileMapGrid.h.

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "TileMapGrid.h"

namespace {

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw TileMapGrid::Error(path + ": cannot be read");
  }
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void write(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    throw TileMapGrid::Error(path + ": cannot be written");
  }
}

void toFile(const std::string& gridPath, const std::string& fmfPath) {
  const std::vector<std::uint8_t> bytes = TileMapGrid::encode(TileMapGrid::readGrid(readText(gridPath), gridPath));
  write(fmfPath, std::string(bytes.begin(), bytes.end()));
}

void toGrid(const std::string& fmfPath, const std::string& gridPath, const std::string& legendPath) {
  const std::string file = readText(fmfPath);
  TileMapGrid::TileMap map = TileMapGrid::decode(std::vector<std::uint8_t>(file.begin(), file.end()), fmfPath);
  if (!legendPath.empty()) {
    map.legends = TileMapGrid::readGrid(readText(legendPath), legendPath).legends;
  }
  write(gridPath, TileMapGrid::writeGrid(map));
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.size() == 2 && args[0] != "--grid") {
      toFile(args[0], args[1]);
    } else if ((args.size() == 3 || args.size() == 4) && args[0] == "--grid") {
      toGrid(args[1], args[2], args.size() == 4 ? args[3] : "");
    } else {
      std::cerr << "usage: tilemap <map.grid> <out.fmf>\n       tilemap --grid <map.fmf> <out.grid> [<legends.grid>]\n";
      return 2;
    }
  } catch (const TileMapGrid::Error& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  return 0;
}
