#include "core/file/FileLoader.h"

namespace Game {

namespace {

FileLoader* gFileLoader = nullptr;

}  // namespace

void FileLoader::create() {
  if (!gFileLoader) {
    gFileLoader = new FileLoader();
  }
}

void FileLoader::destroy() {
  delete gFileLoader;
  gFileLoader = nullptr;
}

FileLoader* FileLoader::instance() { return gFileLoader; }

void FileLoader::request(const Engine::FileIO::InFile& file) {
  if (!file) {
    return;
  }
  for (const Engine::FileIO::InFile& held : mRing) {
    if (held == file) {
      return;
    }
  }
  mRing[mNext] = file;
  mNext = (mNext + 1) % kRingSize;
}

}  // namespace Game
