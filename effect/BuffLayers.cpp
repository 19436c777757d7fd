// The buffs that lay copies of their picture on the targets' nodes.

#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Buffs.h"
#include "presentation/render/Color.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;

namespace {

constexpr i32 kLaunchFrame = 16;
constexpr float kZoom = 1.5f;

// Node i of a sequence starts after spacing·i frames.
void delayBy(SceneNode& node, i32 spacing, i32 i) { node.setTime(-static_cast<float>(spacing * i)); }

}  // namespace

DoubleCast::DoubleCast() : mSet("src/picture/animation/ダブルキャスト.txt") {}

i32 DoubleCast::update() {
  constexpr i32 kPieces = 32;
  constexpr i32 kSpacing = 2;
  if (frame() == 0) {
    setCameraOnTargets();
    setCameraScale(kZoom);
  }
  if (frame() == kLaunchFrame) {
    if (const Unit* first = getFirstTarget()) {
      Model* piece = mSet.model(0);
      for (i32 i = 0; i < kPieces; ++i) {
        if (SceneNode* node = first->createNode(piece)) {
          node->randomizeRotation(true, true, true);
          delayBy(*node, kSpacing, i);
          Color hue;
          hue.setHue(Bank::draw(360.f));
          node->ambient.setValue(hue.red(), hue.green(), hue.blue());
        }
      }
    }
    playSoundAt(0);
  }
  if (frame() == kApplyFrame) {
    mGlow.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

AttackBoost::AttackBoost() : AttackBoost("src/picture/animation/攻撃補助.txt") {}

AttackBoost::AttackBoost(const char* setFile) : mSet(setFile) {}

i32 AttackBoost::update() {
  if (frame() == 0) {
    setCameraOnCast();
  }
  if (frame() == kLaunchFrame) {
    Model* picture = mSet.model(Bank::kMain);
    for (i32 i = 0; i < getTargetCount(); ++i) {
      getTarget(i)->createNode(picture);
    }
    playSoundAt(0);
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

SetBarrier::SetBarrier() : AttackBoost("src/picture/animation/バリア展開.txt") { addSound("main", "power07"); }

Trance::Trance() : mSet("src/picture/animation/トランス.txt") { addSound("main", "pyoro03"); }

i32 Trance::update() {
  if (frame() == 0) {
    setCameraOnTargets();
    setCameraScale(kZoom);
  }
  if (frame() == kLaunchFrame) {
    if (const Unit* first = getFirstTarget()) {
      first->createNode(mSet.model(0));
    }
    playSoundAt(0);
  }
  if (frame() == kApplyFrame) {
    mGlow.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

Enhance::Enhance() : mSet("src/picture/animation/エンハンス.txt") {}

i32 Enhance::update() {
  constexpr i32 kSpacing = 4;
  constexpr float kGrowth = 0.01f;
  if (frame() == 0) {
    setCameraOnTargets();
  }
  if (frame() == kLaunchFrame) {
    Model* layer = mSet.model(0);
    for (i32 i = 0; i < getTargetCount(); ++i) {
      for (i32 k = 0; k < kLayers; ++k) {
        if (SceneNode* node = getTarget(i)->createNode(layer)) {
          const Engine::Math::Vector3 scale = node->scale.value();
          const float growth = kGrowth * static_cast<float>(k);
          node->scale.setValue(scale.x + growth, scale.y + growth, scale.z);
          delayBy(*node, kSpacing, k);
        }
      }
    }
    playSoundAt(0);
  }
  if (frame() == kApplyFrame) {
    mGlow.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

Refresh::Refresh() : mSet("src/picture/animation/リフレッシュ.txt") {}

i32 Refresh::update() {
  constexpr i32 kSpacing = 2;
  constexpr float kTurn = 15.f;
  if (frame() == 0) {
    setCameraOnCast();
  }
  if (frame() == kLaunchFrame) {
    Model* copy = mSet.model(Bank::kMain);
    for (i32 i = 0; i < getTargetCount(); ++i) {
      for (i32 k = 0; k < kCopies; ++k) {
        if (SceneNode* node = getTarget(i)->createNode(copy)) {
          node->rotation.setValue(0.f, 0.f, kTurn * static_cast<float>(k));
          delayBy(*node, kSpacing, k);
        }
      }
    }
    playSoundAt(0);
  }
  if (frame() == kApplyFrame) {
    mHeal.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

}  // namespace Game::Effect
