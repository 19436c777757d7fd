#include "presentation/widget/MessageWindow.h"

#include <string>
#include <utility>
#include <vector>

#include "core/file/nml/NmlDocument.h"
#include "core/file/nml/NmlNode.h"
#include "presentation/picture/FaceSet.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/widget/KeyScript.h"

namespace {

using Game::MessageBox;
using Platform::Key;

class MessageWindowTest : public WidgetTest::KeyScript {
 protected:
  void SetUp() override {
    KeysOver::SetUp();
    Game::FaceSet::createWithoutFiles();
    Game::FaceSet::instance()->add("hero", "hero", "アルト");
  }
  void TearDown() override {
    Game::FaceSet::destroy();
    KeysOver::TearDown();
  }
  // One frame as the field runs it: keys, the poll, the draw.
  bool frame(std::initializer_list<Key> held = {}) {
    step(held);
    const bool idle = window.isIdle();
    window.draw();
    return idle;
  }
  // Frames until the window is idle; how many it took (at most `limit`).
  int framesToIdle(int limit) {
    int frames = 1;
    while (!frame() && frames < limit) ++frames;
    return frames;
  }
  const Game::MessageScript& script(const char* body) {
    Game::NmlDocument document;
    document.loadFromText("talk.txt", (std::string("talk{") + body + "}").c_str());
    talk.load(*document.findChild("talk"));
    return talk;
  }
  std::string text() { return window.box().text().c_str(); }

  Game::MessageScript talk;
  Game::MessageWindow window;
};

// Down reveals and finishes a line as decide does.
TEST_F(MessageWindowTest, RevealSkipAndClose) {
  for (const Key key : {kDecide, Key::Down}) {
    window.open(script("close 1; chara 0; L nobody,abcdefghij;"));
    EXPECT_FALSE(frame());
    EXPECT_EQ(window.box().visibleBytes(), 2) << "two bytes a draw: the space after the name";
    EXPECT_STREQ(window.speakerName().c_str(), "nobody");
    EXPECT_FALSE(frame());
    EXPECT_FALSE(frame({key})) << "the first press reveals the whole line";
    EXPECT_FALSE(window.box().isRevealing());
    EXPECT_FALSE(frame());
    EXPECT_TRUE(frame({key})) << "the second finishes it, and the queue is dry";
    EXPECT_FALSE(window.box().isActive()) << "close clears the window";
  }
}

TEST_F(MessageWindowTest, WithoutCloseTheLastLineStaysAndSkipFinishesRevealedLines) {
  window.open(script("chara 0; skip 1; L ,ab; L ,c;"));
  EXPECT_LE(framesToIdle(20), 10) << "skipped lines finish once revealed";
  EXPECT_TRUE(window.box().isActive());
  EXPECT_EQ(text(), "c") << "one byte is a text";
}

TEST_F(MessageWindowTest, AShiftJisLineIsNeverSplitInsideACharacter) {
  // Mixed widths, so that two bytes a draw would often end on a lead byte;
  // "ソ" has the trail byte 0x5C.
  window.postLine(0, nullptr, "", "aあbcいソdう");
  window.isIdle();
  ASSERT_EQ(text().size(), 12u);
  std::vector<int> shown;
  for (int draw = 0; draw < 7; ++draw) {
    window.draw();
    shown.push_back(window.box().visibleBytes());
  }
  // At least two more bytes a draw, a character that would be cut taken whole.
  EXPECT_EQ(shown, (std::vector<int>{3, 4, 7, 9, 10, 12, 12}));
  EXPECT_FALSE(window.box().isRevealing());
}

TEST_F(MessageWindowTest, LongTextsWrapAndAreClampedToTheBuffer) {
  window.postLine(0, nullptr, "", std::string(40, 'a').c_str());
  window.isIdle();
  EXPECT_EQ(text().find('\n'), 36u) << "wrapping at 35 columns lets a line reach 36";

  std::string huge;
  for (int i = 0; i < 2000; ++i) huge += "あ";
  MessageBox box(0, 0);
  box.setText("", huge.c_str(), true);
  int bytes = 0;
  for (const char* p = box.text().c_str(); *p; ++p) bytes += *p == '\n' ? 0 : 1;
  EXPECT_LE(bytes, MessageBox::kTextCapacity);
  EXPECT_EQ(bytes % 2, 0);
  box.setText("", "", true);
  EXPECT_FALSE(box.isActive()) << "an empty text closes the box";
}

// Every line of the text starts after the name: it wraps so as to end in the
// box, whose text starts 240 left of and 44 above its anchor (0, -180).
TEST_F(MessageWindowTest, ALongNameLeavesEveryLineInsideTheBox) {
  Game::SceneRenderer::create(800, 600);
  Game::SceneRenderer::instance()->setFadeLevel(0);
  Game::TextWriter& writer = Game::SceneRenderer::instance()->textWriter();
  writer.setAuditing(true);
  window.open(script("chara 0; R 盾のトヴァン,aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa;"));
  frame({kDecide});
  EXPECT_EQ(text().find('\n'), 24u) << "35 columns less the name's 12 let a line reach 24";
  writer.beginFrame();
  window.draw();
  EXPECT_EQ(writer.audit().heldPrints(), 2) << "the name and the text, both in the box";
  EXPECT_EQ(writer.audit().strays(), std::vector<std::string>{});
  int x = 0, y = 0;
  writer.getOrigin(&x, &y);
  EXPECT_EQ(std::pair(x, y), std::pair(-240, -136));
  Game::SceneRenderer::destroy();
}

TEST_F(MessageWindowTest, FaceOnlyLinesSwapFacesAndUnknownNamesStillShow) {
  window.open(script("L hero; R S,hello;"));
  EXPECT_FALSE(frame());
  EXPECT_EQ(window.slot(0).face(), Game::FaceSet::instance()->find("hero"));
  EXPECT_EQ(window.slot(1).face(), nullptr);
  EXPECT_STREQ(window.box().name().c_str(), "S");  // one byte is a name too
  EXPECT_EQ(text(), "　hello");
  // The hero's face grows in over 16 draws before a key counts.
  for (int i = 0; i < 14; ++i) frame();
  EXPECT_FALSE(window.slot(0).isSettled());
  frame();
  EXPECT_FLOAT_EQ(window.slot(0).scale(), 1.f);

  window.clear();
  window.open(script("L hero;"));
  // Still grown from the line before: idle on the frame after the face went up.
  EXPECT_EQ(framesToIdle(40), 2);
  EXPECT_FALSE(window.box().isActive());
}

// With faces shown, a line ends only when both slots have settled, though
// the keys still reveal and finish it meanwhile.
TEST_F(MessageWindowTest, ALineWaitsForAGrowingFace) {
  window.open(script("L hero,hi;"));
  EXPECT_FALSE(frame());
  EXPECT_FALSE(frame({kDecide}));
  EXPECT_FALSE(frame());
  EXPECT_FALSE(frame({kDecide})) << "the right slot is empty, the left still grows";
  int idleAt = 5;
  while (!frame() && idleAt < 40) ++idleAt;
  EXPECT_EQ(idleAt, 17) << "the face grows over the 16 draws after the line came";
  window.slot(0).setShown(false);
  window.draw();
  EXPECT_EQ(window.slot(0).step(), 15) << "and shrinks a step a draw";
}

TEST_F(MessageWindowTest, ScriptFlagsAndBackslashN) {
  script("close 1; chara 0; skip 1; R hero,one\\ntwo; N solo;");
  EXPECT_TRUE(talk.close && talk.skip);
  EXPECT_FALSE(talk.chara);
  ASSERT_EQ(talk.lines.count(), 2);
  EXPECT_EQ(talk.lines.at(0)->side, 1);
  window.open(talk);
  window.isIdle();
  EXPECT_STREQ(window.box().name().c_str(), "アルト");
  EXPECT_NE(text().find('\n'), std::string::npos);
}

}  // namespace
