#include "PlatformFake/FakeGlyphRasterizer.h"

#include <utility>

namespace PlatformFake {

Platform::GlyphImage fakeBoxGlyph(std::int32_t advance, std::int32_t originX, std::int32_t originY,
                                  std::int32_t width, std::int32_t height) {
  Platform::GlyphImage image;
  image.advance = advance;
  image.originX = originX;
  image.originY = originY;
  image.width = width;
  image.height = height;
  image.coverage.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 255);
  return image;
}

FakeGlyphFace::FakeGlyphFace(const Platform::GlyphFaceDesc& desc, std::shared_ptr<FakeGlyphScript> script)
    : mDesc(desc), mScript(std::move(script)) {}

Platform::GlyphFaceMetrics FakeGlyphFace::metrics() const {
  return {mDesc.height, mDesc.height * mScript->ascentPercent / 100};
}

Platform::GlyphImage FakeGlyphFace::rasterize(std::uint16_t code) {
  ++mScript->renderCounts[code];
  const std::int32_t advance = code > 0xFF ? mDesc.height : mDesc.height / 2;
  if (const auto scripted = mScript->images.find(code); scripted != mScript->images.end()) {
    Platform::GlyphImage image = scripted->second;
    if (!mDesc.antialias) {
      for (std::uint8_t& coverage : image.coverage) {
        coverage = coverage >= kPlainInkThreshold ? 255 : 0;
      }
    }
    return image;
  }
  if (mScript->missing.count(code) != 0) {
    Platform::GlyphImage image;
    image.advance = advance;
    image.missing = true;
    return image;
  }
  if (code == ' ') {
    Platform::GlyphImage blank;
    blank.advance = advance;
    return blank;
  }
  const std::int32_t ascent = metrics().ascent;
  return fakeBoxGlyph(advance, 0, ascent, advance, mDesc.height);
}

std::unique_ptr<Platform::GlyphFace> FakeGlyphRasterizer::openFace(const Platform::GlyphFaceDesc& desc) {
  opened.push_back(desc);
  return std::make_unique<FakeGlyphFace>(desc, script);
}

}  // namespace PlatformFake
