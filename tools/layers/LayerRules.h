#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace Layers {

// One include that reaches a layer above its file's, or a broken rule of the
// layer file itself.
struct Finding {
  std::string file;  // relative to the project's root
  int line = 0;
  std::string message;
};

// The project's folders in layers, read from its layer file: a line per
// layer, bottom to top, holding the folders of that layer separated by
// blanks; "except FILE INCLUDE" lines allow one include against the order;
// '#' starts a comment. A file belongs to the deepest folder listed that
// holds it; a folder's files may include its own layer and those below.
// Each top folder holds one contiguous run of layers.
class LayerRules {
 public:
  // Reads the layer file's text; findings collects its faults.
  void parse(const std::string& text, const std::string& fileName, std::vector<Finding>& findings);

  // The layer of a path relative to the root; -1 when no folder listed holds it.
  int layerOf(const std::string& path) const;
  // The folder that gives path its layer, or "" when none.
  const std::string& folderOf(const std::string& path) const;
  // The top folders holding listed folders: what the check reads.
  std::vector<std::string> topFolders() const;

  bool isExcepted(const std::string& file, const std::string& include) const;
  // Marks the exception used; the check reports exceptions never used.
  void useException(const std::string& file, const std::string& include);
  void reportUnusedExceptions(std::vector<Finding>& findings) const;

 private:
  struct Folder {
    std::string path;
    int layer;
  };
  struct Exception {
    std::string file;
    std::string include;
    std::string where;
    int line;
    bool used = false;
  };
  const Folder* deepestFolder(const std::string& path) const;
  void checkBandsOfTops(const std::vector<std::string>& tops, const std::string& fileName, int lineNumber,
                        std::vector<Finding>& findings);

  std::vector<Folder> mFolders;
  std::vector<Exception> mExceptions;
  std::vector<std::string> mOpenTops;    // top folders of the layer read last
  std::vector<std::string> mClosedTops;  // top folders whose run of layers has ended
};

// Every quoted include of every .h and .cpp file under the rules' top folders
// of root, checked against the rules.
std::vector<Finding> checkTree(const std::filesystem::path& root, LayerRules& rules);

// Reads root/layerFile and checks the tree: the findings, empty when clean.
std::vector<Finding> checkProject(const std::filesystem::path& root, const std::string& layerFile);

}  // namespace Layers
