#pragma once

#include "Engine/Base/Assert.h"
#include "Engine/Base/Types.h"
#include "core/container/Array2D.h"
#include "core/container/OwnedList.h"

namespace Game {

// A linked list whose nodes live in blocks allocated a whole block at a time.
// Unlinked nodes are only marked free and handed out again; node memory comes
// back only through clear() or destruction. A reused node keeps the value it
// held: callers assign every member they use.
template <class T>
class PoolList {
 public:
  struct Node {
    T mValue{};  // first, so a node's address is its value's address
    Engine::u8 mUsed = 0;
    Node* mNext = nullptr;
    Node* mPrev = nullptr;
  };

  class Iterator {
   public:
    explicit Iterator(const PoolList& list) : mNode(list.mFirst) {}
    bool isEnd() const { return mNode == nullptr; }
    T* value() const { return &mNode->mValue; }
    void next() {
      if (mNode) {
        mNode = mNode->mNext;
      }
    }

   private:
    Node* mNode;
  };

  explicit PoolList(Engine::i32 blockSize) : mBlockSize(blockSize) {
    ENGINE_ASSERT(blockSize >= 1 && "PoolList : the block size must be at least 1.");
  }
  ~PoolList() { clear(); }
  PoolList(const PoolList&) = delete;
  PoolList& operator=(const PoolList&) = delete;

  // Destroys every block, linked and free nodes alike.
  void clear() {
    mFirst = nullptr;
    mLast = nullptr;
    mFreeCount = 0;
    mBlocks.clear();
  }

  Engine::i32 count() const {
    Engine::i32 n = 0;
    for (const Node* node = mFirst; node; node = node->mNext) {
      ++n;
    }
    return n;
  }

  Engine::i32 blockCount() const { return mBlocks.count(); }

  Node* nodeAt(Engine::i32 i) const {
    if (i < 0) {
      return nullptr;
    }
    Node* node = mFirst;
    for (; node && i > 0; --i) {
      node = node->mNext;
    }
    return node;
  }

  T* at(Engine::i32 i) const { return &validNodeAt(i)->mValue; }

  T* insertAt(Engine::i32 position) {
    Node* after = position < 0 ? nullptr : nodeAt(position);
    ENGINE_ASSERT((position < 0 || after || position == count()) && "PoolList : position out of range.");
    Node* node = takeFreeNode();
    node->mUsed = 1;
    node->mPrev = after ? after->mPrev : mLast;
    node->mNext = after;
    (node->mPrev ? node->mPrev->mNext : mFirst) = node;
    (after ? after->mPrev : mLast) = node;
    return &node->mValue;
  }
  T* add() { return insertAt(-1); }

  // Joins the neighbours and frees the node; its value and its own links stay.
  void unlinkAt(Engine::i32 i) { unlink(validNodeAt(i)); }

  // Unlinks every linked node at the element's address; returns how many.
  Engine::i32 remove(const T* element) {
    Engine::i32 removed = 0;
    Node* node = mFirst;
    while (node) {
      Node* next = node->mNext;
      if (&node->mValue == element) {
        unlink(node);
        ++removed;
      }
      node = next;
    }
    return removed;
  }

 private:
  using Block = Array2D<Node>;

  Node* validNodeAt(Engine::i32 i) const {
    Node* node = nodeAt(i);
    ENGINE_ASSERT(node && "PoolList : position out of range.");
    return node;
  }

  // The free node with the highest number in the newest block that has one:
  // a fresh block hands out node 0, then the rest from its end backwards.
  Node* takeFreeNode() {
    if (mFreeCount == 0) {
      return takeFromNewBlock();  // the scan below would find nothing
    }
    --mFreeCount;
    for (auto* blockNode = mBlocks.tail(); blockNode; blockNode = blockNode->mPrev) {
      Block& block = *blockNode->mObject;
      for (Engine::i32 k = mBlockSize - 1; k >= 0; --k) {
        if (!block.at(static_cast<Engine::u32>(k)).mUsed) {
          return &block.at(static_cast<Engine::u32>(k));
        }
      }
    }
    return takeFromNewBlock();
  }

  Node* takeFromNewBlock() {
    Block* block = mBlocks.addNew();
    block->setSize(mBlockSize);
    mFreeCount += mBlockSize - 1;
    return &block->at(0);
  }

  void unlink(Node* node) {
    node->mUsed = 0;
    ++mFreeCount;
    (node->mPrev ? node->mPrev->mNext : mFirst) = node->mNext;
    (node->mNext ? node->mNext->mPrev : mLast) = node->mPrev;
  }

  Engine::i32 mBlockSize;
  OwnedList<Block> mBlocks;
  Node* mFirst = nullptr;
  Node* mLast = nullptr;
  Engine::i32 mFreeCount = 0;  // free nodes in all blocks: spares the scan when there are none
};

}  // namespace Game
