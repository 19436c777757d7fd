#include "battle/BattleNotices.h"

#include <algorithm>

#include "battle/Battle.h"
#include "battle/UnitEntry.h"
#include "live/Unit.h"
#include "live/unit/Ghost.h"
#include "presentation/scene/SceneRenderer.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kTextFont = 1;

}  // namespace

void BattleNoticeList::add(UnitEntry& entry, const char* text) {
  Notice notice;
  notice.entry = &entry;
  notice.text.assign(text ? text : "");
  notice.level = entry.isEmpty() ? 0 : entry.current().ghost().getLevel();
  mNotices.push_back(std::move(notice));
}

void BattleNoticeList::forget(const UnitEntry& entry) {
  mNotices.erase(std::remove_if(mNotices.begin(), mNotices.end(),
                                [&entry](const Notice& notice) { return notice.entry == &entry; }),
                 mNotices.end());
}

// Every notice shows on the first frame; the list then rests until the
// count is reached.
bool BattleNoticeList::update(Battle& battle) {
  if (!mRunning) {
    return true;
  }
  if (mFrame == 0) {
    if (mNotices.empty()) {
      mRunning = false;
      return true;
    }
    for (const Notice& notice : mNotices) {
      String line(notice.text.c_str() ? notice.text.c_str() : "");
      line.append(" Lv");
      line.appendInt(notice.level);
      if (notice.entry->isEmpty()) {
        battle.announce(line.c_str(), 0);
      } else {
        battle.announceOver(notice.entry->current(), line.c_str());
      }
    }
    mNotices.clear();
  }
  if (++mFrame >= kShowFrames) {
    mRunning = false;
    mFrame = 0;
    return true;
  }
  return false;
}

FloatingText::FloatingText(const char* text, i32 side, i32 direction)
    : mText(text ? text : ""), mColour(side == 1 ? kEnemyColour : kPartyColour), mDirection(direction & 3) {}

FloatingText::FloatingText(const char* text, i32 side, const Engine::Math::Vector3& anchor)
    : FloatingText(text, side, 0) {
  mAnchored = true;
  mAnchor = anchor;
  TextWriter::measure(nullptr, nullptr, &mAnchoredWidth, nullptr, this->text(), kTextFont);
}

float FloatingText::offset(i32 frame, i32 lifetime) {
  if (frame < kDriftFrames) {
    const float d = static_cast<float>(frame - kDriftFrames);
    return d * d;
  }
  if (frame >= lifetime - kDriftFrames) {
    const float d = static_cast<float>(frame - (lifetime - kDriftFrames));
    return -(d * d);
  }
  return 0.f;
}

void FloatingText::position(float& x, float& y) const {
  if (mAnchored) {
    standOverAnchor(x, y);
    return;
  }
  float d = offset(mFrame, mLifetime);
  if (mDirection % 2 == 0) {
    d = -d;
  }
  x = kStartX;
  y = kStartY;
  (mDirection >= 2 ? x : y) += d;
}

// The line's middle over the anchor as the camera shows it now.
void FloatingText::standOverAnchor(float& x, float& y) const {
  Engine::Math::Vector3 screen = mAnchor;
  if (const SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->project(&screen, mAnchor);
  }
  x = screen.x - static_cast<float>(mAnchoredWidth / 2);
  y = screen.y;
}

bool FloatingText::step() {
  if (++mFrame >= mLifetime) {
    return true;
  }
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer) {
    return false;
  }
  float x = 0.f;
  float y = 0.f;
  position(x, y);
  TextWriter& writer = renderer->textWriter();
  writer.setFont(kTextFont);
  writer.setColor(mColour);
  writer.setPosition(static_cast<i32>(x), static_cast<i32>(y));
  writer.print(text());
  return false;
}

bool UnitAnnouncement::update(Battle& battle) {
  if (mFrame == 0) {
    battle.announce(mText.c_str() ? mText.c_str() : "", mUnit.side());
  }
  mUnit.centerCamera();
  return ++mFrame > kLastFrame;
}

}  // namespace Game
