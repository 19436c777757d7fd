#include "presentation/picture/SystemResources.h"

#include "presentation/render/Color.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game {

using Engine::i32;

namespace {

SystemResources* gSystemResources = nullptr;

constexpr const char* kDigitNames[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};

// Floating numbers: digits keep clear of the pool's first half, where the
// scene's own nodes are taken from.
constexpr i32 kDigitStartIndex = 512;
constexpr float kNumberScale = 0.25f;
constexpr float kCriticalFactor = 1.5f;
constexpr float kLeadingDigitGrowth = 0.1f;
constexpr float kDigitWidth = 40.f;
constexpr i32 kDigitDelay = 4;
// Velocity 20 damped by 0.4 a frame travels 20 / 0.6, about 33 units.
constexpr float kRowLift = 20.f;
constexpr float kLiftDamping = 0.4f;

i32 decimalDigits(i32 value) {
  i32 count = 0;
  for (; value > 0; value /= 10) {
    ++count;
  }
  return count;
}

// Rises by row and stands at the world position, turned to the camera.
void launch(SceneNode& node, const Color& color, const Engine::Math::Vector3& position, i32 row) {
  node.setColor(color);
  node.position.setVelocity(0.f, kRowLift * static_cast<float>(row), 0.f);
  node.position.x.setDamping(0.f);
  node.position.y.setDamping(kLiftDamping);
  node.position.z.setDamping(0.f);
  node.baseState.translate(position);
  node.baseState.billboard = true;
}

}  // namespace

NumberPictures::NumberPictures(const char* path) {
  mSet.load(path);
  for (i32 i = 0; i < 10; ++i) {
    mDigits[static_cast<std::size_t>(i)] = mSet.findModel(kDigitNames[i]);
  }
  mMiss = mSet.findModel("miss");
}

Model* NumberPictures::digit(i32 value) const {
  return value >= 0 && value < 10 ? mDigits[static_cast<std::size_t>(value)] : nullptr;
}

// The numbers are read while the members are made; the other sets follow in
// their fixed order.
SystemResources::SystemResources() : mNumbers("src/system/number.txt") {
  mWall.load("src/system/wall.txt");
  mCursor.load("src/system/cursor.txt");
  mFrame.load("src/system/frame.txt");
  mRect.load("src/system/rect.txt");
  mGauge.load("src/system/gauge.txt");
  mSounds.load("src/system/systemsound.txt");
}

void SystemResources::create() {
  if (!gSystemResources) {
    gSystemResources = new SystemResources();
  }
}

void SystemResources::destroy() {
  delete gSystemResources;
  gSystemResources = nullptr;
}

SystemResources* SystemResources::instance() { return gSystemResources; }

void SystemResources::spawnNumber(SceneNodePool& pool, i32 value, const Engine::Math::Vector3& position,
                                  const Color& color, bool critical, i32 row) const {
  const float scale = critical ? kNumberScale * kCriticalFactor : kNumberScale;
  if (value < 0) {
    SceneNode* node = pool.create(mNumbers.miss(), 0);
    node->scale.setValueAll(scale);
    launch(*node, color, position, row);
    return;
  }
  const i32 count = decimalDigits(value);
  const i32 spacing = static_cast<i32>(scale * kDigitWidth);
  for (i32 i = 0; i < count; ++i, value /= 10) {
    SceneNode* node = pool.create(mNumbers.digit(value % 10), kDigitStartIndex);
    node->position.setValue(static_cast<float>((count - 1) * spacing / 2 - spacing * i), 0.f, 0.f);
    const float size = i == count - 1 ? scale + kLeadingDigitGrowth : scale;
    node->scale.setValue(size, size, 1.f);
    node->setTime(static_cast<float>(-kDigitDelay * i));
    launch(*node, color, position, row);
  }
}

void SystemResources::playSound(const char* name, i32 delay) {
  ++mSoundRequests;
  mSounds.play(name, delay);
}

}  // namespace Game
