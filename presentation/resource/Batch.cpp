#include "presentation/resource/Batch.h"

#include "Engine/Base/Assert.h"
#include "Engine/Graphics/Vertex.h"
#include "core/file/nml/NmlNode.h"
#include "presentation/model/MeshBuilder.h"
#include "presentation/render/Material.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/resource/Texture.h"
#include "presentation/scene/DrawHook.h"

namespace Game {

using Engine::i32;
using Engine::u16;
using Engine::u32;

namespace {

// World units to the matrices' units.
constexpr float kBatchWorldToMatrix = 2.f / 800.f;

}  // namespace

Batch* Batch::findOrCreate(ResourceSet& set, const NmlNode& node) {
  if (const NmlAttribute* nameLine = node.findAttribute("name")) {
    if (Batch* held = set.findBatch(nameLine->toString(0))) {
      return held;
    }
  }
  Batch* batch = set.batches().addNew();
  batch->mOwner = &set;
  batch->load(node);
  return batch;
}

void Batch::load(const NmlNode& node) {
  ENGINE_ASSERT(mOwner && "Batch::load : a batch read from a file belongs to a resource set.");
  if (node.countChildren("texture") > 0) {
    mTexture = Texture::findOrCreate(*mOwner, *node.findChild("texture"), mOwner->loadingDirectory());
  }
  if (node.countChildren("materials") > 0) {
    mMaterial = Material::findOrCreate(*mOwner, *node.findChild("materials"));
  }
  if (const NmlAttribute* line = node.findAttribute("name")) {
    mName.assign(line->toString(0));
  }
  MeshBuilder mesh(kMeshCapacity, kMeshCapacity);
  mesh.load(node, mOwner->loadingFile());
  upload(mesh);
}

i32 Batch::upload(const MeshBuilder& mesh) {
  ENGINE_ASSERT(mesh.vertexCount() <= kMaxVertices && "Batch::upload : more vertices than 16-bit indices reach.");
  releaseBuffers();
  mBuffers.triangleCount = mesh.indexCount() / 3;
  if (mesh.vertexCount() == 0) {
    mBuffers.triangleCount = 0;
    return 0;
  }
  uploadVertices(mesh);
  uploadIndices(mesh);
  return mBuffers.triangleCount;
}

void Batch::uploadVertices(const MeshBuilder& mesh) {
  // Mesh uv are texels; an image without a size of its own is waited for.
  float uScale = 1.f;
  float vScale = 1.f;
  if (mTexture) {
    if (!mTexture->hasExplicitSize()) {
      mTexture->waitReady();
    }
    // An image that could not be read has no size: its uv stay as they are.
    if (mTexture->width() > 0 && mTexture->height() > 0) {
      uScale = 1.f / static_cast<float>(mTexture->width());
      vScale = 1.f / static_cast<float>(mTexture->height());
    }
  }
  mBuffers.vertices = Engine::Graphics::VertexBuffer::create(static_cast<u32>(mesh.vertexCount()));
  Engine::Graphics::Vertex* out = mBuffers.vertices.lock();
  for (i32 i = 0; i < mesh.vertexCount(); ++i) {
    const MeshVertex& in = mesh.vertex(i);
    out[i] = Engine::Graphics::Vertex{in.position.x * kBatchWorldToMatrix,
                                      in.position.y * kBatchWorldToMatrix,
                                      in.position.z * kBatchWorldToMatrix,
                                      1.f,
                                      in.normal.x,
                                      in.normal.y,
                                      in.normal.z,
                                      in.color.toPacked(),
                                      in.uv.x * uScale,
                                      in.uv.y * vScale};
  }
  mBuffers.vertices.unlock(out);
}

void Batch::uploadIndices(const MeshBuilder& mesh) {
  if (mesh.indexCount() == 0) {
    return;
  }
  mBuffers.indices = Engine::Graphics::IndexBuffer::create(static_cast<u32>(mesh.indexCount()));
  u16* out = mBuffers.indices.lock();
  for (i32 i = 0; i < mesh.indexCount(); ++i) {
    out[i] = static_cast<u16>(mesh.index(i));
  }
  mBuffers.indices.unlock(out);
}

void Batch::releaseBuffers() {
  mBuffers.release();
}

void Batch::setQuad(float u, float v, float width, float height, const Color& color, float x, float y, float z,
                    float scaleX, float scaleY, bool normalBack, bool inset) {
  MeshBuilder mesh(4, 6);
  MeshVertex* corner = mesh.addVertices(4);
  i32* index = mesh.addIndices(6);
  const float in = inset ? 1.f : 0.f;
  const float left = -width / 2.f * scaleX + x;
  const float right = width / 2.f * scaleX + x;
  const float top = height / 2.f * scaleY - y;
  const float bottom = -height / 2.f * scaleY - y;
  corner[0].position.set(left, top, z);
  corner[1].position.set(right, top, z);
  corner[2].position.set(right, bottom, z);
  corner[3].position.set(left, bottom, z);
  corner[0].uv.set(u + in, v + in);
  corner[1].uv.set(u + width - in, v + in);
  corner[2].uv.set(u + width - in, v + height - in);
  corner[3].uv.set(u + in, v + height - in);
  for (i32 i = 0; i < 4; ++i) {
    corner[i].normal.set(0.f, 0.f, normalBack ? -1.f : 1.f);
    corner[i].color = color;
  }
  const i32 order[6] = {0, 2, 1, 0, 3, 2};
  for (i32 i = 0; i < 6; ++i) {
    index[i] = order[i];
  }
  upload(mesh);
}

RenderState Batch::drawState(const RenderState& state, const Engine::Math::Matrix34& billboardMatrix) const {
  RenderState s = mMaterial ? RenderState::combined(state, mMaterial->state()) : state;
  s.applyReverse();
  s.applyBillboard(billboardMatrix);
  return s;
}

void Batch::drawAt(const Texture* texture, const RenderState& state) const {
  if (DrawHook* hook = DrawHook::current()) {
    hook->queue(*this, texture, drawState(state, hook->billboardMatrix()));
  }
}

i32 Batch::drawImmediate(const DrawView& view, const Texture* texture, const RenderState& state) const {
  static const Engine::Graphics::Texture kNoTexture;
  return RenderQueue::drawEntry(view, texture ? texture->handle() : kNoTexture, mBuffers, state);
}

}  // namespace Game
