#pragma once

#include <cstdint>

namespace Platform {

// The processors the process may run on.
class Processor {
 public:
  virtual ~Processor() = default;
  // Bit i set: the process may run on processor i (the first 64 only);
  // 0 when the system cannot tell.
  virtual std::uint64_t affinityMask() = 0;
};

}  // namespace Platform
