#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "core/container/Array2D.h"

namespace Game {

class NmlNode;

// A list of corners, read from "rect", "polygon" or "vertex" data. Room for
// 16 is made at once, as most polygons need no more; it grows beyond.
class Polygon {
 public:
  Polygon();
  Polygon(const Polygon& other);
  Polygon& operator=(const Polygon& other);

  void add(const Engine::Math::Vector3& v);
  // Reads, each optional and in this order (a later shape replaces an
  // earlier one): a "rect" child with "size" w, h; a "polygon" child with
  // "number" n and "size" w, h (n corners on the ellipse, the first on +x);
  // "vertex" lines, one corner each; then "position", added to every corner.
  void load(const NmlNode& node);
  // Every corner times f.
  void scale(float f);
  // Corners i mod count and (i + 1) mod count; nothing without corners.
  void edge(Engine::i32 i, Engine::Math::Vector3* outA, Engine::Math::Vector3* outB) const;

  Engine::i32 count() const { return mCount; }
  const Engine::Math::Vector3& corner(Engine::i32 i) const { return mCorners.at(static_cast<Engine::u32>(i)); }
  void clear() { mCount = 0; }

 private:
  void loadRect(const NmlNode& rect);
  void loadRegular(const NmlNode& regular);

  Array2D<Engine::Math::Vector3> mCorners;
  Engine::i32 mCount = 0;
};

namespace MathHelper {

// The plane normal of the polygon's first three corners; false with fewer or
// with corners on a line.
bool polygonNormal(Engine::Math::Vector3* out, const Polygon& polygon);

}  // namespace MathHelper

}  // namespace Game
