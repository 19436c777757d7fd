// A system font's answer for glyphs already drawn (texture and coordinates)
// against std::map keyed by code giving the same, on 2000 characters over
// 400 distinct codes.

#include <benchmark/benchmark.h>

#include <map>
#include <vector>

#include "Engine/Graphics/Manager.h"
#include "Engine/Scene/Font.h"
#include "PlatformFake/FakeBackend.h"

namespace font_bench {

using Engine::Math::Vector2;

std::vector<Engine::u16> frameCodes() {
  std::vector<Engine::u16> codes;
  for (int i = 0; i < 2000; ++i) {
    const int pick = i * 7919 % 400;
    codes.push_back(static_cast<Engine::u16>(pick < 60 ? 0x20 + pick : 0x889F + (pick - 60) * 2));
  }
  return codes;
}

void BM_FontGetChar(benchmark::State& state) {
  PlatformFake::ScopedFakeBackend backend;
  Engine::Graphics::Manager::create(640, 480, false, true, false);
  {
    const Engine::Scene::Font font = Engine::Scene::Font::createOS("ＭＳ ゴシック", 20, false, false, false, true, 512, 512);
    const auto codes = frameCodes();
    Engine::Graphics::Texture texture;
    Vector2 uv0;
    Vector2 uv1;
    for (const Engine::u16 code : codes) {
      font.getChar(texture, uv0, uv1, code);
    }
    for (auto _ : state) {
      for (const Engine::u16 code : codes) {
        benchmark::DoNotOptimize(font.getChar(texture, uv0, uv1, code));
      }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(codes.size()));
  }
  Engine::Graphics::Manager::destroy();
}

struct MappedGlyph {
  Engine::Graphics::Texture texture;
  Vector2 uv0;
  Vector2 uv1;
};

void BM_OrderedMapGetChar(benchmark::State& state) {
  PlatformFake::ScopedFakeBackend backend;
  Engine::Graphics::Manager::create(640, 480, false, true, false);
  {
    const Engine::Graphics::Texture page = Engine::Graphics::Texture::create(512, 512, false);
    std::map<Engine::u16, MappedGlyph> map;
    const auto codes = frameCodes();
    for (const Engine::u16 code : codes) {
      map.emplace(code, MappedGlyph{page, Vector2(0.25f, 0.5f), Vector2(0.75f, 1.0f)});
    }
    Engine::Graphics::Texture texture;
    Vector2 uv0;
    Vector2 uv1;
    for (auto _ : state) {
      for (const Engine::u16 code : codes) {
        const MappedGlyph& glyph = map.find(code)->second;
        texture = glyph.texture;
        uv0 = glyph.uv0;
        uv1 = glyph.uv1;
        benchmark::DoNotOptimize(uv1);
      }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(codes.size()));
  }
  Engine::Graphics::Manager::destroy();
}

BENCHMARK(BM_FontGetChar);
BENCHMARK(BM_OrderedMapGetChar);

}  // namespace font_bench
