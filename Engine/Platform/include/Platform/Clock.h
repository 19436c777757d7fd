#pragma once

#include <cstdint>

namespace Platform {

// Milliseconds from an arbitrary start, wrapping at 2^32.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::uint32_t milliseconds() = 0;
  virtual void sleep(std::uint32_t ms) = 0;
};

}  // namespace Platform
