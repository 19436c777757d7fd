#pragma once

#include "core/string/String.h"
#include "core/file/nml/NmlNode.h"

namespace Game {

// A whole nml document: the root node and the name of the file it came from.
class NmlDocument : public NmlNode {
 public:
  NmlDocument() = default;

  const char* fileName() const { return mFileName.c_str() ? mFileName.c_str() : ""; }
  void clear() { clearContents(); }
  // Remembers the file name and parses the file's text strictly: a fault,
  // a '}' that closes no node among them, ends the program with the file name
  // and the line, so a file is never read in part.
  void loadFromText(const char* fileName, const char* text);
  // Reads the file through FileReader (archives or loose files by the load
  // mode, kept alive) and parses it strictly as loadFromText does.
  void load(const char* fileName);

 private:
  String mFileName;
};

}  // namespace Game
