#pragma once

#include "Engine/Base/Types.h"
#include "core/container/OwnedList.h"
#include "core/string/String.h"
#include "presentation/render/RenderState.h"

namespace Game {

class Model;

// The interface's building blocks, on the 800x600 interface space (y up: a
// list grows toward negative y).
namespace Widget {

// A widget owns its children and draws them after itself, each offset by the
// positions of all its ancestors.
class Widget {
 public:
  Widget() = default;
  virtual ~Widget() = default;
  Widget(const Widget&) = delete;
  Widget& operator=(const Widget&) = delete;

  // True when this item has just been chosen.
  virtual bool isDecided() = 0;
  // Draws the widget with its own position offset by (x, y).
  virtual void draw(float x, float y, Engine::u8 flag) = 0;

  void drawTree(float x, float y);
  // A picture child at (0, 0) with a copy of the state; the widget owns it.
  class Picture* addPicture(Model* model, const RenderState& state);

  float cursorOffsetX = 0.f;
  float cursorOffsetY = 0.f;
  float x = 0.f;
  float y = 0.f;
  float width = 0.f;
  float height = 0.f;
  bool selectable = false;
  Engine::i32 id = -1;
  Engine::u8 drawFlag = 0;
  OwnedList<Widget> children;
};

// One text, measured when set.
class Text : public Widget {
 public:
  // Stores the text and sizes the widget to its lines in the font's cells.
  void set(const char* text, Engine::u32 argb, Engine::i32 font);

  bool isDecided() override;
  void draw(float x, float y, Engine::u8 flag) override;

  Engine::i32 lineCount = 0;
  String text;
  Engine::i32 font = 0;
  Engine::u32 color = 0xFFFFFFFF;
};

// An animated model, played at the game flow's frame count.
class Picture : public Widget {
 public:
  Picture() { height = 4.f; }

  bool isDecided() override { return false; }
  void draw(float x, float y, Engine::u8 flag) override;

  Model* model = nullptr;
  RenderState state;
};

}  // namespace Widget
}  // namespace Game
