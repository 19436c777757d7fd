#include "core/file/TileMapFile.h"

#include "Engine/Base/DebugStream.h"
#include "core/string/String.h"

namespace Game {

const TileMapView TileMapFile::kNoMap;

const TileMapView& TileMapFile::view() const {
  return mView.bytes() == reinterpret_cast<const Engine::u8*>(data()) ? mView : kNoMap;
}

bool TileMapFile::load(const char* name, Engine::i32 layerCount) {
  String path(name);
  path.append(".fmf");
  mView.clear();
  open(path.c_str(), true, false, true);
  const char* problem = size() > 0 ? mView.read(reinterpret_cast<const Engine::u8*>(data()), size(), layerCount)
                                   : "can't be read";
  if (problem) {
    Engine::cout << "TileMapFile : " << problem << " ( " << path.c_str() << " )" << Engine::endl;
    return false;
  }
  return true;
}

}  // namespace Game
