#pragma once

#include "Engine/Base/Types.h"
#include "core/file/FileReader.h"
#include "core/file/TileMapView.h"

namespace Game {

// A ".fmf" tile map read through the file manager; what its layers mean
// belongs to the floor builder.
class TileMapFile : public FileReader {
 public:
  // Reads name + ".fmf" (waiting, kept alive). A file that cannot be read or
  // does not hold layerCount whole layers is reported on the debug stream and
  // leaves the map empty (every read gives TileMapView::kEmpty); false then.
  bool load(const char* name, Engine::i32 layerCount);

  // The layers as loaded; an empty view once the file has been released or
  // another opened in its place.
  const TileMapView& view() const;
  Engine::i32 layerCount() const { return mView.layerCount(); }
  Engine::i32 bitsPerChip() const { return mView.bitsPerChip(); }
  Engine::i32 width() const { return mView.width(); }
  Engine::i32 height() const { return mView.height(); }
  Engine::i32 chipWidth() const { return mView.chipWidth(); }
  Engine::i32 chipHeight() const { return mView.chipHeight(); }
  Engine::i32 chip(Engine::i32 layer, Engine::i32 x, Engine::i32 y) const { return view().chip(layer, x, y); }
  Engine::i32 chipRow(Engine::i32 layer, Engine::i32 x, Engine::i32 y) const { return view().chipRow(layer, x, y); }
  Engine::i32 chipColumn(Engine::i32 layer, Engine::i32 x, Engine::i32 y) const {
    return view().chipColumn(layer, x, y);
  }
  Engine::i32 chipIndex(Engine::i32 layer, Engine::i32 x, Engine::i32 y) const {
    return view().chipIndex(layer, x, y);
  }

 private:
  TileMapView mView;
  static const TileMapView kNoMap;
};

}  // namespace Game
