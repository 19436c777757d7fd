#pragma once

namespace Game {

// The single owner of one object (or of none).
template <class T>
class AutoPtr {
 public:
  AutoPtr() = default;
  explicit AutoPtr(T* object) : mObject(object) {}
  ~AutoPtr() { reset(); }
  AutoPtr(const AutoPtr&) = delete;
  AutoPtr& operator=(const AutoPtr&) = delete;

  // Takes ownership after deleting the old object; the object already held is kept as it is.
  AutoPtr& operator=(T* object) {
    if (object != mObject) {
      reset();
      mObject = object;
    }
    return *this;
  }

  void reset() {
    static_assert(sizeof(T) > 0, "AutoPtr deletes a complete type only");
    T* object = mObject;
    mObject = nullptr;
    delete object;
  }

  T* get() const { return mObject; }
  T* operator->() const { return mObject; }
  T& operator*() const { return *mObject; }
  bool isValid() const { return mObject != nullptr; }

 private:
  T* mObject = nullptr;
};

}  // namespace Game
