// The floor's meshes, built a group a step and uploaded, and its drawing.

#include <string>

#include "map/Map.h"
#include "map/MapMesh.h"
#include "presentation/model/Model.h"
#include "presentation/render/Material.h"
#include "presentation/render/RenderState.h"
#include "presentation/resource/Batch.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/database/MapPictureSet.h"

namespace Game {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

// A mesh takes the first texture of its picture set, and the first material
// and animation of the wall's own entry when it has them, else of the set.
struct Look {
  Texture* texture = nullptr;
  Material* material = nullptr;
  Animation animation;
};

Look lookOf(PictureList* picture, const std::shared_ptr<ResourceSet>& extras) {
  Look look;
  ResourceSet* set = picture ? &picture->set() : nullptr;
  if (set && !set->textures().isEmpty()) {
    look.texture = set->textures().at(0);
  }
  for (ResourceSet* source : {extras.get(), set}) {
    if (!source) {
      continue;
    }
    if (!look.material && !source->materials().isEmpty()) {
      look.material = source->materials().at(0);
    }
    if (!look.animation) {
      look.animation = source->getAnimation(0);
    }
  }
  return look;
}

// Each piece lit, uploaded and given the group's look; false without any.
bool addMeshes(const MapMesh::Pieces& pieces, const Look& look, const Map& map,
               std::vector<std::unique_ptr<Map::Mesh>>& meshes) {
  for (const std::unique_ptr<MeshBuilder>& piece : pieces) {
    map.bakeLights(*piece);
    auto mesh = std::make_unique<Map::Mesh>();
    mesh->batch = std::make_unique<Batch>();
    mesh->batch->setTexture(look.texture);
    mesh->batch->setMaterial(look.material);
    mesh->batch->upload(*piece);
    mesh->animation = look.animation;
    meshes.push_back(std::move(mesh));
  }
  return !pieces.empty();
}

}  // namespace

bool Map::buildChipGroup(const ChipPicture& chip) {
  return addMeshes(MapMesh::chipGroup(*this, chip, Batch::kMaxVertices), lookOf(chip.picture, nullptr), *this,
                   mMeshes);
}

bool Map::buildWallGroup(const WallPicture& wall) {
  return addMeshes(MapMesh::wallGroup(*this, wall, Batch::kMaxVertices), lookOf(wall.picture, wall.extras),
                   *this, mMeshes);
}

bool Map::buildStep() {
  while (mNextChip < mPictures->chipCount()) {
    if (buildChipGroup(mPictures->chipAtIndex(mNextChip++))) {
      return isBuilt();
    }
  }
  while (mNextWall < mPictures->wallCount()) {
    if (buildWallGroup(mPictures->wallAt(mNextWall++))) {
      return isBuilt();
    }
  }
  return true;
}

void Map::buildAllMeshes() {
  while (!buildStep()) {
  }
}

void Map::drawMeshes(const RenderState& state, float time) const {
  for (const std::unique_ptr<Mesh>& mesh : mMeshes) {
    RenderState meshState = state;
    mesh->animation.apply(meshState, time);
    mesh->batch->draw(meshState);
  }
}

void Map::drawObject(const ObjectInstance& object, const RenderState& state, float time) const {
  RenderState objectState = state;
  objectState.applyTransform(object.transform);
  if (object.material) {
    objectState.combine(object.material->state());
  }
  if (object.lit) {
    Vector3& ambient = objectState.colors.ambient;
    ambient.set(ambient.x * object.color.red(), ambient.y * object.color.green(), ambient.z * object.color.blue());
  }
  ModelRef::draw(object.model, objectState, time);
}

void Map::draw(float time) const {
  const RenderState state;
  drawMeshes(state, time);
  SceneRenderer* renderer = SceneRenderer::instance();
  Vector3 target(0.f);
  if (renderer) {
    target = renderer->camera().target();
    target *= Transform::kWorldUnitsPerMatrixUnit;
  }
  for (const ObjectInstance& object : mObjects) {
    Vector3 offset;
    offset.setSub(object.transform.position, target);
    if (object.cull && offset.squareLength() > kCullDistanceSquared) {
      continue;
    }
    drawObject(object, state, time);
  }
}

void Map::drawTransformed(const RenderState& state, float time) const {
  drawMeshes(state, time);
  for (const ObjectInstance& object : mObjects) {
    drawObject(object, state, time);
  }
}

void Map::drawEventIds() const {
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer) {
    return;
  }
  TextWriter& writer = renderer->textWriter();
  for (const Cell& cell : mCells) {
    if (cell.eventId < 0) {
      continue;
    }
    Vector3 screen;
    renderer->project(&screen, cell.centre());
    writer.setPosition(static_cast<i32>(screen.x), static_cast<i32>(screen.y));
    writer.printNumber(cell.eventId);
  }
}

}  // namespace Game
