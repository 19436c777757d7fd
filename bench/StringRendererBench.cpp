// A frame of 2000 characters on the real OpenGL device (offscreen): laid out,
// sorted by depth and texture and drawn in batches by the string renderer's
// path, against the same glyphs drawn one draw call each with their texture
// set before every call. Reported as frames per second; the ratio of the two
// is the batching's gain.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Engine/Graphics/Manager.h"
#include "Engine/Scene/PrimitiveRenderer.h"
#include "Platform/SystemBackend.h"
#include "Scene/src/StringLayout.h"

namespace string_renderer_bench {

using Engine::Graphics::Manager;
using Engine::Graphics::Texture;
using Engine::Graphics::Vertex;
using Engine::Graphics::VertexBuffer;
using Engine::Math::Vector2;
using Engine::Scene::GlyphLookup;
using Engine::Scene::PlacedGlyph;
using Engine::Scene::TextRequestView;

constexpr int kRequests = 40;
constexpr int kCharacters = 2000;

// Letters 8 x 16 on one page, two-byte characters 16 x 16 on another.
class TwoPageFont : public GlyphLookup {
 public:
  TwoPageFont() : mLetters(Texture::create(256, 256, false)), mKanji(Texture::create(256, 256, false)) {}
  bool getChar(Texture& texture, Vector2& uv0, Vector2& uv1, Engine::u16 code) override {
    const bool wide = code > 0xFF;
    texture = wide ? mKanji : mLetters;
    const float cell = (code & 0x0F) / 16.0f;
    uv0.set(cell, 0.0f);
    uv1.set(cell + (wide ? 16.0f : 8.0f) / 256.0f, 16.0f / 256.0f);
    return true;
  }
  Engine::i32 charHeight() override { return 16; }

 private:
  Texture mLetters;
  Texture mKanji;
};

class OffscreenText {
 public:
  OffscreenText() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    mBackend = Platform::createSystemBackend();
    Platform::setBackend(mBackend.get());
    Platform::WindowDesc desc;
    desc.width = 800;
    desc.height = 600;
    mReady = mBackend->window().create(desc);
    if (mReady) {
      Manager::create(800, 600, false, false, false);
      mFont = std::make_unique<TwoPageFont>();
      // Words of letters and of two-byte characters, 50 characters a line.
      for (int i = 0; i < kCharacters / kRequests / 5; ++i) mLine += i % 2 ? "Words" : "\x8a\xbf\x8e\x9a\x82\xcc\x95\xb6\x8e\x9a";
    }
  }
  ~OffscreenText() {
    mFont.reset();
    Manager::destroy();
    mBackend->window().destroy();
    Platform::setBackend(nullptr);
  }

  bool ready() const { return mReady; }
  void layOut(std::vector<PlacedGlyph>& glyphs) {
    glyphs.clear();
    for (int i = 0; i < kRequests; ++i) {
      const TextRequestView request{Vector2(0.0f, static_cast<float>(i * 14)), static_cast<float>(i % 3), mLine,
                                    0xFFC0C0C0u, false};
      Engine::Scene::layoutText(*mFont, request, Vector2(800.0f, 600.0f), glyphs, kCharacters);
    }
  }

 private:
  std::unique_ptr<Platform::SystemBackend> mBackend;
  std::unique_ptr<TwoPageFont> mFont;
  std::string mLine;
  bool mReady = false;
};

void BM_TextFrameBatched(benchmark::State& state) {
  OffscreenText text;
  if (!text.ready()) {
    state.SkipWithError("no offscreen OpenGL");
    return;
  }
  Engine::Scene::PrimitiveRenderer renderer = Engine::Scene::PrimitiveRenderer::create(kCharacters * 6, kCharacters + 4);
  std::vector<PlacedGlyph> glyphs;
  std::vector<const PlacedGlyph*> order;
  Manager manager = Manager::instance();
  for (auto _ : state) {
    manager.beginDraw();
    text.layOut(glyphs);
    order.clear();
    for (const PlacedGlyph& glyph : glyphs) order.push_back(&glyph);
    Engine::Scene::sortGlyphs(order);
    renderer.setBlendMode(1);
    Engine::Scene::emitGlyphs(order, renderer);
    renderer.draw();
    manager.endDraw();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(glyphs.size()));
}

// The same vertices in one buffer, but a texture bind and a draw per glyph.
void BM_TextFrameDrawPerGlyph(benchmark::State& state) {
  OffscreenText text;
  if (!text.ready()) {
    state.SkipWithError("no offscreen OpenGL");
    return;
  }
  VertexBuffer buffer = VertexBuffer::create(kCharacters * 6);
  std::vector<PlacedGlyph> glyphs;
  Manager manager = Manager::instance();
  manager.setBlendMode(1);
  for (auto _ : state) {
    manager.beginDraw();
    text.layOut(glyphs);
    Vertex* vertex = buffer.lock();
    for (const PlacedGlyph& glyph : glyphs) {
      const float x0 = glyph.position.x * 2.0f / 800.0f - 1.0f, x1 = x0 + glyph.size.x * 2.0f / 800.0f;
      const float y0 = 1.0f - glyph.position.y * 2.0f / 600.0f, y1 = y0 - glyph.size.y * 2.0f / 600.0f;
      const float u0 = glyph.uvTopLeft.x, v0 = glyph.uvTopLeft.y, u1 = glyph.uvBottomRight.x, v1 = glyph.uvBottomRight.y;
      const float corners[6][4] = {{x0, y0, u0, v0}, {x0, y1, u0, v1}, {x1, y0, u1, v0},
                                   {x1, y0, u1, v0}, {x0, y1, u0, v1}, {x1, y1, u1, v1}};
      for (const auto& c : corners) *vertex++ = Vertex{c[0], c[1], 1.0f, 1.0f, 0, 0, 0, glyph.color, c[2], c[3]};
    }
    buffer.unlock(vertex);
    manager.setVertexBuffer(buffer);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
      manager.setTexture(glyphs[i].texture);
      manager.draw(static_cast<Engine::u32>(i * 6), 2, 0);
    }
    manager.setVertexBuffer(VertexBuffer());
    manager.endDraw();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(glyphs.size()));
}

BENCHMARK(BM_TextFrameBatched)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextFrameDrawPerGlyph)->Unit(benchmark::kMicrosecond);

}  // namespace string_renderer_bench
