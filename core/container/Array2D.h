#pragma once

#include <cstddef>
#include <new>

#include "Engine/Base/Assert.h"
#include "Engine/Base/Types.h"

namespace Game {

// A heap array of one or two dimensions: x selects a row of sizeY() consecutive
// elements. Either there is no storage and both sizes are 0, or both sizes are
// at least 1. Resizing discards the old elements; element access is unchecked.
template <class T>
class Array2D {
 public:
  Array2D() = default;
  explicit Array2D(Engine::i32 size) { setSize(size); }
  Array2D(Engine::i32 sizeX, Engine::i32 sizeY) { setSize2D(sizeX, sizeY); }
  ~Array2D() { clear(); }
  Array2D(const Array2D&) = delete;
  Array2D& operator=(const Array2D&) = delete;

  void clear() {
    if (mElements) {
      const Engine::u32 count = size();
      for (Engine::u32 i = 0; i < count; ++i) {
        mElements[i].~T();
      }
      ::operator delete(static_cast<void*>(mElements), std::align_val_t{alignof(T)});
    }
    mElements = nullptr;
    mSizeX = 0;
    mSizeY = 0;
  }

  void setSize(Engine::i32 size) { setSize2D(size, 1); }

  void setSize2D(Engine::i32 sizeX, Engine::i32 sizeY) {
    clear();
    if (sizeX < 1 || sizeY < 1) {
      return;
    }
    const std::size_t count = static_cast<std::size_t>(sizeX) * static_cast<std::size_t>(sizeY);
    ENGINE_ASSERT(count <= 0x7FFFFFFFu && "Array2D::setSize2D() : too many elements.");
    void* storage = ::operator new(count * sizeof(T), std::align_val_t{alignof(T)});
    mElements = static_cast<T*>(storage);
    for (std::size_t i = 0; i < count; ++i) {
      new (&mElements[i]) T;  // plain elements stay uninitialised
    }
    mSizeX = sizeX;
    mSizeY = sizeY;
  }

  Engine::u32 size() const { return static_cast<Engine::u32>(mSizeX) * static_cast<Engine::u32>(mSizeY); }
  Engine::i32 sizeX() const { return mSizeX; }
  Engine::i32 sizeY() const { return mSizeY; }

  T& at(Engine::u32 i) { return mElements[i]; }
  const T& at(Engine::u32 i) const { return mElements[i]; }
  T& atXY(Engine::i32 x, Engine::i32 y) { return mElements[offsetOf(x, y)]; }
  const T& atXY(Engine::i32 x, Engine::i32 y) const { return mElements[offsetOf(x, y)]; }
  T& last() { return mElements[size() - 1]; }
  const T& last() const { return mElements[size() - 1]; }
  T* data() { return mElements; }
  const T* data() const { return mElements; }

  // Negative coordinates wrap to huge unsigned values and so fall outside.
  bool isInside(Engine::i32 x, Engine::i32 y) const {
    return static_cast<Engine::u32>(x) < static_cast<Engine::u32>(mSizeX) &&
           static_cast<Engine::u32>(y) < static_cast<Engine::u32>(mSizeY);
  }

  // The copy is always one-dimensional.
  void assign(const Array2D& other) {
    if (&other == this) {
      return;
    }
    setSize(static_cast<Engine::i32>(other.size()));
    for (Engine::u32 i = 0; i < other.size(); ++i) {
      mElements[i] = other.mElements[i];
    }
  }

 private:
  std::size_t offsetOf(Engine::i32 x, Engine::i32 y) const {
    return static_cast<std::size_t>(x) * static_cast<std::size_t>(mSizeY) + static_cast<std::size_t>(y);
  }

  Engine::i32 mSizeX = 0;
  Engine::i32 mSizeY = 0;
  T* mElements = nullptr;
};

}  // namespace Game
