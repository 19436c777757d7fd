// nml text from any data file: arbitrary bytes must parse (or fail) without
// reading past the text, and whatever tree was read must survive a write and
// a read in both forms unchanged.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/file/nml/NmlNode.h"
#include "fuzz/FuzzText.h"
#include "fuzz/FuzzStop.h"

namespace {

bool sameTree(const Game::NmlNode& a, const Game::NmlNode& b) {
  if (std::strcmp(a.name(), b.name()) != 0 || a.attributeCount() != b.attributeCount() ||
      a.childCount() != b.childCount()) {
    return false;
  }
  for (int i = 0; i < a.attributeCount(); ++i) {
    const Game::NmlAttribute& x = *a.attribute(i);
    const Game::NmlAttribute& y = *b.attribute(i);
    if (std::strcmp(x.key(), y.key()) != 0 || x.itemCount() != y.itemCount()) {
      return false;
    }
    for (int k = 0; k < x.itemCount(); ++k) {
      if (std::strcmp(x.item(k), y.item(k)) != 0) {
        return false;
      }
    }
  }
  for (int i = 0; i < a.childCount(); ++i) {
    if (!sameTree(*a.child(i), *b.child(i))) {
      return false;
    }
  }
  return true;
}

void expectRoundTrip(const Game::NmlNode& tree, bool pretty) {
  Game::String text;
  tree.toString(text, pretty);
  Game::NmlNode copy;
  if (!copy.parse(text.c_str(), false) || !sameTree(tree, copy)) {
    std::fprintf(stderr, "nml round trip (%s) changed the tree\n", pretty ? "pretty" : "compact");
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzSupport::FuzzBackend backend(FuzzSupport::OnStop::Abort);
  backend.startInput();
  // Loaded files end with one zero byte; the text stops at the first zero.
  const std::vector<char> text = FuzzSupport::zeroTerminated(data, size);
  Game::NmlNode tree;
  tree.parse(text.data(), false);
  expectRoundTrip(tree, true);
  expectRoundTrip(tree, false);
  for (int i = 0; i < tree.attributeCount(); ++i) {
    const Game::NmlAttribute& line = *tree.attribute(i);
    (void)line.toInt(-1);
    (void)line.toFloat(line.itemCount());
    (void)line.toBool(0);
  }
  return 0;
}
