#include "Engine/Base/OStringStream.h"

#include <cstring>
#include <memory>
#include <vector>

#include "Engine/Base/Numeric.h"

namespace Engine {

class OStringStreamImpl {
 public:
  explicit OStringStreamImpl(i32 blockSize) : mBlockSize(blockSize > 0 ? blockSize : 1024) {}

  void putRaw(char c) {
    if (mBlocks.empty() || mLastFill == mBlockSize) {
      mBlocks.push_back(std::make_unique<char[]>(static_cast<std::size_t>(mBlockSize)));
      mLastFill = 0;
    }
    mBlocks.back()[static_cast<std::size_t>(mLastFill++)] = c;
    ++mSize;
  }

  void putChar(char c) {
    const auto byte = static_cast<u8>(c);
    if (byte == '\n' || byte == '\t' || (byte >= 32 && byte <= 126)) {
      putRaw(c);
      return;
    }
    char digits[2];
    toHex(digits, c);
    putRaw('%');
    putRaw(digits[0]);
    putRaw(digits[1]);
  }

  void putString(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
      putRaw(text[i]);
    }
  }

  void copyTo(char* out) const {
    for (std::size_t b = 0; b < mBlocks.size(); ++b) {
      const i32 fill = b + 1 == mBlocks.size() ? mLastFill : mBlockSize;
      std::memcpy(out, mBlocks[b].get(), static_cast<std::size_t>(fill));
      out += fill;
    }
  }

  void clear() {
    mBlocks.clear();
    mLastFill = 0;
    mSize = 0;
  }

  i32 size() const { return mSize; }

 private:
  i32 mBlockSize;
  i32 mSize = 0;
  std::vector<std::unique_ptr<char[]>> mBlocks;
  i32 mLastFill = 0;
};

OStringStream::OStringStream(i32 blockSize) : mImpl(new OStringStreamImpl(blockSize)) {}

OStringStream::~OStringStream() { delete mImpl; }

OStringStream& OStringStream::operator<<(const char* text) {
  if (text) {
    mImpl->putString(text, std::strlen(text));
  }
  return *this;
}

OStringStream& OStringStream::operator<<(char c) {
  mImpl->putChar(c);
  return *this;
}

OStringStream& OStringStream::operator<<(const std::string& text) {
  mImpl->putString(text.data(), text.size());
  return *this;
}

OStringStream& OStringStream::operator<<(int value) { return *this << std::to_string(value); }

OStringStream& OStringStream::operator<<(unsigned value) { return *this << std::to_string(value); }

const char* OStringStream::get(Array<char>* out) const {
  out->clear();
  out->setSize(mImpl->size() + 1);
  mImpl->copyTo(out->data());
  (*out)[mImpl->size()] = '\0';
  return out->data();
}

i32 OStringStream::size() const { return mImpl->size(); }

void OStringStream::clear() { mImpl->clear(); }

}  // namespace Engine
