// Checks that the names the game's sources look up by literal are exactly
// those of LookedUpNames::kInCode, so a lookup of a new name fails here until
// the list (and with it the sample data, which contentcheck holds to the
// list) has it.
//   namecheck ROOT
#include <filesystem>
#include <iostream>

#include "NameScan.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: namecheck ROOT\n";
    return 2;
  }
  if (!std::filesystem::is_directory(argv[1])) {
    std::cerr << "namecheck: no folder " << argv[1] << '\n';
    return 2;
  }
  std::vector<std::string> faults = NameScan::selfCheck();
  NameScan::Scanner scanner(NameScan::gameSources(argv[1]));
  const NameScan::Found found = scanner.scan();
  for (const std::vector<std::string>& more : {scanner.missedTables(), NameScan::faultsOfTheList(found)}) {
    faults.insert(faults.end(), more.begin(), more.end());
  }
  for (const std::string& fault : faults) {
    std::cerr << fault << '\n';
  }
  if (!faults.empty()) {
    std::cerr << faults.size() << " fault(s) in the names looked up\n";
    return 1;
  }
  std::cout << found.size() << " names looked up, each listed\n";
  return 0;
}
