#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Matrix34.h"
#include "core/string/String.h"
#include "presentation/render/Color.h"
#include "presentation/render/RenderState.h"
#include "presentation/scene/RenderQueue.h"

namespace Game {

class Material;
class MeshBuilder;
class NmlNode;
class ResourceSet;
class Texture;

// One mesh on the graphics device: a vertex buffer, a 16-bit index buffer,
// an optional texture and an optional material. Drawing hands the buffers,
// the texture and a finished state to the renderer's queue.
class Batch {
 public:
  // What the builder of one batch node may hold.
  static constexpr Engine::i32 kMeshCapacity = 4096;
  // 16-bit indices reach this many vertices.
  static constexpr Engine::i32 kMaxVertices = 65536;

  // A batch of no set (the renderer's own quad) until findOrCreate.
  Batch() = default;
  Batch(const Batch&) = delete;
  Batch& operator=(const Batch&) = delete;

  // The set's batch of the node's "name" when it holds one (the node is not
  // read); otherwise a new one appended to the set and loaded.
  static Batch* findOrCreate(ResourceSet& set, const NmlNode& node);

  // "texture" and "materials" children (found or created in the owner set),
  // "name", then the node as a model description built and uploaded.
  void load(const NmlNode& node);
  // Replaces the buffers with the mesh. Positions go from world units to
  // matrix units (/ 400); uv from texels to the texture's size, waiting for
  // an image without an explicit size. Returns the triangle count.
  Engine::i32 upload(const MeshBuilder& mesh);
  // One quad over the texels (u, v, width, height), centred on (x, −y, z)
  // and scaled in its plane, facing −z with normalBack, else +z; inset moves
  // each texture corner one texel inward.
  void setQuad(float u, float v, float width, float height, const Color& color, float x, float y, float z,
               float scaleX, float scaleY, bool normalBack, bool inset);

  // The state a draw of this batch is queued with: state refined by the
  // material, mirrors applied, turned to the camera by billboardMatrix when
  // it is a billboard.
  RenderState drawState(const RenderState& state, const Engine::Math::Matrix34& billboardMatrix) const;
  // Queues the batch with its own texture.
  void draw(const RenderState& state) const { drawAt(mTexture, state); }
  // Queues the batch's buffers with texture (may be null) and the draw
  // state; nothing without a renderer.
  void drawAt(const Texture* texture, const RenderState& state) const;

  // Draws the buffers at once with texture (may be null) and the state as
  // given, for passes that make their own state (the renderer's full-screen
  // quad: no material, mirror or billboard applies). Returns the triangles
  // drawn, counting the inverting passes of a negative state.
  Engine::i32 drawImmediate(const DrawView& view, const Texture* texture, const RenderState& state) const;

  const BatchBuffers& buffers() const { return mBuffers; }
  const Engine::Graphics::VertexBuffer& vertexBuffer() const { return mBuffers.vertices; }
  const Engine::Graphics::IndexBuffer& indexBuffer() const { return mBuffers.indices; }
  // Index count / 3: a trailing index that makes no whole triangle is
  // uploaded but never drawn.
  Engine::i32 triangleCount() const { return mBuffers.triangleCount; }
  bool hasMesh() const { return mBuffers.exists(); }
  Texture* texture() const { return mTexture; }
  void setTexture(Texture* texture) { mTexture = texture; }
  Material* material() const { return mMaterial; }
  void setMaterial(Material* material) { mMaterial = material; }
  const char* name() const { return mName.c_str() ? mName.c_str() : ""; }
  ResourceSet* owner() const { return mOwner; }

 private:
  void releaseBuffers();
  void uploadVertices(const MeshBuilder& mesh);
  void uploadIndices(const MeshBuilder& mesh);

  BatchBuffers mBuffers;
  Texture* mTexture = nullptr;
  Material* mMaterial = nullptr;
  String mName;
  ResourceSet* mOwner = nullptr;
};

}  // namespace Game
