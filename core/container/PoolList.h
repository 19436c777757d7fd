#pragma once

#include <cstddef>
#include <new>

#include "Engine/Base/Assert.h"
#include "Engine/Base/Types.h"

namespace Game {

// A linked list whose nodes live in blocks allocated a whole block at a time.
// Unlinked nodes are only marked free and handed out again; node memory comes
// back only through clear() or destruction. A reused node keeps the value it
// held: callers assign every member they use. Blocks may start small and
// double up to the block size, for lists that are mostly short. A block is one
// allocation: its header, then its nodes.
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

  explicit PoolList(Engine::i32 blockSize) : PoolList(blockSize, blockSize) {}
  PoolList(Engine::i32 blockSize, Engine::i32 firstBlockSize)
      : mBlockSize(blockSize), mNextBlockSize(firstBlockSize) {
    ENGINE_ASSERT(blockSize >= 1 && firstBlockSize >= 1 && firstBlockSize <= blockSize &&
                  "PoolList : the block size must be at least 1.");
  }
  ~PoolList() {
    for (BlockHeader* block = mNewestBlock; block;) {
      BlockHeader* older = block->older;
      destroyBlock(block);
      block = older;
    }
  }
  PoolList(const PoolList&) = delete;
  PoolList& operator=(const PoolList&) = delete;

  // Destroys every block, linked and free nodes alike.
  void clear() {
    mFirst = nullptr;
    mLast = nullptr;
    mFreeCount = 0;
    while (mNewestBlock) {
      BlockHeader* block = mNewestBlock;
      mNewestBlock = block->older;
      mNextBlockSize = block->size;  // a cleared list starts over from its first block size
      destroyBlock(block);
    }
  }

  Engine::i32 count() const {
    Engine::i32 n = 0;
    for (const Node* node = mFirst; node; node = node->mNext) {
      ++n;
    }
    return n;
  }

  Engine::i32 blockCount() const {
    Engine::i32 n = 0;
    for (const BlockHeader* block = mNewestBlock; block; block = block->older) {
      ++n;
    }
    return n;
  }

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
  // Nodes are built when first handed out: node 0, then from the end
  // backwards, so the built ones are node 0 and [builtFrom, size). Only the
  // newest block can hold unbuilt nodes: a block is made when all are used.
  struct BlockHeader {
    BlockHeader* older;
    Engine::i32 size;
    Engine::i32 builtFrom;
  };
  static constexpr std::size_t kNodesOffset = (sizeof(BlockHeader) + alignof(Node) - 1) / alignof(Node) * alignof(Node);

  static Node* nodesOf(BlockHeader* block) {
    return reinterpret_cast<Node*>(reinterpret_cast<char*>(block) + kNodesOffset);
  }

  static void destroyBlock(BlockHeader* block) {
    Node* nodes = nodesOf(block);
    nodes[0].~Node();
    for (Engine::i32 k = block->builtFrom; k < block->size; ++k) {
      nodes[k].~Node();
    }
    ::operator delete(static_cast<void*>(block), std::align_val_t{alignof(Node)});
  }

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
    for (BlockHeader* block = mNewestBlock; block; block = block->older) {
      Node* nodes = nodesOf(block);
      for (Engine::i32 k = block->size - 1; k >= 0; --k) {
        if (k > 0 && k < block->builtFrom) {
          block->builtFrom = k;
          return new (&nodes[k]) Node;
        }
        if (!nodes[k].mUsed) {
          return &nodes[k];
        }
      }
    }
    return takeFromNewBlock();
  }

  Node* takeFromNewBlock() {
    const Engine::i32 size = mNextBlockSize;
    void* storage = ::operator new(kNodesOffset + sizeof(Node) * static_cast<std::size_t>(size),
                                   std::align_val_t{alignof(Node)});
    auto* block = new (storage) BlockHeader{mNewestBlock, size, size};
    Node* nodes = nodesOf(block);
    new (&nodes[0]) Node;
    mNewestBlock = block;
    mNextBlockSize = size > mBlockSize / 2 ? mBlockSize : size * 2;
    mFreeCount += size - 1;
    return &nodes[0];
  }

  void unlink(Node* node) {
    node->mUsed = 0;
    ++mFreeCount;
    (node->mPrev ? node->mPrev->mNext : mFirst) = node->mNext;
    (node->mNext ? node->mNext->mPrev : mLast) = node->mPrev;
  }

  Engine::i32 mBlockSize;
  Engine::i32 mNextBlockSize;  // the size of the block made next
  BlockHeader* mNewestBlock = nullptr;  // blocks link to older ones
  Node* mFirst = nullptr;
  Node* mLast = nullptr;
  Engine::i32 mFreeCount = 0;  // free nodes in all blocks: spares the scan when there are none
};

}  // namespace Game
