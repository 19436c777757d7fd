#include <algorithm>
#include <climits>
#include <cmath>

#include "Engine/Math/Functions.h"
#include "core/math/MathHelper.h"
#include "presentation/model/Model.h"
#include "presentation/render/Material.h"
#include "presentation/render/RenderState.h"
#include "presentation/resource/Batch.h"
#include "presentation/scene/DrawHook.h"

namespace Game {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr float kWorldUnitsPerMatrixUnit = 400.f;
// Past this depth the origin is behind the far plane: the first circuit.
constexpr float kFarDepth = 512.f;
// Squared depth change that tells the camera's side.
constexpr float kMinDepthChange = 0.0001f;

// The state's transform applied to a point, in world units.
Vector3 worldPoint(const RenderState& state, const Vector3& p) {
  Vector3 out;
  state.transform.multiply(&out, p);
  out *= kWorldUnitsPerMatrixUnit;
  return out;
}

// Front-end states are drawn as they stand: their points are their own
// screen positions.
Vector3 onScreen(const RenderState& state, const DrawHook& hook, const Vector3& p) {
  return state.frontEnd ? p : hook.project(p);
}

// Which way the camera sees the origin from, in degrees; 0 when no probe
// around it changes depth.
float cameraSideAngle(const RenderState& state, const DrawHook& hook, const Vector3& originOnScreen) {
  const float probeLength = 10.f / hook.inverseDistance();
  for (i32 k = 1; k <= 4; ++k) {
    Vector3 direction;
    MathHelper::directionFromAngles(&direction, -90.f * static_cast<float>(k), 0.f);
    direction *= probeLength;
    Vector3 probe = worldPoint(state, direction);
    if (state.frontEnd) {
      probe.z = -probe.z;
    }
    const Vector3 probeOnScreen = onScreen(state, hook, probe);
    const float dz = probeOnScreen.z - originOnScreen.z;
    const float dx = probeOnScreen.x - originOnScreen.x;
    if (dz * dz > kMinDepthChange) {
      return Engine::Math::atan2(dz, dx) + 90.f * static_cast<float>(k);
    }
  }
  return 0.f;
}

// t / duration truncated toward zero, kept in range.
i32 wholeRuns(float t, float duration) {
  const double runs = std::trunc(static_cast<double>(t) / static_cast<double>(duration));
  if (!(runs > INT_MIN && runs < INT_MAX)) {
    return std::isnan(runs) ? 0 : (runs > 0 ? INT_MAX : INT_MIN);
  }
  return static_cast<i32>(runs);
}

}  // namespace

void ModelRef::draw(const Model* model, const RenderState& state, float t) {
  if (model) {
    model->draw(state, t);
  }
}

void Model::draw(const RenderState& state, float time) const {
  // Hand-overs are followed here rather than by recursion: a chain may come
  // round for ever.
  const Model* model = this;
  const Model* loopEntry = nullptr;
  bool loopKnown = false;
  float t = time;
  for (i32 handOvers = 0; handOvers <= kMaxHandOvers; ++handOvers) {
    float handOverTime = 0.f;
    if (!model->drawInstances(state, t, &handOverTime)) {
      return;
    }
    if (!loopKnown) {
      loopEntry = nextLoopEntry();
      loopKnown = true;
    }
    model = model->mNext;
    t = model == loopEntry ? skipSilentPasses(loopEntry, handOverTime) : handOverTime;
  }
}

bool Model::drawInstances(const RenderState& state, float time, float* handOverTime) const {
  for (i32 i = 0; i < mCount; ++i) {
    const float t = (time + static_cast<float>(i) * static_cast<float>(mInterval)) * mSpeed + mOffset;
    if (t < 0.f) {
      continue;
    }
    if (mDuration != 0.f && t >= mDuration) {
      *handOverTime = t - mDuration;
      return mNext != nullptr;
    }
    drawInstance(state, t);
  }
  return false;
}

void Model::drawInstance(const RenderState& state, float t) const {
  RenderState own = state;
  applyOwnState(own, t);
  if (const Circuit* circuit = pickCircuitFrame(own)) {
    drawCircuitFrame(*circuit, own, t);
  }
  for (const Model* child : mChildren) {
    child->draw(own, t);
  }
  for (const Batch* batch : mBatches) {
    batch->draw(own);
  }
}

void Model::applyOwnState(RenderState& state, float t) const {
  for (const Material* material : mMaterials) {
    state.combine(material->state());
  }
  for (const Animation& animation : mAnimations) {
    animation.apply(state, t);
  }
}

const Model* Model::nextLoopEntry() const {
  // Floyd's cycle finding over the "next" links.
  const Model* slow = this;
  const Model* fast = this;
  do {
    if (!fast->mNext || !fast->mNext->mNext) {
      return nullptr;
    }
    slow = slow->mNext;
    fast = fast->mNext->mNext;
  } while (slow != fast);
  slow = this;
  while (slow != fast) {
    slow = slow->mNext;
    fast = fast->mNext;
  }
  return slow;
}

float Model::skipSilentPasses(const Model* entry, float time) {
  // One pass maps the entry's time x to x·scale + shift. Each model hands
  // over at once (draws nothing) while its first instance is at or past its
  // duration; every pass from a time at or above `silentFrom` is silent.
  double scale = 1.0;
  double shift = 0.0;
  double silentFrom = -HUGE_VAL;
  const Model* model = entry;
  do {
    if (model->mDuration <= 0.f || model->mCount <= 0 || model->mSpeed <= 0.f) {
      return time;
    }
    const double entryTime = ((model->mDuration - model->mOffset) / model->mSpeed - shift) / scale;
    silentFrom = std::max(silentFrom, entryTime);
    scale *= model->mSpeed;
    shift = shift * model->mSpeed + model->mOffset - model->mDuration;
    model = model->mNext;
  } while (model != entry);
  // Only a pass that moves the time back by a fixed amount repeats.
  if (scale != 1.0 || shift >= 0.0 || time < silentFrom) {
    return time;
  }
  const double period = -shift;
  const double passes = std::floor((time - silentFrom) / period) + 1.0;
  return static_cast<float>(time - passes * period);
}

i32 Model::cyclesDone(float time) const {
  if (nextLoopEntry()) {
    return 0;  // a looping sequence never ends
  }
  const Model* model = this;
  float t = time;
  for (;;) {
    t = t * model->mSpeed + model->mOffset;
    if (t < 0.f) {
      return 0;
    }
    if (!model->mNext) {
      return model->mDuration == 0.f ? 0 : wholeRuns(t, model->mDuration);
    }
    if (model->mDuration == 0.f || t < model->mDuration) {
      return 0;
    }
    t -= model->mDuration;
    model = model->mNext;
  }
}

const Model::Circuit* Model::pickCircuitFrame(const RenderState& state) const {
  const i32 n = static_cast<i32>(mCircuits.size());
  if (n == 0) {
    return nullptr;
  }
  const DrawHook* hook = DrawHook::current();
  if (n == 1 || !hook) {
    return &mCircuits.front();
  }
  const Vector3 origin = worldPoint(state, Vector3(0.f));
  const Vector3 originOnScreen = onScreen(state, *hook, origin);
  if (originOnScreen.z > kFarDepth) {
    return &mCircuits.front();
  }
  float angle = cameraSideAngle(state, *hook, originOnScreen) + 90.f;
  if (!std::isfinite(angle)) {
    angle = 0.f;
  }
  const float sector = 360.f / static_cast<float>(n);
  const i32 index = static_cast<i32>(std::floor(angle / sector));
  return &mCircuits[static_cast<std::size_t>(((index % n) + n) % n)];
}

void Model::drawCircuitFrame(const Circuit& circuit, const RenderState& state, float t) const {
  const std::size_t n = circuit.frames.size();
  if (n == 0) {
    return;
  }
  // Frames that all pass in turn loop: whole loops go at once.
  double loop = 0.0;
  bool loops = true;
  for (const CircuitFrame& frame : circuit.frames) {
    loops = loops && frame.time > 0;
    loop += frame.time;
  }
  if (loops && t >= loop) {
    t = static_cast<float>(std::fmod(static_cast<double>(t), loop));
  }
  std::size_t i = 0;
  while (circuit.frames[i].time > 0 && t >= static_cast<float>(circuit.frames[i].time)) {
    t -= static_cast<float>(circuit.frames[i].time);
    i = (i + 1) % n;
  }
  ModelRef::draw(circuit.frames[i].model, state, t);
}

}  // namespace Game
