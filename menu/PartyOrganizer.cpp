#include "menu/PartyOrganizer.h"

#include <algorithm>

#include "core/input/KeyInput.h"
#include "core/string/String.h"
#include "presentation/render/Transform.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/ui/UiDraw.h"
#include "presentation/widget/ListMenu.h"
#include "records/Database.h"
#include "records/database/ShellData.h"
#include "records/database/UnitPictureData.h"

namespace Game {

using Engine::i32;

namespace {

constexpr float kPanelLeft = -320.f;
constexpr float kPanelTop = 240.f;
constexpr Engine::u32 kPartyTitleColor = 0xFFFFFF80;
constexpr Engine::u32 kNameColor = 0xFFC0C0C0;
constexpr Engine::u32 kPartyFrameColor = 0xFFFFFFFF;
constexpr i32 kPanelFont = 0;
constexpr i32 kCountDigits = 2;
constexpr i32 kYes = 1;
constexpr i32 kNo = 2;
constexpr i32 kRingDecided = 1;
constexpr i32 kRingCancelled = 2;

// The character's standing model, scaled as its picture asks; null when the
// pictures lack it.
Model* standingModel(const ShellData& shell, float* scale) {
  Database* database = Database::instance();
  UnitPictureData* picture = database ? database->findUnitPicture(shell.model()) : nullptr;
  *scale = picture ? picture->scale() : 1.f;
  return picture ? picture->standMotion() : nullptr;
}

}  // namespace

PartyOrganizer::PartyOrganizer(const std::vector<const ShellData*>& candidates, i32 count)
    : mCandidates(candidates), mCount(std::clamp(count, 0, static_cast<i32>(candidates.size()))) {
  addRingItems();
}

PartyOrganizer::~PartyOrganizer() = default;

void PartyOrganizer::addRingItems() {
  for (i32 i = 0; i < static_cast<i32>(mCandidates.size()); ++i) {
    float scale = 1.f;
    Model* model = standingModel(*mCandidates[static_cast<std::size_t>(i)], &scale);
    RingMenu::Item* item = mRing.addItem(i, model);
    Transform size;
    size.scale.set(scale, scale, scale);
    item->state.setTransform(size);
  }
}

i32 PartyOrganizer::update() {
  if (mCount == 0) {
    return kDecided;
  }
  ++mFrame;
  drawRing();
  drawPanel();
  if (mConfirmation.isValid()) {
    return updateConfirmation();
  }
  const i32 result = updateRing();
  if (result == kRunning && KeyInput::isTriggered(kConfirmKey)) {
    ask();
  }
  return result;
}

void PartyOrganizer::drawRing() {
  for (i32 i = 0; i < static_cast<i32>(mCandidates.size()); ++i) {
    const bool chosen = std::ranges::count(mChosen, mCandidates[static_cast<std::size_t>(i)]) > 0;
    const float brightness = chosen ? kChosenBrightness : kOtherBrightness;
    mRing.findItem(i)->state.colors.ambient.set(brightness, brightness, brightness);
  }
  RenderState base;
  Transform place;
  place.rotation.set(-60.f, 0.f, 180.f);
  place.position.set(0.f, 60.f, 0.f);
  base.applyTransform(place);
  mRing.draw(base, static_cast<float>(mFrame));
}

void PartyOrganizer::drawPanel() const {
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer) {
    return;
  }
  TextWriter& writer = renderer->textWriter();
  writer.setFont(kPanelFont);
  writer.setPosition(static_cast<i32>(kPanelLeft), static_cast<i32>(kPanelTop));
  writer.setColor(kPartyTitleColor);
  writer.print(kTitle);
  String counts;
  counts.assignNumber(static_cast<i32>(mChosen.size()), kCountDigits, false);
  String of;
  of.assignNumber(mCount, kCountDigits, false);
  counts.append("/");
  counts.append(of.c_str());
  writer.setColor(kNameColor);
  writer.print(counts.c_str());
  for (const ShellData* shell : mChosen) {
    writer.print(shell->fullName());
  }
  UiDraw::drawTextFrame(kPartyFrameColor);
}

i32 PartyOrganizer::updateConfirmation() {
  mConfirmation->drawDefault();
  const i32 answer = mConfirmation->updateYesNo();
  if (answer == kYes) {
    return kDecided;
  }
  if (answer == kNo) {
    mConfirmation.reset();
  }
  return kRunning;
}

i32 PartyOrganizer::updateRing() {
  const i32 result = mRing.update();
  if (result == kRingDecided) {
    const i32 index = mRing.selectedItem();
    if (index >= 0) {
      toggle(mCandidates[static_cast<std::size_t>(index)]);
    }
    if (isFull()) {
      ask();
    }
  } else if (result == kRingCancelled) {
    if (mChosen.empty()) {
      return kCancelled;
    }
    mChosen.pop_back();
  }
  return kRunning;
}

// A chosen candidate is taken out; with the list full, a new one takes the
// last one's place.
void PartyOrganizer::toggle(const ShellData* candidate) {
  const auto found = std::ranges::find(mChosen, candidate);
  if (found != mChosen.end()) {
    mChosen.erase(found);
  } else if (isFull()) {
    mChosen.back() = candidate;
  } else {
    mChosen.push_back(candidate);
  }
}

void PartyOrganizer::ask() {
  mConfirmation = new ListMenu();
  mConfirmation->setupYesNo(kQuestion, nullptr, nullptr, true);
}

}  // namespace Game
