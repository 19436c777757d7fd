#pragma once

namespace Engine::Threading {

class Event;

// A long job run by the worker pool. A derived job's destructor must call
// wait() before this base's destructor runs.
class Thread {
 public:
  Thread() = default;
  virtual ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // The job itself, run on a worker thread.
  virtual void operator()() = 0;

  // Waits for any previous run, then queues the job on the pool.
  void start();
  // Waits until the job has run (or was dropped when the pool ended).
  void wait();

 private:
  Event* mImpl = nullptr;  // the completion event while queued or running
};

}  // namespace Engine::Threading
