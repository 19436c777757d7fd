#include <gtest/gtest.h>

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "Engine/Graphics/Manager.h"
#include "Engine/Scene/StringRenderer.h"
#include "Framework/src/DebugFont.h"
#include "PlatformFake/FakeBackend.h"
#include "core/config/Config.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/scene/TextAudit.h"
#include "presentation/scene/TextWriter.h"
#include "tests/Engine/Scene/RendererFixture.h"

namespace {

using Engine::i32;
using Game::Config;
using Game::TextWriter;

std::string cursorOf(const TextWriter& writer) {
  i32 x = 0, y = 0;
  writer.getCursor(&x, &y);
  return std::to_string(x) + "," + std::to_string(y);
}

// "cursor x,y extent w,h" of the writer.
std::string layoutOf(const TextWriter& writer) {
  i32 w = 0, h = 0;
  writer.getExtent(&w, &h);
  return "cursor " + cursorOf(writer) + " extent " + std::to_string(w) + "," + std::to_string(h);
}

i32 widthOf(const TextWriter& writer) {
  i32 w = 0, h = 0;
  writer.getExtent(&w, &h);
  return w;
}

// Layout alone: no graphics, nothing is drawn.
class TextLayoutTest : public ::testing::Test {
 protected:
  TextWriter mWriter{800, 600};
};

TEST_F(TextLayoutTest, EachPrintEndsItsLineUnlessTheLineIsContinued) {
  mWriter.setPosition(30, 40);
  mWriter.print("ab");
  mWriter.print("c");
  EXPECT_EQ(layoutOf(mWriter), "cursor 30,0 extent 20,40");

  mWriter.setPosition(0, 0);
  mWriter.continueLine();
  mWriter.print("ab");
  EXPECT_EQ(cursorOf(mWriter), "20,0");
  mWriter.print("c");  // follows "ab", then ends the line
  EXPECT_EQ(layoutOf(mWriter), "cursor 0,-20 extent 30,20");
}

TEST_F(TextLayoutTest, LineFeedAndFontsMoveByTheNominalHeightAndAPositionRestarts) {
  mWriter.setPosition(-100, 100);
  mWriter.setFont(2);
  mWriter.continueLine();
  mWriter.print("abc");
  mWriter.lineFeed();
  EXPECT_EQ(cursorOf(mWriter), "-100,74");
  mWriter.setFont(0);
  mWriter.print("x\ny");  // two lines of font 0
  // Widest of "abc" in font 2 (3 x 13) and the two lines below it.
  EXPECT_EQ(layoutOf(mWriter), "cursor -100,46 extent 39,54");
  mWriter.setPosition(5, 6);
  EXPECT_EQ(layoutOf(mWriter), "cursor 5,6 extent 0,0");
}

TEST(TextMeasureTest, ColumnsAreBytesOfTheWidestLineAndCellsAreHalfTheHeightWide) {
  struct Case {
    const char* text;
    i32 font;
    i32 columns, rows, width, height;
  };
  const Case cases[] = {
      {"abc\nabcde", 1, 5, 2, 50, 40},
      {"日本", 0, 4, 1, 28, 14},  // two-byte characters are squares
      {"ソa", 2, 3, 1, 39, 26},   // trail byte 0x5C is not a separator
      {"", 1, 0, 1, 0, 20},
      {"abc", 0, 3, 1, 21, 14},  // 3 x 14 / 2 truncates
      {nullptr, 2, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    i32 columns = -1, rows = -1, width = -1, height = -1;
    TextWriter::measure(&columns, &rows, &width, &height, c.text, c.font);
    EXPECT_EQ((std::vector<i32>{columns, rows, width, height}), (std::vector<i32>{c.columns, c.rows, c.width, c.height}))
        << (c.text ? c.text : "(null)");
  }
  i32 width = 0;
  TextWriter::measureCells(&width, nullptr, 7, 2, 2);
  EXPECT_EQ(width, 91);
}

TEST_F(TextLayoutTest, NumbersArePaddedAndARatioStaysOnOneLine) {
  struct Case {
    i32 value, width;
    bool pad;
    const char* text;
  };
  const Case cases[] = {{7, 3, true, "007"}, {7, 3, false, "  7"}, {-5, 0, false, "-5"}, {12345, 3, false, "345"}};
  for (const Case& c : cases) {
    mWriter.setPosition(0, 0);
    mWriter.printNumber(c.value, c.width, c.pad);
    EXPECT_STREQ(mWriter.lastText().c_str(), c.text);
    EXPECT_EQ(widthOf(mWriter), static_cast<i32>(std::string(c.text).size()) * 10) << c.text;
  }
  mWriter.setColor(0xFF102030);
  mWriter.setPosition(0, 0);
  mWriter.printRatio(7, 120, 3);  // "  7" "/" "120"
  EXPECT_EQ(layoutOf(mWriter), "cursor 0,-20 extent 70,20");
  EXPECT_EQ(mWriter.color(), 0xFF102030u);

  mWriter.setPosition(0, 0);
  mWriter.continueLine();
  mWriter.printRatio(7, 9, 0);
  EXPECT_EQ(cursorOf(mWriter), "30,0");
  EXPECT_FALSE(mWriter.continuesLine());
}

TEST_F(TextLayoutTest, HiddenOrNullPrintsMoveNothingButEndTheLine) {
  for (const bool hidden : {true, false}) {
    mWriter.setPosition(0, 0);
    mWriter.setHidden(hidden);
    mWriter.continueLine();
    mWriter.print(hidden ? "abc" : nullptr);
    EXPECT_EQ(layoutOf(mWriter), "cursor 0,0 extent 0,0") << hidden;
    EXPECT_FALSE(mWriter.continuesLine()) << hidden;
  }
}

TEST_F(TextLayoutTest, AFontOutsideTheThreeHalts) {
  EXPECT_DEATH(mWriter.setFont(3), "font index out of range");
  EXPECT_DEATH(TextWriter::measure(nullptr, nullptr, nullptr, nullptr, "a", -1), "font index out of range");
}

// Output on the fake device and glyph rasteriser.
class TextOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Engine::Graphics::Manager::create(1024, 768, false, true, false);
    Config::instance().setDefaults();
  }
  void TearDown() override {
    Game::SceneRenderer::destroy();
    Config::instance().setDefaults();
    Engine::Graphics::Manager::destroy();
  }

  PlatformFake::FakeGraphicsDevice& device() { return mBackend->fakeGraphicsDevice; }
  std::vector<Platform::GlyphFaceDesc>& opened() { return mBackend->fakeGlyphRasterizer.opened; }
  // The draws of one flush.
  std::size_t drawsOfFlush(TextWriter& writer) {
    device().takeCalls();
    writer.flush();
    return device().callsStartingWith("draw").size();
  }

  PlatformFake::ScopedFakeBackend mBackend;
};

// Even heights that fit the screen's width and height, so no cell is wider
// than the layout counts.
TEST_F(TextOutputTest, FontsScaleWithTheScreenAndAllFollowTheAntialiasSetting) {
  const struct {
    i32 width, height;
    std::vector<std::pair<i32, bool>> faces;
  } cases[] = {{1024, 768, {{16, true}, {24, true}, {32, true}}},
               {800, 600, {{14, true}, {20, true}, {26, true}}},
               {640, 480, {{10, true}, {16, true}, {20, true}}},
               {1280, 1024, {{22, true}, {32, true}, {40, true}}}};
  for (const auto& c : cases) {
    opened().clear();
    TextWriter(c.width, c.height).enableOutput();
    std::vector<std::pair<i32, bool>> faces;
    for (const Platform::GlyphFaceDesc& face : opened()) faces.emplace_back(face.height, face.antialias);
    EXPECT_EQ(faces, c.faces) << c.width;
  }
}

// A 40 by 40 frame at (-100, 50) holds "ab" over "cd" in font 1 (pixels
// (300,250)-(320,290) at 800x600), laid out by the fake faces' cells or by
// the measure; "abcde" on the line below leaves it.
TEST_F(TextOutputTest, TheAuditSeesWhereTextWasDrawnAgainstItsFrame) {
  for (const bool output : {false, true}) {
    TextWriter writer(800, 600);
    if (output) writer.enableOutput();
    writer.setAuditing(true);
    writer.noteFrame(-100.f, 50.f, 40.f, 40.f, 0.f);
    writer.setPosition(-100, 50);
    writer.print("ab\ncd");
    EXPECT_EQ(writer.audit().strays(), std::vector<std::string>{}) << output;
    writer.print("abcde");
    EXPECT_EQ(writer.audit().strays(), std::vector<std::string>{"\"abcde\" (300,290)-(350,310) leaves (300,250)-(340,290)"}) << output;
    writer.beginFrame();
    EXPECT_EQ(writer.audit().heldPrints(), 0) << output;
  }
}

// Past half the fade the text is not drawn, yet the layout goes on.
TEST_F(TextOutputTest, TextDrawsOnlyBelowHalfFadeAndNotWhileHidden) {
  TextWriter writer(1024, 768);
  writer.enableOutput();
  struct Case {
    i32 fade;
    bool hidden;
    bool drawn;
  };
  for (const Case c : {Case{127, false, true}, Case{128, false, false}, Case{0, true, false}}) {
    writer.setFadeLevel(c.fade);
    writer.setHidden(c.hidden);
    writer.setPosition(0, 0);
    writer.print("日本");
    EXPECT_EQ(drawsOfFlush(writer) > 0, c.drawn) << c.fade << " " << c.hidden;
    EXPECT_EQ(widthOf(writer), c.hidden ? 0 : 40) << c.fade;
  }
}

TEST_F(TextOutputTest, TheRendererTellsItsWriterTheFadeAndRebuildsItsFontsOnApply) {
  Game::SceneRenderer::create(1024, 768);
  Game::SceneRenderer& renderer = *Game::SceneRenderer::instance();
  renderer.enableOutput();
  TextWriter& writer = renderer.textWriter();
  writer.print("a");
  EXPECT_EQ(drawsOfFlush(writer), 0u);  // starts black
  renderer.setFadeLevel(136);
  renderer.beginFrame();  // 127: below half
  writer.print("a");
  EXPECT_GT(drawsOfFlush(writer), 0u);
  // Applying a changed setting rebuilds the renderer's fonts, and only while there is one.
  Config::instance().setting(Config::kTextAntialias).set(0);
  opened().clear();
  Config::instance().apply();
  ASSERT_EQ(opened().size(), 3u);
  for (const Platform::GlyphFaceDesc& face : opened()) EXPECT_FALSE(face.antialias) << face.height;
  opened().clear();
  Config::instance().apply();  // nothing changed: the fonts made stay
  EXPECT_TRUE(opened().empty());
  Game::SceneRenderer::destroy();
  opened().clear();
  Config::instance().apply();
  EXPECT_TRUE(opened().empty());
}

using Game::TextAudit;

// An outer frame (100,100)-(200,150) with its inside 2 pixels in, and an
// inner one (120,120)-(150,140), inside (122,122)-(148,138). A block belongs
// to the innermost frame whose whole rectangle holds its origin; a print
// strays when it passes that frame's inside by more than a pixel.
TEST(TextAuditTest, APrintMustLieInsideTheInnermostFrameHoldingItsBlock) {
  const struct {
    float x, y;
    TextAudit::Box print;
    bool strays;
  } cases[] = {
      {102, 102, {102, 102, 198, 148}, false},          // fills the outer inside
      {102, 102, {102, 102, 199.5f, 148}, true},        // 1.5 past the right
      {102, 102, {101.2f, 101.2f, 199, 149}, false},    // within the pixel
      {102, 102, {102, 102, 198, 149.5f}, true},        // past the bottom
      {100, 100, {100, 100, 150, 120}, true},           // on the border: held, outside
      {125, 125, {125, 125, 160, 130}, true},           // the inner frame's, past it
      {125, 125, {125, 125, 147, 137}, false},
      {300, 300, {300, 300, 900, 400}, false},          // no frame holds it
  };
  for (const auto& c : cases) {
    TextAudit audit;
    audit.addFrame({100, 100, 200, 150}, {102, 102, 198, 148});
    audit.addFrame({120, 120, 150, 140}, {122, 122, 148, 138});
    audit.startBlock(c.x, c.y);
    audit.addPrint(c.print, "ab");
    EXPECT_EQ(audit.strays().size(), c.strays ? 1u : 0u) << c.x << " " << c.print.right << " " << c.print.bottom;
    EXPECT_EQ(audit.heldPrints(), c.x < 300 ? 1 : 0) << c.x;
  }
  TextAudit audit;
  audit.addFrame({0, 0, 10, 10}, {2, 2, 8, 8});
  audit.startBlock(2, 2);
  audit.addPrint({2, 2, 12, 8}, "ab");
  EXPECT_EQ(audit.strays(), std::vector<std::string>{"\"ab\" (2,2)-(12,8) leaves (2,2)-(8,8)"});
  audit.clear();
  EXPECT_TRUE(audit.strays().empty());
}

}  // namespace

namespace Engine::Scene {
namespace {

// The writer's text renderer: a room of less than one character or request
// holds none, and each frame that dropped requests says how many, once.
class TextRoomTest : public RendererFixture<StringRenderer> {
 protected:
  // "A" then "B" in one frame: the draws and what the frame reported.
  std::pair<Calls, std::vector<std::string>> frameOfTwo(i32 characters, i32 requests) {
    mRenderer = StringRenderer::create(characters, requests);
    const std::span<const u8> image = DebugFont::image();
    const char* const images[] = {reinterpret_cast<const char*>(image.data())};
    const i32 sizes[] = {static_cast<i32>(image.size())};
    const std::vector<u8> table = DebugFont::glyphTable();
    mRenderer.setFont(Font::createBitmap(images, sizes, 1, table.data(), DebugFont::kGlyphCount));
    mRenderer.add(0, 0, "A", 0xFFFFFFFF, false, 0.0f);
    mRenderer.add(0, 16, "B", 0xFFFFFFFF, false, 0.0f);
    mBackend->fakeDebugOutput.lines.clear();
    Calls draws = drawCalls();
    return {draws, mBackend->fakeDebugOutput.lines};
  }
};

TEST_F(TextRoomTest, RoomBelowOneHoldsNothingAndDroppedRequestsAreCountedOncePerFrame) {
  const std::string chars = "StringRenderer::draw() : out of room, characters dropped.\n";
  const auto requests = [](const char* n) {
    return "StringRenderer::draw() : out of room, " + std::string(n) + " requests dropped.\n";
  };
  const struct {
    i32 characters, requests;
    Calls draws;
    std::vector<std::string> said;
  } rows[] = {
      {2, 2, {"draw TriangleList 0 4"}, {}},
      {1, 2, {"draw TriangleList 0 2"}, {chars}},
      {0, 2, {}, {chars}},
      {-3, 2, {}, {chars}},
      {2, 1, {"draw TriangleList 0 2"}, {requests("1")}},
      {2, 0, {}, {requests("2")}},
      {2, -1, {}, {requests("2")}},
  };
  for (const auto& row : rows) {
    const auto [draws, said] = frameOfTwo(row.characters, row.requests);
    EXPECT_EQ(draws, row.draws) << row.characters << " " << row.requests;
    EXPECT_EQ(said, row.said) << row.characters << " " << row.requests;
  }
  // The count starts again with the next frame.
  frameOfTwo(2, 1);
  mRenderer.add(0, 0, "A", 0xFFFFFFFF, false, 0.0f);
  mBackend->fakeDebugOutput.lines.clear();
  EXPECT_EQ(drawCalls(), Calls{"draw TriangleList 0 2"});
  EXPECT_TRUE(mBackend->fakeDebugOutput.lines.empty());
}

}  // namespace
}  // namespace Engine::Scene
