#pragma once

// Waiting in real time for work done on another thread (the loader job, the
// audio device): long enough for a shared, loaded machine, and bounded, so a
// fault fails the test instead of hanging it. The platform fakes' clock does
// not pass time, so a wait counted in its sleeps would only spin.

// <thread> brings the clocks; <chrono> itself holds a micro sign that the
// Shift-JIS execution character set cannot take.
#include <thread>

namespace TestAwait {

template <class Condition>
bool awaitTrue(Condition condition, std::chrono::milliseconds limit = std::chrono::seconds(30)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= end) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace TestAwait
