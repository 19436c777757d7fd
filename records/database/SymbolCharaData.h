#pragma once

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "Engine/Base/Types.h"
#include "records/database/MapReading.h"
#include "records/database/PictureList.h"

namespace Game {

class Model;
class NmlNode;

// A field symbol's look: its picture set (read on first use), the cells it
// occupies around its own and how it behaves.
class SymbolCharaData {
 public:
  SymbolCharaData(std::string name, std::string picturePath) : mName(std::move(name)), mPicture(std::move(picturePath)) {}

  // From a "symbol" entry (name null: its "name" line is required) or a chara
  // file's root (named by the name it was asked for). "file" is required.
  static SymbolCharaData read(const NmlNode& node, const char* file, const char* name);

  const char* name() const { return mName.c_str(); }
  const char* picturePath() const { return mPicture.path(); }
  // The cell offsets the symbol occupies; its own cell alone by default.
  const std::vector<MapReading::CellOffset>& collision() const { return mCollision; }
  bool reacts() const { return mReaction; }
  bool floats() const { return mFloat; }

  // The model of that name; an empty or null name gives none without
  // reading the pictures.
  Model* picture(const char* modelName);
  bool isPictureLoaded() const { return mPicture.isLoaded(); }
  void release() { mPicture.release(); }

 private:
  std::string mName;
  PictureList mPicture;
  std::vector<MapReading::CellOffset> mCollision{{0, 0}};
  bool mReaction = false;
  bool mFloat = false;
};

// The charas of "src/picture/symbol/list.txt", and more made on demand from
// their own files "src/picture/symbol/chara/<name>.txt", each read once.
class SymbolCharaList {
 public:
  static constexpr const char* kFile = "src/picture/symbol/list.txt";

  void load();
  void read(const NmlNode& root, const char* file);

  // The chara of that name; a new name reads its chara file once. Null for an
  // empty name, one that is not a plain name (core/file/PlainName.h) or one
  // that has no chara file (asked again, still null, with no second look).
  SymbolCharaData* chara(const char* name);
  Engine::i32 count() const { return static_cast<Engine::i32>(mCharas.size()); }
  // How many chara files were read on demand.
  Engine::i32 charaFileReads() const { return mFileReads; }
  void release();

 private:
  SymbolCharaData* find(const char* name);

  std::deque<SymbolCharaData> mCharas;
  std::set<std::string> mMissing;
  Engine::i32 mFileReads = 0;
};

}  // namespace Game
