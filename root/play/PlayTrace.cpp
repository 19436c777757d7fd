#include "root/play/PlayTrace.h"

#include <charconv>
#include <cstdio>

#include "core/game/GameData.h"
#include "core/game/GameFlow.h"
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

bool isWholeNumber(const std::string& text) {
  long long value{};
  const auto [end, fault] = std::from_chars(text.data(), text.data() + text.size(), value);
  return fault == std::errc() && end == text.data() + text.size();
}

void appendString(std::string& out, const std::string& text) {
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
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
  if (game->field()) {
    state.fields.emplace_back("site", game->field()->siteName());
  }
  if (game->battle()) {
    state.fields.emplace_back("turn", std::to_string(game->battle()->turn()));
  }
  // A variable the game has not declared is left out, not read.
  for (const std::string& name : variables) {
    if (game->variables().hasInteger(name.c_str())) {
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
