#include "root/play/PlayTrace.h"

#include <charconv>

#include "running/game/GameData.h"
#include "running/game/GameFlow.h"
#include "running/game/SubScene.h"
#include "live/Party.h"
#include "menu/ContinueScene.h"
#include "menu/TitleScene.h"

namespace Game::Play {

namespace {

std::string sceneOf(const GameFlow* flow) {
  if (!flow) {
    return "none";
  }
  if (flow->title()) {
    return "title";
  }
  const GameData* game = flow->game();
  if (!game) {
    return "none";
  }
  if (game->battle()) {
    return "battle";
  }
  if (game->intermission()) {
    return "camp";
  }
  if (game->shop()) {
    return dynamic_cast<const ContinueScene*>(game->shop()) ? "continue" : "shop";
  }
  return game->field() ? "field" : "game";
}

// The number must reach the text's end: one end pointer serves the parse and
// the check.
bool isWholeNumber(const std::string& text) {
  long long value{};
  const char* const last = text.data() + text.size();
  const auto [end, fault] = std::from_chars(text.data(), last, value);
  return fault == std::errc() && end == last;
}

constexpr char kHexDigits[] = "0123456789abcdef";

void appendString(std::string& out, const std::string& text) {
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      out += "\\u00";
      out += kHexDigits[byte >> 4];
      out += kHexDigits[byte & 0xF];
    } else {
      out += c;
    }
  }
  out += '"';
}

void addTitle(TraceState& state, const TitleStage* stage) {
  const auto* title = dynamic_cast<const TitleScene*>(stage);
  if (!title) {
    return;
  }
  const char* menu = title->isLoadOpen()     ? "load"
                     : title->isConfigOpen() ? "settings"
                     : title->isMenuShown()  ? "ring"
                                             : "stars";
  state.fields.emplace_back("menu", menu);
  state.fields.emplace_back("opening", std::to_string(title->ring().openingFramesLeft()));
  state.fields.emplace_back("item", std::to_string(title->selectedItem()));
}

void addSymbol(TraceState& state, const FieldSubScene* field, const std::string& name) {
  if (field) {
    state.fields.emplace_back(name, field->hasSymbol(name.c_str() + kSymbolPrefix.size()) ? "1" : "0");
  }
}

}  // namespace

TraceState traceOfGame(int frame, long long ms, const std::vector<std::string>& variables) {
  TraceState state;
  state.fields.emplace_back("frame", std::to_string(frame));
  state.fields.emplace_back("ms", std::to_string(ms));
  const GameFlow* flow = GameFlow::instance();
  state.fields.emplace_back("scene", sceneOf(flow));
  if (flow) {
    addTitle(state, flow->title());
  }
  const GameData* game = flow ? flow->game() : nullptr;
  if (!game) {
    return state;
  }
  if (const FieldSubScene* field = game->field()) {
    state.fields.emplace_back("site", field->siteName());
    state.fields.emplace_back("floor", field->floorName());
    state.fields.emplace_back("cell", field->playerCell());
  }
  if (const BattleSubScene* battle = game->battle()) {
    state.fields.emplace_back("turn", std::to_string(battle->turn()));
    state.fields.emplace_back("phase", battle->phaseName());
  }
  state.fields.emplace_back("experience", std::to_string(game->party().leadExperience()));
  // A variable the game has not declared is left out, not read; a symbol
  // only where a field is open.
  for (const std::string& name : variables) {
    if (name.starts_with(kSymbolPrefix)) {
      addSymbol(state, game->field(), name);
    } else if (game->variables().hasInteger(name.c_str())) {
      state.fields.emplace_back(name, std::to_string(game->variables().getInteger(name.c_str())));
    }
  }
  return state;
}

std::string jsonLine(const TraceState& state) {
  std::string line = "{";
  for (const auto& [name, value] : state.fields) {
    if (line.size() > 1) {
      line += ',';
    }
    appendString(line, name);
    line += ':';
    if (isWholeNumber(value)) {
      line += value;
    } else {
      appendString(line, value);
    }
  }
  return line + "}";
}

}  // namespace Game::Play
