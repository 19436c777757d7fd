#pragma once

#include <new>
#include <utility>

#include "Engine/Base/Assert.h"
#include "Engine/Base/Types.h"

namespace Engine {

// Fixed size once set: an array with storage can only shrink.
template <class T>
class Array {
 public:
  Array() = default;
  explicit Array(i32 size) { setSize(size); }
  ~Array() { clear(); }
  Array(const Array&) = delete;
  Array& operator=(const Array&) = delete;

  void setSize(i32 size) {
    if (!mElements) {
      if (size >= 1) {
        allocate(size);
      }
      mSize = size >= 1 ? size : 0;
      return;
    }
    ENGINE_ASSERT((size <= mSize) && "Array::setSize() : extension is not supperted.");
    const i32 kept = size < 0 ? 0 : size;
    for (i32 i = kept; i < mSize; ++i) {
      mElements[i].~T();
    }
    mSize = kept;
  }

  i32 size() const { return mSize; }

  T& operator[](i32 i) {
    ENGINE_ASSERT(i >= 0 && i < mSize && "range error.");
    return mElements[i];
  }
  const T& operator[](i32 i) const {
    ENGINE_ASSERT(i >= 0 && i < mSize && "range error.");
    return mElements[i];
  }

  T* data() { return mElements; }
  const T* data() const { return mElements; }

  void clear() {
    if (mElements) {
      for (i32 i = 0; i < mSize; ++i) {
        mElements[i].~T();
      }
      ::operator delete(static_cast<void*>(mElements));
    }
    mElements = nullptr;
    mSize = 0;
  }

 private:
  void allocate(i32 size) {
    mElements = static_cast<T*>(::operator new(sizeof(T) * static_cast<std::size_t>(size)));
    for (i32 i = 0; i < size; ++i) {
      new (&mElements[i]) T();
    }
  }

  T* mElements = nullptr;
  i32 mSize = 0;
};

}  // namespace Engine
