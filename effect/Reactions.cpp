// The shield, the drain, the summoning call and the healing item.

#include "effect/Reactions.h"

#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr float kDrainZoom = 1.5f;
constexpr float kSummonZoom = 1.25f;
constexpr float kHealItemTurn = 60.f;

}  // namespace

Shield::Shield() : mSet("src/picture/animation/盾.txt") {}

i32 Shield::update() {
  if (frame() == 0) {
    Model* shield = mSet.model(Bank::kMain);
    for (i32 i = 0; i < getTargetCount(); ++i) {
      const Unit& target = *getTarget(i);
      SceneNode* node = launchAnimation(shield);
      Vector3 position;
      target.getPosition(position);
      node->position.setValue(position);
      if (const SceneNode* body = target.node()) {
        node->rotation.setValue(body->rotation.value());
      }
      node->scale.setValueAll(target.getScale());
    }
    applyResult();
    playSoundAt(0);
    finish();
  }
  return frame();
}

Drain::Drain() : mSet("src/picture/animation/ドレイン.txt") {}

i32 Drain::update() {
  if (frame() == 0) {
    if (const Unit* first = getFirstTarget()) {
      Model* piece = mSet.model(0);
      for (i32 i = 0; i < kPieces; ++i) {
        if (SceneNode* node = first->createNode(piece)) {
          node->randomizeRotation(true, true, true);
          node->setTime(-static_cast<float>(kPieceSpacing * i));
        }
      }
    }
  }
  if (frame() == kApplyFrame) {
    setCameraOnCaster();
    setCameraScale(kDrainZoom);
    mGlow.launchOnTargets(*mAction);
    applyResult();
    playSoundAt(0);
  }
  endFrom(kEndFrame);
  return frame();
}

Summon::Summon() : mSet("src/picture/animation/呼び出す.txt") {}

i32 Summon::update() {
  if (frame() == 0) {
    setCameraOnCaster();
    setCameraScale(kSummonZoom);
  }
  if (frame() == kApplyFrame) {
    launchAnimation(mSet.model(0));
    applyResult();
  }
  endFrom(kEndFrame);
  return frame();
}

HealItem::HealItem() : mSet("src/picture/animation/回復アイテム.txt") { addSound("main", "power18"); }

i32 HealItem::update() {
  if (frame() == 0) {
    setCameraOnTargets();
  }
  if (frame() == kLaunchFrame) {
    if (const Unit* first = getFirstTarget()) {
      Model* item = mSet.model(Bank::kMain);
      for (i32 k = 0; k < kCopies; ++k) {
        if (SceneNode* node = first->createNode(item)) {
          node->rotation.z.setValue(kHealItemTurn * static_cast<float>(k));
        }
      }
    }
    mHeal.launchOnTargets(*mAction);
    startSound("main");
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

}  // namespace Game::Effect
