#include "presentation/model/MeshBuilder.h"
#include "presentation/model/ShapeFrame.h"
#include "presentation/model/Shapes.h"

namespace Game::Shape {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

struct ExtrusionUv {
  UvTriangle top;
  UvTriangle bottom;
  float sideTop = 0.f;  // v of the side band's upper edge
  float band = 0.f;
};

ExtrusionUv extrusionUv(const ShapeFrame& frame, const ExtrusionOptions& options) {
  ExtrusionUv uv;
  const i32 bands = 1 + (options.top ? 1 : 0) + (options.bottom ? 1 : 0);
  uv.band = frame.height / static_cast<float>(bands);
  float offset = 0.f;
  uv.top.uv[0].set(frame.x + frame.width / 2.f, frame.y + offset);
  uv.top.uv[1].set(frame.x, frame.y + offset + uv.band);
  uv.top.uv[2].set(frame.x + frame.width, frame.y + offset + uv.band);
  if (options.top) {
    offset += uv.band;
  }
  uv.sideTop = frame.y + offset;
  offset += uv.band;
  uv.bottom.uv[0].set(frame.x + frame.width / 2.f, frame.y + offset + uv.band);
  uv.bottom.uv[1].set(frame.x, frame.y + offset);
  uv.bottom.uv[2].set(frame.x + frame.width, frame.y + offset);
  return uv;
}

}  // namespace

void buildExtrusion(MeshBuilder& mesh, const Outline& outline, const ShapeFrame& frame,
                    const ExtrusionOptions& options) {
  const i32 n = outline.count;
  if (n < 1) {
    return;
  }
  const ExtrusionUv uv = extrusionUv(frame, options);
  const float halfZ = frame.size.z / 2.f;
  const Vector3 topCentre(0.f, 0.f, halfZ);
  const Vector3 bottomCentre(0.f, 0.f, -halfZ);
  for (i32 i = 0; i < n && !mesh.overflowed(); ++i) {
    const i32 j = (i + 1) % n;
    const float px = outline.x[i] * frame.size.x / 2.f;
    const float py = outline.y[i] * frame.size.y / 2.f;
    const float qx = outline.x[j] * frame.size.x / 2.f;
    const float qy = outline.y[j] * frame.size.y / 2.f;
    const Vector3 pTop(px * options.proportionTop, py * options.proportionTop, halfZ);
    const Vector3 qTop(qx * options.proportionTop, qy * options.proportionTop, halfZ);
    const Vector3 pBottom(px * options.proportionBottom, py * options.proportionBottom, -halfZ);
    const Vector3 qBottom(qx * options.proportionBottom, qy * options.proportionBottom, -halfZ);
    if (options.side) {
      const float du = options.loopU == 0 ? frame.width / static_cast<float>(n) : frame.width;
      const float u0 = frame.x + (options.loopU == 0 ? static_cast<float>(i) * du : 0.f);
      const float v0 = uv.sideTop;
      const float v1 = uv.sideTop + uv.band;
      UvTriangle first;
      first.uv[0].set(u0, v0);
      first.uv[1].set(u0, v1);
      first.uv[2].set(u0 + du, v1);
      UvTriangle second;
      second.uv[0].set(u0, v0);
      second.uv[1].set(u0 + du, v1);
      second.uv[2].set(u0 + du, v0);
      buildTriangle(mesh, first, pTop, pBottom, qBottom);
      buildTriangle(mesh, second, pTop, qBottom, qTop);
    }
    if (options.top) {
      buildTriangle(mesh, uv.top, topCentre, pTop, qTop);
    }
    if (options.bottom) {
      buildTriangle(mesh, uv.bottom, bottomCentre, qBottom, pBottom);
    }
  }
}

}  // namespace Game::Shape
