#pragma once

#include <cstring>
#include <string_view>

#include "Engine/Base/Types.h"

namespace Engine {

// A view over characters it does not own.
class RefString {
 public:
  RefString() = default;
  RefString(const char* text) : mText(text), mLength(text ? static_cast<i32>(std::strlen(text)) : 0) {}  // NOLINT
  RefString(const char* text, i32 length) : mText(text), mLength(length) {}

  const char* get() const { return mText; }
  i32 size() const { return mLength; }
  std::string_view view() const { return {mText, static_cast<std::size_t>(mLength)}; }

  bool operator==(const RefString& other) const {
    return mLength == other.mLength && (mLength == 0 || std::memcmp(mText, other.mText, static_cast<std::size_t>(mLength)) == 0);
  }
  bool operator!=(const RefString& other) const { return !(*this == other); }

 private:
  const char* mText = nullptr;
  i32 mLength = 0;
};

}  // namespace Engine
