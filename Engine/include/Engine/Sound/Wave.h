#pragma once

namespace Engine::Sound {

// A WAV sound held whole in memory, shared by every player made from it.
class Wave {
 public:
  class Impl;

  Wave() = default;
  // Adopts one reference of impl.
  explicit Wave(Impl* impl) : mImpl(impl) {}
  Wave(const Wave& other);
  Wave& operator=(const Wave& other);
  ~Wave();

  // Starts reading the file through the file manager and returns at once.
  static Wave create(const char* fileName);

  // False for an empty handle and while the file is loading; the first call
  // that finds it loaded reads it.
  bool isReady() const;
  // The file could not be read or holds no usable sound.
  bool isError() const;
  void release();

  operator void*() const { return mImpl; }
  bool operator==(const Wave& other) const { return mImpl == other.mImpl; }

  Impl* impl() const { return mImpl; }

 private:
  Impl* mImpl = nullptr;
};

}  // namespace Engine::Sound
