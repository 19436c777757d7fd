#include "BitmapFont.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

[[noreturn]] void fail(const std::string& where, const std::string& what) {
  std::cerr << where << ": " << what << '\n';
  std::exit(1);
}

int codeOf(const std::string& line, const std::string& where) {
  std::istringstream words(line);
  std::string keyword;
  std::string number;
  words >> keyword >> number;
  char* end = nullptr;
  const long code = std::strtol(number.c_str(), &end, 0);
  if (keyword != "glyph" || number.empty() || *end != '\0' || code < 0 || code > 255) {
    fail(where, "expected \"glyph <code>\" with a code from 0 to 255");
  }
  return static_cast<int>(code);
}

}  // namespace

BitmapFont::BitmapFont(const std::string& path) {
  std::ifstream in(path);
  if (!in) {
    fail(path, "cannot be read");
  }
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (line.empty() || line[0] == ';') {
      continue;
    }
    const int code = codeOf(line, path + ":" + std::to_string(lineNumber));
    Glyph& glyph = mGlyphs[static_cast<std::size_t>(code)];
    for (int row = 0; row < kHeight; ++row) {
      ++lineNumber;
      if (!std::getline(in, line) || line.size() != kWidth || line.find_first_not_of("#.") != std::string::npos) {
        fail(path + ":" + std::to_string(lineNumber), "a glyph row is 8 characters of '#' and '.'");
      }
      for (int column = 0; column < kWidth; ++column) {
        glyph[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = line[static_cast<std::size_t>(column)] == '#';
      }
    }
    mDrawn.set(static_cast<std::size_t>(code));
  }
}

const BitmapFont::Glyph* BitmapFont::glyph(unsigned char code) const {
  return mDrawn.test(code) ? &mGlyphs[code] : nullptr;
}
