#include "FaceMatcher.h"

#include <fontconfig/fontconfig.h>

#include <memory>

#include "Platform/TextCodec.h"

namespace Platform::FreeType {

namespace {

constexpr const char* kJapaneseGothic = "IPAGothic";

// The Windows names as the program holds them: Shift-JIS bytes.
bool isWindowsGothic(const std::string& name) {
  return name == "ＭＳ ゴシック" || name == "MS Gothic";
}

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct FontSetDeleter {
  void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
struct ConfigDeleter {
  void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};

const FcChar8* fcText(const std::string& text) { return reinterpret_cast<const FcChar8*>(text.c_str()); }

std::unique_ptr<FcPattern, PatternDeleter> requestPattern(const GlyphFaceDesc& desc) {
  std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
  for (const std::string& family : familiesFor(desc)) {
    FcPatternAddString(pattern.get(), FC_FAMILY, fcText(family));
  }
  FcLangSet* languages = FcLangSetCreate();
  FcLangSetAdd(languages, reinterpret_cast<const FcChar8*>("ja"));
  FcPatternAddLangSet(pattern.get(), FC_LANG, languages);
  FcLangSetDestroy(languages);
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, desc.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, desc.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  return pattern;
}

}  // namespace

std::vector<std::string> familiesFor(const GlyphFaceDesc& desc) {
  if (isWindowsGothic(desc.name) || desc.name.empty()) {
    return {kJapaneseGothic};
  }
  return {sjisToUtf8(desc.name), kJapaneseGothic};
}

std::vector<FaceFile> matchFaces(const GlyphFaceDesc& desc) {
  // A private configuration, so that everything fontconfig loads is freed
  // with it and no global state is left behind.
  std::unique_ptr<FcConfig, ConfigDeleter> config(FcInitLoadConfigAndFonts());
  if (!config) {
    return {};
  }
  auto pattern = requestPattern(desc);
  FcConfigSubstitute(config.get(), pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  std::unique_ptr<FcFontSet, FontSetDeleter> sorted(FcFontSort(config.get(), pattern.get(), FcFalse, nullptr, &result));
  std::vector<FaceFile> faces;
  for (int i = 0; sorted && i < sorted->nfont; ++i) {
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(sorted->fonts[i], FC_FILE, 0, &file) != FcResultMatch) {
      continue;
    }
    FcPatternGetInteger(sorted->fonts[i], FC_INDEX, 0, &index);
    faces.push_back({reinterpret_cast<const char*>(file), index});
  }
  return faces;
}

}  // namespace Platform::FreeType
