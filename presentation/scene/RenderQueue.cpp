#include "presentation/scene/RenderQueue.h"

#include <algorithm>

#include "Engine/Graphics/Manager.h"
#include "presentation/resource/Batch.h"

namespace Game {

using Engine::i32;
using Engine::u32;

namespace {

constexpr u32 kInvertingBlend = 4;  // source x (1 - destination)
constexpr float kScreenQuadScale = 1024.f;

// A white full-screen quad that turns the picture over: no depth, front-end.
const RenderState& invertingState() {
  static const RenderState state = [] {
    RenderState s;
    s.setBlendMode(kInvertingBlend);
    s.depthTest = false;
    s.depthWrite = false;
    s.frontEnd = true;
    s.transform.scale(kScreenQuadScale, kScreenQuadScale, kScreenQuadScale);
    return s;
  }();
  return state;
}

}  // namespace

void BatchBuffers::release() {
  vertices.release();
  indices.release();
  triangleCount = 0;
}

RenderQueue::Layer RenderQueue::layerOf(const RenderState& state) {
  if (state.background) {
    return kBackground;
  }
  if (state.frontEnd) {
    return kFrontEnd;
  }
  return state.depthWrite ? kOpaque : kSeeThrough;
}

bool RenderQueue::add(const Engine::Graphics::Texture& texture, const BatchBuffers& buffers,
                      const RenderState& state) {
  LayerTable& layer = mLayers[static_cast<std::size_t>(layerOf(state))];
  if (layer.count >= kLayerCapacity) {
    return false;
  }
  Entry& entry = layer.entries[static_cast<std::size_t>(layer.count)];
  entry.texture = texture;
  entry.buffers = buffers;
  entry.state = state;
  ++layer.count;
  return true;
}

i32 RenderQueue::flushLayers(const DrawView& view, bool background, bool opaque, bool seeThrough, bool frontEnd) {
  const bool flagged[kLayerCount] = {background, opaque, seeThrough, frontEnd};
  i32 triangles = 0;
  for (i32 l = 0; l < kLayerCount; ++l) {
    if (flagged[l]) {
      triangles += flushLayer(view, mLayers[static_cast<std::size_t>(l)]);
    }
  }
  return triangles;
}

// Entries let go of their buffers and textures as they go, so a mesh freed
// during the frame dies here.
i32 RenderQueue::flushLayer(const DrawView& view, LayerTable& layer) {
  i32 triangles = 0;
  for (i32 i = 0; i < layer.count; ++i) {
    Entry& entry = layer.entries[static_cast<std::size_t>(i)];
    if (entry.buffers.exists()) {
      triangles += drawEntry(view, entry.texture, entry.buffers, entry.state);
    }
    entry.buffers.release();
    entry.texture.release();
  }
  layer.count = 0;
  return triangles;
}

void RenderQueue::clear() {
  for (LayerTable& layer : mLayers) {
    for (i32 i = 0; i < layer.count; ++i) {
      Entry& entry = layer.entries[static_cast<std::size_t>(i)];
      entry.buffers.release();
      entry.texture.release();
    }
    layer.count = 0;
  }
}

i32 RenderQueue::drawnTriangles(const RenderState& state, i32 meshTriangles) {
  i32 count = state.primitiveCount < 0 ? meshTriangles : state.primitiveCount;
  const i32 first = static_cast<i32>(state.firstIndex / 3);
  if (first + count > meshTriangles) {
    count = meshTriangles - first;
  }
  // A range that starts past the mesh draws nothing.
  return std::max(count, 0);
}

i32 RenderQueue::drawEntry(const DrawView& view, const Engine::Graphics::Texture& texture,
                           const BatchBuffers& buffers, const RenderState& state) {
  if (view.hidden || buffers.triangleCount <= 0 || !buffers.exists() || (texture && !texture.isReady())) {
    return 0;
  }
  const i32 count = drawnTriangles(state, buffers.triangleCount);
  if (count == 0) {
    return 0;
  }
  i32 drawn = count;
  if (state.negative) {
    drawn += drawInverted(view);
  }
  Engine::Graphics::Manager device = Engine::Graphics::Manager::instance();
  device.setProjectionViewMatrix(state.frontEnd ? view.screenProjection : view.viewProjection);
  device.setWorldMatrix(state.transform);
  device.setVertexBuffer(buffers.vertices);
  device.setIndexBuffer(buffers.indices);
  device.setTexture(texture);
  device.setEyePosition(view.eye);
  state.applyToDevice(view.lightIntensities);
  device.drawIndexed(state.firstIndex, static_cast<u32>(count), 0);
  if (state.negative) {
    drawn += drawInverted(view);
  }
  return drawn;
}

i32 RenderQueue::drawInverted(const DrawView& view) {
  return view.screenBatch ? view.screenBatch->drawImmediate(view, nullptr, invertingState()) : 0;
}

}  // namespace Game
