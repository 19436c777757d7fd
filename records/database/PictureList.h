#pragma once

#include <deque>
#include <memory>
#include <string>

#include "Engine/Base/Types.h"

namespace Game {

class Model;
class ResourceSet;

// The picture set of one definition file, read on its first use.
class PictureList {
 public:
  explicit PictureList(std::string path);
  ~PictureList();
  PictureList(PictureList&&) noexcept;
  PictureList& operator=(PictureList&&) noexcept;

  const char* path() const { return mPath.c_str(); }
  bool isLoaded() const { return mSet != nullptr; }
  // Reads the file on the first call.
  ResourceSet& set();
  // The model of that name; null when the set holds none.
  Model* find(const char* modelName);
  // Lets the pictures go; the next use reads the file again.
  void release();

 private:
  std::string mPath;
  std::unique_ptr<ResourceSet> mSet;
};

// Picture lists by path, added on their first request and read when first
// needed; the same path always gives the same list.
class PictureShelf {
 public:
  PictureList& get(const std::string& path);
  Engine::i32 count() const { return static_cast<Engine::i32>(mLists.size()); }
  void release();

 private:
  std::deque<PictureList> mLists;
};

}  // namespace Game
