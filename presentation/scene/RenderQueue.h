#pragma once

#include <array>

#include "Engine/Base/Types.h"
#include "Engine/Graphics/IndexBuffer.h"
#include "Engine/Graphics/Texture.h"
#include "Engine/Graphics/VertexBuffer.h"
#include "Engine/Math/Matrix44.h"
#include "Engine/Math/Vector3.h"
#include "presentation/render/DrawFlags.h"
#include "presentation/render/RenderState.h"

namespace Game {

class Batch;

// A mesh on the device: its buffers and the triangles its indices make.
struct BatchBuffers {
  Engine::Graphics::VertexBuffer vertices;
  Engine::Graphics::IndexBuffer indices;
  Engine::i32 triangleCount = 0;

  bool exists() const { return static_cast<bool>(vertices) && static_cast<bool>(indices); }
  void release();
};

// What every queued draw of a logic step is seen through.
struct DrawView {
  Engine::Math::Matrix44 viewProjection;
  // The front-end box: x -1..1, y -0.75..0.75, z -1..2 (larger z nearer).
  Engine::Math::Matrix44 screenProjection;
  // For specular light.
  Engine::Math::Vector3 eye{0.f, 0.f, 0.f};
  std::array<float, DrawFlags::kLightCount> lightIntensities{};
  // The renderer's full-screen quad (1/400 of a unit wide until scaled by
  // 1024) that negative draws are inverted by; null or empty for none.
  const Batch* screenBatch = nullptr;
  // Set for logic steps whose picture is never shown.
  bool hidden = false;
};

// The mesh draws of a logic step in four layers drawn in this order:
// backgrounds, opaque 3D, see-through 3D (no depth write), front-end
// geometry; within a layer, in the order queued. Each layer is a fixed
// table, so queueing never allocates.
class RenderQueue {
 public:
  static constexpr Engine::i32 kLayerCount = 4;
  static constexpr Engine::i32 kLayerCapacity = 4096;
  enum Layer : Engine::i32 { kBackground = 0, kOpaque = 1, kSeeThrough = 2, kFrontEnd = 3 };

  // The layer a state's draw belongs to.
  static Layer layerOf(const RenderState& state);
  // Copies the draw into its layer; a full layer drops it (false). An empty
  // texture draws untextured.
  bool add(const Engine::Graphics::Texture& texture, const BatchBuffers& buffers, const RenderState& state);
  // Draws each flagged layer in order and empties it, shown or not; draws
  // whose texture is still loading are dropped. Returns the triangles drawn.
  Engine::i32 flushLayers(const DrawView& view, bool background, bool opaque, bool seeThrough, bool frontEnd);
  Engine::i32 flushAll(const DrawView& view) { return flushLayers(view, true, true, true, true); }
  // Forgets every queued draw.
  void clear();

  // Draws one mesh at once; nothing while hidden, without triangles or
  // while the texture is loading. A negative state's inverting passes
  // around it count among the triangles drawn.
  static Engine::i32 drawEntry(const DrawView& view, const Engine::Graphics::Texture& texture,
                               const BatchBuffers& buffers, const RenderState& state);
  // The triangles a state draws of a mesh: its own count (the whole mesh
  // when negative), cut at the mesh's end.
  static Engine::i32 drawnTriangles(const RenderState& state, Engine::i32 meshTriangles);
  // The whole screen turned to its negative by the view's screen batch.
  static Engine::i32 drawInverted(const DrawView& view);

  Engine::i32 count(Layer layer) const { return mLayers[static_cast<std::size_t>(layer)].count; }

 private:
  struct Entry {
    Engine::Graphics::Texture texture;
    BatchBuffers buffers;
    RenderState state;
  };
  struct LayerTable {
    std::array<Entry, kLayerCapacity> entries;
    Engine::i32 count = 0;
  };

  Engine::i32 flushLayer(const DrawView& view, LayerTable& layer);

  std::array<LayerTable, kLayerCount> mLayers;
};

}  // namespace Game
