#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "root/play/PlayRunner.h"

namespace Game::Play {

// The game variables every trace line shows; a script's waits add theirs.
inline const std::vector<std::string> kTracedVariables = {"battleCount", "winCount", "battleResult"};
// The trace's own fields, never taken for variables.
inline const std::vector<std::string> kTraceFields = {"frame", "ms",   "scene", "menu",  "opening", "item",
                                                      "site",  "floor", "cell", "turn", "phase", "experience"};
// A wait on "symbol.NAME" traces 1 while the open floor holds a symbol of
// that name, 0 once it is gone.
inline constexpr std::string_view kSymbolPrefix = "symbol.";

// The running game as a trace line shows it: frame, ms since the start,
// scene (title, field, battle, camp, shop, continue, game, none); on the
// title its menu (stars, ring, load, settings), the ring's opening frames
// left and its selected item; the site and the battle turn where they
// exist, with the floor, the player's cell ("x,y") and the battle's phase;
// the lead's experience; then the variables and symbols.
TraceState traceOfGame(int frame, long long ms, const std::vector<std::string>& variables);

// One line of JSON, without its newline: whole numbers bare, the rest as
// strings, bytes outside printable ASCII escaped.
std::string jsonLine(const TraceState& state);

}  // namespace Game::Play
