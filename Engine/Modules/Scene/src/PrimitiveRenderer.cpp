#include "Engine/Scene/PrimitiveRenderer.h"

#include <vector>

#include "Engine/Base/Assert.h"
#include "Engine/Base/DebugStream.h"
#include "Engine/Base/ReferenceType.h"
#include "Engine/Graphics/Manager.h"
#include "Engine/Graphics/VertexBuffer.h"
#include "Engine/Math/Matrix34.h"
#include "Engine/Math/Matrix44.h"

namespace Engine::Scene {

namespace {

using Graphics::Texture;
using Graphics::Vertex;

enum BatchKind : i32 { kLines = 2, kRectangles = 4, kEmpty = 5 };

constexpr i32 kDefaultRecordCount = 0x7FFFFFFF;
constexpr i32 kTriangleList = 0;
constexpr i32 kLineList = 1;

struct Batch {
  Texture texture;
  bool depthWrite = true;
  bool depthTest = false;
  i32 blendMode = 0;
  i32 cullMode = 0;
  i32 kind = kEmpty;
  i32 firstVertex = 0;
  i32 primitiveCount = 0;
};

// The states last set on the graphics manager during one draw.
struct AppliedStates {
  Texture texture;
  bool depthWrite = true;
  bool depthTest = false;
  i32 blendMode = 0;
  i32 cullMode = 0;
};

Math::Matrix44 identity44() {
  Math::Matrix44 matrix;
  matrix.setIdentity();
  return matrix;
}

// Back-buffer pixels (y down) and depth 0 (far) to 1 (near) into clip space.
Math::Matrix44 screenTransform() {
  i32 width = 1;
  i32 height = 1;
  Graphics::Manager::instance().getViewport(nullptr, nullptr, &width, &height);
  Math::Matrix44 matrix = identity44();
  matrix.m[0][0] = 2.0f / static_cast<f32>(width);
  matrix.m[0][3] = -1.0f;
  matrix.m[1][1] = -2.0f / static_cast<f32>(height);
  matrix.m[1][3] = 1.0f;
  matrix.m[2][2] = -1.0f;
  matrix.m[2][3] = 1.0f;
  return matrix;
}

Vertex makeVertex(f32 x, f32 y, f32 z, u32 color, f32 u, f32 v) {
  return Vertex{x, y, z, 1.0f, 0.0f, 0.0f, 0.0f, color, u, v};
}

}  // namespace

class PrimitiveRenderer::Impl : public ReferenceType {
 public:
  Impl(i32 vertexCapacity, i32 batchCapacity)
      : mVertexCapacity(vertexCapacity > 0 ? vertexCapacity : 0),
        mBatches(static_cast<std::size_t>(batchCapacity > 0 ? batchCapacity : 0) + 1),
        mVertexBuffer(Graphics::VertexBuffer::create(static_cast<u32>(mVertexCapacity))) {
    mBatches[0].primitiveCount = kDefaultRecordCount;
    mVertices = mVertexBuffer.lock();
  }

  ~Impl() {
    if (mVertices) {
      mVertexBuffer.unlock(mVertices);
    }
  }

  void setTexture(const Texture& texture) {
    if (texture != current().texture && changeableBatch()) current().texture = texture;
  }
  void enableDepthWrite(bool enable) {
    if (enable != current().depthWrite && changeableBatch()) current().depthWrite = enable;
  }
  void enableDepthTest(bool enable) {
    if (enable != current().depthTest && changeableBatch()) current().depthTest = enable;
  }
  void setBlendMode(i32 mode) {
    if (mode != current().blendMode && changeableBatch()) current().blendMode = mode;
  }
  void setCullMode(i32 mode) {
    if (mode != current().cullMode && changeableBatch()) current().cullMode = mode;
  }

  void addRectangle(const Math::Vector2& p0, const Math::Vector2& p1, const Math::Vector2& uv0,
                    const Math::Vector2& uv1, u32 color, f32 depth) {
    if (!reserve(kRectangles, 6)) {
      return;
    }
    const u32 top = (color & 0x00FFFFFF) != 0 ? color | 0x00FFFFFF : color;
    Vertex* vertex = mVertices + mVertexCount;
    vertex[0] = makeVertex(p0.x, p0.y, depth, top, uv0.x, uv0.y);
    vertex[1] = makeVertex(p0.x, p1.y, depth, color, uv0.x, uv1.y);
    vertex[2] = makeVertex(p1.x, p0.y, depth, top, uv1.x, uv0.y);
    vertex[3] = vertex[2];
    vertex[4] = vertex[1];
    vertex[5] = makeVertex(p1.x, p1.y, depth, color, uv1.x, uv1.y);
    current().primitiveCount += 2;
    mVertexCount += 6;
  }

  void addLine(const Math::Vector3& p0, const Math::Vector3& p1, u32 color0, u32 color1) {
    if (!reserve(kLines, 2)) {
      return;
    }
    mVertices[mVertexCount] = makeVertex(p0.x, p0.y, p0.z, color0, 0.0f, 0.0f);
    mVertices[mVertexCount + 1] = makeVertex(p1.x, p1.y, p1.z, color1, 0.0f, 0.0f);
    current().primitiveCount += 1;
    mVertexCount += 2;
  }

  void draw();

 private:
  Batch& current() { return mBatches[static_cast<std::size_t>(mCurrentBatch)]; }

  bool startBatch() {
    if (static_cast<std::size_t>(mCurrentBatch) + 1 >= mBatches.size()) {
      return false;
    }
    Batch& next = mBatches[static_cast<std::size_t>(mCurrentBatch) + 1];
    next = current();
    ++mCurrentBatch;
    next.primitiveCount = 0;
    next.firstVertex = mVertexCount;
    return true;
  }

  // A state change goes into a new batch once the current one holds
  // primitives. Without room for one, the change is lost, and so is every
  // primitive after it until the next draw: they would show in the wrong state.
  bool changeableBatch() {
    if (mFull) {
      return false;
    }
    if (current().primitiveCount > 0 && !startBatch()) {
      mFull = true;
      return false;
    }
    return true;
  }

  bool reserve(i32 kind, i32 vertices) {
    const bool needsBatch = current().primitiveCount > 0 && current().kind != kind;
    if (mFull || mVertexCount + vertices > mVertexCapacity || (needsBatch && !startBatch())) {
      ++mDropped;
      return false;
    }
    current().kind = kind;
    return true;
  }

  void applyDefaults(AppliedStates& applied);
  void apply(const Batch& batch, AppliedStates& applied);
  void reportDropped();

  i32 mVertexCapacity;
  i32 mVertexCount = 0;
  i32 mCurrentBatch = 0;
  std::vector<Batch> mBatches;
  Vertex* mVertices = nullptr;
  Graphics::VertexBuffer mVertexBuffer;
  bool mFull = false;
  i32 mDropped = 0;
};

void PrimitiveRenderer::Impl::applyDefaults(AppliedStates& applied) {
  Graphics::Manager manager = Graphics::Manager::instance();
  manager.setVertexBuffer(mVertexBuffer);
  manager.setProjectionViewMatrix(identity44());
  Math::Matrix34 world;
  world.setIdentity();
  manager.setWorldMatrix(world);
  manager.setTexture(Texture());
  manager.enableDepthWrite(true);
  manager.enableDepthTest(false);
  manager.setBlendMode(0);
  manager.setCullMode(0);
  manager.setDiffuseColor(Math::Vector3(1.0f, 1.0f, 1.0f));
  manager.setLightingMode(0);
  applied = AppliedStates();
}

void PrimitiveRenderer::Impl::apply(const Batch& batch, AppliedStates& applied) {
  Graphics::Manager manager = Graphics::Manager::instance();
  if (batch.depthWrite != applied.depthWrite) manager.enableDepthWrite(applied.depthWrite = batch.depthWrite);
  if (batch.depthTest != applied.depthTest) manager.enableDepthTest(applied.depthTest = batch.depthTest);
  if (batch.blendMode != applied.blendMode) manager.setBlendMode(applied.blendMode = batch.blendMode);
  if (batch.cullMode != applied.cullMode) manager.setCullMode(applied.cullMode = batch.cullMode);
  if (batch.texture != applied.texture) manager.setTexture(applied.texture = batch.texture);
}

void PrimitiveRenderer::Impl::reportDropped() {
  if (mDropped > 0) {
    cout << "PrimitiveRenderer::draw() : out of room, " << mDropped << " primitives dropped." << endl;
  }
  mDropped = 0;
  mFull = false;
}

void PrimitiveRenderer::Impl::draw() {
  mVertexBuffer.unlock(mVertices);
  Graphics::Manager manager = Graphics::Manager::instance();
  AppliedStates applied;
  applyDefaults(applied);
  const Math::Matrix44 screen = screenTransform();
  bool screenSpace = false;
  for (i32 i = 1; i <= mCurrentBatch; ++i) {
    const Batch& batch = mBatches[static_cast<std::size_t>(i)];
    apply(batch, applied);
    if (batch.kind == kRectangles) {
      if (!screenSpace) manager.setProjectionViewMatrix(screen);
      screenSpace = true;
      manager.draw(static_cast<u32>(batch.firstVertex), static_cast<u32>(batch.primitiveCount), kTriangleList);
    } else if (batch.kind == kLines) {
      if (screenSpace) manager.setProjectionViewMatrix(identity44());
      screenSpace = false;
      manager.draw(static_cast<u32>(batch.firstVertex), static_cast<u32>(batch.primitiveCount), kLineList);
    }
  }
  manager.setVertexBuffer(Graphics::VertexBuffer());
  mVertices = mVertexBuffer.lock();
  mVertexCount = 0;
  // Batch records keep no texture alive past the frame.
  for (i32 i = 1; i <= mCurrentBatch; ++i) {
    mBatches[static_cast<std::size_t>(i)].texture.release();
  }
  mCurrentBatch = 0;
  manager.setTexture(Texture());
  reportDropped();
}

PrimitiveRenderer PrimitiveRenderer::create(i32 vertexCapacity, i32 batchCapacity) {
  return PrimitiveRenderer(new Impl(vertexCapacity, batchCapacity));
}

PrimitiveRenderer::PrimitiveRenderer(const PrimitiveRenderer& other) : mImpl(other.mImpl) { referImpl(mImpl); }

PrimitiveRenderer& PrimitiveRenderer::operator=(const PrimitiveRenderer& other) {
  Impl* previous = mImpl;
  mImpl = other.mImpl;
  referImpl(mImpl);
  releaseImpl(previous);
  return *this;
}

PrimitiveRenderer::~PrimitiveRenderer() { releaseImpl(mImpl); }
void PrimitiveRenderer::release() { releaseImpl(mImpl); }

namespace {
PrimitiveRenderer::Impl& checked(PrimitiveRenderer::Impl* impl) {
  ENGINE_ASSERT(impl && "PrimitiveRenderer is empty.");
  return *impl;
}
}  // namespace

void PrimitiveRenderer::setTexture(const Texture& texture) { checked(mImpl).setTexture(texture); }
void PrimitiveRenderer::enableDepthWrite(bool enable) { checked(mImpl).enableDepthWrite(enable); }
void PrimitiveRenderer::enableDepthTest(bool enable) { checked(mImpl).enableDepthTest(enable); }
void PrimitiveRenderer::setBlendMode(i32 mode) { checked(mImpl).setBlendMode(mode); }
void PrimitiveRenderer::setCullMode(i32 mode) { checked(mImpl).setCullMode(mode); }

void PrimitiveRenderer::addRectangle(const Math::Vector2& p0, const Math::Vector2& p1, u32 color, f32 depth) {
  const Math::Vector2 zero(0.0f, 0.0f);
  checked(mImpl).addRectangle(p0, p1, zero, zero, color, depth);
}

void PrimitiveRenderer::addRectangle(const Math::Vector2& p0, const Math::Vector2& p1, const Math::Vector2& uv0,
                                     const Math::Vector2& uv1, u32 color, f32 depth) {
  checked(mImpl).addRectangle(p0, p1, uv0, uv1, color, depth);
}

void PrimitiveRenderer::addLine(const Math::Vector3& p0, const Math::Vector3& p1, u32 color0, u32 color1) {
  checked(mImpl).addLine(p0, p1, color0, color1);
}

void PrimitiveRenderer::draw() { checked(mImpl).draw(); }

}  // namespace Engine::Scene
