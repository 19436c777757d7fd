#include "Engine/Graphics/ImageFile.h"

#include <cstring>
#include <utility>

#include "Engine/Base/DebugStream.h"
#include "Graphics/src/ImageBytes.h"

namespace Engine::Graphics {

namespace ImageBytes {

std::string errorLine(const char* message, const char* fileName, const std::string& detail) {
  std::string line = message;
  line += " (";
  line += fileName && *fileName ? fileName : "image in memory";
  if (!detail.empty()) {
    line += ": ";
    line += detail;
  }
  line += ")";
  return line;
}

std::string sizeText(u64 width, u64 height) { return std::to_string(width) + "x" + std::to_string(height); }

}  // namespace ImageBytes

namespace {

// ASCII only: the extension's bytes can never be the trail byte of a
// two-byte character, and other bytes of the name must stay as they are.
char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool endsWith(const char* name, std::size_t length, const char* extension) {
  const char* tail = name + length - 4;
  for (int i = 0; i < 4; ++i) {
    if (lowerAscii(tail[i]) != extension[i]) {
      return false;
    }
  }
  return true;
}

}  // namespace

i32 getFileType(const char* fileName) {
  const std::size_t length = fileName ? std::strlen(fileName) : 0;
  if (length < 4) {
    return kImageFileOther;
  }
  if (endsWith(fileName, length, ".tga")) {
    return kImageFileTga;
  }
  if (endsWith(fileName, length, ".dds")) {
    return kImageFileDds;
  }
  if (endsWith(fileName, length, ".bmp")) {
    return kImageFileBmp;
  }
  return kImageFileOther;
}

ImageReadResult readImage(const char* fileName, const u8* data, std::size_t size, i32 maxSide) {
  if (size >= 4 && std::memcmp(data, "DDS ", 4) == 0) {
    return readDds(fileName, data, size, maxSide);
  }
  return readTga(fileName, data, size, maxSide);
}

bool loadImage(const char* fileName, i32 fileType, const u8* data, std::size_t size, Image& image) {
  ImageReadResult result;
  if (fileType == kImageFileTga) {
    result = readTga(fileName, data, size);
  } else if (fileType == kImageFileDds) {
    result = readDds(fileName, data, size);
  } else {
    return false;
  }
  if (!result.ok()) {
    cout << result.error.c_str() << endl;
    return false;
  }
  image = std::move(result.image);
  return true;
}

std::vector<u8> encodeImageFile(const char* fileName, const PixelSource& source) {
  switch (getFileType(fileName)) {
    case kImageFileTga:
      return writeTga(source, false);
    case kImageFileDds:
      return writeDds(source, false);
    case kImageFileBmp:
      return writeBmp(source);
    default:
      return {};
  }
}

}  // namespace Engine::Graphics
