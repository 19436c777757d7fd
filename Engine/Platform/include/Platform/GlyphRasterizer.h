#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Platform {

// What a font asks for: a face by name (Shift-JIS) at a cell height in pixels.
struct GlyphFaceDesc {
  std::string name;
  std::int32_t height = 16;  // ascent + descent of the face, in pixels
  bool bold = false;
  bool italic = false;
  bool proportional = false;
  // false: every pixel is fully covered or empty; so are the digits of a
  // face 12 pixels high or lower, which smoothing would blur.
  bool antialias = true;
};

struct GlyphFaceMetrics {
  std::int32_t height = 0;   // one line of text, in pixels
  std::int32_t ascent = 0;   // baseline below the top of the line, in pixels
};

// One rasterised character. Coverage rows run top to bottom, width bytes each,
// 0 (empty) to 255 (covered). Bearings are relative to the pen on the baseline:
// the coverage's left column is originX right of the pen, its top row originY
// above the baseline; both may be negative.
struct GlyphImage {
  std::int32_t advance = 0;
  std::int32_t originX = 0;
  std::int32_t originY = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> coverage;
  bool missing = false;  // the face has no such character; advance still holds a cell width
};

class GlyphFace {
 public:
  virtual ~GlyphFace() = default;
  virtual GlyphFaceMetrics metrics() const = 0;
  // code: a Shift-JIS code, one byte or lead byte * 256 + trail byte.
  virtual GlyphImage rasterize(std::uint16_t code) = 0;
};

class GlyphRasterizer {
 public:
  virtual ~GlyphRasterizer() = default;
  // Opens the best face the system has for the request; null only when the
  // system has no usable face at all.
  virtual std::unique_ptr<GlyphFace> openFace(const GlyphFaceDesc& desc) = 0;
};

}  // namespace Platform
