#include "presentation/scene/SceneRenderer.h"

#include "Engine/Graphics/Manager.h"
#include "Engine/Math/Vector2.h"
#include "Engine/Math/Vector4.h"
#include "core/config/Config.h"
#include "presentation/render/Color.h"

namespace Game {

using Engine::i32;
using Engine::u32;
using Engine::Math::Matrix34;
using Engine::Math::Vector2;
using Engine::Math::Vector3;
using Engine::Math::Vector4;

namespace {

SceneRenderer* gSceneRenderer = nullptr;

constexpr i32 kPrimitiveVertices = 8192;
constexpr i32 kPrimitiveCommands = 1024;
constexpr i32 kFadeStride = 8;
constexpr u32 kAlphaBlend = 1;
constexpr float kRendererScreenQuadScale = 1024.f;
constexpr float kRendererMatrixUnitsPerWorldUnit = 2.f / 800.f;
constexpr float kDepthRange = 512.f;
constexpr u32 kWhite = 0xFFFFFFFFu;
// Half the camera's view height at the default distance, in world units.
constexpr float kViewHalfHeight = 15000.f;
constexpr float kNearDivisor = 4000.f;
constexpr float kFarReach = 270000.f;
constexpr float kRendererWorldUnitsPerMatrixUnit = 400.f;

// The settings menu's text-antialias choice takes effect through new fonts.
void rebuildTextFonts() {
  if (gSceneRenderer) {
    gSceneRenderer->textWriter().rebuildFonts();
  }
}

}  // namespace

SceneRenderer::SceneRenderer(i32 width, i32 height) : mWidth(width), mHeight(height) {
  mTextWriter.setFadeLevel(mFadeLevel);
  mView.viewProjection.setIdentity();
  mView.screenProjection.setOrthogonalTransform(-1.f, 1.f, -0.75f, 0.75f, -1.f, 2.f);
  mView.lightIntensities = mLights.deviceIntensities();
  mView.screenBatch = &mScreenBatch;
  mBillboardMatrix.setIdentity();
}

SceneRenderer::~SceneRenderer() {
  mQueue.clear();
  mPrimitives.release();
  mTextWriter.releaseOutput();
}

void SceneRenderer::create(i32 width, i32 height) {
  if (!gSceneRenderer) {
    gSceneRenderer = new SceneRenderer(width, height);
    Config::targets().rebuildFonts = rebuildTextFonts;
  }
}

void SceneRenderer::destroy() {
  Config::targets().rebuildFonts = nullptr;
  delete gSceneRenderer;
  gSceneRenderer = nullptr;
}

SceneRenderer* SceneRenderer::instance() { return gSceneRenderer; }

void SceneRenderer::enableOutput() {
  if (!mPrimitives) {
    mPrimitives = Engine::Scene::PrimitiveRenderer::create(kPrimitiveVertices, kPrimitiveCommands);
  }
  if (!mScreenBatch.hasMesh()) {
    // A white unit quad about the origin facing +z, 1/400 of a matrix unit
    // wide: drawn scaled by 1024 it covers the screen.
    mScreenBatch.setQuad(0.f, 0.f, 1.f, 1.f, Color(kWhite), 0.f, 0.f, 0.f, 1.f, 1.f, false, false);
  }
  mTextWriter.enableOutput();
  mHasOutput = true;
}

void SceneRenderer::setHidden(bool hidden) {
  mView.hidden = hidden;
  mTextWriter.setHidden(hidden);
}

void SceneRenderer::setFadeLevel(i32 level) {
  mFadeLevel = level;
  mTextWriter.setFadeLevel(level);
}

// The application's step counter before this step equals the renderer's own
// count of steps: it paces the camera's shake.
void SceneRenderer::beginFrame() {
  mTextWriter.beginFrame();
  mCamera.step(mFrameCount);
  mLights.update(mCamera.eye(), mCamera.target());
  mView.lightIntensities = mLights.deviceIntensities();
  mView.eye = mCamera.eye();
  if (mHasOutput) {
    mLights.applyToDevice();
  }
  stepFade();
  ++mFrameCount;
  if (!mView.hidden) {
    mTriangleCount = 0;
  }
  updateProjection();
}

// Nine levels a step while more than eight away, then one.
void SceneRenderer::stepFade() {
  if (mFadeLevel == mFadeTarget) {
    return;
  }
  i32 level = mFadeLevel;
  if (level - kFadeStride > mFadeTarget) {
    level -= kFadeStride;
  }
  if (level > mFadeTarget) {
    level -= 1;
  }
  if (level + kFadeStride < mFadeTarget) {
    level += kFadeStride;
  }
  if (level < mFadeTarget) {
    level += 1;
  }
  setFadeLevel(level);
}

// A narrow lens far away: the view keeps its height at the anchor whatever
// the distance. The aspect scale narrows the lens (below 1) or squeezes the
// picture (above 1) for one frame.
void SceneRenderer::updateProjection() {
  const float d = mCamera.distance();
  float fov = 2.f * Engine::Math::atan2(kViewHalfHeight * Engine::Math::tan(1.f), d);
  float w = static_cast<float>(mWidth);
  const float h = static_cast<float>(mHeight);
  if (mAspectScale <= 1.f) {
    fov *= mAspectScale;
    w /= mAspectScale;
  } else {
    w *= 2.f - mAspectScale;
  }
  mAspectScale = 1.f;
  const float nearClip = d / kNearDivisor;
  const float farClip = (d + kFarReach) / kRendererWorldUnitsPerMatrixUnit;
  mView.viewProjection.setPerspectiveTransform(fov / mCamera.zoom.value(), w, h, nearClip, farClip, false);
  mView.viewProjection.multiplyViewTransform(mCamera.eye(), mCamera.target(), mCamera.up());

  Vector3 forward;
  forward.setSub(mCamera.target(), mCamera.eye());
  mBillboardMatrix.setViewTransform(Vector3(0.f, 0.f, 0.f), forward, Vector3(0.f, 0.f, 1.f));
  mBillboardMatrix.invert();
}

void SceneRenderer::project(Vector3* out, const Vector3& worldPoint) const {
  Vector3 q = worldPoint;
  q *= kRendererMatrixUnitsPerWorldUnit;
  Vector4 p;
  mView.viewProjection.multiply(&p, q);
  out->set(p[0] / p[3] * (kVirtualWidth / 2), p[1] / p[3] * (kVirtualHeight / 2), p[2] / p[3] * kDepthRange);
}

void SceneRenderer::flushLayers(bool background, bool opaque, bool seeThrough, bool frontEnd) {
  mTriangleCount += mQueue.flushLayers(mView, background, opaque, seeThrough, frontEnd);
  if (!mView.hidden) {
    ++mDrawnLayerFlushes;
  }
}

void SceneRenderer::flush() {
  mTriangleCount += mQueue.flushAll(mView);
  if (mHasOutput) {
    Engine::Graphics::Manager::instance().setTransparency(1.f);
  }
  mTextWriter.flush();
}

void SceneRenderer::drawFade() {
  if (mView.hidden) {
    return;
  }
  ++mDrawnFades;
  flush();
  if (mFadeLevel > 0) {
    drawRect(0, 0, kVirtualWidth, kVirtualHeight, static_cast<u32>(mFadeLevel) << 24, 0);
  }
  if (mPrimitives) {
    mPrimitives.draw();
  }
}

void SceneRenderer::drawRect(i32 x, i32 y, i32 width, i32 height, u32 argb, i32 depth) {
  if (mView.hidden || !mPrimitives) {
    return;
  }
  const auto toX = [this](i32 v) { return static_cast<float>(v * mWidth / kVirtualWidth); };
  const auto toY = [this](i32 v) { return static_cast<float>(v * mHeight / kVirtualHeight); };
  const Vector2 topLeft(toX(x), toY(y));
  const Vector2 bottomRight(topLeft.x + toX(width), topLeft.y + toY(height));
  mPrimitives.setBlendMode(kAlphaBlend);
  mPrimitives.addRectangle(topLeft, bottomRight, argb, static_cast<float>(depth) / kDepthRange);
}

void SceneRenderer::drawLine2D(float x0, float y0, float x1, float y1, bool centred, u32 color0, u32 color1) {
  if (mView.hidden || !mPrimitives) {
    return;
  }
  const float shiftX = centred ? kVirtualWidth / 2 : 0.f;
  const float shiftY = centred ? kVirtualHeight / 2 : 0.f;
  const auto toClip = [&](float x, float y) {
    return Vector3(2.f * (x + shiftX) / kVirtualWidth - 1.f, 2.f * (y + shiftY) / kVirtualHeight - 1.f, 0.f);
  };
  mPrimitives.addLine(toClip(x0, y0), toClip(x1, y1), color0, color1);
}

void SceneRenderer::drawLine3D(const Vector3& a, const Vector3& b) {
  Vector3 pa;
  Vector3 pb;
  project(&pa, a);
  project(&pb, b);
  drawLine2D(pa.x, pa.y, pb.x, pb.y, true, kWhite, kWhite);
}

void SceneRenderer::fillScreen(const Color& color) {
  RenderState state;
  state.setBlendMode(kAlphaBlend);
  state.depthTest = false;
  state.depthWrite = false;
  state.frontEnd = true;
  state.colors.ambient.set(color.red(), color.green(), color.blue());
  state.colors.transparency = color.alpha();
  state.transform.scale(kRendererScreenQuadScale, kRendererScreenQuadScale, kRendererScreenQuadScale);
  mTriangleCount += mScreenBatch.drawImmediate(mView, nullptr, state);
}

void SceneRenderer::invertScreen() { mTriangleCount += RenderQueue::drawInverted(mView); }

}  // namespace Game
