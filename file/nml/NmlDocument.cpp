#include "file/nml/NmlDocument.h"

namespace Game {

void NmlDocument::loadFromText(const char* fileName, const char* text) {
  mFileName.assign(fileName);
  parseNamed(text, true, this->fileName());
}

}  // namespace Game
