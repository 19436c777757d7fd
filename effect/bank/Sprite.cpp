#include "effect/bank/Sprite.h"

#include "Engine/Math/Functions.h"
#include "live/Unit.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneRenderer.h"

namespace Game::Effect::Bank {

using Engine::Math::Vector3;

namespace {

Vector3 onScreen(const Vector3& worldPoint) {
  Vector3 out = worldPoint;
  if (const SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->project(&out, worldPoint);
  }
  return out;
}

}  // namespace

float screenAngle(const Vector3& fromOnScreen, const Vector3& toOnScreen) {
  const float dx = toOnScreen.x - fromOnScreen.x;
  const float dy = toOnScreen.y - fromOnScreen.y;
  if (dx == 0.f && dy == 0.f) {
    return 0.f;
  }
  return Engine::Math::atan2(dy, dx);
}

SceneNode* Sprite::launch(SceneNodePool& pool, const Vector3& p, float scale, float angle) const {
  SceneNode* node = spawn(pool, mSet.model(kMain), Vector3(0.f, 0.f, 0.f));
  node->scale.setValueAll(scale);
  node->rotation.setValue(0.f, 0.f, angle);
  node->baseState.translate(p);
  node->baseState.billboard = true;
  return node;
}

SceneNode* Sprite::launchBetween(SceneNodePool& pool, const Vector3& from, const Vector3& to, float scale) const {
  return launch(pool, from, scale, screenAngle(onScreen(from), onScreen(to)));
}

SceneNode* Sprite::launchBetween(const Unit& unitFrom, const Unit& unitTo) const {
  SceneNodePool* pool = poolOf(unitFrom);
  if (!pool) {
    return nullptr;
  }
  Vector3 from;
  unitFrom.getPosition(from);
  Vector3 to;
  unitTo.getPosition(to);
  return launchBetween(*pool, from, to, unitFrom.getScale());
}

Knife::Knife() { load("src/picture/animation/bank/ナイフ.txt"); }
RedCut::RedCut() { load("src/picture/animation/bank/斬撃赤.txt"); }

}  // namespace Game::Effect::Bank
