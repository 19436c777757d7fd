#pragma once

#include <string_view>

namespace Platform {

enum class MessageIcon { Error, Warning, Information };

// A modal message; text and caption are Shift-JIS. Every implementation also
// writes the text to standard error, so no failure is silent where no box shows.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  virtual void show(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
};

}  // namespace Platform
