// The build's sample data for benchmarks that run the game on the fakes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "PlatformFake/FakeFileSystem.h"
#include "Platform/TextCodec.h"

namespace BenchSupport {

// Every file under the game's src/, put on the fake file system under its
// Shift-JIS name, as the game reads it.
inline void putSampleFiles(PlatformFake::FakeFileSystem& files) {
  const std::filesystem::path game(MARROWDEEP_GAME_DIR);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(game / "src")) {
    if (entry.is_regular_file()) {
      std::vector<std::uint8_t> bytes(static_cast<std::size_t>(entry.file_size()));
      std::ifstream(entry.path(), std::ios::binary)
          .read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      files.put(Platform::utf8ToSjis(std::filesystem::relative(entry.path(), game).generic_string()),
                std::move(bytes));
    }
  }
}

}  // namespace BenchSupport
