#include <algorithm>
#include <string>
#include <vector>

#include "Engine/Graphics/ImageFile.h"
#include "Graphics/src/ImageBytes.h"

namespace Engine::Graphics {

namespace {

using ImageBytes::readU16;

constexpr std::size_t kTgaHeaderSize = 18;
constexpr const char* kCollapsed = "readTGA : file must be collapsed.";
constexpr const char* kNoImage = "readTGA : this file contains no image.";
constexpr const char* kInvalidPackets = "readTGA : can't read. compressed data is invalid.";
constexpr const char* kTruncatedPackets = "readTGA : can't read. compressed data is invalid. it must be truncated.";

struct TgaHeader {
  u8 idLength = 0;
  u8 colorMapType = 0;
  u8 imageType = 0;
  u16 mapLength = 0;
  u8 mapEntryBits = 0;
  u16 width = 0;
  u16 height = 0;
  u8 pixelBits = 0;
  u8 descriptor = 0;

  explicit TgaHeader(const u8* d)
      : idLength(d[0]),
        colorMapType(d[1]),
        imageType(d[2]),
        mapLength(readU16(d + 5)),
        mapEntryBits(d[7]),
        width(readU16(d + 12)),
        height(readU16(d + 14)),
        pixelBits(d[16]),
        descriptor(d[17]) {}

  bool colorMapped() const { return (imageType & 7) == 1; }
  bool runLength() const { return (imageType & 8) != 0; }
  bool topDown() const { return (descriptor & 0x20) != 0; }
  u32 pixelBytes() const { return pixelBits / 8u; }
  u32 mapEntryBytes() const { return (mapEntryBits + 7u) / 8u; }
  // A colour map is stored whenever the file says so, even for true-colour
  // images, and the pixels follow it.
  std::size_t mapBytes() const {
    return colorMapped() || colorMapType == 1 ? static_cast<std::size_t>(mapLength) * mapEntryBytes() : 0;
  }
  bool usesPalette() const { return colorMapped() && mapLength > 0 && pixelBytes() == 1; }
  u64 pixelCount() const { return static_cast<u64>(width) * height; }
};

struct Bgra32 {
  static constexpr u32 kBytes = 4;
  u32 operator()(const u8* p) const { return packPixel(p[0], p[1], p[2], p[3]); }
};

struct Bgr24 {
  static constexpr u32 kBytes = 3;
  u32 operator()(const u8* p) const { return packPixel(p[0], p[1], p[2], 255); }
};

// Sixteen bits are a grey level and an alpha, not 5-5-5 colour.
struct GreyAlpha16 {
  static constexpr u32 kBytes = 2;
  u32 operator()(const u8* p) const { return packPixel(p[0], p[0], p[0], p[1]); }
};

// Eight bits without a colour map are coverage: white with that alpha.
struct Alpha8 {
  static constexpr u32 kBytes = 1;
  u32 operator()(const u8* p) const { return packPixel(255, 255, 255, p[0]); }
};

struct Indexed8 {
  static constexpr u32 kBytes = 1;
  const std::vector<u32>* palette = nullptr;
  mutable int badIndex = -1;

  u32 operator()(const u8* p) const {
    if (p[0] >= palette->size()) {
      badIndex = p[0];
      return 0;
    }
    return (*palette)[p[0]];
  }
};

class TgaDecoder {
 public:
  TgaDecoder(const char* fileName, const u8* data, std::size_t size, i32 maxSide)
      : mFileName(fileName), mData(data), mSize(size), mMaxSide(maxSide), mHeader(data) {}

  ImageReadResult decode() {
    ImageReadResult result;
    if (checkHeader() && readPalette()) {
      result.image = Image(mHeader.width, mHeader.height);
      decodePixels(result.image);
    }
    if (!mError.empty()) {
      result.image = Image();
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
    if ((mHeader.imageType & 7) == 0) {
      return fail(kNoImage, "image type " + std::to_string(mHeader.imageType));
    }
    const u8 bits = mHeader.pixelBits;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) {
      return fail("readTGA : unsupported pixel depth.", std::to_string(bits) + " bits per pixel");
    }
    if (mHeader.width == 0 || mHeader.height == 0) {
      return fail(kNoImage, "size " + ImageBytes::sizeText(mHeader.width, mHeader.height));
    }
    if (mHeader.width > mMaxSide || mHeader.height > mMaxSide) {
      return fail("readTGA : image is too large.", ImageBytes::sizeText(mHeader.width, mHeader.height) +
                                                       ", sides up to " + std::to_string(mMaxSide) + " are read");
    }
    mPixelOffset = kTgaHeaderSize + mHeader.idLength + mHeader.mapBytes();
    if (mPixelOffset > mSize) {
      return fail(kCollapsed, "image ID and colour map need " + std::to_string(mPixelOffset) +
                                  " bytes, the file has " + std::to_string(mSize));
    }
    if (!mHeader.runLength()) {
      const u64 needed = mPixelOffset + mHeader.pixelCount() * mHeader.pixelBytes();
      if (needed > mSize) {
        return fail(kCollapsed, "pixels need " + std::to_string(needed) + " bytes, the file has " + std::to_string(mSize));
      }
    }
    return true;
  }

  bool readPalette() {
    if (!mHeader.usesPalette()) {
      return true;
    }
    const u32 entryBytes = mHeader.mapEntryBits / 8u;
    if (mHeader.mapEntryBits % 8 != 0 || (entryBytes != 3 && entryBytes != 4)) {
      return fail("readTGA : unsupported colour map.", std::to_string(mHeader.mapEntryBits) + "-bit entries");
    }
    const u8* entry = mData + kTgaHeaderSize + mHeader.idLength;
    mPalette.resize(mHeader.mapLength);
    for (u32& colour : mPalette) {
      colour = entryBytes == 4 ? Bgra32()(entry) : Bgr24()(entry);
      entry += entryBytes;
    }
    return true;
  }

  bool decodePixels(Image& image) {
    switch (mHeader.pixelBytes()) {
      case 4:
        return decodeAs(Bgra32(), image);
      case 3:
        return decodeAs(Bgr24(), image);
      case 2:
        return decodeAs(GreyAlpha16(), image);
      default:
        return mHeader.usesPalette() ? decodeIndexed(image) : decodeAs(Alpha8(), image);
    }
  }

  bool decodeIndexed(Image& image) {
    Indexed8 convert;
    convert.palette = &mPalette;
    if (!decodeAs(convert, image)) {
      return false;
    }
    if (convert.badIndex >= 0) {
      return fail("readTGA : colour index is outside the colour map.",
                  "index " + std::to_string(convert.badIndex) + ", the map has " + std::to_string(mPalette.size()) +
                      " entries");
    }
    return true;
  }

  template <class Convert>
  bool decodeAs(const Convert& convert, Image& image) {
    if (!mHeader.runLength()) {
      decodeRaw(convert, image);
      return true;
    }
    if (!decodeRunLength(convert, image.pixels.data(), image.pixels.size())) {
      return false;
    }
    if (!mHeader.topDown()) {
      flipRows(image);
    }
    return true;
  }

  // Rows go straight to their place: stored bottom row first unless the
  // descriptor says top-down.
  template <class Convert>
  void decodeRaw(const Convert& convert, Image& image) const {
    const u8* in = mData + mPixelOffset;
    for (i32 stored = 0; stored < image.height; ++stored) {
      u32* out = image.row(mHeader.topDown() ? stored : image.height - 1 - stored);
      for (i32 x = 0; x < image.width; ++x, in += Convert::kBytes) {
        out[x] = convert(in);
      }
    }
  }

  // Packets until every pixel is decoded or the data ends; pixels that no
  // packet reaches stay 0.
  template <class Convert>
  bool decodeRunLength(const Convert& convert, u32* out, std::size_t count) {
    std::size_t done = 0;
    std::size_t at = mPixelOffset;
    while (done < count && at < mSize) {
      const u8 packet = mData[at++];
      const std::size_t length = (packet & 127u) + 1u;
      if (length > count - done) {
        return fail(kInvalidPackets, "a packet passes the last pixel at pixel " + std::to_string(done));
      }
      const std::size_t dataBytes = packet >= 128 ? Convert::kBytes : length * Convert::kBytes;
      if (dataBytes > mSize - at) {
        return fail(kTruncatedPackets, "the data ends inside a packet at byte " + std::to_string(mSize));
      }
      if (packet >= 128) {
        std::fill_n(out + done, length, convert(mData + at));
      } else {
        for (std::size_t i = 0; i < length; ++i) {
          out[done + i] = convert(mData + at + i * Convert::kBytes);
        }
      }
      done += length;
      at += dataBytes;
    }
    return true;
  }

  static void flipRows(Image& image) {
    for (i32 top = 0, bottom = image.height - 1; top < bottom; ++top, --bottom) {
      std::swap_ranges(image.row(top), image.row(top) + image.width, image.row(bottom));
    }
  }

  const char* mFileName;
  const u8* mData;
  std::size_t mSize;
  i32 mMaxSide;
  TgaHeader mHeader;
  std::size_t mPixelOffset = 0;
  std::vector<u32> mPalette;
  std::string mError;
};

}  // namespace

ImageReadResult readTga(const char* fileName, const u8* data, std::size_t size, i32 maxSide) {
  if (size < kTgaHeaderSize) {
    ImageReadResult result;
    result.error = ImageBytes::errorLine(kCollapsed, fileName,
                                         "the header needs 18 bytes, the file has " + std::to_string(size));
    return result;
  }
  return TgaDecoder(fileName, data, size, maxSide).decode();
}

}  // namespace Engine::Graphics
