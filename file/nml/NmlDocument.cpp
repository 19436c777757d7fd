#include "file/nml/NmlDocument.h"

#include "file/FileReader.h"

namespace Game {

void NmlDocument::loadFromText(const char* fileName, const char* text) {
  mFileName.assign(fileName);
  parseNamed(text, true, this->fileName());
}

void NmlDocument::load(const char* fileName) {
  FileReader reader;
  reader.open(fileName, true, false, true);
  loadFromText(fileName, reader.size() > 0 ? reader.data() : "");
}

}  // namespace Game
