#pragma once

#include <string>
#include <vector>

#include "Platform/GlyphRasterizer.h"

namespace Platform::FreeType {

struct FaceFile {
  std::string path;
  int index = 0;
};

// The families to ask fontconfig for, best first. The game's Windows face
// names have no match on this system that carries kana, so they are mapped
// to a Japanese Gothic face here.
std::vector<std::string> familiesFor(const GlyphFaceDesc& desc);

// Candidate face files for the request, best first, as fontconfig ranks them
// for Japanese text.
std::vector<FaceFile> matchFaces(const GlyphFaceDesc& desc);

}  // namespace Platform::FreeType
