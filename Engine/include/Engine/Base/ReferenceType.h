#pragma once

#include "Engine/Base/Types.h"

namespace Engine {

// The reference count behind every handle class. Counts are plain integers:
// a handle is shared between threads only under its owner's lock.
class ReferenceType {
 public:
  ReferenceType() = default;
  ReferenceType(const ReferenceType&) = delete;
  ReferenceType& operator=(const ReferenceType&) = delete;

  void refer() { ++mReferenceCount; }
  void release() { --mReferenceCount; }
  i32 referenceCount() const { return mReferenceCount; }

 protected:
  ~ReferenceType() = default;

 private:
  i32 mReferenceCount = 1;
};

// Helpers for handles: the handle holds one pointer to its implementation.
// Implementations are deleted when the last reference goes.
template <class Impl>
void referImpl(Impl* impl) {
  if (impl) {
    impl->refer();
  }
}

template <class Impl>
void releaseImpl(Impl*& impl) {
  if (impl) {
    impl->release();
    if (impl->referenceCount() == 0) {
      delete impl;
    }
    impl = nullptr;
  }
}

}  // namespace Engine
