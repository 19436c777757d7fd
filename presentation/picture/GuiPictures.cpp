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

}  // namespace Game
