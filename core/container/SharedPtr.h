#pragma once

#include "Engine/Base/Types.h"

// GCC cannot follow the count across inlined holders and reports the last
// holder's release as a use after free; the count makes that path unreachable.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ >= 12
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuse-after-free"
#define GAME_SHARED_PTR_WARNING_PUSHED
#endif

namespace Game {

// A pointer shared through a separate count block; the last holder to let go
// deletes the object and then the block.
template <class T>
class SharedPtr {
 public:
  class Block {
   public:
    explicit Block(T* object) : mObject(object) {}
    void addRef() { ++mCount; }
    Engine::i32 release() { return --mCount; }
    T* object() const { return mObject; }
    Engine::i32 count() const { return mCount; }
    void rebind(T* object) {
      mObject = object;
      mCount = 1;
    }

   private:
    T* mObject;
    Engine::i32 mCount = 1;
  };

  SharedPtr() = default;
  SharedPtr(const SharedPtr& other) : mBlock(other.mBlock) {
    if (mBlock) {
      mBlock->addRef();
    }
  }
  ~SharedPtr() { reset(); }

  SharedPtr& operator=(const SharedPtr& other) {
    if (other.mBlock == mBlock) {
      return *this;  // also covers self-assignment: releasing first could delete the object
    }
    reset();
    mBlock = other.mBlock;
    if (mBlock) {
      mBlock->addRef();
    }
    return *this;
  }

  void reset() {
    Block* block = mBlock;
    mBlock = nullptr;
    if (block && block->release() == 0) {
      deleteObject(block->object());
      delete block;
    }
  }

  // Points this holder at a new object. The sole owner's block is reused;
  // other holders of a shared block keep the old object.
  void reset(T* object) {
    if (mBlock && object == mBlock->object()) {
      return;  // re-pointing at the held object must not delete it
    }
    if (!object) {
      reset();
    } else if (!mBlock) {
      mBlock = new Block(object);
    } else if (mBlock->release() == 0) {
      deleteObject(mBlock->object());
      mBlock->rebind(object);
    } else {
      mBlock = new Block(object);
    }
  }

  T* get() const { return mBlock ? mBlock->object() : nullptr; }
  T* operator->() const { return get(); }
  T& operator*() const { return *get(); }
  bool isValid() const { return mBlock && mBlock->object(); }
  // Number of holders of this block, 0 when empty.
  Engine::i32 useCount() const { return mBlock ? mBlock->count() : 0; }

 private:
  static void deleteObject(T* object) {
    static_assert(sizeof(T) > 0, "SharedPtr deletes a complete type only");
    delete object;
  }

  Block* mBlock = nullptr;
};

}  // namespace Game

#ifdef GAME_SHARED_PTR_WARNING_PUSHED
#pragma GCC diagnostic pop
#undef GAME_SHARED_PTR_WARNING_PUSHED
#endif
