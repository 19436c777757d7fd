#pragma once

namespace Engine::Threading {

class EventImpl;

// A manual-reset event: once set it stays set. A handle: copies share one event.
class Event {
 public:
  Event() = default;
  Event(const Event& other);
  Event& operator=(const Event& other);
  ~Event();

  static Event create(bool initiallySet = false);

  void set();
  bool isSet() const;
  // Waits without limit until the event is set.
  void wait() const;

  operator void*() const { return mImpl; }
  bool operator==(const Event& other) const { return mImpl == other.mImpl; }

 private:
  explicit Event(EventImpl* impl) : mImpl(impl) {}

  EventImpl* mImpl = nullptr;
};

}  // namespace Engine::Threading
