#pragma once

#include <deque>
#include <string>

#include "Engine/Base/Types.h"
#include "records/database/PictureList.h"

namespace Game {

class Model;
class NmlNode;

// How a unit looks in battle: its picture set, read on first use, and the
// scale it is drawn at. Motions are the set's models by name.
class UnitPictureData {
 public:
  UnitPictureData(std::string name, std::string picturePath, Engine::f32 scale)
      : mName(std::move(name)), mPicture(std::move(picturePath)), mScale(scale) {}

  const char* name() const { return mName.c_str(); }
  Engine::f32 scale() const { return mScale; }
  const char* picturePath() const { return mPicture.path(); }
  bool isPictureLoaded() const { return mPicture.isLoaded(); }

  Model* motion(const char* name) { return mPicture.find(name); }
  Model* standMotion() { return motion("stand"); }
  // "stand" when the set has no "down".
  Model* downMotion();
  Model* appearMotion() { return motion("appear"); }
  void release() { mPicture.release(); }

 private:
  std::string mName;
  PictureList mPicture;
  Engine::f32 mScale;
};

// "src/picture/unit/list.txt": every line of the root is a unit, its key the
// unit's name, item 0 the picture file and item 1 the scale.
class UnitPictureList {
 public:
  static constexpr const char* kFile = "src/picture/unit/list.txt";

  void load();
  void read(const NmlNode& root, const char* file);

  // Null for a name the list lacks.
  UnitPictureData* find(const char* name);
  Engine::i32 count() const { return static_cast<Engine::i32>(mUnits.size()); }
  UnitPictureData& at(Engine::i32 i) { return mUnits[static_cast<std::size_t>(i)]; }
  void release();

 private:
  std::deque<UnitPictureData> mUnits;
};

}  // namespace Game
