#include "menu/ConfigMenu.h"

#include "core/input/KeyInput.h"
#include "core/string/ShiftJis.h"
#include "menu/KeyAssignMenu.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/ui/UiDraw.h"

namespace Game {

using Engine::i32;
using Engine::u32;

namespace {

constexpr i32 kDecideKey = 5;
constexpr i32 kRepeatRate = 4;
constexpr float kLeft = -320.f;
constexpr float kTop = 240.f;
constexpr float kHeight = 480.f;
constexpr float kRowStep = 24.f;
constexpr u32 kLabelColor = 0xFFFFFF80;
constexpr u32 kValueColor = 0xFFC0C0C0;
constexpr u32 kFrameColor = 0xFFFFFFFF;
// The note's top below its row's, so that their feet line up.
constexpr i32 kNoteDrop = TextWriter::kFontHeights[ConfigMenu::kFont] - TextWriter::kFontHeights[ConfigMenu::kNoteFont];

constexpr const char* kSaveFailed = "設定を保存できませんでした";
const char* const kButtonLabels[ConfigMenu::kFirstOption] = {"もどる", "保存", "デフォルト", "キー配置"};

// Splits at ',' without cutting a two-byte character.
std::vector<String> splitChoices(const char* text) {
  std::vector<String> out;
  if (!text || !*text) {
    return out;
  }
  String piece("");
  for (const char* p = text; *p;) {
    const int size = ShiftJis::characterSize(p);
    if (size == 1 && *p == ',') {
      out.push_back(piece);
      piece.assign("");
    } else {
      for (int i = 0; i < size; ++i) {
        piece.appendChar(p[i]);
      }
    }
    p += size;
  }
  out.push_back(piece);
  return out;
}

float rowY(i32 row) { return kTop - kRowStep * static_cast<float>(row); }

}  // namespace

ConfigMenu::ConfigMenu() : mWork(Config::instance()) {
  buildOptions();
  mCursorPoint.setTarget(kLeft, rowY(0));
}

ConfigMenu::~ConfigMenu() = default;

void ConfigMenu::addOption(const char* label, const char* choices, Config::SettingIndex setting, bool restart) {
  ConfigRow row;
  row.label.assign(label);
  row.choices = splitChoices(choices);
  row.restart = restart;
  row.setting = setting;
  mOptions.push_back(row);
}

void ConfigMenu::buildOptions() {
  addOption("ウィンドウモード", "ウィンドウ,フルスクリーン", Config::kFullScreen, true);
  addOption("ウェイト", "タイマー,垂直同期", Config::kVSync, true);
  addOption("FPS表示", nullptr, Config::kFps, false);
  addOption("画面サイズ", "640x480,800x600,1024x768,1280x960", Config::kWindowSize, true);
  addOption("テクスチャフィルター", nullptr, Config::kTextureFilter, false);
  addOption("アンチエイリアス", nullptr, Config::kAntialias, true);
  addOption("ピクセルシェーダ", nullptr, Config::kPixelShader, false);
  addOption("表示軽量化", nullptr, Config::kOmit, false);
  addOption("BGM", nullptr, Config::kBgm, true);
  addOption("BGMボリューム", nullptr, Config::kBgmVolume, false);
  addOption("SEボリューム", nullptr, Config::kSeVolume, false);
  addOption(KeyInput::joystick().isNull() ? "パッド（接続なし）" : "パッド", nullptr, Config::kPad, false);
  addOption("文字アンチエイリアス", nullptr, Config::kTextAntialias, false);
}

const char* ConfigMenu::label(i32 row) const {
  if (row == kBack && mChanged) {
    return "保存せずもどる";
  }
  if (row >= 0 && row < kFirstOption) {
    return kButtonLabels[row];
  }
  if (row >= kFirstOption && row < kRowCount) {
    return option(row).label.c_str();
  }
  return "";
}

String ConfigMenu::valueText(i32 row) const {
  String text("");
  if (row < kFirstOption || row >= kRowCount) {
    return text;
  }
  const ConfigRow& r = option(row);
  const Config::Setting& setting = mWork.setting(r.setting);
  const i32 value = setting.value();
  if (!r.choices.empty()) {
    // A list shorter than the setting's choices shows nothing past its end.
    if (value >= 0 && value < static_cast<i32>(r.choices.size())) {
      text.assign(r.choices[static_cast<std::size_t>(value)].c_str());
    }
  } else if (setting.count() != 2) {
    text.assignInt(value);
  } else {
    text.assign(value == 1 ? "有効" : "無効");
  }
  return text;
}

const char* ConfigMenu::restartNote() { return "再起動後に反映"; }

bool ConfigMenu::update() {
  UiDraw::drawWall();
  if (mKeyMenu.isValid()) {
    if (mKeyMenu->update()) {
      mKeyMenu.reset();
    }
    return false;
  }
  ++mFrameCount;
  UiDraw::drawFrame(kLeft, kTop, kFrameWidth, kHeight, kFrameColor, false);
  if (!mMessages.isEmpty()) {
    draw();
    MenuStack::update(mMessages);
    return false;
  }
  if (mCursor < kFirstOption && KeyInput::heldFrames(kDecideKey) == 1 && pressButton()) {
    return true;
  }
  draw();
  if (mCursor >= kFirstOption) {
    changeValue();
  }
  moveCursor();
  return false;
}

bool ConfigMenu::pressButton() {
  switch (mCursor) {
    case kBack:
      return true;
    case kSave:
      Config::instance() = mWork;
      Config::instance().apply();
      if (!Config::instance().save()) {
        ListMenu::pushMessage(mMessages, kSaveFailed);
      }
      mChanged = false;
      break;
    case kDefault:
      mWork = Config();
      mChanged = true;
      break;
    case kKeys:
      mKeyMenu = new KeyAssignMenu(mWork);
      mChanged = true;
      break;
    default:
      break;
  }
  return false;
}

void ConfigMenu::changeValue() {
  i32 delta = 0;
  if (KeyInput::isRepeated(KeyInput::kRight, kRepeatRate)) {
    delta = 1;
  }
  if (KeyInput::isRepeated(KeyInput::kLeft, kRepeatRate)) {
    delta = -1;
  }
  if (delta != 0) {
    Config::Setting& setting = mWork.setting(option(mCursor).setting);
    setting.set(setting.value() + delta);
    mChanged = true;
  }
}

void ConfigMenu::moveCursor() {
  if (KeyInput::isRepeated(KeyInput::kUp, kRepeatRate)) {
    mCursor = (mCursor + kRowCount - 1) % kRowCount;
  }
  if (KeyInput::isRepeated(KeyInput::kDown, kRepeatRate)) {
    mCursor = (mCursor + 1) % kRowCount;
  }
  mCursorPoint.setTarget(kLeft, rowY(mCursor));
  mCursorPoint.step();
}

void ConfigMenu::draw() {
  TextWriter& writer = SceneRenderer::instance()->textWriter();
  writer.setFont(kFont);
  for (i32 row = 0; row < kRowCount; ++row) {
    const i32 x = static_cast<i32>(kLeft);
    const i32 y = static_cast<i32>(rowY(row));
    writer.setColor(kLabelColor);
    writer.setPosition(x, y);
    writer.print(label(row));
    if (row < kFirstOption) {
      continue;
    }
    writer.setColor(kValueColor);
    writer.setPosition(x + static_cast<i32>(kValueColumn), y);
    writer.print(valueText(row).c_str());
    if (option(row).restart) {
      writer.setColor(kLabelColor);
      writer.setFont(kNoteFont);
      writer.setPosition(x + static_cast<i32>(kRestartColumn), y - kNoteDrop);
      writer.print(restartNote());
      writer.setFont(kFont);
    }
  }
  UiDraw::drawCursorAt(mCursorPoint);
}

}  // namespace Game
