#pragma once

#include <string>

#include "core/config/Config.h"
#include "core/string/String.h"

namespace Game::ConfigTesting {

// "config.ini" as the default settings write it.
inline constexpr char kDefaultFile[] =
    "windowSize 1;\r\nBGM 1;\r\nBGMVolume 3;\r\nSEVolume 3;\r\nantialias 1;\r\ntextAntialias 1;\r\n"
    "textureFilter 1;\r\nVSync 1;\r\nfullScreen 0;\r\npad 1;\r\nFPS 0;\r\npixelShader 1;\r\nomit 0;\r\n"
    "key{\r\n\tc 0;\r\n\tx 1;\r\n\tz 2;\r\n\tcontrol 4;\r\n\tspace 5;\r\n\tq 6;\r\n\tw 7;\r\n}\r\n";

inline std::string textOf(const Config& config) {
  String text;
  config.toText(text);
  return text.c_str();
}

}  // namespace Game::ConfigTesting
