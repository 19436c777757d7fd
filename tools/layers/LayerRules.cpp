#include "LayerRules.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace Layers {

namespace {

std::vector<std::string> words(const std::string& line) {
  std::istringstream in(line.substr(0, line.find('#')));
  std::vector<std::string> out;
  for (std::string word; in >> word;) {
    out.push_back(word);
  }
  return out;
}

std::string withoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') {
    path.pop_back();
  }
  return path;
}

std::string topOf(const std::string& folder) { return folder.substr(0, folder.find('/')); }

bool holds(const std::string& folder, const std::string& path) {
  return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/';
}

// The quoted name of an #include line, or "" when the line is none.
std::string quotedInclude(const std::string& line) {
  std::size_t i = line.find_first_not_of(" \t");
  if (i == std::string::npos || line[i] != '#') {
    return "";
  }
  i = line.find_first_not_of(" \t", i + 1);
  if (i == std::string::npos || line.compare(i, 7, "include") != 0) {
    return "";
  }
  const std::size_t open = line.find_first_not_of(" \t", i + 7);
  if (open == std::string::npos || line[open] != '"') {
    return "";
  }
  const std::size_t close = line.find('"', open + 1);
  return close == std::string::npos ? "" : line.substr(open + 1, close - open - 1);
}

bool isSource(const std::filesystem::path& path) {
  const std::string extension = path.extension().string();
  return extension == ".h" || extension == ".cpp";
}

}  // namespace

void LayerRules::parse(const std::string& text, const std::string& fileName, std::vector<Finding>& findings) {
  std::istringstream in(text);
  int lineNumber = 0;
  int layer = 0;
  for (std::string line; std::getline(in, line);) {
    ++lineNumber;
    const std::vector<std::string> items = words(line);
    if (items.empty()) {
      continue;
    }
    if (items[0] == "except") {
      if (items.size() != 3) {
        findings.push_back({fileName, lineNumber, "an exception names one file and one include"});
        continue;
      }
      mExceptions.push_back({items[1], items[2], fileName, lineNumber});
      continue;
    }
    std::vector<std::string> tops;
    for (const std::string& item : items) {
      const std::string folder = withoutTrailingSlash(item);
      const bool listed = std::any_of(mFolders.begin(), mFolders.end(),
                                      [&](const Folder& f) { return f.path == folder; });
      if (listed) {
        findings.push_back({fileName, lineNumber, "folder " + folder + " is listed twice"});
        continue;
      }
      mFolders.push_back({folder, layer});
      tops.push_back(topOf(folder));
    }
    checkBandsOfTops(tops, fileName, lineNumber, findings);
    ++layer;
  }
}

// A top folder holds one run of layers: once a layer lists it no more, no
// later layer may, so the tree's top folders read bottom to top.
void LayerRules::checkBandsOfTops(const std::vector<std::string>& tops, const std::string& fileName, int lineNumber,
                                  std::vector<Finding>& findings) {
  for (const std::string& top : mOpenTops) {
    if (std::find(tops.begin(), tops.end(), top) == tops.end()) {
      mClosedTops.push_back(top);
    }
  }
  mOpenTops.clear();
  for (const std::string& top : tops) {
    if (std::find(mClosedTops.begin(), mClosedTops.end(), top) != mClosedTops.end()) {
      findings.push_back({fileName, lineNumber, "top folder " + top + " comes back after other folders' layers"});
    } else if (std::find(mOpenTops.begin(), mOpenTops.end(), top) == mOpenTops.end()) {
      mOpenTops.push_back(top);
    }
  }
}

const LayerRules::Folder* LayerRules::deepestFolder(const std::string& path) const {
  const Folder* best = nullptr;
  for (const Folder& folder : mFolders) {
    if (holds(folder.path, path) && (!best || folder.path.size() > best->path.size())) {
      best = &folder;
    }
  }
  return best;
}

int LayerRules::layerOf(const std::string& path) const {
  const Folder* folder = deepestFolder(path);
  return folder ? folder->layer : -1;
}

const std::string& LayerRules::folderOf(const std::string& path) const {
  static const std::string kNone;
  const Folder* folder = deepestFolder(path);
  return folder ? folder->path : kNone;
}

std::vector<std::string> LayerRules::topFolders() const {
  std::vector<std::string> tops;
  for (const Folder& folder : mFolders) {
    const std::string top = topOf(folder.path);
    if (std::find(tops.begin(), tops.end(), top) == tops.end()) {
      tops.push_back(top);
    }
  }
  return tops;
}

bool LayerRules::isExcepted(const std::string& file, const std::string& include) const {
  return std::any_of(mExceptions.begin(), mExceptions.end(),
                     [&](const Exception& e) { return e.file == file && e.include == include; });
}

void LayerRules::useException(const std::string& file, const std::string& include) {
  for (Exception& exception : mExceptions) {
    if (exception.file == file && exception.include == include) {
      exception.used = true;
    }
  }
}

void LayerRules::reportUnusedExceptions(std::vector<Finding>& findings) const {
  for (const Exception& exception : mExceptions) {
    if (!exception.used) {
      findings.push_back({exception.where, exception.line,
                          "the exception " + exception.file + " -> " + exception.include + " is no longer needed"});
    }
  }
}

namespace {

void checkFile(const std::filesystem::path& root, const std::string& file, LayerRules& rules,
               std::vector<Finding>& findings) {
  const int layer = rules.layerOf(file);
  if (layer < 0) {
    findings.push_back({file, 0, "lies in no folder of the layer file"});
    return;
  }
  std::ifstream in(root / file);
  int lineNumber = 0;
  for (std::string line; std::getline(in, line);) {
    ++lineNumber;
    const std::string include = quotedInclude(line);
    const int included = include.empty() ? -1 : rules.layerOf(include);
    if (included <= layer) {
      continue;
    }
    if (rules.isExcepted(file, include)) {
      rules.useException(file, include);
      continue;
    }
    findings.push_back({file, lineNumber,
                        "includes " + include + " of " + rules.folderOf(include) + ", a layer above " +
                            rules.folderOf(file)});
  }
}

}  // namespace

std::vector<Finding> checkTree(const std::filesystem::path& root, LayerRules& rules) {
  std::vector<std::string> files;
  for (const std::string& top : rules.topFolders()) {
    if (!std::filesystem::is_directory(root / top)) {
      continue;
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root / top)) {
      if (entry.is_regular_file() && isSource(entry.path())) {
        files.push_back(entry.path().lexically_relative(root).generic_string());
      }
    }
  }
  std::sort(files.begin(), files.end());
  std::vector<Finding> findings;
  for (const std::string& file : files) {
    checkFile(root, file, rules, findings);
  }
  rules.reportUnusedExceptions(findings);
  return findings;
}

std::vector<Finding> checkProject(const std::filesystem::path& root, const std::string& layerFile) {
  std::ifstream in(root / layerFile);
  if (!in) {
    return {{layerFile, 0, "cannot be read"}};
  }
  std::stringstream text;
  text << in.rdbuf();
  std::vector<Finding> findings;
  LayerRules rules;
  rules.parse(text.str(), layerFile, findings);
  if (!findings.empty()) {
    return findings;
  }
  return checkTree(root, rules);
}

}  // namespace Layers
