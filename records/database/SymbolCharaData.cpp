#include "records/database/SymbolCharaData.h"

#include "Engine/FileIO/Manager.h"
#include "core/file/DataError.h"
#include "core/file/FileReader.h"
#include "core/file/PlainName.h"
#include "core/file/nml/NmlDocument.h"

namespace Game {

using Engine::i32;

namespace {

constexpr const char* kPictureDirectory = "src/picture/symbol/";
constexpr const char* kCharaDirectory = "src/picture/symbol/chara/";
// The cells a symbol takes beside its own lie this near it: added to a cell
// and turned, they stay far inside the integers.
constexpr i32 kMaxCollisionReach = 64;

bool nearOwnCell(const MapReading::CellOffset& offset) {
  return offset.x >= -kMaxCollisionReach && offset.x <= kMaxCollisionReach && offset.y >= -kMaxCollisionReach &&
         offset.y <= kMaxCollisionReach;
}

}  // namespace

SymbolCharaData SymbolCharaData::read(const NmlNode& node, const char* file, const char* name) {
  const std::string path =
      kPictureDirectory + std::string(MapReading::required(node, "file", file).toString(0)) + ".txt";
  MapReading::requireFile(file, path);
  SymbolCharaData chara(name ? name : MapReading::required(node, "name", file).toString(0), path);
  if (node.countAttributes("collision") > 0) {
    chara.mCollision = MapReading::offsets(node, "collision");
    for (const MapReading::CellOffset& offset : chara.mCollision) {
      if (!nearOwnCell(offset)) {
        DataError::Scope scope(file);
        scope.setRecord("symbol", chara.name(), node.line());
        DataError::badRecord(__FILE__, __LINE__, "\"collision\" must lie from -64 to 64 cells each way");
      }
    }
  }
  chara.mReaction = MapReading::flag(node, "reaction");
  chara.mFloat = MapReading::flag(node, "float");
  return chara;
}

Model* SymbolCharaData::picture(const char* modelName) {
  return modelName && *modelName ? mPicture.find(modelName) : nullptr;
}

void SymbolCharaList::load() {
  NmlDocument document;
  document.load(kFile);
  read(document, kFile);
}

void SymbolCharaList::read(const NmlNode& root, const char* file) {
  for (i32 i = 0; i < root.countChildren("symbol"); ++i) {
    mCharas.push_back(SymbolCharaData::read(*root.findChild("symbol", i), file, nullptr));
  }
}

SymbolCharaData* SymbolCharaList::find(const char* name) {
  for (SymbolCharaData& chara : mCharas) {
    if (std::string_view(chara.name()) == name) {
      return &chara;
    }
  }
  return nullptr;
}

SymbolCharaData* SymbolCharaList::chara(const char* name) {
  if (!name || !*name) {
    return nullptr;
  }
  if (SymbolCharaData* held = find(name)) {
    return held;
  }
  // A save names charas too: a name that is not plain would reach past the
  // chara folder, and one that is a FIFO, a directory or unreadable must
  // not halt the game that checks the save.
  const std::string path = kCharaDirectory + std::string(name) + ".txt";
  FileReader reader;
  if (mMissing.count(name) == 0 && isPlainName(name) && Engine::FileIO::Manager::instance().holds(path.c_str())) {
    reader.openWithoutHalt(path.c_str(), true);
  }
  if (!reader.data()) {
    mMissing.insert(name);
    return nullptr;
  }
  ++mFileReads;
  NmlDocument document;
  document.loadFromText(path.c_str(), reader.data());
  mCharas.push_back(SymbolCharaData::read(document, path.c_str(), name));
  return &mCharas.back();
}

void SymbolCharaList::release() {
  for (SymbolCharaData& chara : mCharas) {
    chara.release();
  }
}

}  // namespace Game
