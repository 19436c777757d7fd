#include "field/BossAppearance.h"

#include "presentation/model/Animation.h"
#include "presentation/picture/FaceSet.h"
#include "presentation/render/RenderState.h"
#include "presentation/resource/Batch.h"
#include "presentation/ui/ModelDraw.h"

namespace Game::Field {

namespace {

RenderState screenState() {
  RenderState state;
  state.frontEnd = true;
  return state;
}

}  // namespace

BossAppearance::BossAppearance(const Face* boss) : mBoss(boss) { mPictures.load(kPictures); }

bool BossAppearance::update() {
  const float time = static_cast<float>(mFrame);
  drawModel(mPictures.findModel("main"), screenState(), time);
  drawFace("face1", time);
  drawFace("face2", time);
  ++mFrame;
  return mFrame > kLastFrame;
}

void BossAppearance::drawFace(const char* animation, float time) {
  FaceSet* faces = FaceSet::instance();
  const Batch* batch = faces ? faces->mainBatch() : nullptr;
  if (!mBoss || !batch) {
    return;
  }
  RenderState state = screenState();
  mPictures.findAnimation(animation).apply(state, time);
  batch->drawAt(faces->texture(mBoss), state);
}

}  // namespace Game::Field
