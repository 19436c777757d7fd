#include <cstdio>
#include <utility>

#include "FaceMatcher.h"
#include "FreeTypeFace.h"
#include "Platform/SystemGlyphRasterizer.h"
#include "Platform/TextCodec.h"

namespace Platform::FreeType {

namespace {

// How many of fontconfig's ranked candidates are opened in search of kana.
constexpr std::size_t kCandidatesTried = 8;

Library openLibrary() {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) {
    return nullptr;
  }
  return Library(library, [](FT_Library done) { FT_Done_FreeType(done); });
}

class FreeTypeRasterizer : public GlyphRasterizer {
 public:
  std::unique_ptr<GlyphFace> openFace(const GlyphFaceDesc& desc) override {
    if (!mLibrary) {
      mLibrary = openLibrary();
      if (!mLibrary) {
        warnOnce("Platform: FreeType could not be started; no text can be drawn.");
        return nullptr;
      }
    }
    FT_Face face = openBestFace(desc);
    if (!face) {
      warnOnce("Platform: no font face found at all; no text can be drawn.");
      return nullptr;
    }
    return std::make_unique<FreeTypeFace>(mLibrary, face, desc);
  }

 private:
  FT_Face openFile(const FaceFile& file) const {
    FT_Face face = nullptr;
    if (FT_New_Face(mLibrary.get(), file.path.c_str(), file.index, &face) != 0) {
      return nullptr;
    }
    if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0 || !FT_IS_SCALABLE(face)) {
      FT_Done_Face(face);
      return nullptr;
    }
    return face;
  }

  // The best ranked face that draws kana; failing that, the best face at all.
  FT_Face openBestFace(const GlyphFaceDesc& desc) {
    const std::vector<FaceFile> candidates = matchFaces(desc);
    FT_Face fallback = nullptr;
    for (std::size_t i = 0; i < candidates.size() && i < kCandidatesTried; ++i) {
      FT_Face face = openFile(candidates[i]);
      if (!face) {
        continue;
      }
      if (hasKana(face)) {
        if (fallback) {
          FT_Done_Face(fallback);
        }
        return face;
      }
      if (!fallback) {
        fallback = face;
      } else {
        FT_Done_Face(face);
      }
    }
    if (fallback) {
      warnOnce("Platform: no Japanese font face found for \"" + sjisToUtf8(desc.name) +
               "\" (install fonts-ipafont-gothic); Japanese characters are drawn as boxes.");
    }
    return fallback;
  }

  void warnOnce(const std::string& line) {
    if (!mWarned) {
      mWarned = true;
      std::fprintf(stderr, "%s\n", line.c_str());
      std::fflush(stderr);
    }
  }

  Library mLibrary;
  bool mWarned = false;
};

}  // namespace

}  // namespace Platform::FreeType

namespace Platform {

std::unique_ptr<GlyphRasterizer> createSystemGlyphRasterizer() {
  return std::make_unique<FreeType::FreeTypeRasterizer>();
}

}  // namespace Platform
