#include "presentation/model/MeshTestSupport.h"

#include <cmath>
#include <map>
#include <tuple>
#include <vector>

#include "core/config/Config.h"

namespace Game::MeshTest {

using Engine::i32;
using Engine::Math::Vector3;

ModelNode::ModelNode(const std::string& body) {
  const std::string text = "model{" + body + "}";
  mDocument.loadFromText("model.txt", text.c_str());
}

std::unique_ptr<MeshBuilder> build(const std::string& body) {
  ModelNode model(body);
  auto mesh = std::make_unique<MeshBuilder>(MeshBuilder::kModelCapacity, MeshBuilder::kModelCapacity);
  mesh->load(model.node(), "model.txt");
  return mesh;
}

LowDetail::LowDetail(bool on) : mSaved(Config::instance().setting(Config::kOmit).value()) {
  Config::instance().setting(Config::kOmit).set(on ? 1 : 0);
}

LowDetail::~LowDetail() { Config::instance().setting(Config::kOmit).set(mSaved); }

namespace {

// Positions closer than this (relative to the mesh's extent) are one point.
constexpr float kWeldTolerance = 1e-4f;

Vector3 faceNormal(const Vector3& a, const Vector3& b, const Vector3& c) {
  Vector3 e1;
  Vector3 e2;
  e1.setSub(b, a);
  e2.setSub(c, a);
  Vector3 n;
  n.setCross(e1, e2);
  return n;
}

struct Welder {
  float cell;
  std::map<std::tuple<long, long, long>, i32> ids;

  i32 id(const Vector3& p) {
    const auto key = std::make_tuple(std::lround(p.x / cell), std::lround(p.y / cell), std::lround(p.z / cell));
    auto found = ids.find(key);
    if (found == ids.end()) {
      found = ids.emplace(key, static_cast<i32>(ids.size())).first;
    }
    return found->second;
  }
};

}  // namespace

::testing::AssertionResult isClosedOutward(const MeshBuilder& mesh) {
  float extent = 0.f;
  for (i32 i = 0; i < mesh.vertexCount(); ++i) {
    const Vector3& p = mesh.vertex(i).position;
    extent = std::max({extent, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
  }
  if (mesh.indexCount() == 0 || extent == 0.f) {
    return ::testing::AssertionFailure() << "empty mesh";
  }
  Welder welder{extent * kWeldTolerance, {}};
  std::vector<i32> weld(static_cast<std::size_t>(mesh.vertexCount()));
  for (i32 i = 0; i < mesh.vertexCount(); ++i) {
    weld[static_cast<std::size_t>(i)] = welder.id(mesh.vertex(i).position);
  }
  std::map<std::pair<i32, i32>, i32> directed;
  double volume = 0.0;
  const float areaFloor = extent * extent * 1e-9f;
  for (i32 t = 0; t + 2 < mesh.indexCount(); t += 3) {
    const i32 corner[3] = {mesh.index(t), mesh.index(t + 1), mesh.index(t + 2)};
    const Vector3& a = mesh.vertex(corner[0]).position;
    const Vector3& b = mesh.vertex(corner[1]).position;
    const Vector3& c = mesh.vertex(corner[2]).position;
    const Vector3 n = faceNormal(a, b, c);
    const i32 w[3] = {weld[static_cast<std::size_t>(corner[0])], weld[static_cast<std::size_t>(corner[1])],
                      weld[static_cast<std::size_t>(corner[2])]};
    if (n.length() <= areaFloor || w[0] == w[1] || w[1] == w[2] || w[0] == w[2]) {
      continue;
    }
    for (i32 k = 0; k < 3; ++k) {
      if (mesh.vertex(corner[k]).normal.dot(n) < 0.f) {
        return ::testing::AssertionFailure() << "vertex " << corner[k] << " of triangle " << t / 3
                                             << " has a normal against its face";
      }
      ++directed[{w[k], w[(k + 1) % 3]}];
    }
    Vector3 bc;
    bc.setCross(b, c);
    volume += static_cast<double>(a.dot(bc)) / 6.0;
  }
  for (const auto& [edge, count] : directed) {
    const auto reverse = directed.find({edge.second, edge.first});
    if (count != 1 || reverse == directed.end() || reverse->second != 1) {
      return ::testing::AssertionFailure() << "edge " << edge.first << "-" << edge.second << " is used " << count
                                           << " times one way and "
                                           << (reverse == directed.end() ? 0 : reverse->second) << " the other";
    }
  }
  if (!(volume > 0.0)) {
    return ::testing::AssertionFailure() << "enclosed volume " << volume << " is not positive";
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult isWellFormed(const MeshBuilder& mesh) {
  if (mesh.vertexCount() > mesh.vertexCapacity() || mesh.indexCount() > mesh.indexCapacity() ||
      mesh.indexCount() % 3 != 0) {
    return ::testing::AssertionFailure() << mesh.vertexCount() << " vertices, " << mesh.indexCount() << " indices";
  }
  for (i32 i = 0; i < mesh.indexCount(); ++i) {
    if (mesh.index(i) < 0 || mesh.index(i) >= mesh.vertexCount()) {
      return ::testing::AssertionFailure() << "index " << i << " is " << mesh.index(i);
    }
  }
  for (i32 i = 0; i < mesh.vertexCount(); ++i) {
    const MeshVertex& v = mesh.vertex(i);
    const float all[] = {v.position.x, v.position.y, v.position.z, v.normal.x, v.normal.y, v.normal.z, v.uv.x, v.uv.y};
    for (float f : all) {
      if (!std::isfinite(f)) {
        return ::testing::AssertionFailure() << "vertex " << i << " is not finite";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace Game::MeshTest
