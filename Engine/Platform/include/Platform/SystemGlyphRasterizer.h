#pragma once

#include <memory>

#include "Platform/GlyphRasterizer.h"

namespace Platform {

// The system's glyph rasteriser: faces found by fontconfig, drawn by FreeType.
// Needs no display.
std::unique_ptr<GlyphRasterizer> createSystemGlyphRasterizer();

}  // namespace Platform
