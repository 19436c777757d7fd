#pragma once

#include <string_view>

namespace Platform {

// Where the debug text stream's lines go (Shift-JIS text).
class DebugOutput {
 public:
  virtual ~DebugOutput() = default;
  virtual void write(std::string_view text) = 0;
};

}  // namespace Platform
