#include "presentation/scene/TextAudit.h"

#include <cstdio>

namespace Game {

namespace {

// Text is placed on whole pixels, truncated from virtual units: its origin
// up to a pixel left of or above where a frame's edge falls.
constexpr float kSlack = 1.f;

bool holds(const TextAudit::Box& frame, float x, float y) {
  return x >= frame.left - kSlack && x <= frame.right + kSlack && y >= frame.top - kSlack &&
         y <= frame.bottom + kSlack;
}

// A pixel belongs to the border when its centre lies past the inside's edge,
// so ink touches the border when its box comes within half a pixel of that
// edge. A print that inks nothing cannot touch it.
bool clears(const TextAudit::Box& inside, const TextAudit::Box& ink) {
  constexpr float kHalfPixel = 0.5f;
  return ink.right < ink.left || (ink.left >= inside.left + kHalfPixel && ink.right <= inside.right - kHalfPixel &&
                                  ink.top >= inside.top + kHalfPixel && ink.bottom <= inside.bottom - kHalfPixel);
}

float area(const TextAudit::Box& box) { return (box.right - box.left) * (box.bottom - box.top); }

std::string describe(const TextAudit::Box& box) {
  char text[96];
  std::snprintf(text, sizeof text, "(%g,%g)-(%g,%g)", static_cast<double>(box.left), static_cast<double>(box.top),
                static_cast<double>(box.right), static_cast<double>(box.bottom));
  return text;
}

}  // namespace

void TextAudit::clear() {
  mFrames.clear();
  mBlocks.clear();
}

void TextAudit::startBlock(float x, float y) { mBlocks.push_back(Block{x, y, {}}); }

void TextAudit::addPrint(const Box& box, const char* text) {
  if (mBlocks.empty()) {
    startBlock(box.left, box.top);
  }
  mBlocks.back().prints.push_back(Print{box, text ? text : ""});
}

const TextAudit::Frame* TextAudit::holder(const Block& block) const {
  const Frame* found = nullptr;
  for (const Frame& frame : mFrames) {
    if (holds(frame.whole, block.x, block.y) && (!found || area(frame.whole) < area(found->whole))) {
      found = &frame;
    }
  }
  return found;
}

int TextAudit::heldPrints() const {
  int held = 0;
  for (const Block& block : mBlocks) {
    held += holder(block) ? static_cast<int>(block.prints.size()) : 0;
  }
  return held;
}

std::vector<std::string> TextAudit::strays() const {
  std::vector<std::string> lines;
  for (const Block& block : mBlocks) {
    const Frame* frame = holder(block);
    for (const Print& print : block.prints) {
      if (frame && !clears(frame->inside, print.box)) {
        lines.push_back("\"" + print.text + "\" " + describe(print.box) + " leaves " + describe(frame->inside));
      }
    }
  }
  return lines;
}

}  // namespace Game
