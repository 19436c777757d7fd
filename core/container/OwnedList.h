#pragma once

#include "Engine/Base/Assert.h"
#include "Engine/Base/Types.h"
#include "core/container/Array2D.h"

namespace Game {

// A doubly linked list that owns the objects its nodes point to. It keeps no
// count and no cursor: every positional operation walks from the head.
// Inserting positions below 0 mean the end of the list.
template <class T>
class OwnedList {
 public:
  struct Node {
    T* mObject = nullptr;  // null only while a DeferredList has deleted it
    Node* mNext = nullptr;
    Node* mPrev = nullptr;
  };

  // Every walk: construct from the list, then use value() and advance with
  // next() until isEnd().
  class Iterator {
   public:
    explicit Iterator(const OwnedList& list) : mNode(list.mHead) {}
    bool isEnd() const { return mNode == nullptr; }
    T* value() const { return mNode->mObject; }
    void next() {
      if (mNode) {
        mNode = mNode->mNext;
      }
    }

   protected:
    Node* mNode;
  };

  OwnedList() = default;
  ~OwnedList() { clear(); }
  OwnedList(const OwnedList&) = delete;
  OwnedList& operator=(const OwnedList&) = delete;

  // Deletes every node and object from the head towards the tail, in a loop so
  // that a long list cannot exhaust the stack.
  void clear() {
    Node* node = mHead;
    mHead = nullptr;
    mTail = nullptr;
    while (node) {
      Node* next = node->mNext;
      deleteNode(node);
      node = next;
    }
  }

  Engine::i32 count() const {
    Engine::i32 n = 0;
    for (const Node* node = mHead; node; node = node->mNext) {
      ++n;
    }
    return n;
  }

  Node* nodeAt(Engine::i32 i) const {
    if (i < 0) {
      return nullptr;
    }
    Node* node = mHead;
    for (; node && i > 0; --i) {
      node = node->mNext;
    }
    return node;
  }

  Node* head() const { return mHead; }
  Node* tail() const { return mTail; }
  bool isEmpty() const { return mHead == nullptr; }

  T* at(Engine::i32 i) const { return validNodeAt(i)->mObject; }
  T* front() const { return validNode(mHead)->mObject; }
  T* back() const { return validNode(mTail)->mObject; }

  void pushBack(T* object) { link(newNode(object), -1); }

  T* addNewAt(Engine::i32 position) {
    T* object = new T();
    link(newNode(object), position);
    return object;
  }
  T* addNew() { return addNewAt(-1); }

  T* addCopy(const T& value) {
    T* object = new T(value);
    pushBack(object);
    return object;
  }

  // The caller owns the returned object.
  [[nodiscard]] T* removeAt(Engine::i32 i) {
    Node* node = validNodeAt(i);
    unlink(node);
    T* object = node->mObject;
    delete node;
    return object;
  }

  void deleteAt(Engine::i32 i) { deleteObjectOnce(removeAt(i)); }

  // Removes every node holding the object and deletes the object once (a
  // pointer pushed twice must not be deleted twice). Returns the nodes left.
  Engine::i32 deleteObject(const T* object) {
    T* owned = nullptr;
    removeMatching([&](const Node* node) {
      if (node->mObject == object) {
        owned = node->mObject;
        return true;
      }
      return false;
    });
    deleteObjectOnce(owned);
    return count();
  }

  // Returns how many nodes it removed.
  Engine::i32 removeNulls() {
    return removeMatching([](const Node* node) { return node->mObject == nullptr; });
  }

  // Position of the first object that compares equal to the value, or -1.
  Engine::i32 indexOf(const T& value) const {
    Engine::i32 i = 0;
    for (const Node* node = mHead; node; node = node->mNext, ++i) {
      if (node->mObject && *node->mObject == value) {
        return i;
      }
    }
    return -1;
  }

  Engine::i32 indexOfObject(const T* object) const {
    Engine::i32 i = 0;
    for (const Node* node = mHead; node; node = node->mNext, ++i) {
      if (node->mObject == object) {
        return i;
      }
    }
    return -1;
  }

  // Exchanges the objects; the nodes stay in place.
  void swap(Engine::i32 i, Engine::i32 j) {
    Node* a = validNodeAt(i);
    Node* b = validNodeAt(j);
    T* object = a->mObject;
    a->mObject = b->mObject;
    b->mObject = object;
  }

  void splice(OwnedList* other) { spliceAt(-1, other); }

  // Moves the other list's whole chain in before position i (below 0: the
  // end); the other list is left empty. Splicing a list into itself does nothing.
  void spliceAt(Engine::i32 i, OwnedList* other) {
    if (!other || other == this || other->isEmpty()) {
      return;
    }
    Node* first = other->mHead;
    Node* last = other->mTail;
    other->mHead = nullptr;
    other->mTail = nullptr;
    Node* after = i < 0 ? nullptr : nodeAt(i);
    ENGINE_ASSERT((i < 0 || after || i == count()) && "OwnedList::spliceAt() : position out of range.");
    Node* before = after ? after->mPrev : mTail;
    joinChain(before, first, last, after);
  }

  // Sizes the array to the count and copies the values in list order.
  void toArray(Array2D<T>& array) const {
    array.setSize(count());
    Engine::u32 k = 0;
    for (const Node* node = mHead; node; node = node->mNext, ++k) {
      array.at(k) = node->mObject ? *node->mObject : T();
    }
  }

 private:
  static Node* newNode(T* object) {
    Node* node = new Node;
    node->mObject = object;
    return node;
  }

  static void deleteNode(Node* node) {
    deleteObjectOnce(node->mObject);
    delete node;
  }

  static void deleteObjectOnce(T* object) {
    static_assert(sizeof(T) > 0, "OwnedList deletes a complete type only");
    delete object;
  }

  static Node* validNode(Node* node) {
    ENGINE_ASSERT(node && "OwnedList : position out of range.");
    return node;
  }
  Node* validNodeAt(Engine::i32 i) const { return validNode(nodeAt(i)); }

  // Links before the node now at the position; below 0 or at the count appends.
  void link(Node* node, Engine::i32 position) {
    Node* after = position < 0 ? nullptr : nodeAt(position);
    ENGINE_ASSERT((position < 0 || after || position == count()) && "OwnedList : position out of range.");
    joinChain(after ? after->mPrev : mTail, node, node, after);
  }

  void joinChain(Node* before, Node* first, Node* last, Node* after) {
    first->mPrev = before;
    last->mNext = after;
    (before ? before->mNext : mHead) = first;
    (after ? after->mPrev : mTail) = last;
  }

  void unlink(Node* node) {
    (node->mPrev ? node->mPrev->mNext : mHead) = node->mNext;
    (node->mNext ? node->mNext->mPrev : mTail) = node->mPrev;
    node->mNext = nullptr;
    node->mPrev = nullptr;
  }

  template <class Predicate>
  Engine::i32 removeMatching(Predicate matches) {
    Engine::i32 removed = 0;
    Node* node = mHead;
    while (node) {
      Node* next = node->mNext;
      if (matches(node)) {
        unlink(node);
        delete node;
        ++removed;
      }
      node = next;
    }
    return removed;
  }

  Node* mHead = nullptr;
  Node* mTail = nullptr;
};

// A walk over an OwnedList that may delete the current object. The emptied
// node stays linked (the walk and every other walk see null there) until this
// walk ends: then every null node of the list is purged, so a DeferredList walk
// ends before the caller relies on positions or counts again.
template <class T>
class DeferredList : public OwnedList<T>::Iterator {
 public:
  explicit DeferredList(OwnedList<T>& list) : OwnedList<T>::Iterator(list), mList(list) {}
  ~DeferredList() {
    if (mRemoved) {
      mList.removeNulls();
    }
  }
  DeferredList(const DeferredList&) = delete;
  DeferredList& operator=(const DeferredList&) = delete;

  void removeCurrent() {
    auto* node = this->mNode;
    if (node && node->mObject) {
      T* object = node->mObject;
      node->mObject = nullptr;
      delete object;
      mRemoved = true;
    }
  }

 private:
  OwnedList<T>& mList;
  bool mRemoved = false;
};

}  // namespace Game
