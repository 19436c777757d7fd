#include "presentation/picture/GuiPictures.h"

namespace Game {

namespace {

GuiPictures* gInstance = nullptr;

}  // namespace

void GuiPictures::create() {
  if (!gInstance) {
    gInstance = new GuiPictures();
  }
}

void GuiPictures::destroy() {
  delete gInstance;
  gInstance = nullptr;
}

GuiPictures* GuiPictures::instance() { return gInstance; }

Model* GuiPictures::findIcon(const char*) const { return nullptr; }

Model* GuiPictures::icon(const char* name) { return gInstance ? gInstance->findIcon(name) : nullptr; }

}  // namespace Game
