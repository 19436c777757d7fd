// Checks that the game's folders include only their own layer and those below,
// as the project's layer file orders them.
//   layercheck ROOT [LAYER_FILE]
#include <iostream>

#include "LayerRules.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: layercheck ROOT [LAYER_FILE]\n";
    return 2;
  }
  const std::string layerFile = argc > 2 ? argv[2] : "layers.txt";
  const std::vector<Layers::Finding> findings = Layers::checkProject(argv[1], layerFile);
  for (const Layers::Finding& finding : findings) {
    std::cerr << finding.file << ':' << finding.line << ": " << finding.message << '\n';
  }
  if (!findings.empty()) {
    std::cerr << findings.size() << " finding(s) against " << layerFile << '\n';
    return 1;
  }
  std::cout << "every include keeps to " << layerFile << '\n';
  return 0;
}
