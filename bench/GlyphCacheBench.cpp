// Looking up glyphs already cached: the glyph cache's two-level table against
// std::map keyed by code, on the same mixed text of kana, kanji and ASCII.

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <vector>

#include "Engine/Scene/GlyphCache.h"
#include "PlatformFake/FakeGlyphRasterizer.h"

namespace glyph_cache_bench {

// A frame's worth of text: 2000 characters over 400 distinct codes.
std::vector<Engine::u16> textCodes() {
  std::vector<Engine::u16> codes;
  for (int i = 0; i < 2000; ++i) {
    const int pick = i * 7919 % 400;
    if (pick < 60) {
      codes.push_back(static_cast<Engine::u16>(0x20 + pick));
    } else if (pick < 140) {
      codes.push_back(static_cast<Engine::u16>(0x829F + pick - 60));
    } else {
      codes.push_back(static_cast<Engine::u16>(0x889F + (pick - 140) * 3));
    }
  }
  return codes;
}

void BM_GlyphCacheLookup(benchmark::State& state) {
  PlatformFake::FakeGlyphRasterizer rasterizer;
  Engine::Scene::CpuGlyphPages pages;
  Platform::GlyphFaceDesc desc;
  desc.height = 20;
  Engine::Scene::GlyphCache cache(rasterizer.openFace(desc), pages, 512, 512);
  const auto codes = textCodes();
  for (const Engine::u16 code : codes) {
    cache.glyph(code);
  }
  for (auto _ : state) {
    for (const Engine::u16 code : codes) {
      benchmark::DoNotOptimize(cache.glyph(code));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(codes.size()));
}

void BM_OrderedMapLookup(benchmark::State& state) {
  std::map<Engine::u16, Engine::Scene::GlyphRecord> map;
  const auto codes = textCodes();
  for (const Engine::u16 code : codes) {
    map.emplace(code, Engine::Scene::GlyphRecord{0, 20, 20, code, code});
  }
  for (auto _ : state) {
    for (const Engine::u16 code : codes) {
      benchmark::DoNotOptimize(map.find(code)->second);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(codes.size()));
}

BENCHMARK(BM_GlyphCacheLookup);
BENCHMARK(BM_OrderedMapLookup);

}  // namespace glyph_cache_bench
