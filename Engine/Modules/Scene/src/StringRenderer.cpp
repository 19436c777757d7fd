#include "Engine/Scene/StringRenderer.h"

#include <string>
#include <vector>

#include "Engine/Base/Assert.h"
#include "Engine/Base/DebugStream.h"
#include "Engine/Base/ReferenceType.h"
#include "Engine/Graphics/Manager.h"
#include "Engine/Scene/PrimitiveRenderer.h"
#include "Scene/src/StringLayout.h"

namespace Engine::Scene {

namespace {

// A rectangle is six vertices.
constexpr i32 kVerticesPerGlyph = 6;

struct Request {
  Math::Vector2 position;
  f32 depth = 0.0f;
  std::string text;
  u32 color = 0;
  Font font;
  bool wrap = false;
};

class FontGlyphs : public GlyphLookup {
 public:
  explicit FontGlyphs(Font& font) : mFont(font) {}
  bool getChar(Graphics::Texture& texture, Math::Vector2& uvTopLeft, Math::Vector2& uvBottomRight,
               u16 code) override {
    return mFont.getChar(texture, uvTopLeft, uvBottomRight, code);
  }
  i32 charHeight() override { return mFont.charHeight(); }

 private:
  Font& mFont;
};

Math::Vector2 screenSize() {
  i32 width = 0;
  i32 height = 0;
  Graphics::Manager::instance().getViewport(nullptr, nullptr, &width, &height);
  return Math::Vector2(static_cast<f32>(width), static_cast<f32>(height));
}

}  // namespace

class StringRenderer::Impl : public ReferenceType {
 public:
  Impl(i32 charCapacity, i32 requestCapacity)
      : mCharCapacity(static_cast<std::size_t>(charCapacity > 0 ? charCapacity : 0)),
        mRequestCapacity(static_cast<std::size_t>(requestCapacity > 0 ? requestCapacity : 0)),
        mRenderer(PrimitiveRenderer::create(static_cast<i32>(mCharCapacity) * kVerticesPerGlyph,
                                            static_cast<i32>(mCharCapacity) + 4)) {
    mRequests.reserve(mRequestCapacity);
  }

  void setFont(const Font& font) { mCurrentFont = font; }

  void add(i32 x, i32 y, const char* text, u32 color, bool wrap, f32 depth) {
    ENGINE_ASSERT(mCurrentFont && "Font hasn't been set.");
    if (mRequests.size() >= mRequestCapacity) {
      ++mDroppedRequests;
      return;
    }
    mRequests.push_back(
        Request{Math::Vector2(static_cast<f32>(x), static_cast<f32>(y)), depth, text ? text : "", color, mCurrentFont, wrap});
  }

  void draw();

 private:
  bool layOutRequests();
  void report(bool complete);

  std::size_t mCharCapacity;
  std::size_t mRequestCapacity;
  std::vector<Request> mRequests;
  PrimitiveRenderer mRenderer;
  Font mCurrentFont;
  std::vector<PlacedGlyph> mGlyphs;
  std::vector<const PlacedGlyph*> mOrder;
  i32 mDroppedRequests = 0;
};

// The most recent request first, so that it keeps its glyphs when room runs out.
bool StringRenderer::Impl::layOutRequests() {
  const Math::Vector2 screen = screenSize();
  bool complete = true;
  mGlyphs.reserve(mCharCapacity);
  while (!mRequests.empty()) {
    Request& request = mRequests.back();
    FontGlyphs glyphs(request.font);
    const TextRequestView view{request.position, request.depth, request.text, request.color, request.wrap};
    complete = layoutText(glyphs, view, screen, mGlyphs, mCharCapacity) && complete;
    mRequests.pop_back();
  }
  return complete;
}

void StringRenderer::Impl::draw() {
  if (mRequests.empty()) {
    report(true);
    return;
  }
  mRenderer.setBlendMode(1);
  mRenderer.setCullMode(0);
  mRenderer.enableDepthTest(false);
  mRenderer.enableDepthWrite(false);
  const bool complete = layOutRequests();
  if (!mGlyphs.empty()) {
    mOrder.clear();
    for (const PlacedGlyph& glyph : mGlyphs) {
      mOrder.push_back(&glyph);
    }
    sortGlyphs(mOrder);
    emitGlyphs(mOrder, mRenderer);
    mRenderer.draw();
  }
  mOrder.clear();
  mGlyphs.clear();
  report(complete);
}

void StringRenderer::Impl::report(bool complete) {
  if (mDroppedRequests > 0) {
    cout << "StringRenderer::draw() : out of room, " << mDroppedRequests << " requests dropped." << endl;
  }
  if (!complete) {
    cout << "StringRenderer::draw() : out of room, characters dropped." << endl;
  }
  mDroppedRequests = 0;
}

StringRenderer StringRenderer::create(i32 charCapacity, i32 requestCapacity) {
  return StringRenderer(new Impl(charCapacity, requestCapacity));
}

StringRenderer::StringRenderer(const StringRenderer& other) : mImpl(other.mImpl) { referImpl(mImpl); }

StringRenderer& StringRenderer::operator=(const StringRenderer& other) {
  Impl* previous = mImpl;
  mImpl = other.mImpl;
  referImpl(mImpl);
  releaseImpl(previous);
  return *this;
}

StringRenderer::~StringRenderer() { releaseImpl(mImpl); }
void StringRenderer::release() { releaseImpl(mImpl); }

namespace {
StringRenderer::Impl& checked(StringRenderer::Impl* impl) {
  ENGINE_ASSERT(impl && "StringRenderer is empty.");
  return *impl;
}
}  // namespace

void StringRenderer::setFont(const Font& font) { checked(mImpl).setFont(font); }

void StringRenderer::add(i32 x, i32 y, const char* text, u32 color, bool wrap, f32 depth) {
  checked(mImpl).add(x, y, text, color, wrap, depth);
}

void StringRenderer::draw() { checked(mImpl).draw(); }

}  // namespace Engine::Scene
