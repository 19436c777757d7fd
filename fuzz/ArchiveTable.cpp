// Opens arbitrary bytes as a data archive and loads the entry "a.txt" and
// "dir\b.txt" from it, as the file loader would.

#include <cstdint>
#include <vector>

#include "FileIO/src/Archive.h"
#include "fuzz/FuzzStop.h"

namespace {

void loadEntry(Engine::FileIO::Archive& archive, const char* name) {
  Engine::FileIO::SourceStream stream;
  if (!archive.open(stream, name)) {
    return;
  }
  std::uint64_t stored = 0;
  std::uint64_t expanded = 0;
  archive.size(stream, &stored, &expanded);
  Engine::FileIO::LoadBuffer buffer = archive.allocate(stream);
  if (buffer.bytes && archive.read(stream, buffer, stored)) {
    buffer.bytes[expanded] = 0;
  }
  archive.close(stream);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzSupport::FuzzBackend backend(FuzzSupport::OnStop::Abort);
  backend.fakeFileSystem.put("fuzz.arc", std::vector<std::uint8_t>(data, data + size));
  Engine::FileIO::Archive archive("fuzz.arc");
  loadEntry(archive, "a.txt");
  loadEntry(archive, "dir/b.txt");
  return 0;
}
