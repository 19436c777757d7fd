#include "core/file/nml/NmlDocument.h"

#include "Engine/Base/Assert.h"
#include "core/file/FileReader.h"
#include "core/file/nml/NmlParser.h"

namespace Game {

void NmlDocument::loadFromText(const char* fileName, const char* text) {
  mFileName.assign(fileName);
  setSourceName(this->fileName());
  NmlParser parser(true, this->fileName());
  // Every other fault of a strict parse stops inside it; a '}' that closes no
  // node only fails the parse, which would leave the rest of the file unread.
  if (!parser.parse(*this, text ? text : "")) {
    Engine::halt(this->fileName(), parser.faultLine(), "'}' closes no node: the rest of the file would be lost");
  }
}

void NmlDocument::load(const char* fileName) {
  FileReader reader;
  reader.open(fileName, true, false, true);
  loadFromText(fileName, reader.size() > 0 ? reader.data() : "");
}

}  // namespace Game
