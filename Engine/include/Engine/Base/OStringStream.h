#pragma once

#include <string>

#include "Engine/Base/Array.h"
#include "Engine/Base/Types.h"

namespace Engine {

class OStringStreamImpl;

// A text buffer built of fixed-size blocks. Single characters outside the
// printable range (other than newline and tab) are stored escaped as '%XX';
// strings are stored as they are.
class OStringStream {
 public:
  explicit OStringStream(i32 blockSize = 1024);
  ~OStringStream();
  OStringStream(const OStringStream&) = delete;
  OStringStream& operator=(const OStringStream&) = delete;

  OStringStream& operator<<(const char* text);
  OStringStream& operator<<(char c);
  OStringStream& operator<<(const std::string& text);
  OStringStream& operator<<(int value);
  OStringStream& operator<<(unsigned value);

  // Sizes out to size() + 1, copies the text with a closing zero and returns it.
  const char* get(Array<char>* out) const;
  i32 size() const;
  void clear();

 private:
  OStringStreamImpl* mImpl;
};

}  // namespace Engine
