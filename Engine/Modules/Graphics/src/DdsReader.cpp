#include <cstring>
#include <string>
#include <utility>

#include "Engine/Graphics/ImageFile.h"
#include "Graphics/src/ImageBytes.h"

namespace Engine::Graphics {

namespace {

using ImageBytes::readU32;

constexpr std::size_t kHeaderSize = 128;
constexpr u32 kFourCcFlag = 0x4;

struct DdsHeader {
  u32 height;
  u32 width;
  u32 formatFlags;
  u32 bitCount;
  u32 alphaMask;

  explicit DdsHeader(const u8* d)
      : height(readU32(d + 12)),
        width(readU32(d + 16)),
        formatFlags(readU32(d + 80)),
        bitCount(readU32(d + 88)),
        alphaMask(readU32(d + 104)) {}

  u64 pixelBytes() const { return bitCount / 8u; }
  // Source rows are padded to whole 4-byte words.
  u64 pitch() const { return (width * pixelBytes() + 3) & ~u64{3}; }
  u64 neededBytes() const { return kHeaderSize + pitch() * (height - 1) + width * pixelBytes(); }
};

class DdsDecoder {
 public:
  DdsDecoder(const char* fileName, const u8* data, std::size_t size, i32 maxSide)
      : mFileName(fileName), mData(data), mSize(size), mMaxSide(maxSide), mHeader(data) {}

  ImageReadResult decode() {
    ImageReadResult result;
    if (checkHeader()) {
      result.image = Image(static_cast<i32>(mHeader.width), static_cast<i32>(mHeader.height));
      convertRows(result.image);
    }
    result.error = std::move(mError);
    return result;
  }

 private:
  bool fail(const char* message, const std::string& detail) {
    mError = ImageBytes::errorLine(message, mFileName, detail);
    return false;
  }

  bool checkHeader() {
    if (mHeader.formatFlags & kFourCcFlag) {
      return fail("readDDS : compressed formats are not supported.", "");
    }
    const u32 bits = mHeader.bitCount;
    if (bits != 8 && bits != 24 && bits != 32) {
      return fail("readDDS : unsupported pixel format.", std::to_string(bits) + " bits per pixel");
    }
    if (mHeader.width == 0 || mHeader.height == 0) {
      return fail("readDDS : this file contains no image.",
                  "size " + ImageBytes::sizeText(mHeader.width, mHeader.height));
    }
    const u32 maxSide = static_cast<u32>(mMaxSide);
    if (mHeader.width > maxSide || mHeader.height > maxSide) {
      return fail("readDDS : image is too large.", ImageBytes::sizeText(mHeader.width, mHeader.height) +
                                                       ", sides up to " + std::to_string(mMaxSide) + " are read");
    }
    if (mHeader.neededBytes() > mSize) {
      return fail("readDDS : file must be collapsed.", "pixels need " + std::to_string(mHeader.neededBytes()) +
                                                           " bytes, the file has " + std::to_string(mSize));
    }
    return true;
  }

  void convertRows(Image& image) const {
    const u8* sourceRow = mData + kHeaderSize;
    for (i32 y = 0; y < image.height; ++y, sourceRow += mHeader.pitch()) {
      convertRow(sourceRow, image.row(y), image.width);
    }
  }

  void convertRow(const u8* in, u32* out, i32 width) const {
    if (mHeader.bitCount == 32) {
      // Without an alpha mask the fourth byte is padding: opaque.
      const u32 alphaOr = mHeader.alphaMask == 0 ? 0xFF000000u : 0;
      for (i32 x = 0; x < width; ++x, in += 4) {
        out[x] = packPixel(in[0], in[1], in[2], in[3]) | alphaOr;
      }
    } else if (mHeader.bitCount == 24) {
      for (i32 x = 0; x < width; ++x, in += 3) {
        out[x] = packPixel(in[0], in[1], in[2], 255);
      }
    } else {
      for (i32 x = 0; x < width; ++x, ++in) {
        out[x] = packPixel(255, 255, 255, in[0]);
      }
    }
  }

  const char* mFileName;
  const u8* mData;
  std::size_t mSize;
  i32 mMaxSide;
  DdsHeader mHeader;
  std::string mError;
};

}  // namespace

ImageReadResult readDds(const char* fileName, const u8* data, std::size_t size, i32 maxSide) {
  ImageReadResult result;
  if (size < 4 || std::memcmp(data, "DDS ", 4) != 0) {
    result.error = ImageBytes::errorLine("readDDS : this is not a DDS file.", fileName, "no \"DDS \" at its start");
    return result;
  }
  if (size < kHeaderSize) {
    result.error = ImageBytes::errorLine("readDDS : file must be collapsed.", fileName,
                                         "the header needs 128 bytes, the file has " + std::to_string(size));
    return result;
  }
  return DdsDecoder(fileName, data, size, maxSide).decode();
}

}  // namespace Engine::Graphics
