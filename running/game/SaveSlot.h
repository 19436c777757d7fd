#pragma once

#include "Engine/Base/Types.h"
#include "running/game/SaveCheck.h"
#include "core/string/String.h"

namespace Game {

class GameData;
class NmlDocument;

// The numbered save files "savedata/N.sav": a game's save body under a
// "head" node with the time of saving, as compact nml text with its
// terminating zero, packed.
namespace SaveSlot {

constexpr Engine::i32 kCount = 24;

String path(Engine::i32 slot);
bool exists(Engine::i32 slot);
// Whether any of slots 0 … 23 has a file.
bool anyExists();
// Removes what saves cut off by a kill left in the save folder.
void removeAbandonedWrites();

// Clears the document and reads the slot into it; true only when the file
// unpacks, parses and holds a save a game can be read from. A file that
// fails leaves the document empty.
bool read(NmlDocument& document, Engine::i32 slot);
// Writes the document to the slot: packed compact text below slot 255,
// plain (pretty from slot 256) above. The file is replaced whole or not at
// all: false when it could not be written, and the old file stays.
bool write(const NmlDocument& document, Engine::i32 slot);

// Clears the document, then adds "head" with the time and the game's body.
void writeHead(NmlDocument& document, const GameData& game, const SaveCheck::SaveTime& time);
// The same at the local time.
void writeHead(NmlDocument& document, const GameData& game);
SaveCheck::SaveTime localTime();

// Head and body of the game into the slot; false when nothing was written.
bool save(const GameData& game, Engine::i32 slot);
// A new game read from the slot (the caller owns it), or null when the slot
// holds no valid save.
GameData* load(Engine::i32 slot);

}  // namespace SaveSlot

}  // namespace Game
