#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Graphics/Image.h"

namespace Engine::Graphics {

// Image file types, decided by the name's extension.
enum ImageFileType : i32 {
  kImageFileTga = 0,
  kImageFileDds = 1,
  kImageFileBmp = 2,
  kImageFileOther = 3,
};

// The last four characters of the name, ignoring case: ".tga", ".dds",
// ".bmp", anything else (also a shorter name) is kImageFileOther.
i32 getFileType(const char* fileName);

// Sides beyond this are refused, so that a small damaged file cannot ask
// for gigabytes.
constexpr i32 kMaxImageSide = 16384;

// A reader's outcome: the decoded image, or one line telling which file
// was refused and why.
struct ImageReadResult {
  Image image;
  std::string error;

  bool ok() const { return error.empty(); }
};

// Readers of the file's bytes. The name is used only in error lines.
ImageReadResult readTga(const char* fileName, const u8* data, std::size_t size, i32 maxSide = kMaxImageSide);
ImageReadResult readDds(const char* fileName, const u8* data, std::size_t size, i32 maxSide = kMaxImageSide);

// An image already in memory: "DDS " in the first four bytes selects the
// DDS reader, anything else the TGA reader.
ImageReadResult readImage(const char* fileName, const u8* data, std::size_t size, i32 maxSide = kMaxImageSide);

// Decodes a loaded file by its type (TGA or DDS; other types decode
// nothing). A failure goes to the debug stream and gives false.
bool loadImage(const char* fileName, i32 fileType, const u8* data, std::size_t size, Image& image);

// Writers: the whole file in memory. An empty result means nothing is to be
// written (no pixels, or sides the format cannot hold).
std::vector<u8> writeTga(const PixelSource& source, bool withAlpha);
std::vector<u8> writeDds(const PixelSource& source, bool withAlpha);
std::vector<u8> writeBmp(const PixelSource& source);

// Picks the writer by the name's extension, alpha off; other names give an
// empty result.
std::vector<u8> encodeImageFile(const char* fileName, const PixelSource& source);

}  // namespace Engine::Graphics
