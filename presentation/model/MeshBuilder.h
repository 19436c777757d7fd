#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "core/container/Array2D.h"
#include "presentation/model/MeshVertex.h"
#include "presentation/render/Color.h"

namespace Game {

class NmlNode;
struct PartTransform;

// A mesh under construction: vertices and a triangle list of vertex numbers,
// in arrays whose capacity is fixed when the builder is made. Writing is
// checked: a write that would pass a capacity is refused and marks the builder
// overflowed, and a model node that overflowed is dropped whole by load.
class MeshBuilder {
 public:
  // What the batch reader gives one model node with all its parts.
  static constexpr Engine::i32 kModelCapacity = 4096;

  MeshBuilder(Engine::i32 vertexCapacity, Engine::i32 indexCapacity);
  ~MeshBuilder() { clear(); }
  MeshBuilder(const MeshBuilder&) = delete;
  MeshBuilder& operator=(const MeshBuilder&) = delete;

  // Counts 0 and both arrays freed: nothing can be added afterwards.
  void clear();

  Engine::i32 vertexCount() const { return mVertexCount; }
  Engine::i32 indexCount() const { return mIndexCount; }
  Engine::i32 vertexCapacity() const { return mVertices.sizeX(); }
  Engine::i32 indexCapacity() const { return mIndices.sizeX(); }
  Engine::i32 vertexRoom() const { return vertexCapacity() - mVertexCount; }
  Engine::i32 indexRoom() const { return indexCapacity() - mIndexCount; }
  MeshVertex& vertex(Engine::i32 i) { return mVertices.at(static_cast<Engine::u32>(i)); }
  const MeshVertex& vertex(Engine::i32 i) const { return mVertices.at(static_cast<Engine::u32>(i)); }
  // Whether vertices first, first + 1 and first + 2 enclose a non-zero area.
  bool spansArea(Engine::i32 first) const;
  Engine::i32 index(Engine::i32 i) const { return mIndices.at(static_cast<Engine::u32>(i)); }

  // `count` fresh opaque white vertices, or null (and overflowed) when they
  // do not fit.
  MeshVertex* addVertices(Engine::i32 count);
  // `count` index entries to fill with vertex numbers below vertexCount, or
  // null (and overflowed) when they do not fit.
  Engine::i32* addIndices(Engine::i32 count);
  bool addTriangle(Engine::i32 a, Engine::i32 b, Engine::i32 c);
  bool overflowed() const { return mOverflowed; }
  // For a shape that knows up front that it cannot fit.
  void markOverflowed() { mOverflowed = true; }
  // Forgets what was added after the given counts and the overflow mark.
  void truncate(Engine::i32 vertexCount, Engine::i32 indexCount);

  // Adds the part's vertices and its triangles renumbered after this
  // builder's vertices; refused whole when it does not fit.
  bool append(const MeshBuilder& part);

  // Adds one model node with its parts. A node that does not fit, or lacks a
  // key its shape cannot do without, adds nothing and is named on the debug
  // stream with sourceName (the file it came from); the result says whether
  // it was added.
  bool load(const NmlNode& node, const char* sourceName = "");

  // Each of these changes the vertices from firstVertex on.
  void applyTransform(const PartTransform& transform, Engine::i32 firstVertex = 0);
  void multiplyColor(const Color& color, Engine::i32 firstVertex = 0);
  // Colours multiplied by color1 at the least projection on `vector` up to
  // color2 at the greatest (color1 throughout when all projections are equal).
  void applyLinearGradation(const Color& color1, const Color& color2, const Engine::Math::Vector3& vector,
                            Engine::i32 firstVertex = 0);
  // Colours lit by one light at `center` fading from color1 to color2 at the
  // farthest vertex.
  void applyRadialGradation(const Color& color1, const Color& color2, const Engine::Math::Vector3& center,
                            Engine::i32 firstVertex = 0);

 private:
  Array2D<MeshVertex> mVertices;
  Array2D<Engine::i32> mIndices;
  Engine::i32 mVertexCount = 0;
  Engine::i32 mIndexCount = 0;
  bool mOverflowed = false;
};

}  // namespace Game
