#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "Platform/GlyphRasterizer.h"

namespace PlatformFake {

// Glyphs as fixed boxes: a single-byte code is a solid box half the line
// height wide, a double-byte code one a full line height wide; the space is
// blank. A test may give any code its own image or mark it missing. A face
// opened without antialiasing gives only empty or covered pixels: a scripted
// image's coverage from kPlainInkThreshold up becomes 255, the rest 0.
inline constexpr std::uint8_t kPlainInkThreshold = 128;

struct FakeGlyphScript {
  std::map<std::uint16_t, Platform::GlyphImage> images;
  std::set<std::uint16_t> missing;
  std::map<std::uint16_t, int> renderCounts;
  std::int32_t ascentPercent = 80;
};

class FakeGlyphFace : public Platform::GlyphFace {
 public:
  FakeGlyphFace(const Platform::GlyphFaceDesc& desc, std::shared_ptr<FakeGlyphScript> script);
  Platform::GlyphFaceMetrics metrics() const override;
  Platform::GlyphImage rasterize(std::uint16_t code) override;

 private:
  Platform::GlyphFaceDesc mDesc;
  std::shared_ptr<FakeGlyphScript> mScript;
};

class FakeGlyphRasterizer : public Platform::GlyphRasterizer {
 public:
  std::unique_ptr<Platform::GlyphFace> openFace(const Platform::GlyphFaceDesc& desc) override;

  // Shared with every face opened, so a test can script and count afterwards.
  std::shared_ptr<FakeGlyphScript> script = std::make_shared<FakeGlyphScript>();
  std::vector<Platform::GlyphFaceDesc> opened;
};

// A solid box image of the given size and bearings.
Platform::GlyphImage fakeBoxGlyph(std::int32_t advance, std::int32_t originX, std::int32_t originY,
                                  std::int32_t width, std::int32_t height);

}  // namespace PlatformFake
