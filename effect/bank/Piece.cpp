#include "effect/bank/Piece.h"

#include "Engine/Base/DebugStream.h"
#include "core/random/RandomGenerator.h"
#include "core/sound/SoundEffectList.h"
#include "live/Unit.h"
#include "live/unit/BattleServices.h"
#include "effect/Stage.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect::Bank {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

Stage* gReportStage = nullptr;

}  // namespace

void reportTo(Stage* stage) { gReportStage = stage; }

Stage* reportStage() { return gReportStage; }

void reportMissing(const char* what, const char* file, const char* name) {
  String label(file);
  label.append(": ");
  label.append(name);
  if (gReportStage) {
    gReportStage->lookupFailed(what, label.c_str());
    return;
  }
  Engine::cout << "Effect: no " << what << " \"" << label.c_str() << "\"" << Engine::endl;
}

void PieceSet::load(const char* path) {
  mPath = String(path);
  mSet.load(path);
}

Model* PieceSet::model(i32 index) const {
  Model* found = mSet.getModel(index);
  if (!found) {
    String number;
    number.appendInt(index);
    reportMissing("model", path(), number.c_str());
  }
  return found;
}

Model* PieceSet::model(const char* name) const {
  Model* found = mSet.findModel(name);
  if (!found) {
    reportMissing("model", path(), name);
  }
  return found;
}

Animation PieceSet::animation(const char* name) const {
  Animation found = mSet.findAnimation(name);
  if (!found) {
    reportMissing("animation", path(), name);
  }
  return found;
}

SceneNode* spawn(SceneNodePool& pool, Model* model, const Vector3& p, float delay) {
  SceneNode* node = pool.create(model, 0);
  node->position.setValue(p);
  node->setTime(-delay);
  return node;
}

SceneNodePool* poolOf(const Unit& unit) { return unit.battle() ? unit.battle()->scenePool() : nullptr; }

void attach(SceneNode& node, SceneNode& parent, const Vector3& p) {
  node.setParent(&parent, false, true);
  node.position.setValue(p);
}

RandomGenerator& random() { return *RandomGenerator::instance(); }

float draw(float x) { return random().getFloat(x); }

void playEntry(SoundEffectList& sounds, i32 index, i32 delay) {
  if (gReportStage) {
    const bool held = index >= 0 && index < sounds.count();
    const char* key = held ? sounds.at(index)->name().c_str() : nullptr;
    gReportStage->soundPlayed(key ? key : "", held ? index : -1, delay);
  }
  sounds.playAt(index, delay);
}

}  // namespace Game::Effect::Bank
