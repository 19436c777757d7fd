// The main of the seed-replay tests (seeds_<harness>), not a harness: it runs
// a harness over every file of its seed corpus, so the corpus is a regression
// test in every build. Usage: seeds_<harness> <corpus directory>...

#include <dirent.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int runFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "%s: cannot be read\n", path.c_str());
    return 1;
  }
  const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  // Copied to an exact-size buffer so that a read past the end is caught.
  std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
  LLVMFuzzerTestOneInput(input.data(), input.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int files = 0;
  int failures = 0;
  for (int i = 1; i < argc; ++i) {
    DIR* dir = opendir(argv[i]);
    if (!dir) {
      std::fprintf(stderr, "%s: not a directory\n", argv[i]);
      return 1;
    }
    while (dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name == "." || name == "..") {
        continue;
      }
      failures += runFile(std::string(argv[i]) + "/" + name);
      ++files;
    }
    closedir(dir);
  }
  std::printf("%d seed files run\n", files);
  return failures == 0 && files > 0 ? 0 : 1;
}
