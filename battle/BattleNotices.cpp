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

void BattleNoticeList::leave(const UnitEntry& entry, const Unit& last) {
  for (Notice& notice : mNotices) {
    if (notice.entry == &entry) {
      notice.entry = nullptr;
      last.getFrontPoint(notice.point);
      notice.side = last.side();
    }
  }
}

// Every notice shows on the first frame, over its unit or where the unit
// left; those over one point stack upward to read in order, the last at the
// point. The list then rests until the count is reached.
bool BattleNoticeList::update(Battle& battle) {
  if (!mRunning) {
    return true;
  }
  if (mFrame == 0) {
    if (mNotices.empty()) {
      mRunning = false;
      return true;
    }
    for (Notice& notice : mNotices) {
      if (notice.entry) {
        notice.entry->current().getFrontPoint(notice.point);
        notice.side = notice.entry->current().side();
      }
    }
    for (auto it = mNotices.begin(); it != mNotices.end(); ++it) {
      String line(it->text.c_str() ? it->text.c_str() : "");
      line.append(" Lv");
      line.appendInt(it->level);
      const Engine::Math::Vector3& point = it->point;
      const auto samePoint = [&point](const Notice& other) {
        return other.point.x == point.x && other.point.y == point.y && other.point.z == point.z;
      };
      const i32 later = static_cast<i32>(std::count_if(it + 1, mNotices.end(), samePoint));
      battle.announceAt(point, it->side, line.c_str(), later);
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

FloatingText::FloatingText(const char* text, i32 side, const Engine::Math::Vector3& anchor, i32 row)
    : FloatingText(text, side, 0) {
  mAnchored = true;
  mAnchor = anchor;
  mRow = row;
  TextWriter::measure(nullptr, nullptr, &mAnchoredWidth, &mAnchoredHeight, this->text(), kTextFont);
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
  y = screen.y + static_cast<float>(mRow * mAnchoredHeight);
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
