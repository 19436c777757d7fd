#include "FreeTypeFace.h"

#include FT_SYNTHESIS_H

#include <string>
#include <utility>

#include "Platform/TextCodec.h"

namespace Platform::FreeType {

namespace {

constexpr char32_t kHiraganaA = 0x3042;
constexpr char32_t kReplacement = 0xFFFD;
// Faces this high or lower draw their digits in one bit (see smooths).
constexpr std::int32_t kLargestPlainDigits = 12;

std::int32_t roundedPixels(FT_Pos value26Dot6) { return static_cast<std::int32_t>((value26Dot6 + 32) >> 6); }

// Cell height as Windows means it: ascent plus descent, not the em size.
void requestCellHeight(FT_Face face, std::int32_t height) {
  FT_Size_RequestRec request{};
  request.type = FT_SIZE_REQUEST_TYPE_CELL;
  request.height = static_cast<FT_Long>(height) * 64;
  FT_Request_Size(face, &request);
}

// Rows may be stored bottom-up (negative pitch); this gives the top row first.
const unsigned char* rowPointer(const FT_Bitmap& bitmap, unsigned row) {
  const std::ptrdiff_t pitch = bitmap.pitch;
  const unsigned char* top = pitch < 0 ? bitmap.buffer - pitch * (static_cast<std::ptrdiff_t>(bitmap.rows) - 1) : bitmap.buffer;
  return top + pitch * static_cast<std::ptrdiff_t>(row);
}

void copyGrey(const FT_Bitmap& bitmap, GlyphImage& image) {
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    const unsigned char* source = rowPointer(bitmap, row);
    for (unsigned column = 0; column < bitmap.width; ++column) {
      image.coverage[row * bitmap.width + column] = source[column];
    }
  }
}

void copyMono(const FT_Bitmap& bitmap, GlyphImage& image) {
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    const unsigned char* source = rowPointer(bitmap, row);
    for (unsigned column = 0; column < bitmap.width; ++column) {
      const bool set = (source[column >> 3] & (0x80 >> (column & 7))) != 0;
      image.coverage[row * bitmap.width + column] = set ? 255 : 0;
    }
  }
}

}  // namespace

bool hasKana(FT_Face face) { return FT_Get_Char_Index(face, kHiraganaA) != 0; }

char32_t unicodeOf(std::uint16_t code) {
  std::string bytes;
  if (code > 0xFF) {
    bytes.push_back(static_cast<char>(code >> 8));
  }
  bytes.push_back(static_cast<char>(code & 0xFF));
  const std::u32string text = sjisToUtf32(bytes);
  if (text.size() != 1 || text[0] == kReplacement) {
    return 0;
  }
  return text[0];
}

FreeTypeFace::FreeTypeFace(Library library, FT_Face face, const GlyphFaceDesc& desc)
    : mLibrary(std::move(library)), mFace(face), mDesc(desc) {
  FT_Select_Charmap(mFace, FT_ENCODING_UNICODE);
  requestCellHeight(mFace, desc.height);
  mMetrics.height = desc.height;
  mMetrics.ascent = roundedPixels(FT_MulFix(mFace->ascender, mFace->size->metrics.y_scale));
  mSynthesizeBold = desc.bold && (mFace->style_flags & FT_STYLE_FLAG_BOLD) == 0;
}

FreeTypeFace::~FreeTypeFace() { FT_Done_Face(mFace); }

GlyphImage FreeTypeFace::missingGlyph(std::uint16_t code) const {
  GlyphImage image;
  image.missing = true;
  image.advance = code > 0xFF ? mMetrics.height : mMetrics.height / 2;
  return image;
}

// A digit of a face this small is a few pixels wide with one-pixel strokes:
// smoothed, its strokes fall between two columns and 3, 5, 6, 8 and 0 blur
// into one grey box. Hinted to whole pixels in one bit each stays itself.
// Letters and kanji keep their smoothing: hinted so, their strokes merge.
bool FreeTypeFace::smooths(std::uint16_t code) const {
  const bool digit = code >= '0' && code <= '9';
  return mDesc.antialias && !(digit && mDesc.height <= kLargestPlainDigits);
}

bool FreeTypeFace::renderSlot(bool smooth) {
  FT_GlyphSlot slot = mFace->glyph;
  if (mSynthesizeBold) {
    FT_GlyphSlot_Embolden(slot);
  }
  if (mDesc.italic && (mFace->style_flags & FT_STYLE_FLAG_ITALIC) == 0) {
    FT_GlyphSlot_Oblique(slot);
  }
  return FT_Render_Glyph(slot, smooth ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) == 0;
}

GlyphImage FreeTypeFace::rasterize(std::uint16_t code) {
  const char32_t codePoint = unicodeOf(code);
  const FT_UInt index = codePoint == 0 ? 0 : FT_Get_Char_Index(mFace, codePoint);
  if (index == 0) {
    return missingGlyph(code);
  }
  // Light hinting fits only the heights to the pixel grid and keeps each
  // stroke's width as drawn: at ten pixels a kanji's strokes stay apart
  // instead of being snapped onto one another.
  const bool smooth = smooths(code);
  const FT_Int32 loadFlags = smooth ? FT_LOAD_TARGET_LIGHT : FT_LOAD_TARGET_MONO;
  if (FT_Load_Glyph(mFace, index, loadFlags | FT_LOAD_NO_BITMAP) != 0 || !renderSlot(smooth)) {
    return missingGlyph(code);
  }
  const FT_GlyphSlot slot = mFace->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  GlyphImage image;
  image.advance = roundedPixels(slot->advance.x);
  image.originX = slot->bitmap_left;
  image.originY = slot->bitmap_top;
  image.width = static_cast<std::int32_t>(bitmap.width);
  image.height = static_cast<std::int32_t>(bitmap.rows);
  image.coverage.assign(static_cast<std::size_t>(bitmap.width) * bitmap.rows, 0);
  if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
    copyMono(bitmap, image);
  } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
    copyGrey(bitmap, image);
  }
  return image;
}

}  // namespace Platform::FreeType
