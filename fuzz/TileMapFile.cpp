// A ".fmf" tile map: the first byte chooses the layer count the caller asks
// for, the rest is the file. Any header is accepted or refused without a read
// outside the file, and every cell of an accepted map (and beyond its edges)
// reads within it.

#include <cstdint>
#include <cstdlib>

#include "file/TileMapView.h"
#include "fuzz/FuzzStop.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzSupport::FuzzBackend backend(FuzzSupport::OnStop::Abort);
  backend.startInput();
  if (size < 1 || size > (1u << 20)) {
    return 0;
  }
  const int layerCount = data[0] % 8;
  Game::TileMapView map;
  if (map.read(data + 1, static_cast<int>(size - 1), layerCount)) {
    if (map.isValid() || map.chip(0, 0, 0) != Game::TileMapView::kEmpty) {
      std::abort();
    }
    return 0;
  }
  for (int layer = -1; layer <= layerCount; ++layer) {
    for (int y = -1; y <= map.height(); ++y) {
      for (int x = -1; x <= map.width(); ++x) {
        const int index = map.chipIndex(layer, x, y);
        if (index < -1 || index > 255 + 255 * 8) {
          std::abort();
        }
      }
    }
  }
  return 0;
}
